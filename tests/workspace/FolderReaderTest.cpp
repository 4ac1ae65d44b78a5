// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/folder/FolderReader.h"
#include "FakeFileSystem.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::FakeFileSystem;

namespace {

std::vector<std::string> encoded(const NameList& names) {
    return {names.begin(), names.end()};
}

using Names = std::vector<std::string>;

struct NameReadCase {
    const char* label;
    const char32_t* mask;
    Names expected;
};

void PrintTo(const NameReadCase& c, std::ostream* os) {
    *os << c.label;
}

class NameReadTable : public testing::TestWithParam<NameReadCase> {
protected:
    void SetUp() override {
        for (const char* n : {"b.txt", "A.doc", "a.txt", "c.TXT", "notes", ".hidden.txt",
                              "\xC3\xA9t\xC3\xA9.txt", "Zed.tmp"})
            m_fs.addFile(n);
        m_fs.addFolder("folder.txt");
    }
    FakeFileSystem m_fs;
};

TEST_P(NameReadTable, ListsMatchingFilesSortedWithoutRegardToCase) {
    const auto& c = GetParam();
    const FolderReadResult r = readSortedByName(m_fs, "/f", c.mask);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(encoded(r.names), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    FolderReader, NameReadTable,
    testing::Values(
        NameReadCase{
            "all",
            U"*.*",
            {"A.doc", "a.txt", "b.txt", "c.TXT", "notes", "Zed.tmp", "\xC3\xA9t\xC3\xA9.txt"}},
        NameReadCase{
            "txt only, any case", U"*.txt", {"a.txt", "b.txt", "c.TXT", "\xC3\xA9t\xC3\xA9.txt"}},
        NameReadCase{"two patterns sorted together", U"*.doc;*.tmp", {"A.doc", "Zed.tmp"}},
        NameReadCase{
            "overlapping patterns list twice",
            U"a.*;*.t*",
            {"A.doc", "a.txt", "a.txt", "b.txt", "c.TXT", "Zed.tmp", "\xC3\xA9t\xC3\xA9.txt"}},
        NameReadCase{"empty mask", U"", {}}, NameReadCase{"empty patterns find nothing", U";;", {}},
        NameReadCase{"no dot via .*", U"notes.*", {"notes"}},
        NameReadCase{"non-ASCII case-insensitive", U"\u00C9*", {"\xC3\xA9t\xC3\xA9.txt"}}),
    [](const auto& info) {
        std::string s = info.param.label;
        for (char& ch : s)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return s;
    });

TEST(FolderReader, SameNameInTwoCasesAlwaysInByteOrder) {
    FakeFileSystem fs;
    fs.addFile("a.txt");
    fs.addFile("A.txt");
    EXPECT_EQ(encoded(readSortedByName(fs, "/f", U"*.*").names), (Names{"A.txt", "a.txt"}));
}

TEST(FolderReader, OrderIsByCodePointAcrossPlanesAndEscapedBytes) {
    FakeFileSystem fs;
    // U+1F3B5, U+FFFD, an escaped byte (U+DCE9), a two-byte letter, ASCII
    for (const char* n : {"\xF0\x9F\x8E\xB5", "\xEF\xBF\xBD", "\xE9", "\xC3\x89", "z"})
        fs.addFile(n);
    EXPECT_EQ(encoded(readSortedByName(fs, "/f", U"*").names),
              (Names{"z", "\xC3\x89", "\xE9", "\xEF\xBF\xBD", "\xF0\x9F\x8E\xB5"}));
}

TEST(FolderReader, OrderHoldsWhereNamesShareOrEndInTheirFirstEightBytes) {
    FakeFileSystem fs;
    for (const char* n : {"abcdefgh1", "abcdefg\xC3\xA9", "ABCDEFGHa.txt", "abcdefgz", "abcdefgh",
                          "abcdefg", "ABCDEFGH0", "a"})
        fs.addFile(n);
    EXPECT_EQ(encoded(readSortedByName(fs, "/f", U"*").names),
              (Names{"a", "abcdefg", "abcdefgh", "ABCDEFGH0", "abcdefgh1", "ABCDEFGHa.txt",
                     "abcdefgz", "abcdefg\xC3\xA9"}));
}

TEST(FolderReader, StatsOnlyWhereTheListingCannotTell) {
    FakeFileSystem fs;
    for (int i = 0; i < 50; ++i)
        fs.addFile("file" + std::to_string(i));
    fs.add("link-to-folder", {EntryType::Symlink, true, 0});
    fs.add("link-to-file", {EntryType::Symlink, false, 0});
    fs.add("unknown-folder", {EntryType::Unknown, true, 0});
    fs.add("unknown-file", {EntryType::Unknown, false, 0});
    const auto r = readSortedByName(fs, "/f", U"*.*");
    EXPECT_EQ(fs.statCalls, 4);
    EXPECT_EQ(r.names.size(), 52u);
    EXPECT_EQ(r.names[50], "link-to-file");
    EXPECT_EQ(r.names[51], "unknown-file");
}

TEST(FolderReader, ReadFailureReturnsErrnoAndNoNames) {
    FakeFileSystem fs;
    fs.addFile("a");
    fs.failRead = EACCES;
    EXPECT_EQ(readSortedByName(fs, "/f", U"*.*").error, EACCES);
    EXPECT_EQ(readSortedByDate(fs, "/f", U"*.*").error, EACCES);
}

// 2004-03-05 09:07:00 UTC
constexpr std::int64_t kMorning = 1078477620;

TEST(FolderReader, DateOrderIsByMinuteThenName) {
    FakeFileSystem fs;
    fs.addFile("late.txt", kMorning + 3600);
    fs.addFile("b 10-00-50.txt", kMorning + 50); // same minute as the next one:
    fs.addFile("A 10-00-05.txt", kMorning + 5);  // ordered by name, not seconds
    fs.addFile("early.txt", kMorning - 60);
    fs.addFile(".hidden", kMorning + 7200);
    fs.addFolder("sub");
    EXPECT_EQ(encoded(readSortedByDate(fs, "/f", U"*.*").names),
              (Names{"early.txt", "A 10-00-05.txt", "b 10-00-50.txt", "late.txt", ".hidden"}));
}

TEST(FolderReader, DateReloadTakesTheMaskWhole) {
    FakeFileSystem fs;
    fs.addFile("a.txt");
    fs.addFile("b.doc");
    EXPECT_TRUE(readSortedByDate(fs, "/f", U"*.txt;*.doc").names.empty());
    EXPECT_EQ(readSortedByDate(fs, "/f", U"*.TXT").names.size(), 1u);
}

TEST(FolderReader, DateReloadLeavesOutOnlyTheExactUndoScript) {
    FakeFileSystem fs;
    fs.addUndoScript();
    fs.addFile("_quillon - click me to undo.sh");
    EXPECT_EQ(encoded(readSortedByDate(fs, "/f", U"*.*").names),
              (Names{"_quillon - click me to undo.sh"}));
    // Without the marker the exact name is an ordinary file too.
    fs.addWithContent(kUndoScriptName, "#!/bin/sh\necho mine\n");
    EXPECT_EQ(encoded(readSortedByDate(fs, "/f", U"*.*").names),
              (Names{kUndoScriptName, "_quillon - click me to undo.sh"}));
}

TEST(FolderReader, CreationMinuteClampsToTheRepresentableRange) {
    EXPECT_EQ(creationMinute(kMorning + 59), kMorning / 60);
    EXPECT_EQ(creationMinute(-1000), creationMinute(0));
    EXPECT_EQ(creationMinute(0), 315532800 / 60);
    EXPECT_EQ(creationMinute(INT64_MAX), creationMinute(9999999999));
    EXPECT_LT(creationMinute(9999999999), 4354819200 / 60);
}

} // namespace
