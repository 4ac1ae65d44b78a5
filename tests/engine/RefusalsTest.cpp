// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include "engine/StrictNumber.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

TEST(Refusals, EveryCodeHasItsMessage) {
    const std::pair<int, std::string_view> expected[] = {
        {11, "File Name Replacement:\nInvalid character (*) in extension."},
        {12, "File Name Replacement:\nExtension specified more than once."},
        {13, "File Name Replacement:\nMissing slash (/.) after extension."},
        {14, "File Name Replacement:\nInvalid character (.) in extension."},
        {22, "Numbering: Number expected after /n."},
        {23, "Numbering: Number expected but // found."},
        {24, "Numbering: Too many parameters (/)."},
        {25, "Numbering: Incorrect starting number."},
        {26, "Numbering: Incorrect starting number.\nSecond slash not found."},
        {31, "File Name Replacement:\nOnly one asterisk (*) allowed."},
        {201, "Delete: You must enter an integer in the range\nof 1 to 255 (Counting left to "
              "right) or -1 to -255\n(Counting right to left) in the first box."},
        {202, "Delete: You must enter an integer in\nthe range of 1 to 255 in the second box."},
        {301, "Regular replacement: The star (*) and\nslash (/) characters cannot be used."},
        {401, "Reformatting: The star (*)\ncharacter cannot be used."},
        {501, "Insert: You must enter an integer in the range\nof 1 to 255 (Counting left to "
              "right) or 0 to -255\n(Counting right to left) in the first box."},
        {601, "Regular expression: The expression is not valid."},
        {602, "Fields: Unknown field or format between < and >.\nKnown fields: <artist>, "
              "<albumartist>, <title>, <album>,\n<track>, <disc>, <year>, <genre>, <taken>, "
              "<modified>,\n<camera>, <width>, <height>."},
        {603, "Regular expression: The expression is too costly to run on the file:"},
    };
    ASSERT_EQ(allRefusals().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Refusal& row = allRefusals()[i];
        EXPECT_EQ(refusalNumber(row.code), expected[i].first);
        EXPECT_EQ(row.message, expected[i].second);
        EXPECT_EQ(refusalMessage(row.code), expected[i].second);
    }
}

struct RefusalCase {
    const char* label;
    void (*tweak)(ReplaceSettings&);
    std::optional<RefusalCode> expected;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.label;
}

class RefusalTable : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTable, Refuses) {
    ReplaceSettings settings = quietSettings();
    GetParam().tweak(settings);
    const std::vector<Name> names{U"photo.jpg", U"Title - Artist.mp3"};
    const Press result = press(settings, names);
    EXPECT_EQ(result.refusal, GetParam().expected);
    if (result.refusal) {
        EXPECT_EQ(result.names, names); // a refusal changes no name
    }
}

void compose(ReplaceSettings& s, NameView with) {
    s.find = U"*";
    s.replaceWith = with;
}

void deleteAt(ReplaceSettings& s, NameView pos, NameView length) {
    s.deleteEnabled = true;
    s.deletePos = pos;
    s.deleteLength = length;
}

void insertAt(ReplaceSettings& s, NameView pos) {
    s.insertEnabled = true;
    s.insertPos = pos;
    s.insertText = U"x";
}

#define REFUSE(label, body, code)                                                                  \
    RefusalCase {                                                                                  \
        label, [](ReplaceSettings& s) { body; }, code                                              \
    }
constexpr std::optional<RefusalCode> kAccepted;

INSTANTIATE_TEST_SUITE_P(
    FileNameReplacement, RefusalTable,
    testing::Values(
        REFUSE("star in extension", compose(s, U"/.a*b/"), RefusalCode::StarInNewExtension),
        REFUSE("two extensions", compose(s, U"/.a//.b/"), RefusalCode::ExtensionTwice),
        REFUSE("open extension", compose(s, U"x/.txt"), RefusalCode::ExtensionNotClosed),
        REFUSE("number then dot", compose(s, U"/1/.txt"), RefusalCode::ExtensionNotClosed),
        REFUSE("dot in extension", compose(s, U"/.a.b/"), RefusalCode::DotInNewExtension),
        REFUSE("n alone", compose(s, U"/n/"), RefusalCode::NumberMissingAfterN),
        REFUSE("empty number", compose(s, U"a//b"), RefusalCode::NumberExpected),
        REFUSE("two numbers", compose(s, U"/1/ /2/"), RefusalCode::TooManySlashes),
        REFUSE("negative", compose(s, U"/-1/"), RefusalCode::BadStartNumber),
        REFUSE("letters", compose(s, U"/abc/"), RefusalCode::BadStartNumber),
        REFUSE("blank before digits", compose(s, U"/ 5/"), RefusalCode::BadStartNumber),
        REFUSE("n then letters", compose(s, U"/n5x/"), RefusalCode::BadStartNumber),
        REFUSE("zero then letters", compose(s, U"/0x/"), RefusalCode::BadStartNumber),
        REFUSE("number across a token", compose(s, U"/1/.x/2/"), RefusalCode::BadStartNumber),
        REFUSE("one slash", compose(s, U"Text /1"), RefusalCode::SecondSlashMissing),
        REFUSE("two stars", compose(s, U"*/1/*"), RefusalCode::StarTwice),
        REFUSE("n minus zero", compose(s, U"/n-0/"), kAccepted)));

