// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveFixtures.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"
#include "workspace/disk/Environment.h"
#include "workspace/disk/PosixFileSystem.h"
#include "workspace/history/UndoHistory.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// 2026-01-02 03:00:00 UTC and 7 ns, process 4242, HOME only.
class FixedEnvironment final : public Environment {
public:
    static constexpr std::int64_t kNow = 1'767'322'800'000'000'007;

    std::int64_t nanosecondsNow() const override { return kNow; }
    long processId() const override { return 4242; }
    const char* variable(std::string_view name) const override {
        return name == "HOME" ? "/home/fixed" : nullptr;
    }
};

TEST(FixedEnvironment, ASaveTakesItsIdAndHistoryNameFromTheEnvironment) {
    const FixedEnvironment fixed;
    TempFolder dir;
    TempFolder state;
    PosixFileSystem fs;
    UndoHistory history(fs, state.path(), fixed);
    fill(dir, {"a.txt"});
    Workspace ws(fs);
    ws.setEnvironment(fixed);
    ws.setHistory(&history);
    ASSERT_TRUE(ws.load(dir.path(), U"*.txt").ok());
    ws.renameEntry(0, U"b.txt", false);
    ASSERT_EQ(ws.save(U"*.txt", yesToAll()).renamed, 1u);

    const std::vector<HistoryEntry> entries = history.list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].saveId, "20260102T030000.000000007-4242");
    EXPECT_EQ(entries[0].savedAtNanoseconds, FixedEnvironment::kNow);
    EXPECT_TRUE(entries[0].fileName.starts_with("20260102T030000.000000007Z-0000004242-"))
        << entries[0].fileName;
}

TEST(FixedEnvironment, TheHistoryFolderFollowsTheEnvironmentGiven) {
    EXPECT_EQ(UndoHistory::defaultDirectory(FixedEnvironment()),
              "/home/fixed/.local/state/quillon/history");
}

} // namespace
