// SPDX-License-Identifier: GPL-3.0-or-later
// The way back as an attacker and an unlucky user meet it: crafted records
// refused whole with nothing touched anywhere, and undo run again after any
// partial run never moving a file that is already back.
#include "DiskHelpers.h"
#include "RecordBuilder.h"
#include "SaveFixtures.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"
#include "workspace/history/UndoHistory.h"
#include "workspace/undo/UndoLastSave.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

using namespace quillon;
using namespace quillon::test;
using Snapshot = std::map<std::string, std::string>;

namespace {

Snapshot withoutRecord(Snapshot s) {
    s.erase(kUndoScriptName);
    return s;
}

std::string scriptPath(const TempFolder& dir) {
    return dir.file(kUndoScriptName);
}

// What one run of the script says and returns.
int runScriptQuietly(const TempFolder& dir) {
    TempFolder elsewhere;
    return runUndoScript(dir.path(), elsewhere.path());
}

struct AttackRow {
    const char* what;
    UnitSpec unit;
    /// The shell cannot carry a NUL byte; only the program is asked.
    bool shellToo = true;
};

const AttackRow kAttacks[] = {
    {"parent folder", {UndoUnitKind::Chain, {"photo.jpg", "../outside/.bash_aliases"}}},
    {"absolute path", {UndoUnitKind::Chain, {"photo.jpg", "/tmp/quillon-attack"}}},
    {"through a symlinked folder", {UndoUnitKind::Chain, {"photo.jpg", "link/photo.jpg"}}},
    {"NUL cuts the name", {UndoUnitKind::Chain, {std::string("photo.jpg\0x", 11), "x"}}, false},
    {"marker aimed at a user file",
     {UndoUnitKind::CaseOnly, {"Thesis.doc", "thesis.doc", "thesis.doc"}}},
    {"renames itself away", {UndoUnitKind::Chain, {kUndoScriptName, "away"}}},
    {"renames a file onto itself", {UndoUnitKind::Chain, {"photo.jpg", kUndoScriptName}}},
};

class CraftedRecordOnDisk : public testing::TestWithParam<AttackRow> {};

TEST_P(CraftedRecordOnDisk, IsRefusedBeforeAnyRenameHereOrOutside) {
    const AttackRow& row = GetParam();
    TempFolder outside;
    TempFolder dir;
    writeFile(outside.file("sentinel"), "sentinel");
    fill(dir, {"photo.jpg", "thesis.doc", "x"});
    ASSERT_EQ(::symlink(outside.path().c_str(), dir.file("link").c_str()), 0);
    // A line that would work comes first: nothing may run before the check.
    const UndoRecord record = recordOf(false, {{UndoUnitKind::Chain, {"x", "gone"}}, row.unit});
    writeFile(scriptPath(dir), undoScriptText(record));
    const Snapshot before = snapshot(dir.path());
    const Snapshot outsideBefore = snapshot(outside.path());

    PosixFileSystem fs;
    const UndoResult result = undoLastSave(fs, dir.path(), {});
    EXPECT_EQ(result.status, UndoStatus::Refused);
    EXPECT_EQ(result.problem.line,
              1 +
                  static_cast<std::size_t>(std::count(
                      before.at(kUndoScriptName).begin(),
                      before.at(kUndoScriptName).begin() +
                          static_cast<std::ptrdiff_t>(before.at(kUndoScriptName).find("back 'x'")),
                      '\n')) +
                  1);
    EXPECT_EQ(snapshot(dir.path()), before);
    if (row.shellToo) {
        EXPECT_EQ(runScriptQuietly(dir), 1);
        EXPECT_EQ(snapshot(dir.path()), before);
    }
    EXPECT_EQ(snapshot(outside.path()), outsideBefore);
}

INSTANTIATE_TEST_SUITE_P(Rows, CraftedRecordOnDisk, testing::ValuesIn(kAttacks),
                         [](const testing::TestParamInfo<AttackRow>& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(CraftedRecordOnDisk, ARecordLargerThanTheFolderCouldNeedIsRefusedUnread) {
    TempFolder dir;
    fill(dir, {"a", "b"});
    UndoRecord record;
    record.saveId = "1";
    for (int i = 0; i < 2000; ++i) {
        record.startUnit(UndoUnitKind::Chain);
        record.addName("a");
        record.addName(std::string(250, 'q'));
    }
    writeFile(scriptPath(dir), undoScriptText(record));
    const Snapshot before = snapshot(dir.path());
    PosixFileSystem fs;
    EXPECT_EQ(undoLastSave(fs, dir.path(), {}).status, UndoStatus::Refused);
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(CraftedRecordOnDisk, ALinkInTheFolderIsRenamedAsItselfNeverFollowed) {
    TempFolder outside;
    TempFolder dir;
    writeFile(outside.file("target"), "target");
    ASSERT_EQ(::symlink(outside.file("target").c_str(), dir.file("new").c_str()), 0);
    writeFile(scriptPath(dir),
              undoScriptText(recordOf(false, {{UndoUnitKind::Chain, {"new", "old"}}})));
    PosixFileSystem fs;
    EXPECT_EQ(undoLastSave(fs, dir.path(), {}).status, UndoStatus::Undone);
    EXPECT_EQ(snapshot(dir.path()), (Snapshot{{"old", "-> " + outside.file("target")}}));
    EXPECT_EQ(snapshot(outside.path()), (Snapshot{{"target", "target"}}));
}

// Moves with a chain, a swap, a three-cycle, a fifty-cycle and plain renames.
Moves mixedMoves() {
    Moves moves = {{"c1.txt", "c2.txt"}, {"c2.txt", "c3.txt"}, {"s1.txt", "s2.txt"},
                   {"s2.txt", "s1.txt"}, {"t1.txt", "t2.txt"}, {"t2.txt", "t3.txt"},
                   {"t3.txt", "t1.txt"}, {"p.txt", "q.txt"}};
    for (int i = 0; i < 50; ++i)
        moves.push_back(
            {"r" + std::to_string(i) + ".txt", "r" + std::to_string((i + 1) % 50) + ".txt"});
    return moves;
}

std::vector<std::string> oldNamesOf(const Moves& moves) {
    std::vector<std::string> out;
    for (const auto& [from, to] : moves)
        out.push_back(from);
    return out;
}

// Saves the mixed moves into a fresh folder; returns the record as saved.
std::string savedFolder(const TempFolder& dir, Snapshot& before) {
    fill(dir, oldNamesOf(mixedMoves()));
    before = snapshot(dir.path());
    PosixFileSystem fs;
    EXPECT_EQ(saveMoves(fs, dir.path(), mixedMoves()).status, SaveStatus::Saved);
    return readFile(scriptPath(dir));
}

TEST(UndoTwice, TheSavedRecordRunAgainAfterAFullUndoMovesNothing) {
    for (const bool byScript : {false, true}) {
        TempFolder dir;
        Snapshot before;
        const std::string record = savedFolder(dir, before);
        PosixFileSystem fs;
        ASSERT_TRUE(undoLastSave(fs, dir.path(), {}).notRestored.empty());
        ASSERT_EQ(snapshot(dir.path()), before);
        // The record as a kept script would still hold it.
        writeFile(scriptPath(dir), record);
        if (byScript) {
            EXPECT_EQ(runScriptQuietly(dir), 0);
        } else {
            const UndoResult again = undoLastSave(fs, dir.path(), {});
            EXPECT_TRUE(again.restored.empty());
            EXPECT_TRUE(again.notRestored.empty());
        }
        EXPECT_EQ(snapshot(dir.path()), before) << (byScript ? "script" : "program");
    }
}

TEST(UndoTwice, AKillAtAnyRenameOfTheUndoLeavesARecordThatFinishesTheRest) {
    int renames = 0;
    {
        TempFolder dir;
        Snapshot before;
        savedFolder(dir, before);
        PosixFileSystem disk;
        FaultDisk counting(disk, -1, false);
        undoLastSave(counting, dir.path(), {});
        renames = counting.calls();
    }
    ASSERT_GE(renames, 60);
    for (int at = 0; at < renames; at += 7) {
        for (const bool byScript : {false, true}) {
            SCOPED_TRACE("kill at rename " + std::to_string(at) + (byScript ? ", script" : ""));
            TempFolder dir;
            Snapshot before;
            savedFolder(dir, before);
            const pid_t child = ::fork();
            if (child == 0) {
                PosixFileSystem disk;
                FaultDisk killing(disk, at, true);
                undoLastSave(killing, dir.path(), {});
                ::_exit(1);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            if (byScript) {
                EXPECT_EQ(runScriptQuietly(dir), 0);
            } else {
                PosixFileSystem fs;
                EXPECT_TRUE(undoLastSave(fs, dir.path(), {}).notRestored.empty());
            }
            EXPECT_EQ(snapshot(dir.path()), before);
        }
    }
}

TEST(UndoTwice, AStopBetweenUnitsKeepsWhatIsLeftAndTheNextRunFinishesIt) {
    for (int stopAfter = 1; stopAfter < 5; ++stopAfter) {
        TempFolder dir;
        Snapshot before;
        savedFolder(dir, before);
        PosixFileSystem fs;
        SaveCallbacks ask;
        int asked = 0;
        ask.shouldStop = [&] {
            return ++asked > stopAfter;
        };
        const UndoResult first = undoLastSave(fs, dir.path(), ask);
        EXPECT_GT(first.notReached, 0u);
        // No file waits under a temporary name: cycles are never left half way.
        for (const auto& [name, content] : snapshot(dir.path()))
            EXPECT_EQ(ownNameKind(name), OwnNameKind::None) << name;
        EXPECT_TRUE(undoLastSave(fs, dir.path(), {}).notRestored.empty());
        EXPECT_EQ(snapshot(dir.path()), before);
    }
}

TEST(UndoTwice, AScriptBlockedByOneFileFinishesTheRestOnceItIsGone) {
    TempFolder dir;
    Snapshot before;
    savedFolder(dir, before);
    writeFile(dir.file("p.txt"), "in the way"); // takes an old name meanwhile
    EXPECT_EQ(runScriptQuietly(dir), 1);
    ASSERT_EQ(::unlink(dir.file("p.txt").c_str()), 0);
    // Run once more, and once more again: the second finds nothing to do.
    const std::string kept = readFile(scriptPath(dir));
    EXPECT_EQ(runScriptQuietly(dir), 0);
    EXPECT_EQ(snapshot(dir.path()), before);
    writeFile(scriptPath(dir), kept);
    EXPECT_EQ(runScriptQuietly(dir), 0);
    EXPECT_EQ(snapshot(dir.path()), before);
}

} // namespace

namespace {

std::vector<std::string> listed(FileSystem& fs, const std::string& dir) {
    Workspace ws(fs);
    ws.setCaseMode(CaseMode::None, {});
    ws.load(dir, U"*.*");
    std::vector<std::string> out;
    for (const std::string_view name : ws.folderList().names)
        out.emplace_back(name);
    return out;
}

TEST(Leftovers, ARecordCopyLeftByAKillIsNeverListedAndTheNextSaveRemovesIt) {
    TempFolder dir;
    fill(dir, {"a.txt"});
    // What a kill while the record was put in place leaves.
    writeFile(dir.file("_Quillon record 999-0.tmp"), undoScriptText(recordOf(true, {})));
    PosixFileSystem fs;
    EXPECT_EQ(listed(fs, dir.path()), std::vector<std::string>{"a.txt"});
    ASSERT_EQ(saveMoves(fs, dir.path(), {{"a.txt", "b.txt"}}).status, SaveStatus::Saved);
    Snapshot after = snapshot(dir.path());
    after.erase(kUndoScriptName);
    EXPECT_EQ(after, (Snapshot{{"b.txt", "a.txt"}}));
}

TEST(Leftovers, AFileLeftUnderASwapNameByAKilledSaveGoesBackBeforeTheNextSave) {
    const Moves swap = {{"x.txt", "y.txt"}, {"y.txt", "x.txt"}};
    TempFolder dir;
    fill(dir, {"x.txt", "y.txt", "z.txt"});
    const pid_t child = ::fork();
    if (child == 0) {
        PosixFileSystem disk;
        FaultDisk killing(disk, 2, true); // the record, then into the temporary name
        saveMoves(killing, dir.path(), swap);
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    bool waiting = false;
    for (const auto& [name, content] : snapshot(dir.path()))
        waiting = waiting || ownNameKind(name) == OwnNameKind::Swap;
    ASSERT_TRUE(waiting);
    PosixFileSystem fs;
    EXPECT_EQ(listed(fs, dir.path()), (std::vector<std::string>{"y.txt", "z.txt"}));
    ASSERT_EQ(saveMoves(fs, dir.path(), {{"z.txt", "w.txt"}}).status, SaveStatus::Saved);
    Snapshot after = snapshot(dir.path());
    after.erase(kUndoScriptName);
    EXPECT_EQ(after, (Snapshot{{"w.txt", "z.txt"}, {"x.txt", "x.txt"}, {"y.txt", "y.txt"}}));
}

} // namespace

namespace {

// Saves with a history, as the window and the command line do.
class HistoryFixture : public testing::Test {
protected:
    SaveResult save(const Moves& moves, CaseMode mode = CaseMode::None) {
        Workspace ws(m_fs);
        ws.setHistory(&m_history);
        ws.setCaseMode(mode, {});
        EXPECT_TRUE(ws.load(m_dir.path(), U"*.txt").ok());
        for (std::size_t i = 0; i < ws.folderList().names.size(); ++i) {
            for (const auto& [from, to] : moves) {
                if (from == ws.folderList().names[i])
                    ws.renameEntry(i, decodeName(to), false);
            }
        }
        return ws.save(U"*.txt", yesToAll());
    }
    UndoResult undo(bool confirm = false) {
        SaveCallbacks ask;
        ask.confirmUnknownRecord = [confirm] {
            return confirm;
        };
        return undoLastSave(m_fs, m_dir.path(), ask, &m_history);
    }

    TempFolder m_dir;
    TempFolder m_state;
    PosixFileSystem m_fs;
    UndoHistory m_history{m_fs, m_state.path()};
};

TEST_F(HistoryFixture, TwoSavesComeBackNewestFirstEvenWithoutTheFolderRecord) {
    fill(m_dir, {"a.txt", "b.txt"});
    const Snapshot before = snapshot(m_dir.path());
    ASSERT_EQ(save({{"a.txt", "b1.txt"}, {"b.txt", "a.txt"}}).renamed, 2u);
    const Snapshot middle = withoutRecord(snapshot(m_dir.path()));
    ASSERT_EQ(save({{"b1.txt", "c.txt"}}).renamed, 1u);
    // The second save replaced the folder's record; a third changes nothing
    // and keeps it.
    const std::string second = readFile(scriptPath(m_dir));
    EXPECT_EQ(save({}, CaseMode::None).renamed, 0u);
    EXPECT_EQ(readFile(scriptPath(m_dir)), second);
    EXPECT_EQ(m_history.list().size(), 2u);

    UndoResult first = undo();
    EXPECT_TRUE(first.fromHistory);
    EXPECT_EQ(first.restored.size(), 1u);
    EXPECT_EQ(snapshot(m_dir.path()), middle); // the folder's record went with it
    ::unlink(scriptPath(m_dir).c_str());
    UndoResult earlier = undo();
    EXPECT_TRUE(earlier.fromHistory);
    EXPECT_EQ(earlier.restored.size(), 2u);
    EXPECT_EQ(snapshot(m_dir.path()), before);
    EXPECT_TRUE(m_history.list().empty());
    EXPECT_EQ(undo().status, UndoStatus::NoRecord);
}

TEST_F(HistoryFixture, ARecordTheHistoryDoesNotHoldIsTakenOnlyWhenConfirmed) {
    fill(m_dir, {"new.txt"});
    writeFile(scriptPath(m_dir),
              undoScriptText(recordOf(false, {{UndoUnitKind::Chain, {"new.txt", "old.txt"}}})));
    const Snapshot before = snapshot(m_dir.path());
    EXPECT_EQ(undo(false).status, UndoStatus::Declined);
    EXPECT_EQ(snapshot(m_dir.path()), before);
    const UndoResult taken = undo(true);
    EXPECT_EQ(taken.status, UndoStatus::Undone);
    EXPECT_FALSE(taken.fromHistory);
    EXPECT_EQ(snapshot(m_dir.path()), (Snapshot{{"old.txt", "new.txt"}}));
}

TEST_F(HistoryFixture, TheHistoryIsUsedWhenACraftedRecordTookTheFolderRecordsPlace) {
    fill(m_dir, {"a.txt"});
    ASSERT_EQ(save({{"a.txt", "b.txt"}}).renamed, 1u);
    ::unlink(scriptPath(m_dir).c_str());
    writeFile(scriptPath(m_dir),
              undoScriptText(recordOf(false, {{UndoUnitKind::Chain, {"b.txt", "../b.txt"}}})));
    const UndoResult result = undo(true);
    EXPECT_TRUE(result.fromHistory);
    Snapshot after = snapshot(m_dir.path());
    after.erase(kUndoScriptName);
    EXPECT_EQ(after, (Snapshot{{"a.txt", "a.txt"}}));
}

} // namespace
