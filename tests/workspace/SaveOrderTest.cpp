// SPDX-License-Identifier: GPL-3.0-or-later
// Saving on real folders where each file holds its first name: chains,
// cycles, crashes at every step, two saves at once; and the way back, by the
// shell script and by "Undo Last Save".
#include "DiskHelpers.h"
#include "ForwardingFileSystem.h"
#include "SaveFixtures.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

using namespace quillon;
using namespace quillon::test;
using Snapshot = std::map<std::string, std::string>;

namespace {

Snapshot withoutScript(Snapshot s) {
    s.erase(kUndoScriptName);
    return s;
}

struct OrderRow {
    const char* what;
    std::vector<std::string> files;
    Moves moves;
    /// Old names whose rename must fail (a target held otherwise).
    std::set<std::string> failing;
};

const OrderRow kOrderRows[] = {
    {"chain up",
     {"1.txt", "2.txt", "3.txt"},
     {{"1.txt", "2.txt"}, {"2.txt", "3.txt"}, {"3.txt", "4.txt"}},
     {}},
    {"chain down",
     {"2.txt", "3.txt", "4.txt"},
     {{"2.txt", "1.txt"}, {"3.txt", "2.txt"}, {"4.txt", "3.txt"}},
     {}},
    {"swap",
     {"A - B.txt", "B - A.txt"},
     {{"A - B.txt", "B - A.txt"}, {"B - A.txt", "A - B.txt"}},
     {}},
    {"three-cycle",
     {"a.txt", "b.txt", "c.txt"},
     {{"a.txt", "b.txt"}, {"b.txt", "c.txt"}, {"c.txt", "a.txt"}},
     {}},
    {"two swaps and a chain",
     {"a.txt", "b.txt", "c.txt", "d.txt", "1.txt", "2.txt"},
     {{"a.txt", "b.txt"},
      {"b.txt", "a.txt"},
      {"c.txt", "d.txt"},
      {"d.txt", "c.txt"},
      {"1.txt", "2.txt"},
      {"2.txt", "3.txt"}},
     {}},
    {"chain onto a file outside the list",
     {"1.txt", "2.txt", "3.doc"},
     {{"1.txt", "2.txt"}, {"2.txt", "3.doc"}},
     {"1.txt", "2.txt"}},
    {"chain onto a hidden file",
     {"1.txt", "2.txt", ".h.txt"},
     {{"1.txt", "2.txt"}, {"2.txt", ".h.txt"}},
     {"1.txt", "2.txt"}},
    {"a cycle beside a blocked chain",
     {"x.txt", "y.txt", "p.txt", "q.doc"},
     {{"x.txt", "y.txt"}, {"y.txt", "x.txt"}, {"p.txt", "q.doc"}},
     {"p.txt"}},
    {"case swap", {"ab.txt", "AB.txt"}, {{"ab.txt", "AB.txt"}, {"AB.txt", "ab.txt"}}, {}},
};

class SaveOrder : public testing::TestWithParam<OrderRow> {};

TEST_P(SaveOrder, LandsThePreviewAndBothWaysBackRestoreEveryByte) {
    const OrderRow& row = GetParam();
    for (const bool byScript : {true, false}) {
        TempFolder dir;
        TempFolder elsewhere;
        fill(dir, row.files);
        const Snapshot before = snapshot(dir.path());
        PosixFileSystem fs;
        std::vector<std::size_t> failed;
        const SaveResult result = saveMoves(fs, dir.path(), row.moves, &failed);
        ASSERT_EQ(result.status, SaveStatus::Saved);
        Snapshot expected = before;
        for (const auto& [from, to] : row.moves) {
            if (!row.failing.count(from))
                expected.erase(from);
        }
        for (const auto& [from, to] : row.moves) {
            if (!row.failing.count(from))
                expected[to] = before.at(from);
        }
        EXPECT_EQ(withoutScript(snapshot(dir.path())), expected);
        EXPECT_EQ(result.notRenamed.size(), row.failing.size());
        EXPECT_EQ(failed.size(), row.failing.size()); // each failure told once
        if (result.renamed == 0) {
            EXPECT_EQ(snapshot(dir.path()), before); // and no script either
        } else if (byScript) {
            EXPECT_EQ(runUndoScript(dir.path(), elsewhere.path()), 0);
        } else {
            const UndoResult undo = undoLastSave(fs, dir.path(), {});
            EXPECT_EQ(undo.status, UndoStatus::Undone);
            EXPECT_TRUE(undo.notRestored.empty());
        }
        EXPECT_EQ(snapshot(dir.path()), before) << (byScript ? "script" : "workspace");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveOrder, testing::ValuesIn(kOrderRows),
                         [](const testing::TestParamInfo<OrderRow>& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// 20 files: a chain, a swap, a 3-cycle, case changes and plain renames.
const Moves kTwenty = {
    {"01.txt", "02.txt"}, {"02.txt", "03.txt"}, {"03.txt", "04.txt"}, {"04.txt", "05.txt"},
    {"s1.txt", "s2.txt"}, {"s2.txt", "s1.txt"}, {"c1.txt", "c2.txt"}, {"c2.txt", "c3.txt"},
    {"c3.txt", "c1.txt"}, {"lo.txt", "LO.txt"}, {"mi.txt", "Mi.txt"}, {"p1.txt", "q1.txt"},
    {"p2.txt", "q2.txt"}, {"p3.txt", "q3.txt"}, {"p4.txt", "q4.txt"}, {"p5.txt", "q5.txt"},
    {"p6.txt", "q6.txt"}, {"p7.txt", "q7.txt"}, {"p8.txt", "q8.txt"}, {"stays.txt", "stays.txt"},
};

std::vector<std::string> oldNamesOf(const Moves& moves) {
    std::vector<std::string> out;
    for (const auto& [from, to] : moves)
        out.push_back(from);
    return out;
}

TEST(SaveFaults, AFailureOrACrashAtAnyStepLeavesARecordThatBringsEveryFileBack) {
    int steps = 0;
    {
        TempFolder dir;
        fill(dir, oldNamesOf(kTwenty));
        PosixFileSystem disk;
        FaultDisk counting(disk, -1, false);
        saveMoves(counting, dir.path(), kTwenty);
        steps = counting.calls();
    }
    ASSERT_GE(steps, 22);
    for (const bool crash : {false, true}) {
        for (int at = 0; at < steps; ++at) {
            SCOPED_TRACE((crash ? "crash at call " : "failure at call ") + std::to_string(at));
            TempFolder dir;
            fill(dir, oldNamesOf(kTwenty));
            const Snapshot before = snapshot(dir.path());
            if (crash) {
                const pid_t child = ::fork();
                if (child == 0) {
                    PosixFileSystem disk;
                    FaultDisk faulty(disk, at, true);
                    saveMoves(faulty, dir.path(), kTwenty);
                    ::_exit(1);
                }
                int status = 0;
                ::waitpid(child, &status, 0);
            } else {
                PosixFileSystem disk;
                FaultDisk faulty(disk, at, false);
                saveMoves(faulty, dir.path(), kTwenty);
            }
            // Every content is still there, once.
            std::multiset<std::string> contents;
            for (const auto& [name, content] : withoutScript(snapshot(dir.path()))) {
                if (name.rfind("_Quillon swap done", 0) != 0) // the empty cycle markers
                    contents.insert(content);
            }
            std::multiset<std::string> original;
            for (const auto& [name, content] : before)
                original.insert(content);
            EXPECT_EQ(contents, original);
            PosixFileSystem fs;
            const UndoResult undo = undoLastSave(fs, dir.path(), {});
            EXPECT_TRUE(undo.notRestored.empty());
            EXPECT_EQ(snapshot(dir.path()), before);
        }
    }
}

TEST(SaveFaults, TheShellScriptLeftByACrashSkipsWhatNeverHappenedInOneLine) {
    TempFolder dir;
    TempFolder elsewhere;
    fill(dir, oldNamesOf(kTwenty));
    const Snapshot before = snapshot(dir.path());
    const pid_t child = ::fork();
    if (child == 0) {
        PosixFileSystem disk;
        FaultDisk faulty(disk, 6, true); // the record, then five of 21 renames
        saveMoves(faulty, dir.path(), kTwenty);
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::string command = "cd ";
    appendShellQuoted(command, elsewhere.path());
    command += " && /bin/sh ";
    appendShellQuoted(command, dir.file(kUndoScriptName));
    command += " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[512];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    EXPECT_EQ(WEXITSTATUS(::pclose(pipe)), 0) << out;
    EXPECT_EQ(out, "14 renames had not been carried out or were already taken back; nothing to do "
                   "for them.\n");
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(SaveLock, ASecondSaveIntoTheFolderStopsBeforeTouchingAnything) {
    TempFolder dir;
    fill(dir, {"a.txt"});
    PosixFileSystem first;
    ASSERT_EQ(first.lockFolder(dir.path()), 0);
    PosixFileSystem second;
    Workspace ws(second);
    ws.setCaseMode(CaseMode::Uppercase, {});
    ws.load(dir.path(), U"*.*");
    SaveCallbacks ask = yesToAll();
    std::vector<SaveNoticeKind> told;
    ask.tell = [&](const SaveNotice& n) {
        told.push_back(n.kind);
    };
    EXPECT_EQ(ws.save(U"*.*", ask).status, SaveStatus::Busy);
    EXPECT_EQ(told, std::vector<SaveNoticeKind>{SaveNoticeKind::FolderBusy});
    EXPECT_EQ(undoLastSave(second, dir.path(), {}).status, UndoStatus::Busy);
    EXPECT_EQ(snapshot(dir.path()), (Snapshot{{"a.txt", "a.txt"}}));
    first.unlockFolder(dir.path());
    EXPECT_EQ(ws.save(U"*.*", ask).status, SaveStatus::Saved);
}

TEST(UndoLastSave, RefusesAnythingButItsOwnRecordAndKeepsWhatCannotComeBack) {
    TempFolder dir;
    fill(dir, {"a.txt", "b.txt"});
    PosixFileSystem fs;
    EXPECT_EQ(undoLastSave(fs, dir.path(), {}).status, UndoStatus::NoRecord);
    writeFile(dir.file(kUndoScriptName), "#!/bin/sh\nmv b a\n");
    EXPECT_EQ(undoLastSave(fs, dir.path(), {}).status, UndoStatus::NotQuillons);
    ::unlink(dir.file(kUndoScriptName).c_str());

    saveMoves(fs, dir.path(), {{"a.txt", "x.txt"}, {"b.txt", "y.txt"}});
    writeFile(dir.file("a.txt"), "taken meanwhile");
    const UndoResult undo = undoLastSave(fs, dir.path(), {});
    ASSERT_EQ(undo.notRestored.size(), 1u);
    EXPECT_EQ(undo.notRestored[0].to, "x.txt");
    EXPECT_EQ(undo.restored.size(), 1u);
    // The record now holds just the rename that is left.
    std::string text;
    ASSERT_EQ(fs.readRegularFile(dir.path(), kUndoScriptName, 1 << 20, text), 0);
    const auto rest = parseUndoScript(text);
    ASSERT_TRUE(rest.has_value());
    ASSERT_EQ(rest->units.size(), 1u);
    EXPECT_EQ(rest->name(rest->units[0], 1), "a.txt");
    ::unlink(dir.file("a.txt").c_str());
    EXPECT_TRUE(undoLastSave(fs, dir.path(), {}).notRestored.empty());
    EXPECT_EQ(snapshot(dir.path()), (Snapshot{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}));
}

} // namespace
