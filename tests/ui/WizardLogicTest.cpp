// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardLogic.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace quillon;
using namespace quillon::wizard;

namespace {

std::string utf8(NameView text) {
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// ---- sample name ----

TEST(nameWithoutExtension, DropsFromTheLastDot) {
    EXPECT_EQ(nameWithoutExtension(U"a.b.txt"), U"a.b");
    EXPECT_EQ(nameWithoutExtension(U"README"), U"README");
    EXPECT_EQ(nameWithoutExtension(U".txt"), U"");
    EXPECT_EQ(nameWithoutExtension(U"été.ogg"), U"été");
}

struct SampleCase {
    const char* label;
    std::vector<Name> entries;
    SampleCut cut;
    Name expected;
};

void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << c.label;
}

class SampleTable : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleTable, PicksTheLongestCut) {
    EXPECT_EQ(utf8(longestCut(GetParam().entries, GetParam().cut)), utf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Wizard, SampleTable,
    testing::Values(
        SampleCase{"empty list", {}, SampleCut::Whole, U""},
        SampleCase{"equal length: first", {U"ab.txt", U"cd.mp3"}, SampleCut::NamePart, U"ab"},
        SampleCase{"name part only", {U"x.jpeg", U"long.a"}, SampleCut::NamePart, U"long"},
        SampleCase{"extension with dot", {U"a.jpeg", U"bbbb.jpg"}, SampleCut::Extension, U".jpeg"},
        SampleCase{"no extension anywhere", {U"README", U"NOTES"}, SampleCut::Extension, U""},
        SampleCase{"whole name", {U"a.b", U"cc", U"dd.e"}, SampleCut::Whole, U"dd.e"},
        SampleCase{"all cuts empty: first", {U".a", U".bb"}, SampleCut::NamePart, U""},
        // Code points, not bytes: "ééé" is 6 bytes but 3 characters.
        SampleCase{"code points", {U"ééé.txt", U"abcd.txt"}, SampleCut::NamePart, U"abcd"},
        SampleCase{"astral", {U"😀😀😀.x", U"abc.x"}, SampleCut::NamePart, U"😀😀😀"}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.label))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// ---- Delete ----

struct DeleteCase {
    std::size_t start, length, textLength;
    Anchor anchor;
    std::optional<DeletePositions> expected;
};

void PrintTo(const DeleteCase& c, std::ostream* os) {
    *os << c.start << '+' << c.length << " of " << c.textLength;
}

class DeleteTable : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteTable, Positions) {
    const DeleteCase& c = GetParam();
    const auto got = deletePositions(c.start, c.length, c.textLength, c.anchor);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (got) {
        EXPECT_EQ(got->position, c.expected->position);
        EXPECT_EQ(got->length, c.expected->length);
    }
}

INSTANTIATE_TEST_SUITE_P(Wizard, DeleteTable,
                         testing::Values(
                             // "Holiday 01" with "day" selected
                             DeleteCase{4, 3, 10, Anchor::Beginning, DeletePositions{5, 3}},
                             DeleteCase{4, 3, 10, Anchor::End, DeletePositions{-6, 3}},
                             // the whole sample
                             DeleteCase{0, 10, 10, Anchor::Beginning, DeletePositions{1, 10}},
                             DeleteCase{0, 10, 10, Anchor::End, DeletePositions{-10, 10}},
                             // the last character
                             DeleteCase{9, 1, 10, Anchor::End, DeletePositions{-1, 1}},
                             // nothing selected, also in an empty sample
                             DeleteCase{3, 0, 10, Anchor::Beginning, std::nullopt},
                             DeleteCase{0, 0, 0, Anchor::End, std::nullopt}));

// ---- Insert ----

struct MarkerCase {
    Name text;
    std::size_t click;
    Name expected;
};

void PrintTo(const MarkerCase& c, std::ostream* os) {
    *os << '"' << utf8(c.text) << "\" at " << c.click;
}

