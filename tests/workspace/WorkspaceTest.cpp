// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/Workspace.h"
#include "FakeFileSystem.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::FakeFileSystem;

namespace {

using Names = std::vector<std::string>;

class RecordingObserver final : public WorkspaceObserver {
public:
    explicit RecordingObserver(const Workspace& ws)
        : m_ws(ws) {}
    void listsAboutToReset() override { events.push_back("aboutToReset"); }
    void listsReset() override {
        events.push_back("reset");
        readyDuringReset = m_ws.previewReady();
    }
    void previewNamesChanged() override { events.push_back("names"); }
    void checksChanged(std::size_t first, std::size_t last) override {
        events.push_back("checks " + std::to_string(first) + "-" + std::to_string(last));
    }
    void undoAvailabilityChanged(bool available) override {
        events.push_back(available ? "undo on" : "undo off");
    }

    std::vector<std::string> events;
    bool readyDuringReset = false;

private:
    const Workspace& m_ws;
};

class WorkspaceTest : public testing::Test {
protected:
    WorkspaceTest()
        : m_ws(m_fs)
        , m_observer(m_ws) {
        m_ws.setObserver(&m_observer);
        m_ws.setCaseMode(CaseMode::None, {});
    }

    Names previewNames() const {
        Names out;
        for (const auto n : m_ws.preview().names)
            out.emplace_back(n);
        return out;
    }
    Names folderNames() const {
        Names out;
        for (const auto n : m_ws.folderList().names)
            out.emplace_back(n);
        return out;
    }
    std::vector<bool> checks() const { return m_ws.preview().checked; }

    FakeFileSystem m_fs;
    Workspace m_ws;
    RecordingObserver m_observer;
};

TEST_F(WorkspaceTest, LoadFillsBothListsPairedAndChecked) {
    m_fs.addFile("b.txt");
    m_fs.addFile("A.txt");
    ASSERT_TRUE(m_ws.load("/music", U"*.*").ok());
    EXPECT_EQ(folderNames(), (Names{"A.txt", "b.txt"}));
    EXPECT_EQ(previewNames(), folderNames());
    EXPECT_EQ(checks(), (std::vector<bool>{true, true}));
    EXPECT_EQ(m_ws.folderList().directory, "/music");
    EXPECT_TRUE(m_ws.previewReady());
    EXPECT_FALSE(m_observer.events.empty());
    EXPECT_EQ(m_observer.events.back(), "reset");
}

TEST_F(WorkspaceTest, LoadShowsTheSelectedCaseMode) {
    m_fs.addFile("Mixed Case.Txt");
    m_ws.setCaseMode(CaseMode::Uppercase, {});
    m_ws.load("/f", U"*.*");
    EXPECT_EQ(previewNames(), (Names{"MIXED CASE.TXT"}));
    EXPECT_EQ(folderNames(), (Names{"Mixed Case.Txt"}));
}

TEST_F(WorkspaceTest, OnlyTheFirstExactUndoScriptIsLeftOut) {
    m_fs.addUndoScript();
    m_fs.addFile("_QUILLON - CLICK ME TO UNDO.sh");
    m_fs.addFile("other.txt");
    m_ws.load("/f", U"*.*");
    EXPECT_EQ(folderNames(), (Names{"_QUILLON - CLICK ME TO UNDO.sh", "other.txt"}));

    // listed twice through two patterns: the second copy stays
    m_ws.load("/f", U"*.sh;_*");
    EXPECT_EQ(folderNames(), (Names{"_QUILLON - CLICK ME TO UNDO.sh",
                                    "_QUILLON - CLICK ME TO UNDO.sh", kUndoScriptName}));

    // A user's file under the exact name is listed like any other.
    m_fs.addWithContent(kUndoScriptName, "my notes");
    m_ws.load("/f", U"*.*");
    EXPECT_EQ(folderNames(),
              (Names{"_QUILLON - CLICK ME TO UNDO.sh", kUndoScriptName, "other.txt"}));
}

TEST_F(WorkspaceTest, HiddenFilesOnlyInTheDateReload) {
    m_fs.addFile(".hidden", 100);
    m_fs.addFile("shown", 200);
    m_ws.load("/f", U"*.*");
    EXPECT_EQ(folderNames(), (Names{"shown"}));
    m_ws.loadByDate("/f", U"*.*");
    EXPECT_EQ(folderNames(), (Names{".hidden", "shown"}));
    EXPECT_EQ(previewNames(), folderNames());
}

TEST_F(WorkspaceTest, ReloadReadsTheDiskAfresh) {
    m_fs.addFile("a");
    m_ws.load("/f", U"*.*");
    m_fs.addFile("b");
    m_ws.load("/f", U"*.*");
    EXPECT_EQ(folderNames(), (Names{"a", "b"}));
}

TEST_F(WorkspaceTest, UnreadableFolderEmptiesBothLists) {
    m_fs.addFile("a");
    m_ws.load("/f", U"*.*");
    m_fs.failRead = EACCES;
    EXPECT_EQ(m_ws.load("/f", U"*.*").error, EACCES);
    EXPECT_TRUE(folderNames().empty());
    EXPECT_TRUE(previewNames().empty());
    EXPECT_TRUE(m_ws.previewReady());

    m_fs.failRead = 0;
    m_ws.load("/f", U"*.*");
    m_fs.failRead = EIO;
    EXPECT_EQ(m_ws.loadByDate("/f", U"*.*").error, EIO);
    EXPECT_TRUE(previewNames().empty());
}

TEST_F(WorkspaceTest, NoFolderSelected) {
    m_fs.addFile("a");
    m_ws.load("/f", U"*.*");
    // the date reload without a folder changes nothing ...
    EXPECT_TRUE(m_ws.loadByDate("", U"*.*").ok());
    EXPECT_EQ(folderNames(), (Names{"a"}));
    // ... the name reload empties both lists
    EXPECT_TRUE(m_ws.load("", U"*.*").ok());
    EXPECT_TRUE(folderNames().empty());
    EXPECT_TRUE(previewNames().empty());
}

TEST_F(WorkspaceTest, CheckCommands) {
    for (const char* n : {"a", "b", "c"})
        m_fs.addFile(n);
    m_ws.load("/f", U"*.*");
    m_observer.events.clear();
    m_ws.setChecked(1, false);
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, true}));
    m_ws.invertAll();
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false}));
    m_ws.selectAll();
    EXPECT_EQ(checks(), (std::vector<bool>{true, true, true}));
    m_ws.unselectAll();
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, false}));
    m_ws.setChecked(7, true); // out of range: ignored
    EXPECT_EQ(m_observer.events, (Names{"checks 1-1", "checks 0-2", "checks 0-2", "checks 0-2"}));
}

