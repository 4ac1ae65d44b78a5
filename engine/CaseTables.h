// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quillon {

/// Articles, prepositions and conjunctions that Smart case writes in lower
/// case between two words, spelled as Smart case finds them after its first
/// pass (capital first letter), in search order.
inline constexpr std::size_t kSmallWordCount = 30;
inline constexpr std::size_t kSmallWordMaxLength = 4;
extern const std::array<std::u32string_view, kSmallWordCount> kSmallWords;

/// Words and names that Smart case writes with a fixed spelling, in search
/// order: where two matches overlap, the later entry wins. Duplicates are kept
/// so the table reads as users know it.
inline constexpr std::size_t kKnownWordCount = 137;
inline constexpr std::size_t kKnownWordMaxLength = 15;
extern const std::array<std::u32string_view, kKnownWordCount> kKnownWords;

/// Lookups over the word tables, built once (thread-safe) on first use.
class CaseTables {
public:
    static const CaseTables& instance();

    /// ASCII lower case of kKnownWords[index]: what a name is matched against.
    std::u32string_view knownWordKey(std::size_t index) const { return m_knownKeys[index]; }

    /// Indices of the known words without a delimiter whose key has this first
    /// character and length, in table order: the only ones that can match a
    /// whole word that starts with first and has that length.
    std::span<const std::uint8_t> knownWholeWords(char32_t first, std::size_t length) const {
        return first < 128 && length <= kKnownWordMaxLength ? group(first, length) : noEntries();
    }

    /// Indices of the known words with this first character that hold a
    /// delimiter and so span several words, in table order.
    std::span<const std::uint8_t> knownMultiWords(char32_t first) const {
        return first < 128 ? group(first, 0) : noEntries();
    }

    /// Whether word, compared exactly, is one of the small words.
    bool isSmallWord(std::u32string_view word) const;

    CaseTables(const CaseTables&) = delete;
    CaseTables& operator=(const CaseTables&) = delete;

private:
    CaseTables();

    static constexpr std::size_t kGroupsPerCharacter = kKnownWordMaxLength + 1;

    std::span<const std::uint8_t> group(char32_t first, std::size_t length) const {
        return groupAt(first * kGroupsPerCharacter + length);
    }
    std::span<const std::uint8_t> groupAt(std::size_t g) const {
        return {m_grouped.data() + m_groupStart[g], m_grouped.data() + m_groupStart[g + 1]};
    }
    static std::span<const std::uint8_t> noEntries() { return {}; }

    // Each small word packed into one integer, a byte per character, so that a
    // lookup is a scan over 30 integers.
    std::array<std::uint32_t, kSmallWordCount> m_smallPacked{};

    // Known words grouped by first character and length, where the words that
    // span several words take the place of length 0 (no key is empty):
    // group g is m_grouped[m_groupStart[g] .. m_groupStart[g + 1]).
    std::array<std::uint8_t, kKnownWordCount> m_grouped{};
    std::array<std::uint8_t, 128 * kGroupsPerCharacter + 1> m_groupStart{};

    std::u32string m_keyStore;
    std::array<std::u32string_view, kKnownWordCount> m_knownKeys{};
};

} // namespace quillon