class MarkerTable : public testing::TestWithParam<MarkerCase> {};

TEST_P(MarkerTable, Moves) {
    EXPECT_EQ(utf8(withMarkerAt(GetParam().text, GetParam().click)), utf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Wizard, MarkerTable,
                         testing::Values(MarkerCase{U"Holiday 01", 7, U"Holiday// 01"},
                                         MarkerCase{U"Holiday// 01", 12, U"Holiday 01//"},
                                         // on the marker or at its edges: unchanged
                                         MarkerCase{U"Holiday// 01", 7, U"Holiday// 01"},
                                         MarkerCase{U"Holiday// 01", 8, U"Holiday// 01"},
                                         MarkerCase{U"Holiday// 01", 9, U"Holiday// 01"},
                                         // one beside the edges: moves
                                         MarkerCase{U"Holiday// 01", 6, U"Holida//y 01"},
                                         MarkerCase{U"Holiday// 01", 10, U"Holiday //01"},
                                         MarkerCase{U"Holiday 01", 0, U"//Holiday 01"},
                                         // empty sample: the marker stands alone
                                         MarkerCase{U"", 0, U"//"}, MarkerCase{U"//", 0, U"//"},
                                         // a caret past the end counts as the end
                                         MarkerCase{U"ab", 9, U"ab//"},
                                         // positions count code points
                                         MarkerCase{U"éé😀", 2, U"éé//😀"},
                                         MarkerCase{U"é//é😀", 5, U"éé😀//"}));

Name repeated(char32_t c, std::size_t n) {
    return Name(n, c);
}

TEST(MarkerMove, KeepsEveryCharacterOfALongSample) {
    // The right part is not cut at 255 characters: with the marker inside a
    // 254- or 255-character sample, a click near the start keeps it all.
    for (const std::size_t length : {254u, 255u}) {
        const Name sample = repeated(U'a', 100) + repeated(U'b', length - 100);
        const Name withMarker = sample.substr(0, 100) + U"//" + sample.substr(100);
        const Name moved = withMarkerAt(withMarker, 0);
        EXPECT_EQ(moved.size(), length + 2);
        EXPECT_EQ(utf8(moved), "//" + utf8(sample));
    }
}

struct InsertCase {
    Name sample;
    Name string;
    Anchor anchor;
    long position; // when accepted
    std::string_view message;
};

void PrintTo(const InsertCase& c, std::ostream* os) {
    *os << '"' << utf8(c.sample) << "\" \"" << utf8(c.string) << '"';
}

class InsertTable : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertTable, Composes) {
    const InsertCase& c = GetParam();
    const auto got = composeInsert(c.sample, c.string, c.anchor);
    if (!c.message.empty()) {
        ASSERT_TRUE(std::holds_alternative<Refusal>(got));
        EXPECT_EQ(std::get<Refusal>(got).message, c.message);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<InsertSettings>(got));
    EXPECT_EQ(std::get<InsertSettings>(got).position, c.position);
    EXPECT_EQ(utf8(std::get<InsertSettings>(got).string), utf8(c.string));
}

INSTANTIATE_TEST_SUITE_P(
    Wizard, InsertTable,
    testing::Values(InsertCase{U"Holiday// 01", U"x", Anchor::Beginning, 8, {}},
                    InsertCase{U"Holiday// 01", U"x", Anchor::End, -3, {}},
                    InsertCase{U"Holiday 01//", U"x", Anchor::Beginning, 11, {}},
                    InsertCase{U"Holiday 01//", U"x", Anchor::End, 0, {}},
                    InsertCase{U"//Holiday 01", U"x", Anchor::Beginning, 1, {}},
                    InsertCase{U"//Holiday 01", U"x", Anchor::End, -10, {}},
                    InsertCase{U"//", U"x", Anchor::Beginning, 1, {}},
                    InsertCase{U"//", U"x", Anchor::End, 0, {}},
                    InsertCase{U"é😀//é", U"ü", Anchor::End, -1, {}},
                    InsertCase{U"Holiday 01", U"x", Anchor::Beginning, 0, kInsNoMarker},
                    InsertCase{U"Holiday 01", U"", Anchor::Beginning, 0, kInsNoMarker},
                    InsertCase{U"Holiday// 01", U"", Anchor::End, 0, kInsNoString}));

