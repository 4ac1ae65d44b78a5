// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using quillon::cli::ProgressLine;

namespace {

TEST(ProgressLineTest, ShortRunsAndPipesShowNothing) {
    std::ostringstream err;
    {
        ProgressLine shortRun(err, true, ProgressLine::kMinimumCount - 1);
        shortRun.update(1);
        ProgressLine notTerminal(err, false, 1000);
        notTerminal.update(500);
    }
    EXPECT_EQ(err.str(), "");
}

TEST(ProgressLineTest, RewritesOnANewPercentageAndWipesAtTheEnd) {
    std::ostringstream err;
    {
        ProgressLine line(err, true, 200);
        line.update(0);
        line.update(1); // still 0%
        line.update(2);
        line.clear();
        line.update(2); // drawn again after a message
        line.update(200);
    }
    EXPECT_EQ(err.str(),
              "\rRenaming: 0%\rRenaming: 1%\r\33[K\rRenaming: 1%\rRenaming: 100%\r\33[K");
}

// A terminal that calls itself dumb cannot rewrite a line in place.
TEST(ProgressLineTest, ADumbTerminalGetsNoLine) {
    const char* term = std::getenv("TERM");
    const std::string saved = term != nullptr ? term : "";
    ::setenv("TERM", "dumb", 1);
    EXPECT_FALSE(ProgressLine::onTerminal());
    if (term != nullptr)
        ::setenv("TERM", saved.c_str(), 1);
    else
        ::unsetenv("TERM");
}

} // namespace
