// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillon;

namespace {

struct DecodeCase {
    const char* label;
    std::string bytes;
    Name expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.label;
}

class DecodeTable : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTable, DecodesAndRoundTrips) {
    const auto& c = GetParam();
    EXPECT_EQ(decodeName(c.bytes), c.expected) << c.label;
    EXPECT_EQ(encodeName(decodeName(c.bytes)), c.bytes) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, DecodeTable,
    testing::Values(DecodeCase{"empty", "", U""}, DecodeCase{"ascii", "a.txt", U"a.txt"},
                    DecodeCase{"two-byte", "\xC3\xA9t\xC3\xA9", U"\u00E9t\u00E9"},
                    DecodeCase{"three-byte", "\xE2\x82\xAC", U"\u20AC"},
                    DecodeCase{"four-byte", "\xF0\x9F\x8E\xB5.mp3", U"\U0001F3B5.mp3"},
                    DecodeCase{"latin-1 byte", "caf\xE9.txt", U"caf\xDCE9.txt"},
                    DecodeCase{"lone continuation", "\x80", U"\xDC80"},
                    DecodeCase{"truncated sequence", "\xE2\x82", U"\xDCE2\xDC82"},
                    DecodeCase{"overlong slash", "\xC0\xAF", U"\xDCC0\xDCAF"},
                    DecodeCase{"encoded surrogate", "\xED\xB2\x80", U"\xDCED\xDCB2\xDC80"},
                    DecodeCase{"past U+10FFFF", "\xF4\x90\x80\x80", U"\xDCF4\xDC90\xDC80\xDC80"},
                    DecodeCase{"bad byte then valid", "\xFF\xC3\xA9", U"\xDCFF\u00E9"}),
    [](const auto& info) {
        std::string s = info.param.label;
        for (char& ch : s)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return s;
    });

TEST(Utf8, RandomBytesRoundTripExactly) {
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> len(0, 40);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int i = 0; i < 20000; ++i) {
        std::string s(static_cast<std::size_t>(len(rng)), '\0');
        for (char& ch : s)
            ch = static_cast<char>(byte(rng));
        ASSERT_EQ(encodeName(decodeName(s)), s);
    }
}

TEST(Utf8, UnencodableCodePointsBecomeReplacementCharacter) {
    EXPECT_EQ(encodeName(U"\xD800"), "\xEF\xBF\xBD");
    EXPECT_FALSE(isValidText(decodeName("caf\xE9")));
    EXPECT_TRUE(isValidText(decodeName("caf\xC3\xA9")));
}

} // namespace