TEST(ExtensionCompose, WritesTheExtensionToken) {
    EXPECT_EQ(composeExtension(U""), U"/./");
    EXPECT_EQ(composeExtension(U"mpg"), U"/.mpg/");
    EXPECT_EQ(composeExtension(U".mpg"), U"/..mpg/"); // not checked here
}

// ---- Number ----

struct NumberCase {
    std::array<Name, 3> texts;
    std::array<int, 2> choices;
    Name start;
    bool padding;
    Name expectedTo;               // when accepted
    Name shownStart;               // when accepted
    bool shownPadding;             // when accepted
    std::string_view message = {}; // when refused
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << utf8(c.texts[0]) << "\" " << c.choices[0] << " \"" << utf8(c.texts[1]) << "\" "
        << c.choices[1] << " \"" << utf8(c.texts[2]) << "\" start \"" << utf8(c.start) << "\" pad "
        << c.padding;
}

class NumberTable : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTable, Composes) {
    const NumberCase& c = GetParam();
    const auto got = composeNumber({c.texts, c.choices, c.start, c.padding});
    if (!c.message.empty()) {
        ASSERT_TRUE(std::holds_alternative<Refusal>(got));
        EXPECT_EQ(std::get<Refusal>(got).message, c.message);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<NumberResult>(got)) << std::get<Refusal>(got).message;
    const auto& result = std::get<NumberResult>(got);
    EXPECT_EQ(utf8(result.find), "*");
    EXPECT_EQ(utf8(result.replaceWith), utf8(c.expectedTo));
    EXPECT_EQ(utf8(result.start), utf8(c.shownStart));
    EXPECT_EQ(result.padding, c.shownPadding);
}

constexpr int N = kNumbers, O = kOldFileNames, X = kNone, T = kNoItem;

INSTANTIATE_TEST_SUITE_P(
    Examples, NumberTable,
    testing::Values(
        NumberCase{{U"", U"", U""}, {N, O}, U"1", true, U"/1/*", U"1", true},
        NumberCase{{U"Trip ", U" - ", U""}, {N, O}, U"5", false, U"Trip /n5/ - *", U"5", false},
        NumberCase{{U"", U"_", U""}, {O, N}, U"001", true, U"*_/001/", U"001", true},
        NumberCase{{U"Holiday", U"", U""}, {X, N}, U"", false, U"Holiday/1/", U"1", true}));

INSTANTIATE_TEST_SUITE_P(
    Checks, NumberTable,
    testing::Values(
        NumberCase{{}, {N, N}, U"1", true, {}, {}, {}, kNumberOnlyOnce},
        NumberCase{{}, {O, O}, U"1", true, {}, {}, {}, kNumberOnlyOnce},
        NumberCase{{}, {X, X}, U"1", true, {}, {}, {}, kNumberNothingChosen},
        // "/1/." would open an extension token that nothing closes
        NumberCase{{U"", U".txt", U""}, {N, O}, U"1", true, {}, {}, {}, kNumberPeriodAfterNumber},
        NumberCase{{U"", U"", U". x"}, {N, X}, U"1", true, {}, {}, {}, kNumberPeriodAfterNumber},
        NumberCase{{U"", U"", U"."}, {O, N}, U"", false, {}, {}, {}, kNumberPeriodAfterNumber}));

