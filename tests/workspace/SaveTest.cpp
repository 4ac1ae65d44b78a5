// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeFileSystem.h"
#include "workspace/Workspace.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <deque>

using namespace quillon;
using quillon::test::FakeFileSystem;

namespace {

using Names = std::vector<std::string>;

// Answers the save's questions from a script and records what it was told.
struct ScriptedUser {
    bool answerYes = true;
    bool createUndoFile = true;
    std::deque<RenameFailureChoice> choices;
    std::vector<std::pair<SaveNoticeKind, std::string>> told;
    std::vector<RenameFailure> failures;
    std::vector<int> progress;
    std::vector<bool> renaming;
    int confirmations = 0;

    SaveCallbacks callbacks() {
        SaveCallbacks c;
        c.tell = [this](const SaveNotice& notice) {
            told.emplace_back(notice.kind, encodeName(notice.name));
        };
        c.confirm = [this](bool& createUndo) {
            ++confirmations;
            EXPECT_TRUE(createUndo); // every save starts with the box checked
            createUndo = createUndoFile;
            return answerYes;
        };
        c.renameFailed = [this](const RenameFailure& failure) {
            failures.push_back(failure);
            if (choices.empty())
                return RenameFailureChoice::Skip;
            const RenameFailureChoice choice = choices.front();
            choices.pop_front();
            return choice;
        };
        c.renaming = [this](bool on) {
            renaming.push_back(on);
        };
        c.progress = [this](int percent) {
            progress.push_back(percent);
        };
        return c;
    }
};

class SaveTest : public testing::Test {
protected:
    SaveTest()
        : m_ws(m_fs) {
        m_ws.setCaseMode(CaseMode::None, {});
    }

    // Loads the files and gives entry i the new name renames[i].
    void load(const Names& files, const Names& renames) {
        for (const auto& f : files)
            m_fs.addFile(f);
        ASSERT_TRUE(m_ws.load("/music", U"*.*").ok());
        ASSERT_EQ(m_ws.preview().size(), renames.size());
        for (std::size_t i = 0; i < renames.size(); ++i)
            m_ws.renameEntry(i, decodeName(renames[i]), false);
        m_fs.log.clear();
    }
    SaveResult save() { return m_ws.save(U"*.*", m_user.callbacks()); }
    Names folderNames() const {
        Names out;
        for (const auto n : m_ws.folderList().names)
            out.emplace_back(n);
        return out;
    }
    std::string script() const { return m_fs.contentOf(kUndoScriptName); }

