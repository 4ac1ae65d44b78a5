// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceTestSupport.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

struct SearchCase {
    NameView source;
    NameView from;
    NameView to;
    bool caseSensitive;
    Scope scope;
    NameView expected;
};

void PrintTo(const SearchCase& c, std::ostream* os) {
    *os << utf8(c.source) << " [" << utf8(c.from) << " -> " << utf8(c.to) << "]";
}

class RegularReplacementTable : public testing::TestWithParam<SearchCase> {};

TEST_P(RegularReplacementTable, Replaces) {
    const SearchCase& c = GetParam();
    ReplaceSettings settings = quietSettings();
    settings.find = c.from;
    settings.replaceWith = c.to;
    settings.caseSensitive = c.caseSensitive;
    settings.scope = c.scope;
    EXPECT_EQ(utf8(pressOne(settings, c.source)), utf8(c.expected));
}

constexpr Scope kNames = Scope::FileNamesOnly;
constexpr Scope kExt = Scope::ExtensionsOnly;
constexpr Scope kBoth = Scope::Both;

INSTANTIATE_TEST_SUITE_P(
    Examples, RegularReplacementTable,
    testing::Values(
        SearchCase{U"Cats and Dogs.txt", U"Dogs", U"Mice", false, kNames, U"Cats and Mice.txt"},
        SearchCase{U"Cats and Dogs.txt", U"dogs", U"Mice", true, kNames, U"Cats and Dogs.txt"},
        SearchCase{U"Cats and Dogs.txt", U"s", U"", true, kNames, U"Cat and Dog.txt"},
        SearchCase{U"photo.JPG", U"jpg", U"jpeg", false, kExt, U"photo.jpeg"},
        SearchCase{U"notes.txt", U"txt", U"", false, kExt, U"notes"},
        SearchCase{U"a.b.txt", U".", U"-", false, kBoth, U"a-b-txt"},
        SearchCase{U"a.b.txt", U".", U"-", false, kNames, U"a-b.txt"},
        SearchCase{U"aaaa.txt", U"aa", U"a", false, kNames, U"aa.txt"},
        // Under "Both" the "x" of an extension ".txt" would be replaced too.
        SearchCase{U"x.doc", U"x", U"y_z", false, kBoth, U"y z.doc"},
        SearchCase{U"x.txt", U"x", U"y_z", false, kBoth, U"y z.ty zt"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, RegularReplacementTable,
    testing::Values(
        SearchCase{U"README", U"README", U"x", false, kExt, U"README"},
        SearchCase{U"a.b.txt", U".", U"-", false, kExt, U"a.b.txt"},
        SearchCase{U"a.b.txt", U"txt", U"", false, kExt, U"a.b"},
        SearchCase{U"a. b.", U"x", U"y", false, kExt, U"a. b."}, // a bare "." stays
        SearchCase{U"\u00E9t\u00E9.txt", U"\u00C9T\u00C9", U"summer", false, kNames, U"summer.txt"},
        SearchCase{U"\u00E9t\u00E9.txt", U"\u00C9T\u00C9", U"summer", true, kNames,
                   U"\u00E9t\u00E9.txt"},
        SearchCase{U"aXbxc", U"x", U"xx", false, kNames, U"axxbxxc"}, // output is never searched
        SearchCase{U"What? Why?.mp3", U"?", U"!", false, kNames, U"What! Why!.mp3"},
        SearchCase{U"bad\xDCFF\xDC80.txt", U"\xDCFF", U"", false, kNames, U"bad\xDC80.txt"},
        SearchCase{U"", U"a", U"b", false, kBoth, U""},
        SearchCase{U"a*b.txt", U"a*b", U"c", false, kNames, U"c.txt"}));

TEST(RegularReplacement, LongExtensionsAreHandledWhole) {
    const Name part = U"song";
    const Name extension = U"." + Name(70, U'e') + U"x";
    ReplaceSettings settings = quietSettings();
    settings.find = U"x";
    settings.replaceWith = U"y";
    EXPECT_EQ(pressOne(settings, U"xsong" + extension), U"ysong" + extension);
    settings.scope = Scope::ExtensionsOnly;
    EXPECT_EQ(pressOne(settings, U"xsong" + extension), U"xsong." + Name(70, U'e') + U"y");
    settings.find = U"e";
    settings.replaceWith = U"";
    EXPECT_EQ(pressOne(settings, part + extension), part + U".x");
}

TEST(RegularReplacement, LongNamesAreHandledWhole) {
    const Name name = Name(300, U'a') + U"b" + Name(300, U'a') + U".txt";
    ReplaceSettings settings = quietSettings();
    settings.find = U"b";
    settings.replaceWith = U"c";
    EXPECT_EQ(pressOne(settings, name), Name(300, U'a') + U"c" + Name(300, U'a') + U".txt");
    settings.find = U"zzz";
    EXPECT_EQ(pressOne(settings, name), name);
}

TEST(RegularReplacement, FinishingStepsSeeTheNewExtension) {
    // The extension of "a.b.txt" emptied: the finishing steps under
    // "Extensions only" work on ".b", the new extension of "a.b".
    ReplaceSettings settings = quietSettings();
    settings.scope = Scope::ExtensionsOnly;
    settings.find = U"txt";
    settings.insertEnabled = true;
    settings.insertPos = U"0";
    settings.insertText = U"X";
    EXPECT_EQ(pressOne(settings, U"a.b.txt"), U"a.bX");
}

} // namespace