INSTANTIATE_TEST_SUITE_P(
    Edges, NumberTable,
    testing::Values(
        // numbers without old names, and old names without numbers
        NumberCase{{U"a", U"b", U"c"}, {N, X}, U"7", true, U"a/7/bc", U"7", true},
        NumberCase{{U"a", U"b", U"c"}, {X, O}, U"", false, U"ab*c", U"", false},
        // typed text counts as "(None)" when composing, not in the checks
        NumberCase{{U"a", U"b", U"c"}, {T, X}, U"1", true, U"abc", U"1", true},
        NumberCase{{U"a", U"b", U"c"}, {T, T}, U"1", true, U"abc", U"1", true},
        NumberCase{{U"", U"", U""}, {T, N}, U"2", false, U"/n2/", U"2", false},
        // leading zeros stay, with and without padding
        NumberCase{{}, {N, X}, U"001", false, U"/n001/", U"001", false},
        // blanks and periods are copied as they are; a period may follow "*"
        NumberCase{{U" a. ", U"", U".x "}, {O, X}, U"1", true, U" a. *.x ", U"1", true},
        NumberCase{{U"", U".", U""}, {O, N}, U"1", true, U"*./1/", U"1", true},
        NumberCase{{U"é", U"😀", U""}, {N, O}, U"1", true, U"é/1/😀*", U"1", true}));

// ---- Reformat ----

struct ReformatCase {
    const char* label;
    std::array<Name, 4> current;
    int field3;
    std::array<Name, 4> wanted;
    std::array<int, 3> fields;
    Name from, to;                             // when accepted
    std::string_view message = {};             // when refused
    std::vector<std::string_view> highlight{}; // when refused
};

void PrintTo(const ReformatCase& c, std::ostream* os) {
    *os << c.label;
}

class ReformatTable : public testing::TestWithParam<ReformatCase> {};

TEST_P(ReformatTable, Composes) {
    const ReformatCase& c = GetParam();
    const auto got = composeReformat({c.current, c.wanted, c.field3, c.fields});
    if (!c.message.empty()) {
        ASSERT_TRUE(std::holds_alternative<Refusal>(got));
        EXPECT_EQ(std::get<Refusal>(got).message, c.message);
        EXPECT_EQ(std::get<Refusal>(got).highlight, c.highlight);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<ReformatResult>(got)) << std::get<Refusal>(got).message;
    EXPECT_EQ(utf8(std::get<ReformatResult>(got).find), utf8(c.from));
    EXPECT_EQ(utf8(std::get<ReformatResult>(got).replaceWith), utf8(c.to));
}

// CurrCombo2: 0 "Field 3", 1 "(None)"; New: 0..2 fields, 3 "(None)"; -1 typed.
INSTANTIATE_TEST_SUITE_P(Examples, ReformatTable,
                         testing::Values(ReformatCase{"Label26",
                                                      {U"", U" _ ", U"", U""},
                                                      1,
                                                      {U"", U" - ", U"", U""},
                                                      {1, 0, 3},
                                                      U"/1/ _ /2/",
                                                      U"/2/ - /1/"},
                                         ReformatCase{"Label27",
                                                      {U"", U" (", U")", U""},
                                                      1,
                                                      {U"", U" - ", U"", U""},
                                                      {1, 0, 3},
                                                      U"/1/ (/2/)",
                                                      U"/2/ - /1/"},
                                         ReformatCase{"three fields",
                                                      {U"", U" - ", U" (", U")"},
                                                      0,
                                                      {U"", U" - ", U" (", U")"},
                                                      {2, 0, 1},
                                                      U"/1/ - /2/ (/3/)",
                                                      U"/3/ - /1/ (/2/)"},
                                         ReformatCase{"defaults with the second delimiter",
                                                      {U"", U" - ", U"", U""},
                                                      1,
                                                      {},
                                                      {1, 0, 3},
                                                      U"/1/ - /2/",
                                                      U"/2//1/"}));

