// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/press/EqualNames.h"
#include "FakeFileSystem.h"
#include "workspace/Workspace.h"
#include "workspace/save/SaveChecks.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::FakeFileSystem;

namespace {

using Names = std::vector<std::string>;

NameList listOf(const Names& names) {
    NameList list;
    for (const std::string& n : names)
        list.add(n);
    return list;
}

// The new names after numbering.
Names numbered(const Names& oldNames, const Names& newNames, const Names& outside,
               NameCase nameCase = NameCase::Exact) {
    Names entries = oldNames;
    entries.insert(entries.end(), outside.begin(), outside.end());
    Names out = newNames;
    for (const NumberedName& n :
         numberEqualNames(listOf(oldNames), listOf(newNames), listOf(entries), nameCase))
        out[n.index] = n.name;
    return out;
}

} // namespace

TEST(EqualNames, EqualNamesAreNumberedInListOrder) {
    struct Case {
        const char* label;
        Names oldNames;
        Names newNames;
        Names outside; // files of the folder the list does not hold
        Names expected;
    };
    const Case cases[] = {
        {"within the list",
         {"a", "b", "c"},
         {"x.jpg", "x.jpg", "x.jpg"},
         {},
         {"x.jpg", "x (2).jpg", "x (3).jpg"}},
        {"two groups interleaved",
         {"a", "b", "c", "d"},
         {"x.jpg", "y.jpg", "x.jpg", "y.jpg"},
         {},
         {"x.jpg", "y.jpg", "x (2).jpg", "y (2).jpg"}},
        {"no extension", {"a", "b"}, {"README", "README"}, {}, {"README", "README (2)"}},
        {"last dot only", {"a", "b"}, {"t.tar.gz", "t.tar.gz"}, {}, {"t.tar.gz", "t.tar (2).gz"}},
        {"no name part", {"a", "b"}, {".cfg", ".cfg"}, {}, {".cfg", ".cfg (2)"}},
        {"a file outside holds the plain name",
         {"a", "b"},
         {"x.jpg", "x.jpg"},
         {"x.jpg"},
         {"x (2).jpg", "x (3).jpg"}},
        {"one name held outside", {"a"}, {"x.jpg"}, {"x.jpg"}, {"x (2).jpg"}},
        {"an unchanged entry holds it",
         {"x.jpg", "b"},
         {"x.jpg", "x.jpg"},
         {},
         {"x.jpg", "x (2).jpg"}},
        {"a renamed entry frees its name",
         {"x.jpg", "b"},
         {"y.jpg", "x.jpg"},
         {},
         {"y.jpg", "x.jpg"}},
        {"numbers taken outside are skipped",
         {"a", "b"},
         {"x.jpg", "x.jpg"},
         {"x (2).jpg", "x (3).jpg"},
         {"x.jpg", "x (4).jpg"}},
        {"a new name holds a number",
         {"a", "b", "c"},
         {"x.jpg", "x.jpg", "x (2).jpg"},
         {},
         {"x.jpg", "x (3).jpg", "x (2).jpg"}},
        {"numbered names collide among themselves",
         {"a", "b", "c", "d"},
         {"x.jpg", "x.jpg", "x (2).jpg", "x (2).jpg"},
         {},
         {"x.jpg", "x (3).jpg", "x (2).jpg", "x (2) (2).jpg"}},
        {"exact case on an exact disk",
         {"a", "b"},
         {"X.jpg", "x.jpg"},
         {"x.JPG"},
         {"X.jpg", "x.jpg"}},
        {"unicode",
         {"a", "b", "c"},
         {"été.jpg", "été.jpg", "Été.jpg"},
         {},
         {"été.jpg", "été (2).jpg", "Été.jpg"}},
        {"composed and decomposed differ",
         {"a", "b"},
         {"\xc3\xa9.jpg", "e\xcc\x81.jpg"},
         {},
         {"\xc3\xa9.jpg", "e\xcc\x81.jpg"}},
        {"bytes that are not UTF-8",
         {"a", "b"},
         {"\xff.jpg", "\xff.jpg"},
         {},
         {"\xff.jpg", "\xff (2).jpg"}},
        {"invalid names are left to saving", {"a", "b"}, {"", ""}, {}, {"", ""}},
        {"nothing equal", {"a", "b"}, {"c", "d"}, {"e"}, {"c", "d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numbered(c.oldNames, c.newNames, c.outside), c.expected) << c.label;
}

TEST(EqualNames, ADiskThatIgnoresCaseComparesFolded) {
    EXPECT_EQ(
        numbered({"a", "b", "c"}, {"X.jpg", "x.jpg", "ÉTÉ.jpg"}, {"été.JPG"}, NameCase::Folded),
        (Names{"X.jpg", "x (2).jpg", "ÉTÉ (2).jpg"}));
}

TEST(EqualNames, NumberedNamesPassTheDuplicateCheck) {
    const Names oldNames{"a", "b", "c", "d", "e"};
    const Names newNames{"p.jpg", "p (2).jpg", "p.jpg", "p.jpg", "p (2).jpg"};
    const Names result = numbered(oldNames, newNames, {"p (3).jpg"});
    EXPECT_FALSE(firstDuplicate(listOf(result)));
    EXPECT_EQ(result, (Names{"p.jpg", "p (2).jpg", "p (4).jpg", "p (5).jpg", "p (2) (2).jpg"}));
}

TEST(EqualNames, ManyEqualNamesTakeEachNumberOnce) {
    Names oldNames;
    for (int i = 0; i < 20000; ++i)
        oldNames.push_back("f" + std::to_string(i));
    const Names result = numbered(oldNames, Names(oldNames.size(), "same.jpg"), {});
    EXPECT_EQ(result.back(), "same (20000).jpg");
    EXPECT_FALSE(firstDuplicate(listOf(result)));
}

namespace {

class NumberEqualNamesPressTest : public testing::Test {
protected:
    NumberEqualNamesPressTest()
        : m_ws(m_fs) {
        m_ws.setCaseMode(CaseMode::None, {});
        m_settings.caseMode = CaseMode::None;
        m_settings.find = U"*";
        m_settings.replaceWith = U"Burst";
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

} // namespace

TEST_F(NumberEqualNamesPressTest, APressNumbersWhatSavingWouldRefuse) {
    for (const char* n : {"1.jpg", "2.jpg", "3.jpg", "Burst.png"})
        m_fs.addFile(n);
    ASSERT_TRUE(m_ws.load("/f", U"*.jpg").ok());
    EXPECT_FALSE(m_ws.apply(m_settings));
    EXPECT_EQ(preview(), (Names{"Burst.jpg", "Burst.jpg", "Burst.jpg"}));
    m_ws.undo();

    m_settings.numberDuplicates = true;
    m_fs.addFile("Burst.jpg"); // not listed: the mask was read before
    EXPECT_FALSE(m_ws.apply(m_settings));
    EXPECT_EQ(preview(), (Names{"Burst (2).jpg", "Burst (3).jpg", "Burst (4).jpg"}));
    m_ws.undo();
    EXPECT_EQ(preview(), (Names{"1.jpg", "2.jpg", "3.jpg"}));
}

TEST_F(NumberEqualNamesPressTest, ANumberingPressNeedsNoOtherChange) {
    for (const char* n : {"a.jpg", "b.jpg"})
        m_fs.addFile(n);
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    EXPECT_FALSE(m_ws.apply(m_settings));
    ReplaceSettings numberOnly;
    numberOnly.spacesFromPercent20AndUnderscore = false;
    numberOnly.deleteExtraSpaces = false;
    numberOnly.caseMode = CaseMode::None;
    numberOnly.numberDuplicates = true;
    EXPECT_FALSE(m_ws.apply(numberOnly));
    EXPECT_EQ(preview(), (Names{"Burst.jpg", "Burst (2).jpg"}));
}
