// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CaseTables.h"

#include "engine/CaseCharClasses.h"
#include "engine/UnicodeCase.h"

#include <algorithm>

namespace quillon {

constexpr std::array<std::u32string_view, kSmallWordCount> kSmallWords = {
    U"A",    U"An",   U"The", U"For",  U"And", U"Nor",  U"But",  U"Or",   U"Yet",  U"So",
    U"That", U"In",   U"At",  U"To",   U"Off", U"As",   U"Anti", U"By",   U"Onto", U"Unto",
    U"On",   U"Near", U"Per", U"Than", U"Of",  U"With", U"Amid", U"From", U"Into", U"De",
};

// The personal names are invented; they stand for the kinds users expect the
// table to know: "Mac" surnames, apostrophe prefixes, stage names in capitals,
// a digit prefix, a trailing capital and plain names.
constexpr std::array<std::u32string_view, kKnownWordCount> kKnownWords = {
    U"YMCA",       U"MP3",       U"MPEG",      U"ATB",        U"OMD",        U"2XLC",
    U"DJ",         U"CIA",       U"FBI",       U"3T",         U"COC",        U"BS",
    U"IBM",        U"USRDA",     U"USDA",      U"MS",         U"TV",         U"DIY",
    U"FM",         U"UFO",       U"XP",        U"DC",         U"Orvel JX",   U"MacSkellan",
    U"Sci-Fi",     U"CD",        U"BIOS",      U"FAQ",        U"II",         U"III",
    U"IV",         U"V",         U"VI",        U"VII",        U"VIII",       U"IX",
    U"X",          U"NY",        U"NYC",       U"USA",        U"UK",         U"USSR",
    U"O'Tamsey",   U"D'Arvella", U"God",       U"Ferrandine", U"Paris",      U"10CC",
    U"13Cents",    U"2B3",       U"2Tallow",   U"3Deep",      U"3LW",        U"3T",
    U"4Him",       U"4Play",     U"6X",        U"7Seconds",   U"8Stops7",    U"ABBA",
    U"ABC",        U"ACDC",      U"AC-DC",     U"ACR",        U"AFI",        U"AFX",
    U"AR",         U"AZ",        U"B2K",       U"CC",         U"CKY",        U"CPR",
    U"CTI",        U"Da'Quorra", U"DM",        U"EFX",        U"ELO",        U"ELP",
    U"EMF",        U"Evandrine", U"FourGiven", U"GAK",        U"GWAR",       U"GXQ",
    U"H2SO4",      U"i5",        U"IMx",       U"INXS",       U"IQ",         U"IQU",
    U"JPS",        U"LFO",       U"LFO",       U"M2M",        U"MacBrindle", U"MacOrvell",
    U"MacQuorrin", U"MARRS",     U"MC's",      U"MDO",        U"Melvoran",   U"MetaliuM",
    U"MxPx",       U"NKV",       U"NoFX",      U"NSync",      U"NWA",        U"OFFkey",
    U"PFR",        U"POD",       U"PYT",       U"RaKiT",      U"RatDog",     U"RefugeeCamp",
    U"REM",        U"REO",       U"RES",       U"rulandO",    U"SHeDAiSY",   U"soulDecision",
    U"SR-71",      U"T'Pau",     U"TheStart",  U"TLC",        U"TQ",         U"TrueBliss",
    U"TSOL",       U"UB",        U"UB40",      U"UNKLE",      U"WASP",       U"XL",
    U"XTC",        U"YMO",       U"Z'Nuff",    U"ZOEgirl",    U"ZZ",
};

namespace {

// A short table would leave empty entries at its end, and an empty key would
// match at every word start. Known words are looked up at word starts and end
// before a delimiter, so none may begin or end with one.
constexpr bool allEntriesFit() {
    for (auto word : kKnownWords) {
        if (word.empty() || word.size() > kKnownWordMaxLength ||
            caseclass::endsWord(word.front()) || caseclass::endsWord(word.back()))
            return false;
        for (char32_t c : word) {
            if (c >= 0x80)
                return false;
        }
    }
    for (auto word : kSmallWords) {
        if (word.empty() || word.size() > kSmallWordMaxLength)
            return false;
        for (char32_t c : word) {
            if (c >= 0x80)
                return false;
        }
    }
    return true;
}
static_assert(allEntriesFit(), "table entries are non-empty, short enough, ASCII and trimmed");

// Small words hold no NUL, so words of different lengths never pack alike.
std::uint32_t packSmallWord(std::u32string_view word) {
    std::uint32_t packed = 0;
    for (char32_t c : word)
        packed = (packed << 8) | static_cast<std::uint32_t>(c);
    return packed;
}

} // namespace

CaseTables::CaseTables() {
    static_assert(kKnownWordCount < 256, "indices are stored in bytes");
    std::transform(kSmallWords.begin(), kSmallWords.end(), m_smallPacked.begin(), packSmallWord);
    std::size_t total = 0;
    for (auto word : kKnownWords)
        total += word.size();
    m_keyStore.reserve(total); // the views below must not move
    for (std::size_t i = 0; i < kKnownWordCount; ++i) {
        const std::size_t start = m_keyStore.size();
        for (char32_t c : kKnownWords[i])
            m_keyStore.push_back(toLowerAscii(c));
        m_knownKeys[i] = std::u32string_view(m_keyStore).substr(start, kKnownWords[i].size());
    }

    // Counting sort into the groups keeps table order inside each group.
    auto slot = [](std::u32string_view key) {
        const bool spansWords = std::any_of(key.begin(), key.end(), caseclass::endsWord);
        return key.front() * kGroupsPerCharacter + (spansWords ? 0 : key.size());
    };
    std::array<std::uint8_t, 128 * kGroupsPerCharacter> counts{};
    for (auto key : m_knownKeys)
        ++counts[slot(key)];
    for (std::size_t g = 0; g < counts.size(); ++g)
        m_groupStart[g + 1] = static_cast<std::uint8_t>(m_groupStart[g] + counts[g]);
    std::array<std::uint8_t, 128 * kGroupsPerCharacter> filled{};
    for (std::size_t i = 0; i < kKnownWordCount; ++i) {
        const std::size_t g = slot(m_knownKeys[i]);
        m_grouped[m_groupStart[g] + filled[g]++] = static_cast<std::uint8_t>(i);
    }
}

const CaseTables& CaseTables::instance() {
    static const CaseTables tables;
    return tables;
}

bool CaseTables::isSmallWord(std::u32string_view word) const {
    if (word.empty() || word.size() > kSmallWordMaxLength)
        return false;
    for (char32_t c : word) {
        if (c >= 0x80)
            return false;
    }
    const std::uint32_t packed = packSmallWord(word);
    return std::find(m_smallPacked.begin(), m_smallPacked.end(), packed) != m_smallPacked.end();
}

} // namespace quillon
