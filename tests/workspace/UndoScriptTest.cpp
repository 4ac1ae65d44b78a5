// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/record/UndoScript.h"
#include "RecordBuilder.h"
#include "workspace/folder/FolderReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace quillon;
using namespace quillon::test;

namespace {

// What /bin/sh makes of one quoted word, byte for byte.
std::string throughShell(const std::string& bytes) {
    std::string command = "printf '%s' ";
    appendShellQuoted(command, bytes);
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "<popen failed>";
    std::string out;
    char buffer[256];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

TEST(ShellQuoting, EveryByteComesBackAndNothingRuns) {
    const std::string rows[] = {
        "plain.txt", "'; rm -rf x; '",     "$(touch pwned)",       "`touch pwned`", "a\nb\n",
        "-n",        "\\\\ \" '' \t*?[a]", "caf\xE9 \xFF\x80.txt", "${HOME}%s%%",
    };
    for (const std::string& name : rows)
        EXPECT_EQ(throughShell(name), name) << testing::PrintToString(name);
}

UndoRecord sample(bool planned) {
    return recordOf(planned,
                    {{UndoUnitKind::Cycle,
                      {"x", "_Quillon swap 7-1.tmp", "y", "x", "_Quillon swap 7-1.tmp", "y"},
                      42},
                     {UndoUnitKind::CaseOnly, {"Abc", "abc", "_Quillon case 7-0.tmp"}},
                     {UndoUnitKind::Chain, {"2.txt", "1.txt", "3.txt", "2.txt"}},
                     {UndoUnitKind::Chain, {"it's", "'';$(x)\n"}},
                     {UndoUnitKind::Chain, {"caf\xE9", "CAF\xC9 \xFF"}}},
                    "20261208T101010.000000001-7");
}

TEST(UndoScriptText, TakesUnitsBackInOrderAndNeverNamesItself) {
    const std::string text = undoScriptText(sample(true));
    const auto cycle = text.find("cycle_back 42 'x' '_Quillon swap 7-1.tmp' 'y' 'x' ");
    const auto caseLine = text.find("case_back 'Abc' 'abc' '_Quillon case 7-0.tmp'\n");
    const auto chain = text.find("back '2.txt' '1.txt' '3.txt' '2.txt'\n");
    ASSERT_NE(cycle, std::string::npos) << text;
    ASSERT_NE(caseLine, std::string::npos);
    ASSERT_NE(chain, std::string::npos);
    EXPECT_LT(cycle, caseLine);
    EXPECT_LT(caseLine, chain);
    EXPECT_TRUE(hasUndoScriptSignature(text));
    // It deletes itself by its own path, never by the fixed name: the name
    // stands only in the comment that tells a person how to run it.
    const auto named = text.find(kUndoScriptName);
    ASSERT_NE(named, std::string::npos);
    EXPECT_EQ(text.find(kUndoScriptName, named + 1), std::string::npos);
    EXPECT_EQ(text[text.rfind('\n', named) + 1], '#');
    EXPECT_NE(text.find("rm -f -- \"$self\""), std::string::npos);
}

TEST(UndoScriptText, ThirdLineSaysHowToRunIt) {
    const std::string text = undoScriptText(sample(false));
    const auto third = text.find('\n', text.find('\n') + 1) + 1;
    const std::string line = text.substr(third, text.find('\n', third) - third);
    EXPECT_TRUE(line.starts_with("# ")) << line;
    EXPECT_NE(line.find("sh '_Quillon - Click me to UNDO.sh'"), std::string::npos) << line;
    EXPECT_NE(line.find("File > \"Undo Last Save\""), std::string::npos) << line;
}

TEST(ParseUndoScript, ReadsScriptsWrittenBeforeTheHowToLine) {
    std::string text = undoScriptText(sample(true));
    const auto third = text.find('\n', text.find('\n') + 1) + 1;
    text.erase(third, text.find('\n', third) + 1 - third);
    const auto parsed = parseUndoScript(text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->files(), 7u);
}

TEST(ParseUndoScript, ReadsBackWhatItWrote) {
    for (const bool planned : {true, false}) {
        const UndoRecord record = sample(planned);
        const auto parsed = parseUndoScript(undoScriptText(record));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->planned, planned);
        EXPECT_EQ(parsed->saveId, record.saveId);
        EXPECT_EQ(parsed->names, record.names);
        ASSERT_EQ(parsed->units.size(), record.units.size());
        for (std::size_t u = 0; u < record.units.size(); ++u) {
            EXPECT_EQ(parsed->units[u].kind, record.units[u].kind);
            EXPECT_EQ(parsed->units[u].count, record.units[u].count);
            EXPECT_EQ(parsed->units[u].identity, record.units[u].identity);
        }
        EXPECT_EQ(parsed->files(), 7u);
    }
    EXPECT_TRUE(parseUndoScript(undoScriptText(recordOf(false, {}))).has_value());
}

// Records as an attacker would write them: each is refused whole, naming
// the line of the first unit that breaks a rule.
struct CraftedRow {
    const char* what;
    UnitSpec unit;
};

const CraftedRow kCrafted[] = {
    {"parent folder", {UndoUnitKind::Chain, {"photo.jpg", "../../.bash_aliases"}}},
    {"path with a slash", {UndoUnitKind::Chain, {"photo.jpg", "sub/x"}}},
    {"absolute path", {UndoUnitKind::Chain, {"/etc/passwd", "x"}}},
    {"dot", {UndoUnitKind::Chain, {"photo.jpg", "."}}},
    {"empty name", {UndoUnitKind::Chain, {"", "x"}}},
    {"NUL inside a name", {UndoUnitKind::Chain, {std::string("a\0b", 3), "x"}}},
    {"the record's own name", {UndoUnitKind::Chain, {"thesis.doc", kUndoScriptName}}},
    {"the record's name in other case",
     {UndoUnitKind::Chain, {"_QUILLON - CLICK ME TO UNDO.SH", "x"}}},
    {"an own name in a user's place", {UndoUnitKind::Chain, {"_Quillon swap 1-1.tmp", "x"}}},
    {"a marker aimed at a user file",
     {UndoUnitKind::CaseOnly, {"Thesis.doc", "thesis.doc", "thesis.doc"}}},
    {"case line between unlike names",
     {UndoUnitKind::CaseOnly, {"a.txt", "b.txt", "_Quillon case 1-1.tmp"}}},
    {"odd chain", {UndoUnitKind::Chain, {"a", "b", "c"}}},
    {"chain that does not link", {UndoUnitKind::Chain, {"a", "b", "c", "d"}}},
    {"cycle through a user file", {UndoUnitKind::Cycle, {"x", "t", "y", "x", "t", "y"}, 5}},
    {"cycle without identity",
     {UndoUnitKind::Cycle, {"x", "_Quillon swap 1-1.tmp", "y", "x", "_Quillon swap 1-1.tmp", "y"}}},
    {"cycle that does not close",
     {UndoUnitKind::Cycle,
      {"x", "_Quillon swap 1-1.tmp", "y", "x", "_Quillon swap 1-2.tmp", "y"},
      5}},
};

class CraftedRecord : public testing::TestWithParam<CraftedRow> {};

TEST_P(CraftedRecord, IsRefusedNamingItsLine) {
    const CraftedRow& row = GetParam();
    // A good unit first: the bad one is on the line after it.
    const UndoRecord record = recordOf(false, {{UndoUnitKind::Chain, {"b", "a"}}, row.unit});
    UndoRecordProblem problem;
    EXPECT_FALSE(parseUndoScript(undoScriptText(record), &problem).has_value());
    const std::string text = undoScriptText(record);
    const std::size_t goodLine =
        1 + static_cast<std::size_t>(
                std::count(text.begin(), text.begin() + text.find("back 'b' 'a'"), '\n'));
    EXPECT_EQ(problem.line, goodLine + 1) << problem.reason;
    EXPECT_FALSE(problem.reason.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, CraftedRecord, testing::ValuesIn(kCrafted),
                         [](const testing::TestParamInfo<CraftedRow>& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(ParseUndoScript, RefusesEditsAndForeignText) {
    const std::string good = undoScriptText(recordOf(false, {{UndoUnitKind::Chain, {"b", "a"}}}));
    const std::string line = "back 'b' 'a'\n";
    const std::string edits[] = {
        "",
        good.substr(0, good.size() - 1),
        good + "rm -rf /\n",
        std::string(good).replace(good.find(line), line.size(), "back 'b' 'a'; rm x\n"),
        std::string(good).replace(good.find(line), line.size(), "back 'b'\n"),
        std::string(good).replace(good.find(line), line.size(), "back 'b' 'a\n"),
        std::string(good).replace(good.find(line), line.size(), "mv b a\n"),
        std::string(good).replace(good.find("unset CDPATH"), 12, "unset PATH"),
        std::string(good).replace(good.find("# Save 1"), 8, "# Save $(x)"),
        std::string(good).replace(good.find("}\nundo_lines"), 2, "}\nrm -rf ~\n"),
    };
    for (const std::string& text : edits)
        EXPECT_FALSE(parseUndoScript(text).has_value()) << text;
}

// A record that keeps file identities and its origin: what the shell passes
// over as comments comes back whole, and what departs from it is refused.
TEST(ParseUndoScript, ReadsIdentitiesAndOriginBack) {
    UndoRecord record;
    record.saveId = "s1";
    record.device = 2049;
    record.origin = {1000, "0a1b"};
    record.startUnit(UndoUnitKind::Chain);
    record.addName("b", 11);
    record.addName("a");
    record.addName("c", 12);
    record.addName("b");
    record.startUnit(UndoUnitKind::CaseOnly);
    record.addName("X", 13);
    record.addName("x");
    record.addName("_Quillon case 1-1.tmp");
    const std::string text = undoScriptText(record);
    EXPECT_NE(text.find("# Save s1 device 2049 user 1000 machine 0a1b\n"), std::string::npos);
    EXPECT_NE(text.find("back 'b' 'a' 'c' 'b' #i 11 12\n"), std::string::npos) << text;
    const auto parsed = parseUndoScript(text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->device, 2049U);
    EXPECT_EQ(parsed->origin, record.origin);
    EXPECT_EQ(parsed->identities, record.identities);

    const struct {
        const char* from;
        const char* to;
    } edits[] = {
        {"#i 11 12\n", "#i 11\n"},          {"#i 11 12\n", "#i 11 12 13\n"},
        {"#i 11 12\n", "#i 11 012\n"},      {"#i 11 12\n", "#i 11 -12\n"},
        {"#i 11 12\n", "#i 11 12; rm x\n"}, {"machine 0a1b", "machine 0A1B"},
        {"machine 0a1b", "machine $(x)"},   {"user 1000", "user 99999999999"},
        {" device 2049", " device"},
    };
    for (const auto& e : edits) {
        std::string edited = text;
        edited.replace(edited.find(e.from), std::string_view(e.from).size(), e.to);
        EXPECT_FALSE(parseUndoScript(edited).has_value()) << e.to;
    }
}

// A cycle's file identity is a number as Quillon writes it, never 0, then
// one space; anything else refuses the record.
TEST(ParseUndoScript, ReadsACycleIdentityOnlyAsWritten) {
    const std::string text = undoScriptText(sample(false));
    const std::string written = "cycle_back 42 ";
    ASSERT_NE(text.find(written), std::string::npos);
    const struct {
        const char* identity;
        bool read;
    } rows[] = {
        {"1 ", true},
        {"18446744073709551615 ", true},
        {"0 ", false},
        {"042 ", false},
        {"18446744073709551616 ", false},
        {"-42 ", false},
        {"+42 ", false},
        {"42'", false},
        {"42  ", false},
        {" 42 ", false},
        {"", false},
    };
    for (const auto& row : rows) {
        std::string edited = text;
        edited.replace(edited.find(written), written.size(),
                       std::string("cycle_back ") + row.identity);
        const auto parsed = parseUndoScript(edited);
        EXPECT_EQ(parsed.has_value(), row.read) << '"' << row.identity << '"';
    }
}

} // namespace
