#include "workspace/UndoScript.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace quillon;

namespace {

// What /bin/sh makes of one quoted word, byte for byte.
std::string throughShell(const std::string& bytes) {
    std::string command = "printf '%s' ";
    appendShellQuoted(command, bytes);
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "<popen failed>";
    std::string out;
    char buffer[256];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

TEST(ShellQuoting, EveryByteComesBackAndNothingRuns) {
    const std::string rows[] = {
        "plain.txt", "'; rm -rf x; '",     "$(touch pwned)",       "`touch pwned`", "a\nb\n",
        "-n",        "\\\\ \" '' \t*?[a]", "caf\xE9 \xFF\x80.txt", "${HOME}%s%%",
    };
    for (const std::string& name : rows)
        EXPECT_EQ(throughShell(name), name) << testing::PrintToString(name);
}

TEST(UndoScriptText, TakesRenamesBackNewestFirstAndCaseOnlyByTheirOwnWay) {
    const std::string text = undoScriptText(
        {{"1.txt", "2.txt", false}, {"2.txt", "3.txt", false}, {"Abc", "abc", true}});
    const auto first = text.find("case_back 'Abc' 'abc'\n");
    const auto second = text.find("back '2.txt' '3.txt'\n");
    const auto third = text.find("back '1.txt' '2.txt'\n");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    ASSERT_NE(third, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_EQ(text.rfind("#!/bin/sh\n", 0), 0u);
    EXPECT_NE(text.find("rm -f -- '_Quillon - Click me to UNDO.sh'\n"), std::string::npos);
}

} // namespace