INSTANTIATE_TEST_SUITE_P(
    Checks, ReformatTable,
    testing::Values(
        ReformatCase{"1: no second delimiter",
                     {U"a", U"", U"b", U""},
                     1,
                     {},
                     {1, 0, 3},
                     {},
                     {},
                     kReformatNoSecondDelimiter,
                     {"W_Reformat_CurrEdit2"}},
        ReformatCase{"2: Field 3 without third delimiter, even with C4",
                     {U"", U"-", U"", U"x"},
                     0,
                     {},
                     {1, 0, 3},
                     {},
                     {},
                     kReformatNoThirdDelimiter,
                     {"W_Reformat_CurrCombo2", "W_Reformat_CurrEdit3"}},
        ReformatCase{"3: C4 without Field 3",
                     {U"", U"-", U"", U"x"},
                     1,
                     {},
                     {1, 0, 3},
                     {},
                     {},
                     kReformatDelimiterWithoutField3,
                     {"W_Reformat_CurrCombo2", "W_Reformat_CurrEdit4"}},
        ReformatCase{"4: N4 without new Field 3",
                     {U"", U"-", U"", U""},
                     1,
                     {U"", U"", U"", U"x"},
                     {1, 0, 3},
                     {},
                     {},
                     kReformatDelimiterWithoutField3,
                     {"W_Reformat_NewCombo3", "W_Reformat_NewEdit4"}},
        ReformatCase{"5: only the New drop-downs on Field 3",
                     {U"", U"-", U"", U""},
                     1,
                     {},
                     {2, 0, 2},
                     {},
                     {},
                     kReformatField3NotCurrent,
                     {"W_Reformat_CurrCombo2", "W_Reformat_NewCombo1", "W_Reformat_NewCombo3"}},
        ReformatCase{"6: digits right after a field",
                     {U"9", U"1-", U"2)", U"3"},
                     0,
                     {},
                     {1, 0, 3},
                     {},
                     {},
                     kReformatDigitAfterField,
                     {"W_Reformat_CurrEdit2", "W_Reformat_CurrEdit3", "W_Reformat_CurrEdit4"}}));

INSTANTIATE_TEST_SUITE_P(
    Edges, ReformatTable,
    testing::Values(ReformatCase{"N4 follows a chosen third field",
                                 {U"", U"-", U"", U""},
                                 1,
                                 {U"", U"", U"", U"x"},
                                 {1, 0, 0},
                                 U"/1/-/2/",
                                 U"/2//1//1/x"},
                    ReformatCase{"typed CurrCombo2 passes 2, 3 and 5 and adds no field 3",
                                 {U"", U"-", U"", U"z"},
                                 -1,
                                 {},
                                 {2, 0, 3},
                                 U"/1/-/2/",
                                 U"/3//1/"},
                    ReformatCase{"typed New drop-downs write field 0",
                                 {U"", U"-", U"", U""},
                                 1,
                                 {U"", U"+", U"", U"!"},
                                 {-1, 0, -1},
                                 U"/1/-/2/",
                                 U"/0/+/1//0/!"},
                    ReformatCase{"blanks are delimiters",
                                 {U" ", U" ", U"  ", U""},
                                 1,
                                 {},
                                 {1, 0, 3},
                                 U" /1/ /2/  ",
                                 U"/2//1/"},
                    ReformatCase{"0 and digits elsewhere are fine",
                                 {U"1", U"0 - ", U" 2", U"7"},
                                 -1,
                                 {U"3", U"4", U"5", U""},
                                 {1, 0, 3},
                                 U"1/1/0 - /2/ 2",
                                 U"3/2/4/1/5"},
                    ReformatCase{"code points",
                                 {U"«", U" – ", U"»", U""},
                                 1,
                                 {U"", U" 😀 ", U"", U""},
                                 {1, 0, 3},
                                 U"«/1/ – /2/»",
                                 U"/2/ 😀 /1/"}));

} // namespace