INSTANTIATE_TEST_SUITE_P(
    Kinds, RefusalTable,
    testing::Values(REFUSE("regular with slash", (s.find = U"a", s.replaceWith = U"b/c"),
                           RefusalCode::RegularStarOrSlash),
                    REFUSE("regular with star", (s.find = U"a*b", s.replaceWith = U"*"),
                           RefusalCode::RegularStarOrSlash),
                    REFUSE("empty replace with slash", (s.replaceWith = U"/"),
                           RefusalCode::RegularStarOrSlash),
                    REFUSE("reformat with star", (s.find = U"/1/-/2/", s.replaceWith = U"/2/*"),
                           RefusalCode::ReformatStar),
                    REFUSE("trimmed star composes", (s.find = U" *\t", s.replaceWith = U"/1/ /2/"),
                           RefusalCode::TooManySlashes),
                    REFUSE("star and slash is regular", (s.find = U"/*", s.replaceWith = U"/1/"),
                           RefusalCode::RegularStarOrSlash)));

INSTANTIATE_TEST_SUITE_P(
    Numbers, RefusalTable,
    testing::Values(
        REFUSE("delete pos empty", deleteAt(s, U"", U"1"), RefusalCode::DeletePosOutOfRange),
        REFUSE("delete pos zero", deleteAt(s, U"0", U"1"), RefusalCode::DeletePosOutOfRange),
        REFUSE("delete pos blank", deleteAt(s, U" 5", U"1"), RefusalCode::DeletePosOutOfRange),
        REFUSE("delete pos trailing text", deleteAt(s, U"5x", U"1"),
               RefusalCode::DeletePosOutOfRange),
        REFUSE("delete pos 256", deleteAt(s, U"256", U"1"), RefusalCode::DeletePosOutOfRange),
        REFUSE("delete pos -256", deleteAt(s, U"-256", U"1"), RefusalCode::DeletePosOutOfRange),
        REFUSE("delete pos -255", deleteAt(s, U"-255", U"255"), kAccepted),
        REFUSE("delete length zero", deleteAt(s, U"1", U"0"), RefusalCode::DeleteLengthOutOfRange),
        REFUSE("delete length 256", deleteAt(s, U"1", U"256"), RefusalCode::DeleteLengthOutOfRange),
        REFUSE("insert pos empty", insertAt(s, U""), RefusalCode::InsertPosOutOfRange),
        REFUSE("insert pos 256", insertAt(s, U"256"), RefusalCode::InsertPosOutOfRange),
        REFUSE("insert pos minus alone", insertAt(s, U"-"), RefusalCode::InsertPosOutOfRange),
        REFUSE("insert pos -0", insertAt(s, U"-0"), kAccepted)));

INSTANTIATE_TEST_SUITE_P(
    Order, RefusalTable,
    testing::Values(
        REFUSE("delete before insert", (deleteAt(s, U"0", U"1"), insertAt(s, U"x")),
               RefusalCode::DeletePosOutOfRange),
        REFUSE("delete pos before length", deleteAt(s, U"x", U"x"),
               RefusalCode::DeletePosOutOfRange),
        REFUSE("insert before pattern", (insertAt(s, U"x"), compose(s, U"*/1/*")),
               RefusalCode::InsertPosOutOfRange),
        REFUSE("delete before pattern", (deleteAt(s, U"1", U"0"), compose(s, U"//")),
               RefusalCode::DeleteLengthOutOfRange),
        REFUSE("unchecked boxes are not read", (s.deletePos = U"x", s.insertPos = U"x"), kAccepted),
        REFUSE("second extension before open number", compose(s, U"/.a/ /.b/ /1"),
               RefusalCode::ExtensionTwice),
        REFUSE("double slash before n", compose(s, U"//n/"), RefusalCode::NumberExpected),
        REFUSE("bad number before second star", compose(s, U"*/x/*"), RefusalCode::BadStartNumber),
        REFUSE("second star before leftover slash", compose(s, U"*/1/*/"), RefusalCode::StarTwice),
        REFUSE("leftover slash before star in extension", compose(s, U"/.*/ /1/ /"),
               RefusalCode::TooManySlashes),
        REFUSE("star in extension before dot", compose(s, U"/.*./"),
               RefusalCode::StarInNewExtension)));

#undef REFUSE

TEST(StrictNumber, Conversions) {
    EXPECT_EQ(parseStrictInteger(U"42"), 42);
    EXPECT_EQ(parseStrictInteger(U"-42"), -42);
    EXPECT_EQ(parseStrictInteger(U"+7"), 7);
    EXPECT_EQ(parseStrictInteger(U"007"), 7);
    EXPECT_EQ(parseStrictInteger(U"-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(parseStrictInteger(U"9223372036854775807"), INT64_MAX);
    for (NameView bad : {U"", U"-", U"+", U" 5", U"5 ", U"5x", U"0x10", U"1e3", U"--1", U"\u0665",
                         U"9223372036854775808", U"-9223372036854775809"})
        EXPECT_EQ(parseStrictInteger(bad), std::nullopt) << utf8(bad);
}

} // namespace
