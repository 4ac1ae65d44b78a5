// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CaseCharClasses.h"
#include "engine/CaseConversion.h"
#include "engine/CaseTables.h"
#include "engine/UnicodeCase.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace quillon {

namespace {

using namespace caseclass;

// Names are mostly ASCII: keep the common case free of calls into ICU.
char32_t upper(char32_t c) {
    return c < 0x80 ? toUpperAscii(c) : toUpperSimple(c);
}
char32_t lower(char32_t c) {
    return c < 0x80 ? toLowerAscii(c) : toLowerSimple(c);
}

// A word of the working text: a maximal run of non-delimiters.
struct Word {
    enum : std::uint8_t {
        kAfterSeparator = 1,   // the character before it is a word separator
        kAfterPunctuation = 2, // the delimiters before it hold punctuation
        kAfterComma = 4,       // the delimiters before it hold a comma
    };
    int start;
    int end; // position of the delimiter that ends it
    std::uint8_t before;
};

// What a delimiter tells the word after it.
std::uint8_t delimiterFlags(char32_t c) {
    return static_cast<std::uint8_t>((startsPhrase(c) ? Word::kAfterPunctuation : 0) |
                                     (c == U',' ? Word::kAfterComma : 0));
}

// Smart case works on a working text W = "{" + lower-cased name part + "}".
// The braces make the first and last words behave like any other word: each
// follows or precedes a delimiter, yet neither counts as a word separator.
//
// Positions are 1-based: W[1] is "{" and W[L] is "}". W[0] and W[L + 1] are
// guard cells (NUL: no delimiter, no letter) that no step writes, so every
// look at a neighbour stays inside the buffer without a bounds test.
//
// No step turns a delimiter into another character or the reverse: case
// mappings keep delimiters, and known words match delimiters only with
// themselves. So the words are found once, and the steps that act at word
// starts visit that short list instead of testing every character again.
class SmartCaseText {
public:
    /// extraCapacity: room to keep for the extension appended to the result.
    SmartCaseText(NameView namePart, std::size_t extraCapacity, const SmartCaseOptions& options);

    /// Runs the steps in their fixed order; each sees the result of the ones before.
    void convert();
    /// Gives up the converted name part (without braces and guards).
    Name takeNamePart() &&;

private:
    bool mostFirstLetters() const { return m_options.mostLetters; }
    bool upToLastDelimiters() const;

    /// Fills W from the name part and lists its words, apostrophes and "mc"s.
    void readName(NameView namePart);
    void noteMarks(char32_t c, char32_t previous, int j);

    void capitaliseAfterDelimiters();
    void lowerAfterLastDelimiters();
    void lowerSmallWords();
    void capitaliseAfterPunctuation();
    void lowerSecondHyphenElements();
    void spellTheUs();
    void spellKnownWords();
    void capitaliseConsonantWords();
    void capitaliseInitialisms();
    void capitaliseAfterApostrophes();
    void capitaliseAfterMc();
    void capitaliseAfterCommas();
    void capitalisePronounI();

    char32_t& at(int i) { return m_w[static_cast<std::size_t>(i)]; }
    char32_t at(int i) const { return m_w[static_cast<std::size_t>(i)]; }

    // Lists found while the text is built, all in increasing order. Their
    // buffers are reused between calls on one thread.
    struct Scratch {
        std::vector<Word> words;
        std::vector<int> apostrophes; // "'" and "`", which no step changes
        std::vector<int> mcPrefixes;  // "mc" as lowered: only there can "Mc" appear later
        std::vector<std::pair<std::uint8_t, int>> knownWordMatches;
    };
    static Scratch& scratch();