TEST_F(WorkspaceTest, ResetRestoresNamesAndChecksEverything) {
    m_fs.addFile("one.txt");
    m_fs.addFile("two.txt");
    m_ws.load("/f", U"*.*");
    m_ws.unselectAll();
    m_ws.setCaseMode(CaseMode::Lowercase, {});
    m_ws.rebuildPreview(PreviewRebuild::Reset);
    EXPECT_EQ(checks(), (std::vector<bool>{true, true}));
    EXPECT_EQ(m_observer.events.back(), "names");
}

TEST_F(WorkspaceTest, CaseReapplyRewritesCheckedEntriesOnly) {
    m_fs.addFile("Alpha.txt");
    m_fs.addFile("Beta.txt");
    m_ws.load("/f", U"*.*");
    m_ws.setChecked(1, false);
    m_ws.setCaseMode(CaseMode::Uppercase, {});
    m_ws.rebuildPreview(PreviewRebuild::CaseReapply);
    EXPECT_EQ(previewNames(), (Names{"ALPHA.TXT", "Beta.txt"}));
    m_ws.setCaseMode(CaseMode::None, {});
    m_ws.rebuildPreview(PreviewRebuild::CaseReapply);
    EXPECT_EQ(previewNames(), (Names{"Alpha.txt", "Beta.txt"}));
}

TEST_F(WorkspaceTest, EmptyFolderLeavesBothListsEmpty) {
    EXPECT_TRUE(m_ws.load("/f", U"*.*").ok());
    EXPECT_TRUE(folderNames().empty());
    m_ws.rebuildPreview(PreviewRebuild::Reset);
    m_ws.rebuildPreview(PreviewRebuild::Undo);
    EXPECT_TRUE(previewNames().empty());
    EXPECT_TRUE(m_ws.previewReady());
}

} // namespace

