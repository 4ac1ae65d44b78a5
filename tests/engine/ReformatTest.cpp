// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include "engine/ReplaceOperations.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

struct DelimiterCase {
    NameView replaceText;
    std::vector<Name> delimiters;
};

void PrintTo(const DelimiterCase& c, std::ostream* os) {
    *os << utf8(c.replaceText);
}

class DelimiterTable : public testing::TestWithParam<DelimiterCase> {};

TEST_P(DelimiterTable, Compiles) {
    EXPECT_EQ(compileDelimiters(GetParam().replaceText), GetParam().delimiters);
}

INSTANTIATE_TEST_SUITE_P(
    Reformat, DelimiterTable,
    testing::Values(DelimiterCase{U"/1/ - /2/", {U" - "}}, DelimiterCase{U"/ - /", {U" - "}},
                    DelimiterCase{U"/1/ (/2/ - /3/)", {U" (", U" - ", U")"}},
                    DelimiterCase{U"Track /1/ - /2/", {U"Track ", U" - "}},
                    DelimiterCase{U"/1//2/", {}},      // markers in a row
                    DelimiterCase{U"/1/1999/2/", {}},  // digits join the marker
                    DelimiterCase{U"/1/0/2/", {U"0"}}, // "0" ends a marker
                    DelimiterCase{U"/", {}},
                    DelimiterCase{U"a/1/b", {U"a", U"b"}})); // literals at both ends

struct ReformatCase {
    NameView source;
    NameView from;
    NameView to;
    NameView expected;
};

void PrintTo(const ReformatCase& c, std::ostream* os) {
    *os << utf8(c.source) << " [" << utf8(c.from) << " -> " << utf8(c.to) << "]";
}

class ReformatTable : public testing::TestWithParam<ReformatCase> {};