    Name m_w;
    int m_len; // L
    const SmartCaseOptions& m_options;
    const CaseTables& m_tables;
    Scratch& m_scratch;
    std::vector<Word>& m_words;
};

SmartCaseText::Scratch& SmartCaseText::scratch() {
    thread_local Scratch buffers;
    return buffers;
}

SmartCaseText::SmartCaseText(NameView namePart, std::size_t extraCapacity,
                             const SmartCaseOptions& options)
    : m_len(static_cast<int>(namePart.size()) + 2)
    , m_options(options)
    , m_tables(CaseTables::instance())
    , m_scratch(scratch())
    , m_words(m_scratch.words) {
    m_w.reserve(namePart.size() + 4 + extraCapacity);
    m_w.resize(namePart.size() + 4);
    at(1) = U'{';

    m_words.clear();
    m_scratch.apostrophes.clear();
    m_scratch.mcPrefixes.clear();
    readName(namePart);
}

void SmartCaseText::readName(NameView namePart) {
    std::uint8_t runFlags = Word::kAfterPunctuation; // the opening brace
    bool inWord = false;
    char32_t previous = U'{';
    for (int j = 2; j <= m_len; ++j) {
        const char32_t c = j < m_len ? lower(namePart[static_cast<std::size_t>(j - 2)]) : U'}';
        at(j) = c;
        if (endsWord(c)) {
            if (inWord) {
                m_words.back().end = j;
                inWord = false;
                runFlags = 0;
            }
            runFlags |= delimiterFlags(c);
        } else {
            if (!inWord) {
                const std::uint8_t separator = joinsPhrase(previous) ? Word::kAfterSeparator : 0;
                m_words.push_back({j, 0, static_cast<std::uint8_t>(runFlags | separator)});
                inWord = true;
            }
            noteMarks(c, previous, j);
        }
        previous = c;
    }
}

void SmartCaseText::noteMarks(char32_t c, char32_t previous, int j) {
    if (c == U'\'' || c == U'`')
        m_scratch.apostrophes.push_back(j);
    else if (c == U'c' && previous == U'm')
        m_scratch.mcPrefixes.push_back(j - 1);
}

bool SmartCaseText::upToLastDelimiters() const {
    return m_options.mostLettersLastField && m_options.mostLettersLastFieldEnabled;
}

// The order is part of the result: later steps see, and may undo, what
// earlier ones did (punctuation restores a lowered small word, known words
// respell a consonant run that acronyms then capitalise again).
void SmartCaseText::convert() {
    if (mostFirstLetters() || upToLastDelimiters())
        capitaliseAfterDelimiters();
    if (upToLastDelimiters())
        lowerAfterLastDelimiters();
    if (!m_options.smallWords)
        lowerSmallWords();
    capitaliseAfterPunctuation();
    if (!m_options.hyphen)
        lowerSecondHyphenElements();
    if (m_options.knownWords) {
        spellTheUs();
        spellKnownWords();
    }
    if (m_options.unknownAcronyms) {
        capitaliseConsonantWords();
        if (!mostFirstLetters())
            capitaliseInitialisms();
    }
    capitaliseAfterApostrophes();
    capitaliseAfterMc();
    if (m_options.commas)
        capitaliseAfterCommas();
    if (!mostFirstLetters())
        capitalisePronounI();
}

Name SmartCaseText::takeNamePart() && {
    m_w.resize(static_cast<std::size_t>(m_len));
    m_w.erase(0, 2);
    return std::move(m_w);
}

// A delimiter after a delimiter has no case, so only word starts change.
void SmartCaseText::capitaliseAfterDelimiters() {
    for (const Word& word : m_words)
        at(word.start) = upper(at(word.start));
}

// Title case up to the last " - " style separator, sentence case after it.
void SmartCaseText::lowerAfterLastDelimiters() {
    if (m_len - 3 < 2)
        return;
    int n = m_len - 3;
    while (n > 2 && !(startsPhrase(at(n)) && endsWord(at(n - 1)) && endsWord(at(n + 1))))
        --n;
    // Without such a separator n is 2, so lowering starts at the name part's
    // fourth character: short names keep their first capitals.
    for (int i = n + 3; i <= m_len - 1; ++i)
        at(i) = lower(at(i));
}

// A small word counts only as a whole word between word separators, spelled
// with a capital and then lower-case letters. The table order cannot change
// the outcome: a match lowers only its own first letter and no small word
// holds a separator, so one match never makes or breaks another.
void SmartCaseText::lowerSmallWords() {
    const CaseTables& tables = m_tables;
    for (const Word& word : m_words) {
        if (!(word.before & Word::kAfterSeparator) || !joinsPhrase(at(word.end)) ||
            word.end - word.start > static_cast<int>(kSmallWordMaxLength) ||
            at(word.start) < U'A' || at(word.start) > U'Z')
            continue;
        const auto first = m_w.begin() + word.start;
        const auto last = m_w.begin() + word.end;
        if (std::all_of(first + 1, last, [](char32_t c) { return c >= U'a' && c <= U'z'; }) &&
            tables.isSmallWord(NameView(first, last)))
            at(word.start) = toLowerAscii(at(word.start));
    }
}

// Capitalises the first word after punctuation and, with "Most first letters",
// the word before it again (step C may have lowered it). Scanning for the
// punctuation and on over the delimiters always lands on a word start, and
// going back lands on the start of the word before.
void SmartCaseText::capitaliseAfterPunctuation() {
    for (std::size_t k = 0; k < m_words.size(); ++k) {
        if (!(m_words[k].before & Word::kAfterPunctuation))
            continue;
        at(m_words[k].start) = upper(at(m_words[k].start));
        if (mostFirstLetters() && k > 0)
            at(m_words[k - 1].start) = upper(at(m_words[k - 1].start));
    }
}

void SmartCaseText::lowerSecondHyphenElements() {
    for (int j = 2; j <= m_len - 1; ++j) {
        if (at(j) == U'-' && isAsciiLetter(at(j - 1)) && isAsciiLetter(at(j + 1)))
            at(j + 1) = toLowerAscii(at(j + 1));
    }
}

void SmartCaseText::spellTheUs() {
    static constexpr std::u32string_view kTheUs = U"the us";
    for (const Word& word : m_words) {
        const int j = word.start;
        if (word.end != j + 3 || j > m_len - 6 || !endsWord(at(j + 6)))
            continue;
        bool same = true;
        for (int k = 0; k < 6 && same; ++k)
            same = toLowerAscii(at(j + k)) == kTheUs[static_cast<std::size_t>(k)];
        if (same) {
            at(j + 4) = U'U';
            at(j + 5) = U'S';
        }
    }
}

// Matching is on the ASCII lower case of W. Each write puts a spelling whose
// ASCII lower case equals the key it matched, so that lower case never changes
// during this step and needs no copy. A match starts at a word start and ends
// before a delimiter: a key without delimiters must be the whole word, a key
// with some must be longer than it. Where matches overlap, the later table
// entry must win, so they are collected first and written in table order.
void SmartCaseText::spellKnownWords() {
    const CaseTables& tables = m_tables;
    auto& matches = m_scratch.knownWordMatches;
    matches.clear();
    auto matchesAt = [&](std::uint8_t entry, int j) {
        const std::u32string_view key = tables.knownWordKey(entry);
        for (std::size_t k = 0; k < key.size(); ++k) {
            if (toLowerAscii(at(j + static_cast<int>(k))) != key[k])
                return false;
        }
        return true;
    };
    for (const Word& word : m_words) {
        const int j = word.start;
        const char32_t first = toLowerAscii(at(j));
        for (std::uint8_t entry :
             tables.knownWholeWords(first, static_cast<std::size_t>(word.end - j))) {
            if (matchesAt(entry, j))
                matches.emplace_back(entry, j);
        }
        for (std::uint8_t entry : tables.knownMultiWords(first)) {
            const int end = j + static_cast<int>(tables.knownWordKey(entry).size());
            if (end > word.end && end <= m_len && endsWord(at(end)) && matchesAt(entry, j))
                matches.emplace_back(entry, j);
        }
    }
    if (matches.size() > 1)
        std::sort(matches.begin(), matches.end());
    for (const auto& [entry, j] : matches)
        std::copy(kKnownWords[entry].begin(), kKnownWords[entry].end(), m_w.begin() + j);
}

// A word of three or more consonants reads as an acronym (BBC, DVD).
void SmartCaseText::capitaliseConsonantWords() {
    for (const Word& word : m_words) {
        const auto first = m_w.begin() + word.start;
        const auto last = m_w.begin() + word.end;
        if (word.end - word.start >= 3 &&
            std::all_of(first, last, [](char32_t c) { return isAsciiConsonant(c); }))
            std::transform(first, last, first, [](char32_t c) { return toUpperAscii(c); });
    }
}

// "u.s.a" style initialisms: a letter after a delimiter and before a dot that
// is followed two places on by another dot.
void SmartCaseText::capitaliseInitialisms() {
    for (int j = 4; j <= m_len - 3; ++j) {
        if (at(j) == U'.' && at(j + 2) == U'.' && endsWord(at(j - 2)))
            at(j - 1) = toUpperAscii(at(j - 1));
    }
}

void SmartCaseText::capitaliseAfterApostrophes() {
    for (int j : m_scratch.apostrophes) {
        if (endsWord(at(j - 1)) || (at(j - 1) == U'O' && endsWord(at(j - 2))))
            at(j + 1) = toUpperAscii(at(j + 1));
    }
}

// No word-boundary test: "O'Mcguire" becomes "O'McGuire" too. Only an "m"
// can become "M" and only a "c" stays "c", so the places where the text was
// lowered to "mc" are the only ones to look at.
void SmartCaseText::capitaliseAfterMc() {
    for (int j : m_scratch.mcPrefixes) {
        if (at(j) == U'M' && at(j + 1) == U'c')
            at(j + 2) = toUpperAscii(at(j + 2));
    }
}

void SmartCaseText::capitaliseAfterCommas() {
    for (const Word& word : m_words) {
        if (word.before & Word::kAfterComma)
            at(word.start) = upper(at(word.start));
    }
}

void SmartCaseText::capitalisePronounI() {
    for (const Word& word : m_words) {
        if (word.end == word.start + 1 && at(word.start) == U'i')
            at(word.start) = U'I';
    }
}

} // namespace

Name smartCase(NameView name, const SmartCaseOptions& options) {
    const NameView extension = extensionOf(name);
    SmartCaseText text(namePartOf(name), extension.size(), options);
    text.convert();
    Name out = std::move(text).takeNamePart();
    std::ranges::transform(extension, std::back_inserter(out), toLowerAscii);
    return out;
}

} // namespace quillon
