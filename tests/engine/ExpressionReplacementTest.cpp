// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include "engine/ReplaceReadiness.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

struct ExpressionCase {
    const char* what;
    NameView source;
    NameView expression;
    NameView with;
    bool caseSensitive;
    Scope scope;
    NameView expected;
};

void PrintTo(const ExpressionCase& c, std::ostream* os) {
    *os << c.what;
}

ReplaceSettings expressionSettings(NameView expression, NameView with) {
    ReplaceSettings settings = quietSettings();
    settings.spacesFromPercent20AndUnderscore = false;
    settings.deleteExtraSpaces = false;
    settings.regularExpression = true;
    settings.find = expression;
    settings.replaceWith = with;
    return settings;
}

class ExpressionTable : public testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionTable, Replaces) {
    const ExpressionCase& c = GetParam();
    ReplaceSettings settings = expressionSettings(c.expression, c.with);
    settings.caseSensitive = c.caseSensitive;
    settings.scope = c.scope;
    EXPECT_EQ(utf8(pressOne(settings, c.source)), utf8(c.expected));
}

constexpr Scope kNames = Scope::FileNamesOnly;
constexpr Scope kExt = Scope::ExtensionsOnly;
constexpr Scope kBoth = Scope::Both;

INSTANTIATE_TEST_SUITE_P(
    Groups, ExpressionTable,
    testing::Values(ExpressionCase{"swap by groups", U"12 Song.mp3", U"^(\\d+) (.*)$", U"$2 - $1",
                                   false, kNames, U"Song - 12.mp3"},
                    ExpressionCase{"named group", U"track7.ogg", U"track(?<n>\\d+)", U"${n}. Track",
                                   false, kNames, U"7. Track.ogg"},
                    ExpressionCase{"group 0 is the match", U"ab.txt", U"b", U"[$0]", false, kNames,
                                   U"a[b].txt"},
                    ExpressionCase{"one digit per group", U"ab.txt", U"(a)", U"$12", false, kNames,
                                   U"a2b.txt"},
                    ExpressionCase{"a group that took no part is empty", U"b.txt", U"(a)?b",
                                   U"<$1>", false, kNames, U"<>.txt"},
                    ExpressionCase{"escaped dollar and backslash", U"a.txt", U"a", U"\\$1\\\\",
                                   false, kNames, U"$1\\.txt"},
                    ExpressionCase{"a lone dollar is text", U"a.txt", U"a", U"$ $x", false, kNames,
                                   U"$ $x.txt"}));

