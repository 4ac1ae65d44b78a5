// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UnicodeCase.h"
#include "engine/ReplaceAll.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace quillon;

namespace {

TEST(UnicodeCase, SimpleMappingsKeepLength) {
    // German sharp s has a full upper-case mapping of two letters; the simple
    // mapping keeps it one character.
    EXPECT_EQ(toUpperSimple(NameView(U"stra\u00DFe")), U"STRA\u00DFE");
    EXPECT_EQ(toUpperSimple(NameView(U"\u00E9mile")), U"\u00C9MILE");
    EXPECT_EQ(toLowerSimple(NameView(U"\u0394\u0399\u0391")), U"\u03B4\u03B9\u03B1");
}

TEST(UnicodeCase, EscapedBytesAreNotLetters) {
    EXPECT_EQ(toUpperSimple(NameView(U"a\xDCE9")), U"A\xDCE9");
    EXPECT_EQ(foldSimple(NameView(U"\xDCC9")), U"\xDCC9");
}

TEST(UnicodeCase, AsciiChangeLeavesOtherLettersAlone) {
    EXPECT_EQ(toUpperAscii(U'\u00E9'), U'\u00E9');
    EXPECT_EQ(toUpperAscii(U'q'), U'Q');
    EXPECT_EQ(toLowerAscii(U'Q'), U'q');
}

struct CompareCase {
    const char32_t* a;
    const char32_t* b;
    int sign;
};

TEST(UnicodeCase, CompareIgnoringCase) {
    const CompareCase cases[] = {
        {U"a.txt", U"A.TXT", 0}, {U"\u00E9t\u00E9", U"\u00C9T\u00C9", 0},
        {U"b", U"A", 1},         {U"a", U"ab", -1},
        {U"Zebra", U"apple", 1}, {U"_x", U"a", -1}, // '_' sorts before letters in lower case
        {U"\u00E9", U"z", 1},
    };
    for (const auto& c : cases) {
        const int r = compareIgnoringCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
}

// Case-insensitive replacement compares simple upper-case mappings. That
// differs from simple case folding for exactly these letters: where one of
// them stands in a name or in the Replace text, the two comparisons disagree
// about what matches.
TEST(UnicodeCase, ReplacementComparesUpperCaseNotFolding) {
    const struct {
        const char32_t* text;
        const char32_t* from;
        bool matches;
    } rows[] = {
        {U"\u0131", U"I", true},       // dotless i upper-cases to I ...
        {U"\u0131", U"i", true},       // ... and so matches i too
        {U"I", U"\u0131", true},       //
        {U"\u212A", U"k", false},      // Kelvin sign stays itself in upper case
        {U"k", U"\u212A", false},      //
        {U"K", U"\u212A", false},      //
        {U"\u2126", U"\u03C9", false}, // Ohm sign, omega
        {U"\u2126", U"\u03A9", false}, //
        {U"\u212B", U"\u00E5", false}, // Angstrom sign, a with ring
        {U"\u212B", U"\u00C5", false}, //
        {U"\u1E9E", U"\u00DF", false}, // capital and small sharp s
        {U"\u00DF", U"\u1E9E", false}, //
        {U"\u03F4", U"\u03B8", false}, // capital theta symbol, theta
        {U"\u03F4", U"\u0398", false}, //
        {U"\u03D1", U"\u03B8", true},  // theta symbol upper-cases to capital theta
        {U"\u03B8", U"\u0398", true},  //
        {U"\u00E9t\u00E9", U"\u00C9T\u00C9", true},
        {U"\u03C9", U"\u03A9", true},
    };
    for (const auto& row : rows) {
        const Name replaced =
            replaceAllIgnoringCase(row.text, toUpperSimple(NameView(row.from)), U"#");
        EXPECT_EQ(replaced == U"#", row.matches) << std::hex << static_cast<unsigned>(row.text[0])
                                                 << " / " << static_cast<unsigned>(row.from[0]);
    }
}

// The letters above are all there is: for every other pair of code points
// the two comparisons agree, so no other name changes behaviour.
TEST(UnicodeCase, UpperCaseAndFoldingDifferOnEighteenCodePoints) {
    // A code point that neither mapping moves, and that none moves onto, is
    // alone under both; only the others can differ.
    std::set<char32_t> cased;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (foldSimple(c) != c || toUpperSimple(c) != c)
            cased.insert({c, foldSimple(c), toUpperSimple(c)});
    }
    std::map<char32_t, std::set<char32_t>> byFold;
    std::map<char32_t, std::set<char32_t>> byUpper;
    for (char32_t c : cased) {
        byFold[foldSimple(c)].insert(c);
        byUpper[toUpperSimple(c)].insert(c);
    }
    std::set<char32_t> differing;
    for (char32_t c : cased)
        if (byFold[foldSimple(c)] != byUpper[toUpperSimple(c)])
            differing.insert(c);
    const std::set<char32_t> expected = {
        U'I',   U'K',   U'i',   U'k',   0x00C5, 0x00DF, 0x00E5, 0x0131, 0x0398,
        0x03A9, 0x03B8, 0x03C9, 0x03D1, 0x03F4, 0x1E9E, 0x2126, 0x212A, 0x212B,
    };
    EXPECT_EQ(differing, expected);
}

} // namespace