TEST_P(ReformatTable, Rebuilds) {
    const ReformatCase& c = GetParam();
    ReplaceSettings settings = quietSettings();
    settings.find = c.from;
    settings.replaceWith = c.to;
    EXPECT_EQ(utf8(pressOne(settings, c.source)), utf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ReformatTable,
    testing::Values(
        ReformatCase{U"Title - Artist.mp3", U"/1/ - /2/", U"/2/ - /1/", U"Artist - Title.mp3"},
        ReformatCase{U"Title (Artist).mp3", U"/1/ (/2/)", U"/2/ - /1/", U"Artist - Title.mp3"},
        ReformatCase{U"Artist - Title.mp3", U"/1/ - /2/", U"(/1/) /2/", U"(Artist) Title.mp3"},
        ReformatCase{U"Title (Album - Artist).mp3", U"/1/ (/2/ - /3/)", U"/3/ - /2/ - /1/",
                     U"Artist - Album - Title.mp3"},
        ReformatCase{U"Title - Artist.mp3", U"/1/ - /2/", U"/2/ - Hello - /1/",
                     U"Artist - Hello - Title.mp3"},
        ReformatCase{U"Title - Artist.mp3", U"/1/ - /2/", U"/1/", U"Title.mp3"},
        ReformatCase{U"Cats and Dogs.txt", U"/1/ and /2/", U"/2/ and /1/", U"Dogs and Cats.txt"},
        ReformatCase{U"Track 01 - Song.mp3", U"Track /1/ - /2/", U"/2/ /1/", U"Song 01.mp3"},
        ReformatCase{U"2001 - Odyssey.txt", U"/1/-/2/", U"/2/ (/1/)", U"Odyssey (2001).txt"},
        ReformatCase{U"A - B - C.txt", U"/1/ - /2/", U"/2/ - /1/", U"B - C - A.txt"},
        ReformatCase{U"Song.mp3", U"/1/ - /2/", U"/2/ - /1/", U"Song.mp3"},
        ReformatCase{U" - abc.txt", U"/1/ - /2/", U"/2/ - /1/", U" - abc.txt"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, ReformatTable,
    testing::Values(
        // "?" is an ordinary character of a name.
        ReformatCase{U"What? - Song.mp3", U"/1/ - /2/", U"/2/ - /1/", U"Song - What?.mp3"},
        ReformatCase{U"??? - ?.mp3", U"/1/ - /2/", U"/2/ - /1/", U"? - ???.mp3"},
        ReformatCase{U"A - B-C.txt", U"/1/ - /2/-/3/", U"/3/./2/./1/", U"C.B.A.txt"},
        ReformatCase{U"A-B - C.txt", U"/1/ - /2/-/3/", U"/1/|/2/|/3/", U"A|B|C.txt"},
        ReformatCase{U"a_b - c.txt", U"/1/ - /2/", U"/2/ /1/", U"c a b.txt"},
        ReformatCase{U"A - B.txt", U"/1/ - /2/", U"/1/ /1/", U"A A.txt"},
        ReformatCase{U"A - B.txt", U"/1/ - /2/", U"/3/", U"A - B.txt"},
        ReformatCase{U"a (c).txt", U"/1/ - /2/ (/3/)", U"/2/ /1/", U"c a.txt"},
        ReformatCase{U"dogs AND cats", U"/1/ and /2/", U"/2/ /1/", U"dogs AND cats"},
        ReformatCase{U"\u00C9t\u00E9 \u2013 \u041B\u0435\u0442\u043E.ogg", U"/1/ \u2013 /2/",
                     U"/2/ \u2013 /1/", U"\u041B\u0435\u0442\u043E \u2013 \u00C9t\u00E9.ogg"},
        ReformatCase{U"", U"/1/ - /2/", U"/2/", U""},
        ReformatCase{U" - ", U"/1/ - /2/", U"x", U"x"},
        ReformatCase{U"a - b.c - d", U"/1/ - /2/", U"/2/ /1/", U"b a.c - d"}));

TEST(Reformat, FieldsBeyondTheNinthCannotBeNamed) {
    // Twelve fields from eleven delimiters; only "/1/" to "/9/" are markers.
    ReplaceSettings settings = quietSettings();
    settings.find = U"/1/a/2/b/3/c/4/d/5/e/6/f/7/g/8/h/9/i/j/k/";
    settings.replaceWith = U"/9/-/1/";
    EXPECT_EQ(pressOne(settings, U"0a1b2c3d4e5f6g7h8i9j10k11.txt"), U"8-0.txt");
    settings.replaceWith = U"/10/";
    EXPECT_EQ(pressOne(settings, U"0a1b2c3d4e5f6g7h8i9j10k11.txt"),
              U"0a1b2c3d4e5f6g7h8i9j10k11.txt");
}

TEST(Reformat, MatchingIgnoresCaseSensitiveBoxAndScope) {
    ReplaceSettings settings = quietSettings();
    settings.find = U"/1/ AND /2/";
    settings.replaceWith = U"/2/ /1/";
    settings.caseSensitive = false;
    settings.scope = Scope::Both;
    EXPECT_EQ(pressOne(settings, U"x and y.txt"), U"x and y.txt");
    EXPECT_EQ(pressOne(settings, U"x AND y.txt"), U"y x.txt");
}

TEST(Reformat, OnlyRebuiltNamesAreRecased) {
    ReplaceSettings settings;
    settings.caseMode = CaseMode::Uppercase;
    settings.find = U"/1/ - /2/";
    settings.replaceWith = U"/2/ - /1/";
    EXPECT_EQ(press(settings, {U"a - b.mp3", U"a_b.mp3"}).names,
              (std::vector<Name>{U"B - A.MP3", U"a_b.mp3"}));
}

TEST(Reformat, PressingTwiceSwapsBack) {
    ReplaceSettings settings = quietSettings();
    settings.find = U"/1/ - /2/";
    settings.replaceWith = U"/2/ - /1/";
    const Press once = press(settings, {U"Title - Artist.mp3"});
    EXPECT_EQ(press(settings, once.names).names.front(), U"Title - Artist.mp3");
}

} // namespace