    FakeFileSystem m_fs;
    Workspace m_ws;
    ScriptedUser m_user;
};

struct RefusalRow {
    Names files;
    Names renames;
    SaveNoticeKind kind;
    std::string text;
};

TEST_F(SaveTest, RefusalsTouchNothingAndAskNothing) {
    using K = SaveNoticeKind;
    const RefusalRow rows[] = {
        {{}, {}, K::NoFiles, ""},
        {{"1", "2", "3", "4"}, {"a", "b", "b", "a"}, K::DuplicateName, "a"},
        {{"1", "2"}, {"x", ""}, K::InvalidName, ""},
        {{"1"}, {".."}, K::InvalidName, ".."},
        {{"1"}, {"."}, K::InvalidName, "."},
        {{"1"}, {"../1"}, K::InvalidName, "../1"},
        {{"1"}, {std::string("a\0b", 3)}, K::InvalidName, std::string("a\0b", 3)},
        {{"1"}, {kUndoScriptName}, K::InvalidName, kUndoScriptName},
        {{"1"},
         {"_quillon - click me to undo.SH"},
         K::InvalidName,
         "_quillon - click me to undo.SH"},
    };
    for (const RefusalRow& row : rows) {
        FakeFileSystem fs;
        for (const auto& f : row.files)
            fs.addFile(f);
        fs.addUndoScript();
        Workspace ws(fs);
        ws.setCaseMode(CaseMode::None, {});
        ws.load("/f", U"*.*");
        for (std::size_t i = 0; i < row.renames.size(); ++i)
            ws.renameEntry(i, decodeName(row.renames[i]), false);
        fs.log.clear();
        ScriptedUser user;
        const SaveResult result = ws.save(U"*.*", user.callbacks());
        EXPECT_EQ(result.status, SaveStatus::Refused);
        ASSERT_EQ(user.told.size(), 1u) << row.text;
        EXPECT_EQ(user.told[0].first, row.kind) << row.text;
        EXPECT_EQ(user.told[0].second, row.text);
        EXPECT_EQ(user.confirmations, 0);
        EXPECT_TRUE(fs.log.empty()) << row.text;
        EXPECT_TRUE(fs.has(kUndoScriptName));
    }
}

TEST_F(SaveTest, AnsweringNoTouchesNothing) {
    m_fs.addUndoScript();
    load({"a", "b"}, {"x", "y"});
    m_user.answerYes = false;
    EXPECT_EQ(save().status, SaveStatus::Cancelled);
    EXPECT_TRUE(m_fs.log.empty());
    EXPECT_EQ(m_fs.names(), (Names{kUndoScriptName, "a", "b"}));
}

TEST_F(SaveTest, OldScriptGoesNewOneIsWrittenBeforeTheFirstRename) {
    m_fs.addUndoScript();
    load({"a", "b", "same"}, {"x", "y", "same"});
    const SaveResult result = save();
    EXPECT_EQ(result.status, SaveStatus::Saved);
    EXPECT_EQ(result.renamed, 2u);
    // The unchanged name costs no disk call and no script line.
    // Written in full before the first rename, and again with what happened.
    EXPECT_EQ(m_fs.log, (Names{std::string("write ") + kUndoScriptName, "rename a > x",
                               "rename b > y", std::string("write ") + kUndoScriptName}));
    EXPECT_NE(script().find("planned=0\n"), std::string::npos);
    EXPECT_NE(script().find("back 'y' 'b'\nback 'x' 'a'\n"), std::string::npos);
    EXPECT_EQ(script().find("'same'"), std::string::npos);
    EXPECT_EQ(folderNames(), (Names{"same", "x", "y"}));
    EXPECT_EQ(m_user.renaming, (std::vector<bool>{true, false}));
    EXPECT_TRUE(m_user.told.empty());
}

TEST_F(SaveTest, UncheckedUndoFileStillDeletesTheOldOne) {
    m_fs.addUndoScript();
    load({"a"}, {"b"});
    m_user.createUndoFile = false;
    save();
    EXPECT_FALSE(m_fs.has(kUndoScriptName));
    EXPECT_EQ(m_fs.names(), (Names{"b"}));
}

TEST_F(SaveTest, UndoFileThatCannotBeWrittenStopsBeforeAnyRename) {
    load({"a", "b"}, {"x", "y"});
    m_fs.createFailures = {ENOSPC};
    const SaveResult result = save();
    EXPECT_EQ(result.status, SaveStatus::UndoFileFailed);
    ASSERT_EQ(m_user.told.size(), 1u);
    EXPECT_EQ(m_user.told[0].first, SaveNoticeKind::UndoFileNotWritten);
    EXPECT_EQ(m_fs.names(), (Names{"a", "b"}));
    EXPECT_TRUE(m_user.renaming.empty());
}

struct FailureRow {
    int error;
    std::string message;
};

TEST_F(SaveTest, EachFailureIsToldAndOkSkipsTheFile) {
    const FailureRow rows[] = {
        {EPERM, "\"b\"\ncould not be renamed."},
        {EBUSY, "\"b\"\ncannot be renamed because it is currently used by\nanother program."},
        {ETXTBSY, "\"b\"\ncannot be renamed because it is currently used by\nanother program."},
        {EACCES, "\"b\"\ncould not be renamed."},
        {ENOENT, "\"b\"\ncould not be renamed."},
        {ENAMETOOLONG, "\"b\"\ncould not be renamed."},
    };
    for (const FailureRow& row : rows) {
        FakeFileSystem fs;
        for (const char* f : {"a", "b", "c"})
            fs.addFile(f);
        Workspace ws(fs);
        ws.setCaseMode(CaseMode::Uppercase, {});
        ws.load("/f", U"*.*");
        fs.renameFailures["b"] = {row.error};
        ScriptedUser user;
        const SaveResult result = ws.save(U"*.*", user.callbacks());
        ASSERT_EQ(user.failures.size(), 1u);
        EXPECT_EQ(user.failures[0].index, 1u);
        EXPECT_EQ(user.failures[0].error, row.error);
        EXPECT_EQ(encodeName(user.failures[0].oldName), "b");
        EXPECT_EQ(fs.names(), (Names{"A", "C", kUndoScriptName, "b"}));
        EXPECT_EQ(result.notRenamed, (std::vector<std::size_t>{1}));
        // The script keeps only the renames that happened.
        const std::string text = fs.contentOf(kUndoScriptName);
        // The disk keeps case apart: no temporary name is needed.
        const auto c = text.find("back 'C' 'c'\n");
        const auto a = text.find("back 'A' 'a'\n");
        ASSERT_NE(c, std::string::npos);
        ASSERT_NE(a, std::string::npos);
        EXPECT_LT(c, a);
        EXPECT_EQ(text.find("'B'"), std::string::npos);
    }
}

TEST_F(SaveTest, AbortStopsTheRenamesAndStillReloads) {
    load({"a", "b", "c"}, {"x", "y", "z"});
    m_fs.renameFailures["b"] = {EACCES};
    m_user.choices = {RenameFailureChoice::Abort};
    const SaveResult result = save();
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(result.notRenamed, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(std::count(m_fs.log.begin(), m_fs.log.end(), "rename c > z"), 0);
    EXPECT_EQ(folderNames(), (Names{"b", "c", "x"}));
    EXPECT_NE(script().find("back 'x' 'a'\n"), std::string::npos);
    EXPECT_EQ(script().find("'y'"), std::string::npos);
    EXPECT_EQ(m_user.renaming, (std::vector<bool>{true, false}));
}

TEST_F(SaveTest, RetryRepeatsTheSameRename) {
    load({"a"}, {"x"});
    m_fs.renameFailures["a"] = {EBUSY, EBUSY};
    m_user.choices = {RenameFailureChoice::Retry, RenameFailureChoice::Retry};
    const SaveResult result = save();
    EXPECT_EQ(m_user.failures.size(), 2u);
    EXPECT_EQ(result.renamed, 1u);
    EXPECT_TRUE(result.notRenamed.empty());
    EXPECT_EQ(folderNames(), (Names{"x"}));
}

TEST_F(SaveTest, NothingRenamedLeavesNoScript) {
    load({"a", "b", "c"}, {"c", "x", "c2"});
    m_fs.addFile("x"); // not listed: added after loading
    m_fs.renameFailures["c"] = {EACCES};
    const SaveResult result = save();
    // c waits for nothing and fails; a then finds c still there.
    EXPECT_EQ(m_user.failures.size(), 3u);
    EXPECT_EQ(result.renamed, 0u);
    EXPECT_EQ(m_fs.names(), (Names{"a", "b", "c", "x"}));
    EXPECT_EQ(m_fs.contentOf("a"), "a");
}

TEST_F(SaveTest, ScriptThatCannotBeRewrittenIsTold) {
    load({"a", "b"}, {"x", "y"});
    m_fs.renameFailures["b"] = {EACCES};
    m_fs.createFailures = {0, EIO};
    save();
    ASSERT_EQ(m_user.told.size(), 1u);
    EXPECT_EQ(m_user.told[0].first, SaveNoticeKind::UndoFileNotRewritten);
    // The record written first still stands and takes back what was done.
    EXPECT_NE(script().find("planned=1\n"), std::string::npos);
}

TEST_F(SaveTest, ProgressMovesOnlyWithTwoOrMoreEntriesAndEndsAt100) {
    load({"a"}, {"b"});
    save();
    EXPECT_TRUE(m_user.progress.empty());

    FakeFileSystem fs;
    for (const char* f : {"1", "2", "3", "4", "5"})
        fs.addFile(f);
    Workspace ws(fs);
    ws.setCaseMode(CaseMode::None, {});
    ws.load("/f", U"*.*");
    ScriptedUser user;
    ws.save(U"*.*", user.callbacks());
    EXPECT_EQ(user.progress, (std::vector<int>{25, 50, 75, 100}));
}

TEST_F(SaveTest, NonUtf8NamesReachTheDiskAsTheyWere) {
    const std::string latin1 = "caf\xE9.txt";
    load({latin1, "b"}, {"b", "\xFF" + latin1}); // listed as b, café
    save();
    EXPECT_EQ(m_fs.names(), (Names{kUndoScriptName, "b", "\xFF" + latin1}));
    EXPECT_NE(script().find("back '\xFF" + latin1 + "' '" + latin1 + "'"), std::string::npos);
}

struct RenameEntryRow {
    CaseMode mode;
    bool updateCase;
    std::string typed;
    std::string expected;
};

TEST_F(SaveTest, RenameEntryStoresTheTextAndConvertsItOnRequest) {
    const RenameEntryRow rows[] = {
        {CaseMode::None, false, "mIxEd CaSe.TXT", "mIxEd CaSe.TXT"},
        {CaseMode::Uppercase, true, "été.txt", "ÉTÉ.TXT"},
        {CaseMode::Lowercase, true, "ÉTÉ.TXT", "été.txt"},
        {CaseMode::Lowercase, false, "ÉTÉ.TXT", "ÉTÉ.TXT"},
        {CaseMode::FirstLetters, true, "the WHO - my generation.MP3",
         "The Who - My Generation.mp3"},
        {CaseMode::Smart, true, "tHe wHo - mY gEnErAtIoN.mp3", "The Who - My Generation.mp3"},
        {CaseMode::Smart, true, "", ""},
    };
    load({"a", "b"}, {"a", "b"});
    m_ws.setChecked(1, false);
    for (const RenameEntryRow& row : rows) {
        m_ws.setCaseMode(row.mode, {});
        m_ws.renameEntry(1, decodeName(row.typed), row.updateCase);
        EXPECT_EQ(m_ws.preview().names[1], row.expected) << row.typed;
        EXPECT_FALSE(m_ws.preview().checked[1]);
        EXPECT_EQ(m_ws.preview().names[0], "a");
        EXPECT_TRUE(m_ws.previewReady());
    }
}

// The checks hold only the entries the list lacks: a hidden file still holds
// its name, and a foreign file under the undo script's name, though listed,
// still keeps the undo file from being written. Alike whether the load kept
// the other entries or the checks list the folder again.
TEST_F(SaveTest, TheChecksSeeEntriesOutsideAndInsideTheList) {
    for (const bool kept : {false, true}) {
        SCOPED_TRACE(kept ? "kept by the load" : "listed again");
        m_fs = FakeFileSystem();
        m_ws.setKeepOutsideEntries(kept);
        m_fs.addWithContent(kUndoScriptName, "not a record");
        load({".hidden", "a", "b", "c"}, {kUndoScriptName, ".hidden", "b", "z"});
        std::optional<SaveNotice> refusal;
        m_fs.folderReadings = 0;
        const auto conflicts = m_ws.saveConflicts(true, refusal);
        EXPECT_EQ(m_fs.folderReadings, kept ? 0 : 1);
        ASSERT_EQ(conflicts.size(), 1u);
        EXPECT_EQ(conflicts[0].index, 1u);
        EXPECT_EQ(conflicts[0].reason, ConflictReason::HeldOutsideList);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->kind, SaveNoticeKind::UndoFileNotWritten);
        EXPECT_EQ(refusal->error, EEXIST);
        EXPECT_EQ(m_ws.saveConflicts(false, refusal).size(), 1u);
        EXPECT_FALSE(refusal.has_value());
    }
}

TEST_F(SaveTest, OnAReadOnlyFolderTheChecksForeseeWhatSavingMeets) {
    load({"a", "b", "c"}, {"x", "b", "z"});
    m_fs.readOnly = EROFS;
    std::optional<SaveNotice> refusal;
    EXPECT_EQ(m_ws.saveConflicts(true, refusal).size(), 2u);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->kind, SaveNoticeKind::UndoFileNotWritten);
    EXPECT_EQ(refusal->error, EROFS);
    const auto conflicts = m_ws.saveConflicts(false, refusal);
    EXPECT_FALSE(refusal.has_value());
    ASSERT_EQ(conflicts.size(), 2u);
    EXPECT_EQ(conflicts[0].index, 0u);
    EXPECT_EQ(conflicts[1].index, 2u);
    EXPECT_EQ(conflicts[1].reason, ConflictReason::FolderReadOnly);
}

} // namespace
