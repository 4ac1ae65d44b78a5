#include "engine/UnicodeCase.h"

#include <gtest/gtest.h>

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

} // namespace
