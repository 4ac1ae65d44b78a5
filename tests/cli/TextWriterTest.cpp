// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TextWriter.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace quillon;
using namespace quillon::cli;

namespace {

std::string escaped(NameView name) {
    std::string out;
    appendEscaped(out, name);
    return out;
}

TEST(TextWriterTest, HostileNamesAreShownNotObeyed) {
    const struct {
        Name name;
        std::string shown;
    } rows[] = {
        {U"plain name.txt", "plain name.txt"},
        {U"caf\u00e9 \U0001F600.txt", "caf\xC3\xA9 \xF0\x9F\x98\x80.txt"},
        {U"two\nlines.txt", "two\\nlines.txt"},
        {U"cr\rtab\t", "cr\\rtab\\t"},
        {U"\x1b[31mred\x1b[0m", "\\x1b[31mred\\x1b[0m"},
        {U"bell\x07 del\x7f nul", "bell\\x07 del\\x7f nul"},
        // A backslash doubles, so a name holding "\n" itself stays apart
        // from a name holding a line break.
        {U"back\\slash \\n", "back\\\\slash \\\\n"},
        // C1 controls, line separators and bidirectional overrides are
        // invisible or reorder what the terminal shows.
        {U"\u009b2J \u2028 \u202egpj.exe", "\\u009b2J \\u2028 \\u202egpj.exe"},
        // Bytes that are not UTF-8 show as the bytes they are.
        {decodeName("caf\xE9\x9B.txt"), "caf\\xe9\\x9b.txt"},
        {U"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(escaped(row.name), row.shown);
}

TEST(TextWriterTest, MessagesKeepTheirLineBreaks) {
    EXPECT_EQ(escapedLines(U"Duplicate file names found:\n > a\x1b\tb\n\nNothing written."),
              "Duplicate file names found:\n > a\\x1b\\tb\n\nNothing written.");
    EXPECT_EQ(quotedForTerminal("a\nb\xFF"), "\"a\\nb\\xff\"");
}

// A name that a reader of "OLD -> NEW" could take apart wrongly is quoted as
// a shell would read it back.
TEST(TextWriterTest, AmbiguousNamesAreQuotedShellStyle) {
    const struct {
        Name name;
        std::string shown;
    } rows[] = {
        {U"plain.txt", "plain.txt"},
        {U"it's.txt", "it's.txt"},
        {U"a b.txt", "a b.txt"},
        {U"a -> b.txt", "'a -> b.txt'"},
        {U"x -> y's", "'x -> y'\\''s'"},
        {U" lead.txt", "' lead.txt'"},
        {U"trail.txt ", "'trail.txt '"},
        {U"\u00A0nbsp", "'\u00A0nbsp'"},
        {U"", "''"},
        {U"two\nlines", "$'two\\nlines'"},
        {U"it's\t", "$'it\\'s\\t'"},
        {U"back\\slash", "$'back\\\\slash'"},
        {decodeName("caf\xE9"), "$'caf\\xe9'"},
    };
    for (const auto& row : rows) {
        std::string out;
        appendShellQuoted(out, row.name);
        EXPECT_EQ(out, row.shown) << row.shown;
    }
}

RenameReport hostileReport() {
    RenameReport report;
    report.add("same", "same", true);
    report.add("a\nb", "a b", true);
    report.add("x\xFF", "y\\", false);
    return report;
}

TEST(TextWriterTest, ChangeLinesListOnlyWhatChanges) {
    EXPECT_EQ(changeLines(hostileReport()), "$'a\\nb' -> a b\n"
                                            "$'x\\xff' -> $'y\\\\'\n");
    EXPECT_EQ(summaryLine(hostileReport()),
              "Dry run: 2 of 3 names would change; nothing was renamed.\n");
}

TEST(TextWriterTest, NullSeparatedPairsAreRawBytes) {
    EXPECT_EQ(nullSeparatedPairs(hostileReport()), std::string("a\nb\0a b\0x\xFF\0y\\\0", 14));
}

TEST(TextWriterTest, AfterSavingOnlyRenamedFilesAreListed) {
    RenameReport report = hostileReport();
    report.failures[1] = RenameError{"\"a\nb\" could not be renamed.", EEXIST};
    report.applied = true;
    report.renamed = 1;
    EXPECT_EQ(changeLines(report), "$'x\\xff' -> $'y\\\\'\n");
    EXPECT_EQ(nullSeparatedPairs(report), std::string("x\xFF\0y\\\0", 6));
    EXPECT_EQ(summaryLine(report), "Renamed 1 of 3 files; 1 could not be renamed.\n");
    RenameReport single;
    single.add(report.oldNames[0], report.newNames[0], report.checked[0]);
    single.applied = true;
    EXPECT_EQ(summaryLine(single), "Renamed 0 of 1 file.\n");
}

} // namespace

// Several folders say once, after their totals, which files kept their name.
TEST(TextWriterTest, TheKeptNamesOfSeveralFoldersAddUp) {
    const FieldSet artist = Field::Artist;
    const FieldSet title = Field::Title;
    RenameReport first;
    first.missing = {{artist}, {}, {artist | title}};
    RenameReport second;
    second.missing = {{title}};
    RunTotals totals;
    EXPECT_EQ(missingLine(totals.kept), "");
    totals.add(first);
    totals.add(second);
    RenameReport none;
    totals.add(none);
    EXPECT_EQ(missingLine(totals.kept),
              "3 files kept their name for want of a field: artist (2), title (2).\n");
}
