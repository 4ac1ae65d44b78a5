// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeFileSystem.h"
#include "workspace/Workspace.h"

#include "engine/Refusals.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::FakeFileSystem;

namespace {

using Names = std::vector<std::string>;

class ReplacePressTest : public testing::Test {
protected:
    ReplacePressTest()
        : m_ws(m_fs) {
        m_ws.setCaseMode(CaseMode::None, {});
        m_settings.caseMode = CaseMode::None;
    }

    void load(std::initializer_list<const char*> names) {
        for (const char* n : names)
            m_fs.addFile(n);
        ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    }
    std::optional<RefusalCode> press(const char* from, const char* to) {
        m_settings.find = decodeName(from);
        m_settings.replaceWith = decodeName(to);
        return m_ws.apply(m_settings);
    }
    Names preview() const {
        Names out;
        for (const auto n : m_ws.preview().names)
            out.emplace_back(n);
        return out;
    }

    FakeFileSystem m_fs;
    Workspace m_ws;
    ReplaceSettings m_settings;
};

TEST_F(ReplacePressTest, UncheckedEntriesAreUntouched) {
    load({"a1.txt", "a2.txt", "a3.txt"});
    m_ws.setChecked(1, false);
    EXPECT_FALSE(press("a", "b"));
    EXPECT_EQ(preview(), (Names{"b1.txt", "a2.txt", "b3.txt"}));
    EXPECT_TRUE(m_ws.previewReady());
}

TEST_F(ReplacePressTest, CumulateChoosesTheSource) {
    load({"abc.txt"});
    press("a", "x");
    press("b", "y");
    EXPECT_EQ(preview(), (Names{"xyc.txt"}));

    m_settings.cumulate = false; // starts again from the on-disk name
    press("c", "z");
    EXPECT_EQ(preview(), (Names{"abz.txt"}));
}

TEST_F(ReplacePressTest, UndoTakesBackOnlyTheLastPress) {
    load({"abc.txt", "def.txt"});
    EXPECT_FALSE(m_ws.undoAvailable());
    press("a", "x");
    m_ws.setChecked(1, false); // check marks stay through Undo
    press("d", "y");           // entry 1 unchecked: not changed, but copied
    press("b", "z");
    EXPECT_EQ(preview(), (Names{"xzc.txt", "def.txt"}));
    m_ws.undo();
    EXPECT_EQ(preview(), (Names{"xbc.txt", "def.txt"}));
    EXPECT_FALSE(m_ws.undoAvailable());
    EXPECT_FALSE(m_ws.preview().checked[1]);
    m_ws.undo(); // nothing left to undo
    EXPECT_EQ(preview(), (Names{"xbc.txt", "def.txt"}));
}

// A run of the command line keeps no copy of what its presses change.
TEST_F(ReplacePressTest, WithoutAPressUndoNothingIsOfferedAndPressesStillApply) {
    m_ws.setKeepPressUndo(false);
    load({"abc.txt", "def.txt"});
    press("a", "x");
    press("d", "y");
    EXPECT_FALSE(m_ws.undoAvailable());
    EXPECT_EQ(preview(), (Names{"xbc.txt", "yef.txt"}));
    m_ws.undo(); // nothing to take back
    EXPECT_EQ(preview(), (Names{"xbc.txt", "yef.txt"}));
    EXPECT_TRUE(m_ws.previewReady());
}

TEST_F(ReplacePressTest, RefusalDropsTheUndoCopyAndChangesNoName) {
    load({"abc.txt"});
    press("a", "x");
    ASSERT_TRUE(m_ws.undoAvailable());
    const auto refused = press("*", "/1//");
    ASSERT_TRUE(refused);
    EXPECT_EQ(*refused, RefusalCode::TooManySlashes);
    EXPECT_EQ(refusalMessage(*refused), "Numbering: Too many parameters (/).");
    EXPECT_FALSE(m_ws.undoAvailable());
    EXPECT_EQ(preview(), (Names{"xbc.txt"}));
    EXPECT_TRUE(m_ws.previewReady());
}

// A name the match engine gives up on would come back unchanged, which is
// no answer: the whole press is refused, naming that file, and no name
// changes, also not those before it.
TEST_F(ReplacePressTest, AnExpressionThatGivesUpRefusesThePress) {
    const std::string costly = std::string(28, 'a') + "b.txt";
    const struct {
        const char* what;
        std::initializer_list<const char*> names;
        bool refused;
    } cases[] = {
        {"the costly name last", {"aaab.txt", costly.c_str()}, true},
        {"the costly name first", {costly.c_str(), "aaab.txt"}, true},
        {"only short names", {"aaab.txt", "ab.txt"}, false},
    };
    m_settings.regularExpression = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& name : m_fs.names())
            m_fs.remove(name);
        load(c.names);
        press("x", "y");
        const Names before = preview();
        const auto refused = press("(a+)+c|b", "X");
        EXPECT_EQ(refused.has_value(), c.refused);
        if (c.refused) {
            EXPECT_EQ(*refused, RefusalCode::ExpressionTooCostly);
            EXPECT_EQ(m_ws.refusedName(), costly);
            EXPECT_EQ(preview(), before);
            EXPECT_FALSE(m_ws.undoAvailable());
        }
        EXPECT_TRUE(m_ws.previewReady());
    }
}

