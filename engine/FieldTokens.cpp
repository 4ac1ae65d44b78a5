// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FieldTokens.h"

#include <algorithm>
#include <string_view>

namespace quillon {

namespace {

// Marks lie beyond the last Unicode code point, so neither a decoded name
// nor typed text can hold one.
constexpr char32_t kFirstMark = 0x110000;

constexpr NameView kDefaultDateFormat = U"yyyy-MM-dd HH.mm.ss";

char32_t asciiLower(char32_t c) {
    return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

// Field names are ASCII letters, so a letter case of ASCII alone suffices.
bool isNamed(NameView name, std::string_view fieldText) {
    return std::ranges::equal(name, fieldText, [](char32_t c, char f) {
        return asciiLower(c) == static_cast<char32_t>(f);
    });
}

std::optional<Field> fieldNamed(NameView name) {
    for (const Field f : kAllFields) {
        if (isNamed(name, fieldName(f)))
            return f;
    }
    return std::nullopt;
}

// The runs of one letter a date format knows, longest first.
constexpr std::array<NameView, 12> kDateParts{U"yyyy", U"yy", U"MM", U"M", U"dd", U"d",
                                              U"HH",   U"H",  U"mm", U"m", U"ss", U"s"};

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A date format may hold the parts above and any other text that a name
// can hold, but no other letter (a typo would otherwise stand in every
// name) and nothing a date in a name must not hold.
bool validDateFormat(NameView format) {
    for (std::size_t i = 0; i < format.size();) {
        const char32_t c = format[i];
        if (c == U':' || c == U'/' || c == U'<' || c == U'*' || isControl(c))
            return false;
        if (!isAsciiLetter(c)) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        for (const NameView part : kDateParts) {
            if (format.substr(i, part.size()) == part) {
                length = part.size();
                break;
            }
        }
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::optional<FieldToken> compileToken(NameView inside) {
    const std::size_t colon = inside.find(U':');
    const auto field = fieldNamed(inside.substr(0, colon));
    if (!field)
        return std::nullopt;
    FieldToken token{*field, 0, {}};
    const bool hasFormat = colon != NameView::npos;
    const NameView format = hasFormat ? inside.substr(colon + 1) : NameView{};
    switch (fieldKind(*field)) {
    case FieldKind::Text:
        if (hasFormat)
            return std::nullopt;
        break;
    case FieldKind::Number:
        if (hasFormat && (format.empty() || format.find_first_not_of(U'0') != NameView::npos))
            return std::nullopt;
        token.padWidth = format.size();
        break;
    case FieldKind::Date:
        if (hasFormat && (format.empty() || !validDateFormat(format)))
            return std::nullopt;
        token.dateFormat = Name(hasFormat ? format : kDefaultDateFormat);
        break;
    }
    return token;
}

void appendPadded(Name& out, std::uint64_t value, std::size_t width) {
    Name digits;
    do {
        digits.insert(digits.begin(), static_cast<char32_t>(U'0' + value % 10));
        value /= 10;
    } while (value != 0);
    if (width > digits.size())
        out.append(width - digits.size(), U'0');
    out.append(digits);
}

std::uint64_t datePart(const FieldDate& d, char32_t letter) {
    const auto clampAtZero = [](int v) {
        return static_cast<std::uint64_t>(v < 0 ? 0 : v);
    };
    switch (letter) {
    case U'y':
        return clampAtZero(d.year);
    case U'M':
        return clampAtZero(d.month);
    case U'd':
        return clampAtZero(d.day);
    case U'H':
        return clampAtZero(d.hour);
    case U'm':
        return clampAtZero(d.minute);
    default:
        return clampAtZero(d.second);
    }
}

void appendDate(Name& out, const FieldDate& date, NameView format) {
    for (std::size_t i = 0; i < format.size();) {
        const char32_t c = format[i];
        if (!isAsciiLetter(c)) {
            out.push_back(c);
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        std::uint64_t value = datePart(date, c);
        if (c == U'y' && run == 2)
            value %= 100;
        appendPadded(out, value, c == U'y' && run == 4 ? 4 : run);
        i += run;
    }
}

// Tags come from editors of every kind: a value may be padded with
// no-break, wide or zero-width spaces as well as with ASCII ones.
bool isValueBlank(char32_t c) {
    return c <= U' ' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) || c == 0x202F ||
           c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

void appendValue(Name& out, const FieldToken& token, const FieldValues& values) {
    const auto i = static_cast<std::size_t>(token.field);
    switch (fieldKind(token.field)) {
    case FieldKind::Text:
        out.append(safeFieldText(values.text[i]));
        break;
    case FieldKind::Number:
        appendPadded(out, values.number[i], token.padWidth);
        break;
    case FieldKind::Date:
        appendDate(out, values.date[i], token.dateFormat);
        break;
    }
}

} // namespace

FieldSet FieldTokens::needed() const {
    FieldSet fields;
    for (const FieldToken& t : tokens)
        fields.add(t.field);
    return fields;
}

bool isFieldTokenMark(char32_t c) {
    return c >= kFirstMark;
}

std::optional<RefusalCode> extractFieldTokens(Name& withText, FieldTokens& tokens) {
    if (withText.find(U'<') == Name::npos)
        return std::nullopt;
    Name out;
    for (std::size_t i = 0; i < withText.size(); ++i) {
        if (withText[i] != U'<') {
            out.push_back(withText[i]);
            continue;
        }
        const std::size_t close = withText.find(U'>', i + 1);
        if (close == Name::npos)
            return RefusalCode::FieldTokenInvalid;
        auto token = compileToken(NameView(withText).substr(i + 1, close - i - 1));
        if (!token)
            return RefusalCode::FieldTokenInvalid;
        out.push_back(kFirstMark + static_cast<char32_t>(tokens.tokens.size()));
        tokens.tokens.push_back(std::move(*token));
        i = close;
    }
    withText = std::move(out);
    return std::nullopt;
}

Name safeFieldText(NameView value) {
    Name safe;
    safe.reserve(value.size());
    for (const char32_t c : value) {
        // A leading dot would hide the file; blanks between leading dots too.
        if (isControl(c) || (safe.empty() && (c == U'.' || isValueBlank(c))))
            continue;
        safe.push_back(c == U'/' ? U'-' : c);
    }
    while (!safe.empty() && isValueBlank(safe.back()))
        safe.pop_back();
    return safe;
}

FieldSet missingFields(const FieldTokens& tokens, const FieldValues& values) {
    FieldSet missing = tokens.needed().without(values.present);
    for (const FieldToken& t : tokens.tokens) {
        if (fieldKind(t.field) == FieldKind::Text && values.has(t.field) &&
            safeFieldText(values.text[fieldIndex(t.field)]).empty())
            missing.add(t.field);
    }
    return missing;
}

void fillFieldTokens(const FieldTokens& tokens, const FieldValues& values, Name& text,
                     FieldSet standIns) {
    Name out;
    out.reserve(text.size() + 32);
    for (const char32_t c : text) {
        const std::size_t index = c - kFirstMark;
        if (!isFieldTokenMark(c) || index >= tokens.tokens.size()) {
            out.push_back(c);
            continue;
        }
        const FieldToken& token = tokens.tokens[index];
        if (standIns.has(token.field))
            out.push_back(U'x');
        else
            appendValue(out, token, values);
    }
    text = std::move(out);
}

} // namespace quillon
