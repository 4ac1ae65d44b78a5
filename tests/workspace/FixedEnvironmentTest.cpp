// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedEnvironment.h"
#include "SaveFixtures.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"
#include "workspace/history/UndoHistory.h"
#include "workspace/presets/PresetStore.h"
#include "workspace/record/UndoRecord.h"
#include "workspace/undo/UndoLastSave.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

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

// A relative or empty value would make the folder depend on where the
// program runs: it counts as unset.
TEST(FixedEnvironment, ThePresetsFolderFollowsTheEnvironmentGiven) {
    const struct {
        const char* config;
        const char* home;
        const char* folder;
    } rows[] = {
        {"/cfg", "/home/u", "/cfg/quillon/presets"},
        {"/cfg", nullptr, "/cfg/quillon/presets"},
        {nullptr, "/home/u", "/home/u/.config/quillon/presets"},
        {"cfg", "/home/u", "/home/u/.config/quillon/presets"},
        {"", "/home/u", "/home/u/.config/quillon/presets"},
        {"~/cfg", "/home/u", "/home/u/.config/quillon/presets"},
        {nullptr, "home/u", ""},
        {"", "", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& row : rows) {
        FixedEnvironment env;
        env.variables.clear();
        if (row.config)
            env.variables["XDG_CONFIG_HOME"] = row.config;
        if (row.home)
            env.variables["HOME"] = row.home;
        EXPECT_EQ(PresetStore::defaultDirectory(env), row.folder)
            << (row.config ? row.config : "(unset)") << " " << (row.home ? row.home : "(unset)");
    }
}

// The machine is its first identifier that is one; where none is, the host
// name in hex (its first 64 bytes), so that no text of the system's reaches
// a record unchecked.
TEST(FixedEnvironment, TheOriginIsTheFirstTrueMachineIdElseTheHost) {
    const std::string longHost(80, 'h');
    std::string longHostHex;
    for (int i = 0; i < 64; ++i)
        longHostHex += "68";
    const struct {
        std::vector<std::string> machines;
        std::string host;
        std::string machine;
    } rows[] = {
        {{"0a1b", "ffff"}, "box", "0a1b"},
        {{"0A1B", "ffff"}, "box", "ffff"},
        {{"", "0a1b"}, "box", "0a1b"},
        {{"0a1b; rm x"}, "box", "626f78"},
        {{std::string(129, 'a')}, "box", "626f78"},
        {{std::string(128, 'a')}, "box", std::string(128, 'a')},
        {{}, "box", "626f78"},
        {{}, "", ""},
        {{}, longHost, longHostHex},
    };
    for (const auto& row : rows) {
        FixedEnvironment env;
        env.user = 1234;
        env.machines = row.machines;
        env.host = row.host;
        const SaveOrigin origin = currentOrigin(env);
        EXPECT_EQ(origin.user, 1234U);
        EXPECT_EQ(origin.machine, row.machine) << row.host;
    }
}

// A record the history does not hold is asked about, unless it says it was
// made by this user on this machine.
TEST(FixedEnvironment, OnlyAnotherUsersOrMachinesRecordIsAskedAbout) {
    const struct {
        std::uint32_t user;
        std::string machine;
        bool asked;
    } rows[] = {
        {1000, "0a1b", false},
        {1001, "0a1b", true},
        {1000, "0a1c", true},
    };
    for (const auto& row : rows) {
        TempFolder dir;
        TempFolder state;
        PosixFileSystem fs;
        fill(dir, {"a.txt"});
        FixedEnvironment saver;
        Workspace ws(fs);
        ws.setEnvironment(saver);
        ASSERT_TRUE(ws.load(dir.path(), U"*.txt").ok());
        ws.renameEntry(0, U"b.txt", false);
        ASSERT_EQ(ws.save(U"*.txt", yesToAll()).renamed, 1u);

        FixedEnvironment undoer;
        undoer.user = row.user;
        undoer.machines = {row.machine};
        UndoHistory history(fs, state.path(), undoer);
        bool asked = false;
        SaveCallbacks ask = yesToAll();
        ask.confirmUnknownRecord = [&asked] {
            asked = true;
            return false;
        };
        const UndoResult undone = undoLastSave(fs, dir.path(), ask, &history, undoer);
        EXPECT_EQ(asked, row.asked) << row.user << " " << row.machine;
        EXPECT_EQ(undone.status, row.asked ? UndoStatus::Declined : UndoStatus::Undone);
    }
}

} // namespace