TEST_F(ReplacePressTest, LoadsDropTheUndoCopyButResetAndCaseChangesKeepIt) {
    load({"abc.txt"});
    press("a", "x");
    m_ws.rebuildPreview(PreviewRebuild::Reset);
    m_ws.setCaseMode(CaseMode::Uppercase, {});
    m_ws.rebuildPreview(PreviewRebuild::CaseReapply);
    EXPECT_TRUE(m_ws.undoAvailable());
    m_ws.undo();
    EXPECT_EQ(preview(), (Names{"abc.txt"}));

    press("a", "x");
    m_ws.loadByDate("/f", U"*.*");
    EXPECT_FALSE(m_ws.undoAvailable());
    press("a", "x");
    m_ws.load("/f", U"*.*");
    EXPECT_FALSE(m_ws.undoAvailable());
}

TEST_F(ReplacePressTest, UndoAfterAReloadGivesBackEveryNameFromBeforeThePress) {
    load({"abc.txt", "def.txt"});
    m_settings.cumulate = true;
    press("d", "q");
    press("a", "x");
    m_ws.reload("/f", U"*.*");
    m_ws.undo();
    EXPECT_EQ(preview(), (Names{"abc.txt", "qef.txt"}));
}

TEST_F(ReplacePressTest, SingleFileRenameDropsTheUndoCopy) {
    load({"abc.txt", "def.txt"});
    press("a", "x");
    m_ws.renameEntry(1, U"new name.TXT", false);
    EXPECT_FALSE(m_ws.undoAvailable());
    EXPECT_EQ(preview(), (Names{"xbc.txt", "new name.TXT"}));
    m_ws.setCaseMode(CaseMode::Lowercase, {});
    m_ws.renameEntry(0, U"Back AGAIN.txt", true);
    EXPECT_EQ(preview(), (Names{"back again.txt", "new name.TXT"}));
}

TEST_F(ReplacePressTest, EmptyFolderListStillOffersUndoAndRefuses) {
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    EXPECT_FALSE(press("a", "b"));
    EXPECT_TRUE(m_ws.undoAvailable());
    m_ws.undo();
    EXPECT_FALSE(m_ws.undoAvailable());
    EXPECT_EQ(press("a", "/"), RefusalCode::RegularStarOrSlash);
    EXPECT_FALSE(m_ws.undoAvailable());
}

TEST_F(ReplacePressTest, NumberingCountsCheckedEntriesAndPadsByAllEntries) {
    load({"f00.txt", "f01.txt", "f02.txt", "f03.txt", "f04.txt", "f05.txt", "f06.txt", "f07.txt",
          "f08.txt", "f09.txt", "f10.txt", "f11.txt"});
    m_ws.unselectAll();
    for (std::size_t i : {2u, 5u, 9u})
        m_ws.setChecked(i, true);
    press("*", "/1/");
    const Names names = preview();
    EXPECT_EQ(names[2], "01.txt");
    EXPECT_EQ(names[5], "02.txt");
    EXPECT_EQ(names[9], "03.txt");
    EXPECT_EQ(names[0], "f00.txt");
}

} // namespace