INSTANTIATE_TEST_SUITE_P(
    CaseAndScope, ExpressionTable,
    testing::Values(ExpressionCase{"without regard to case", U"Photo.JPG", U"photo", U"pic", false,
                                   kNames, U"pic.JPG"},
                    ExpressionCase{"case sensitive", U"Photo.JPG", U"photo", U"pic", true, kNames,
                                   U"Photo.JPG"},
                    ExpressionCase{"unicode case", U"\u00C9t\u00E9.txt", U"\u00E9T\u00C9", U"x",
                                   false, kNames, U"x.txt"},
                    ExpressionCase{"names never see the extension", U"a.b.txt", U"\\.", U"-", false,
                                   kNames, U"a-b.txt"},
                    ExpressionCase{"extensions never see the dot", U"a.txt", U"^\\.?t", U"T", false,
                                   kExt, U"a.Txt"},
                    ExpressionCase{"an emptied extension loses its dot", U"notes.txt", U".+", U"",
                                   false, kExt, U"notes"},
                    ExpressionCase{"no extension, nothing to replace", U"README", U".*", U"x",
                                   false, kExt, U"README"},
                    ExpressionCase{"both", U"a.b.txt", U"\\.", U"-", false, kBoth, U"a-b-txt"},
                    ExpressionCase{"star and slash are no patterns", U"a*b/c.txt", U"\\*|/", U"_",
                                   false, kNames, U"a_b_c.txt"},
                    ExpressionCase{"dot star matches the name, then its empty end", U"song.mp3",
                                   U".*", U"x", false, kNames, U"xx.mp3"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, ExpressionTable,
    testing::Values(ExpressionCase{"a match that empties the name", U"abc.txt", U"^.*$", U"", false,
                                   kNames, U".txt"},
                    ExpressionCase{"empty matches between characters", U"ab.txt", U"x*", U"-",
                                   false, kNames, U"-a-b-.txt"},
                    ExpressionCase{"anchors hold per part", U"ab.ab", U"^a", U"X", false, kBoth,
                                   U"Xb.ab"},
                    ExpressionCase{"beyond the basic plane", U"a\U0001F600b.txt", U"\U0001F600",
                                   U"-", false, kNames, U"a-b.txt"},
                    ExpressionCase{"dot matches an astral character whole", U"\U0001F600.txt",
                                   U"^.$", U"x", false, kNames, U"x.txt"},
                    ExpressionCase{"no match leaves the name", U"abc.txt", U"z", U"y", false,
                                   kNames, U"abc.txt"}));

// Bytes that are not UTF-8 travel through the expression untouched.
TEST(ExpressionTest, EscapedBytesComeBackByteForByte) {
    const ReplaceSettings settings = expressionSettings(U"^(.*)-(.*)$", U"$2-$1");
    const Name out = pressOne(settings, decodeName("caf\xE9-x\xFF.txt"));
    EXPECT_EQ(encodeName(out), "x\xFF-caf\xE9.txt");
    // "." matches such a byte as one character.
    EXPECT_EQ(encodeName(pressOne(expressionSettings(U"^.$", U"y"), decodeName("\xE9.txt"))),
              "y.txt");
}

TEST(ExpressionTest, InvalidExpressionsAreRefusedWithWhereAndWhy) {
    const struct {
        NameView expression;
        NameView with;
        const char* message;
        std::size_t position;
        bool inWithText;
    } rows[] = {
        {U"(ab", U"x", "U_REGEX_MISMATCHED_PAREN", 4, false},
        {U"a[b", U"x", "U_REGEX_MISSING_CLOSE_BRACKET", 4, false},
        {U"\u00E9\u00E9(", U"x", "U_REGEX_MISMATCHED_PAREN", 4, false},
        // ICU names the character after the one it could not use.
        {U"*a", U"x", "U_REGEX_RULE_SYNTAX", 2, false},
        {U"(a)", U"$2", "no group 2", 1, true},
        {U"(a)", U"x${name}", "no group named \"name\"", 2, true},
        {U"(?<n>a)", U"${n", "\"${\" without its \"}\"", 1, true},
    };
    for (const auto& row : rows) {
        const ReplaceSettings settings = expressionSettings(row.expression, row.with);
        const auto error = expressionError(settings);
        ASSERT_TRUE(error.has_value()) << utf8(row.expression);
        EXPECT_EQ(error->message, row.message) << utf8(row.expression);
        EXPECT_EQ(error->position, row.position) << utf8(row.expression);
        EXPECT_EQ(error->inWithText, row.inWithText) << utf8(row.expression);
        EXPECT_EQ(utf8(pressOne(settings, U"a.txt")), "refused 601");
    }
    EXPECT_FALSE(expressionError(expressionSettings(U"(a)", U"$1")).has_value());
    // Without the check box the text is no expression at all.
    ReplaceSettings plain = expressionSettings(U"(ab", U"x");
    plain.regularExpression = false;
    EXPECT_FALSE(expressionError(plain).has_value());
}

TEST(ExpressionTest, AnExpressionMayReplaceByNothingButNeedsAText) {
    EXPECT_EQ(missingInput(expressionSettings(U"a*", U"")), MissingInput::None);
    EXPECT_EQ(missingInput(expressionSettings(U"/", U"")), MissingInput::None);
    EXPECT_EQ(missingInput(expressionSettings(U"", U"x")), MissingInput::ReplaceText);
}

// One compiled plan serves a whole list, in order, with the finishing steps after it.
TEST(ExpressionTest, OnePressOverAList) {
    ReplaceSettings settings = expressionSettings(U"_+", U" ");
    settings.deleteExtraSpaces = true;
    const Press result = press(settings, {U"a__b.txt", U"_c_.txt", U"d.txt"}, {true, true, false});
    ASSERT_FALSE(result.refusal);
    EXPECT_EQ(result.names, (std::vector<Name>{U"a b.txt", U"c.txt", U"d.txt"}));
}

// The match engine has a step limit per name; a name it gives up on comes
// back unchanged, so the press must learn of it instead of keeping that name.
struct GiveUpCase {
    const char* what;
    NameView expression;
    std::vector<Name> sources;
    bool gaveUp;
    std::vector<Name> expected;
};

void PrintTo(const GiveUpCase& c, std::ostream* os) {
    *os << c.what;
}

Name repeated(char32_t c, std::size_t count, NameView tail) {
    return Name(count, c) + Name(tail);
}

class GiveUpTable : public testing::TestWithParam<GiveUpCase> {};

TEST_P(GiveUpTable, ReportsNamesTheEngineGaveUpOn) {
    const GiveUpCase& c = GetParam();
    const Press result = press(expressionSettings(c.expression, U"X"), c.sources);
    ASSERT_FALSE(result.refusal);
    EXPECT_EQ(result.gaveUp, c.gaveUp);
    EXPECT_EQ(result.names, c.expected);
}

const Name kCostly = repeated(U'a', 28, U"b.txt");
const Name kLongCheap = repeated(U'a', 250, U"b.txt");

INSTANTIATE_TEST_SUITE_P(
    StepLimit, GiveUpTable,
    testing::Values(
        GiveUpCase{"a short name backtracks within the limit",
                   U"(a+)+c|b",
                   {U"aaab.txt"},
                   false,
                   {U"aaaX.txt"}},
        GiveUpCase{"a long name backtracks without end", U"(a+)+c|b", {kCostly}, true, {kCostly}},
        GiveUpCase{"a later good name does not hide an earlier give-up",
                   U"(a+)+c|b",
                   {kCostly, U"ab.txt"},
                   true,
                   {kCostly, U"aX.txt"}},
        GiveUpCase{
            "a simple expression on the longest name", U"a+", {kLongCheap}, false, {U"Xb.txt"}}));

} // namespace