namespace {

NameList nameList(const Names& names) {
    NameList list;
    for (const std::string& name : names)
        list.add(name);
    return list;
}

TEST_F(WorkspaceTest, ChosenEntriesAreListedWhateverTheirNameOrType) {
    m_fs.addFile("b.txt", 600'000'000);
    m_fs.addFile(".hidden", 500'000'000);
    m_fs.addFile("A.txt", 400'000'000);
    m_fs.addFolder("sub");
    m_fs.addUndoScript();
    const struct {
        Names chosen;
        ChosenOrder order;
        Names listed;
    } rows[] = {
        // Hidden names and folders come when chosen; the mask plays no part.
        {{"b.txt", ".hidden", "sub"}, ChosenOrder::Name, {".hidden", "b.txt", "sub"}},
        // Each once; names the folder lacks and the undo script are left out.
        {{"b.txt", "b.txt", "gone", kUndoScriptName}, ChosenOrder::Name, {"b.txt"}},
        {{"b.txt", "A.txt", ".hidden"}, ChosenOrder::Created, {"A.txt", ".hidden", "b.txt"}},
        {{}, ChosenOrder::Name, {}},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(m_ws.loadChosen("/f", nameList(row.chosen), row.order).ok());
        EXPECT_EQ(folderNames(), row.listed);
        EXPECT_EQ(previewNames(), row.listed);
    }
}

TEST_F(WorkspaceTest, FoldersAreListedOnlyWhenAsked) {
    m_fs.addFile("a.txt");
    m_fs.addFolder("Sub");
    m_fs.addFolder(".git");
    m_ws.load("/f", U"*.*");
    EXPECT_EQ(folderNames(), (Names{"a.txt"}));
    m_ws.setListFolders(true);
    m_ws.load("/f", U"*.*");
    EXPECT_EQ(folderNames(), (Names{"a.txt", "Sub"}));
    m_ws.loadByDate("/f", U"*.*");
    EXPECT_EQ(folderNames(), (Names{".git", "a.txt", "Sub"}));
}

TEST_F(WorkspaceTest, SharedNumberingGoesOnAcrossLists) {
    ReplaceSettings numbering;
    numbering.find = U"*";
    numbering.replaceWith = U"/1/";
    numbering.caseMode = CaseMode::None;
    numbering.spacesFromPercent20AndUnderscore = false;
    numbering.deleteExtraSpaces = false;
    // Padding is that of every list together: twelve entries want two digits.
    SharedNumbering shared{12, 0};
    for (int i = 0; i < 3; ++i)
        m_fs.addFile("f" + std::to_string(i) + ".txt");
    m_ws.load("/f", U"*.*");
    ASSERT_FALSE(m_ws.apply(numbering, &shared));
    EXPECT_EQ(previewNames(), (Names{"01.txt", "02.txt", "03.txt"}));
    EXPECT_EQ(shared.taken, 3u);
    ASSERT_FALSE(m_ws.apply(numbering, &shared));
    EXPECT_EQ(previewNames(), (Names{"04.txt", "05.txt", "06.txt"}));
    EXPECT_EQ(shared.taken, 6u);
    // Without it every list starts again.
    ASSERT_FALSE(m_ws.apply(numbering));
    EXPECT_EQ(previewNames(), (Names{"1.txt", "2.txt", "3.txt"}));
}

// A copy given a disk of its own lists and renames there; the original
// keeps its disk, and a save through the copy leaves that disk alone.
TEST_F(WorkspaceTest, ACopyWorksOnTheDiskItIsGiven) {
    m_fs.addFile("a.txt");
    ASSERT_TRUE(m_ws.load("/music", U"*.*").ok());
    FakeFileSystem other;
    other.addFile("a.txt");
    other.addFile("b.txt");
    Workspace copy(m_ws);
    copy.setObserver(nullptr);
    copy.setFileSystem(other);
    ASSERT_TRUE(copy.reload("/music", U"*.*").ok());
    EXPECT_EQ(copy.folderList().names.size(), 2u);
    EXPECT_EQ(&copy.fileSystem(), &other);
    EXPECT_EQ(&m_ws.fileSystem(), &m_fs);

    copy.renameEntry(1, U"c.txt", false);
    SaveCallbacks ask;
    ask.confirm = [](bool& createUndoFile) {
        createUndoFile = false;
        return true;
    };
    EXPECT_EQ(copy.save(U"*.*", ask).status, SaveStatus::Saved);
    EXPECT_EQ(other.names(), (Names{"a.txt", "c.txt"}));
    EXPECT_TRUE(m_fs.log.empty());
    EXPECT_EQ(m_fs.names(), (Names{"a.txt"}));
}

} // namespace
