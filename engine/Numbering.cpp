// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceOperations.h"
#include "engine/StrictNumber.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace quillon {

namespace {

// The With text between two consumed end positions. Consuming a character
// sets its flag; the character itself stays, because any character ("?"
// included) may be literal text of the new names.
class MaskedText final {
public:
    explicit MaskedText(NameView text);

    std::size_t size() const { return m_chars.size(); }
    char32_t at(std::size_t i) const { return m_chars[i]; }
    bool isConsumed(std::size_t i) const { return m_consumed[i]; }
    void consume(std::size_t i) { m_consumed[i] = true; }
    void consume(std::size_t first, std::size_t end);

    /// First unconsumed c at or after from.
    std::size_t find(char32_t c, std::size_t from = 0) const;
    /// First i where unconsumed a and b stand at i and i + 1.
    std::size_t findPair(char32_t a, char32_t b) const;

private:
    Name m_chars;
    std::vector<bool> m_consumed;
};

MaskedText::MaskedText(NameView text)
    : m_consumed(text.size() + 2, false) {
    m_chars.reserve(text.size() + 2);
    m_chars.push_back(0);
    m_chars.append(text);
    m_chars.push_back(0);
    m_consumed.front() = true;
    m_consumed.back() = true;
}

void MaskedText::consume(std::size_t first, std::size_t end) {
    for (std::size_t i = first; i < end; ++i)
        m_consumed[i] = true;
}

std::size_t MaskedText::find(char32_t c, std::size_t from) const {
    for (std::size_t i = from; i < m_chars.size(); ++i) {
        if (!m_consumed[i] && m_chars[i] == c)
            return i;
    }
    return Name::npos;
}

std::size_t MaskedText::findPair(char32_t a, char32_t b) const {
    for (std::size_t i = 0; i + 1 < m_chars.size(); ++i) {
        if (!m_consumed[i] && !m_consumed[i + 1] && m_chars[i] == a && m_chars[i + 1] == b)
            return i;
    }
    return Name::npos;
}

std::size_t decimalWidth(std::int64_t value) {
    return std::to_string(value).size();
}

void appendNumber(Name& out, std::uint64_t value, std::size_t padWidth) {
    char32_t digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char32_t>(U'0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (padWidth > count)
        out.append(padWidth - count, U'0');
    while (count > 0)
        out.push_back(digits[--count]);
}

// The tokens of a With text are read in a fixed order, each consuming its
// characters so the later ones do not see them: the extension token first,
// because its "/" would otherwise open a number token.

// Extension token "/.ext/" (or "/./"), and the spaces after it.
std::optional<RefusalCode> readExtensionToken(MaskedText& w, FileNameReplacement& plan) {
    const std::size_t p = w.findPair(U'/', U'.');
    if (p == Name::npos)
        return std::nullopt;
    w.consume(p);
    if (w.findPair(U'/', U'.') != Name::npos)
        return RefusalCode::ExtensionTwice;
    const std::size_t q = w.find(U'/', p + 1);
    if (q == Name::npos)
        return RefusalCode::ExtensionNotClosed;
    w.consume(p + 1);
    w.consume(q);
    for (std::size_t i = q + 1; i < w.size() && !w.isConsumed(i) && w.at(i) == U' '; ++i)
        w.consume(i);
    if (q - p <= 2) {
        plan.extensionMode = ExtensionMode::Drop;
        return std::nullopt;
    }
    for (std::size_t i = p + 2; i < q; ++i)
        plan.newExtension.push_back(w.at(i));
    w.consume(p + 2, q);
    plan.extensionMode = ExtensionMode::Replace;
    return std::nullopt;
}

enum class Padding : std::uint8_t { None, Fixed, Automatic };

// "n1" asks for no padding (the "n" is dropped from text), "001" for its own
// width; a number that runs across another token is never taken as either.
Padding takePadding(Name& text, bool spansToken) {
    if (spansToken)
        return Padding::Automatic;
    if (text.front() == U'n' || text.front() == U'N') {
        text.erase(0, 1);
        return Padding::None;
    }
    if (text.front() == U'0' && text.size() > 1)
        return Padding::Fixed;
    return Padding::Automatic;
}

std::size_t padWidthFor(Padding padding, std::size_t digitCount, std::int64_t lastNumber) {
    switch (padding) {
    case Padding::None:
        return 0;
    case Padding::Fixed:
        return digitCount;
    case Padding::Automatic:
        // Wide enough for the last number the list can need.
        return decimalWidth(lastNumber);
    }
    return 0;
}

// Number token "/1/", "/001/" or "/n1/".
std::optional<RefusalCode> readNumberToken(MaskedText& w, std::int64_t entries,
                                           FileNameReplacement& plan) {
    const std::size_t a = w.find(U'/');
    if (a == Name::npos)
        return std::nullopt;
    w.consume(a);
    const std::size_t b = w.find(U'/', a + 1);
    if (b == Name::npos)
        return RefusalCode::SecondSlashMissing;
    if (b == a + 1)
        return RefusalCode::NumberExpected;
    w.consume(b);
    Name text;
    bool spansToken = false; // the number would run across another token
    for (std::size_t i = a + 1; i < b; ++i) {
        text.push_back(w.at(i));
        spansToken = spansToken || w.isConsumed(i);
    }
    w.consume(a + 1, b);

    const Padding padding = takePadding(text, spansToken);
    if (padding == Padding::None && text.empty())
        return RefusalCode::NumberMissingAfterN;
    const auto start = spansToken ? std::nullopt : parseStrictInteger(text);
    if (!start || *start < 0 || *start > std::numeric_limits<std::int64_t>::max() - entries)
        return RefusalCode::BadStartNumber;
    plan.startNumber = static_cast<std::uint64_t>(*start);
    plan.padWidth = padWidthFor(padding, text.size(), *start + entries - 1);
    plan.pieces.push_back({NamePiece::Kind::Number, a, {}});
    return std::nullopt;
}

// Old-name token "*".
std::optional<RefusalCode> readOldNameToken(MaskedText& w, FileNameReplacement& plan) {
    const std::size_t s = w.find(U'*');
    if (s == Name::npos)
        return std::nullopt;
    w.consume(s);
    if (w.find(U'*') != Name::npos)
        return RefusalCode::StarTwice;
    plan.pieces.push_back({NamePiece::Kind::OldName, s, {}});
    return std::nullopt;
}

// What the tokens left over that a new name cannot hold.
std::optional<RefusalCode> checkLeftovers(const MaskedText& w, const FileNameReplacement& plan) {
    if (w.find(U'/') != Name::npos)
        return RefusalCode::TooManySlashes;
    if (plan.newExtension.find(U'*') != Name::npos)
        return RefusalCode::StarInNewExtension;
    if (plan.newExtension.find(U'.') != Name::npos)
        return RefusalCode::DotInNewExtension;
    return std::nullopt;
}

// Whatever no token consumed is literal text, blanks included.
void addLiteralRuns(const MaskedText& w, FileNameReplacement& plan) {
    for (std::size_t i = 0; i < w.size();) {
        if (w.isConsumed(i)) {
            ++i;
            continue;
        }
        NamePiece run{NamePiece::Kind::Literal, i, {}};
        for (; i < w.size() && !w.isConsumed(i); ++i)
            run.text.push_back(w.at(i));
        plan.pieces.push_back(std::move(run));
    }
}

} // namespace

std::variant<FileNameReplacement, RefusalCode> compileFileNameReplacement(NameView withText,
                                                                          std::size_t entryCount) {
    FileNameReplacement plan;
    MaskedText w(withText);
    const auto entries = static_cast<std::int64_t>(
        std::min<std::size_t>(entryCount, std::numeric_limits<std::int64_t>::max()));

    if (auto refusal = readExtensionToken(w, plan))
        return *refusal;
    if (auto refusal = readNumberToken(w, entries, plan))
        return *refusal;
    if (auto refusal = readOldNameToken(w, plan))
        return *refusal;
    if (auto refusal = checkLeftovers(w, plan))
        return *refusal;
    addLiteralRuns(w, plan);

    // A With text that is only an extension token changes only the extension.
    if (plan.extensionMode != ExtensionMode::Keep && plan.pieces.empty())
        plan.pieces.push_back({NamePiece::Kind::OldName, 0, {}});

    std::ranges::sort(plan.pieces, {}, &NamePiece::position);
    return plan;
}

Name applyNumbering(const FileNameReplacement& pattern, const FinishingSteps& steps,
                    NameView source, ReplaceCounter& counter, const FieldFill* fill) {
    const NameView namePart = namePartOf(source);
    const std::uint64_t number = counter.take();

    Name result;
    result.reserve(source.size() + 16);
    for (const NamePiece& piece : pattern.pieces) {
        switch (piece.kind) {
        case NamePiece::Kind::Literal:
            result.append(piece.text);
            break;
        case NamePiece::Kind::Number:
            appendNumber(result, number, pattern.padWidth);
            break;
        case NamePiece::Kind::OldName:
            result.append(namePart);
            break;
        }
    }
    switch (pattern.extensionMode) {
    case ExtensionMode::Keep:
        result.append(extensionOf(source));
        break;
    case ExtensionMode::Drop:
        break;
    case ExtensionMode::Replace:
        result.append(1, U'.').append(pattern.newExtension);
        break;
    }
    if (fill)
        fillFieldTokens(*fill->tokens, *fill->values, result, fill->standIns);
    return applyFinishingSteps(steps, result);
}

} // namespace quillon
