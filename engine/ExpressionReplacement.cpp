// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceOperations.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <memory>

namespace quillon {

namespace {

/// A piece of the With text: literal text, or the text of a group.
struct WithPiece {
    Name literal;
    /// The group whose match stands here; -1 for literal text.
    std::int32_t group = -1;
};

// Steps of the match engine one name may take (ICU counts them in rough
// milliseconds): an expression that backtracks without end on a name of 255
// bytes at most is refused (see gaveUp) instead of hanging the program.
constexpr std::int32_t kStepLimitPerName = 250;

icu::UnicodeString toUtf16(NameView text) {
    icu::UnicodeString out;
    // Escaped bytes (U+DC80..U+DCFF) become lone surrogates, which ICU
    // matches as characters of their own and which come back unchanged.
    for (const char32_t c : text)
        out.append(static_cast<UChar32>(c));
    return out;
}

void appendUtf16(Name& out, const icu::UnicodeString& text, std::int32_t start, std::int32_t end) {
    const UChar* units = text.getBuffer();
    std::int32_t i = start;
    while (i < end) {
        UChar32 c = 0;
        U16_NEXT(units, i, end, c);
        out.push_back(static_cast<char32_t>(c));
    }
}

// The 1-based character position of a UTF-16 offset into text.
std::size_t characterPosition(NameView text, std::int32_t offset) {
    std::int32_t units = 0;
    std::size_t characters = 0;
    while (characters < text.size() && units < offset) {
        units += text[characters] > 0xFFFF ? 2 : 1;
        ++characters;
    }
    return characters + 1;
}

std::string narrow(NameView text) {
    std::string out;
    for (const char32_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// "$" followed by a digit or "{name}" names a group; "\" takes the next
// character literally. Returns the group, or sets error.
std::int32_t readGroup(const icu::RegexPattern& pattern, NameView with, std::size_t& i,
                       std::optional<ExpressionError>& error) {
    const std::size_t start = i;
    if (with[i + 1] >= U'0' && with[i + 1] <= U'9') {
        i += 2;
        return static_cast<std::int32_t>(with[start + 1] - U'0');
    }
    const std::size_t close = with.find(U'}', i + 2);
    if (close == NameView::npos) {
        error = ExpressionError{R"("${" without its "}")", start + 1, true};
        return -1;
    }
    const NameView name = with.substr(i + 2, close - i - 2);
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t group = pattern.groupNumberFromName(toUtf16(name), status);
    i = close + 1;
    if (U_FAILURE(status)) {
        error = ExpressionError{"no group named \"" + narrow(name) + "\"", start + 1, true};
        return -1;
    }
    return group;
}

bool opensGroup(NameView with, std::size_t i) {
    if (with[i] != U'$' || i + 1 >= with.size())
        return false;
    const char32_t next = with[i + 1];
    return (next >= U'0' && next <= U'9') || next == U'{';
}

std::vector<WithPiece> compileWith(const icu::RegexPattern& pattern, std::int32_t groupCount,
                                   NameView with, std::optional<ExpressionError>& error) {
    std::vector<WithPiece> pieces(1);
    std::size_t i = 0;
    while (i < with.size() && !error) {
        if (with[i] == U'\\' && i + 1 < with.size()) {
            pieces.back().literal.push_back(with[i + 1]);
            i += 2;
            continue;
        }
        if (!opensGroup(with, i)) {
            pieces.back().literal.push_back(with[i++]);
            continue;
        }
        const std::size_t at = i;
        const std::int32_t group = readGroup(pattern, with, i, error);
        if (!error && group > groupCount)
            error = ExpressionError{"no group " + std::to_string(group), at + 1, true};
        pieces.push_back({{}, group});
        pieces.emplace_back();
    }
    return pieces;
}

} // namespace

struct CompiledExpression {
    std::unique_ptr<icu::RegexPattern> pattern;
    /// Reset for each name: making one per name would cost an allocation each.
    std::unique_ptr<icu::RegexMatcher> matcher;
    std::vector<WithPiece> with;
    /// The match engine gave up on a name (its step or stack limit): that
    /// name's result is no answer, and the press must be refused.
    mutable bool gaveUp = false;

    Name replaceAll(NameView text) const;
};

Name CompiledExpression::replaceAll(NameView text) const {
    const icu::UnicodeString input = toUtf16(text);
    UErrorCode status = U_ZERO_ERROR;
    matcher->reset(input);
    Name out;
    std::int32_t copied = 0;
    while (matcher->find(status) && U_SUCCESS(status)) {
        appendUtf16(out, input, copied, matcher->start(status));
        for (const WithPiece& piece : with) {
            out.append(piece.literal);
            const std::int32_t start = piece.group < 0 ? -1 : matcher->start(piece.group, status);
            // A group that took no part in the match stands for nothing.
            if (start >= 0)
                appendUtf16(out, input, start, matcher->end(piece.group, status));
        }
        copied = matcher->end(status);
    }
    if (U_FAILURE(status)) {
        gaveUp = true;
        return Name(text);
    }
    appendUtf16(out, input, copied, input.length());
    return out;
}

std::variant<ExpressionReplacement, ExpressionError>
compileExpression(const ReplaceSettings& settings) {
    auto compiled = std::make_shared<CompiledExpression>();
    UParseError where{};
    UErrorCode status = U_ZERO_ERROR;
    const std::uint32_t flags = settings.caseSensitive ? 0 : UREGEX_CASE_INSENSITIVE;
    compiled->pattern.reset(
        icu::RegexPattern::compile(toUtf16(settings.find), flags, where, status));
    if (U_FAILURE(status)) {
        const std::size_t position =
            where.offset >= 0 ? characterPosition(settings.find, where.offset) : 0;
        return ExpressionError{u_errorName(status), position, false};
    }
    compiled->matcher.reset(compiled->pattern->matcher(status));
    if (U_SUCCESS(status))
        compiled->matcher->setTimeLimit(kStepLimitPerName, status);
    if (U_FAILURE(status))
        return ExpressionError{u_errorName(status), 0, false};
    std::optional<ExpressionError> error;
    compiled->with = compileWith(*compiled->pattern, compiled->matcher->groupCount(),
                                 settings.replaceWith, error);
    if (error)
        return *error;
    return ExpressionReplacement{std::move(compiled), settings.scope};
}

bool expressionGaveUp(const ExpressionReplacement& pattern) {
    return pattern.expression && pattern.expression->gaveUp;
}

Name applyExpression(const ExpressionReplacement& pattern, const FinishingSteps& steps,
                     NameView source) {
    const CompiledExpression& expression = *pattern.expression;
    return replaceWithinScope(pattern.scope, steps, source,
                              [&expression](NameView text) { return expression.replaceAll(text); });
}

} // namespace quillon
