// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quillon::caseclass {

// The case conversions split words with these ASCII sets only, also in
// non-ASCII names: an accented letter is a letter to the case mappings but
// never a delimiter, a consonant or a word boundary.

inline constexpr std::u32string_view kWordEnds = U" !$%&(),-.@[]_{}~";
inline constexpr std::u32string_view kPhraseJoins = U" _,";

namespace detail {

enum : std::uint8_t { kWordEnd = 1, kPhraseJoin = 2, kConsonant = 4 };

// Smart case tests these classes a few times per character: one table lookup
// each instead of a chain of comparisons.
constexpr std::array<std::uint8_t, 128> makeClassTable() {
    std::array<std::uint8_t, 128> table{};
    for (char32_t c : kWordEnds)
        table[c] |= kWordEnd;
    for (char32_t c : kPhraseJoins)
        table[c] |= kPhraseJoin;
    for (char32_t c = U'a'; c <= U'z'; ++c) {
        if (std::u32string_view(U"aeiouy").find(c) == std::u32string_view::npos) {
            table[c] |= kConsonant;
            table[c - 32] |= kConsonant;
        }
    }
    return table;
}

inline constexpr std::array<std::uint8_t, 128> kClassTable = makeClassTable();

constexpr bool hasClass(char32_t c, std::uint8_t bit) {
    return c < 128 && (kClassTable[c] & bit) != 0;
}

} // namespace detail

/// Characters that end a word for capitalisation.
constexpr bool endsWord(char32_t c) {
    return detail::hasClass(c, detail::kWordEnd);
}

/// Word separators: the delimiters between words of one phrase.
constexpr bool joinsPhrase(char32_t c) {
    return detail::hasClass(c, detail::kPhraseJoin);
}

/// The delimiters that start a new phrase.
constexpr bool startsPhrase(char32_t c) {
    return c < 128 &&
           (detail::kClassTable[c] & (detail::kWordEnd | detail::kPhraseJoin)) == detail::kWordEnd;
}

constexpr bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

/// ASCII consonants of either case; Y counts as a vowel.
constexpr bool isAsciiConsonant(char32_t c) {
    return detail::hasClass(c, detail::kConsonant);
}

static_assert(kWordEnds.size() == 17 && startsPhrase(U'{') && !startsPhrase(U',') &&
              isAsciiConsonant(U'B') && !isAsciiConsonant(U'y') && !isAsciiConsonant(U'\u00F1'));

} // namespace quillon::caseclass
