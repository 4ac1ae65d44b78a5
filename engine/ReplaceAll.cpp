// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceAll.h"

#include "engine/UnicodeCase.h"

namespace quillon {

namespace {

// Finds matches in `haystack` (the text itself, or its upper-case copy, which has
// the same length) and copies everything else from `text`.
Name replaceMatches(NameView text, NameView haystack, NameView from, NameView to) {
    if (from.empty())
        return Name(text);
    std::size_t pos = haystack.find(from);
    if (pos == NameView::npos)
        return Name(text);
    Name out;
    out.reserve(text.size() + to.size());
    std::size_t start = 0;
    while (pos != NameView::npos) {
        out.append(text.substr(start, pos - start));
        out.append(to);
        start = pos + from.size();
        pos = haystack.find(from, start);
    }
    out.append(text.substr(start));
    return out;
}

} // namespace

Name replaceAll(NameView text, NameView from, NameView to) {
    return replaceMatches(text, text, from, to);
}

Name replaceAllIgnoringCase(NameView text, NameView upperFrom, NameView to) {
    if (upperFrom.empty())
        return Name(text);
    const Name upper = toUpperSimple(text);
    return replaceMatches(text, upper, upperFrom, to);
}

bool replaceAllInPlace(Name& text, NameView from, NameView to) {
    if (from.empty() || text.find(from) == Name::npos)
        return false;
    text = replaceAll(text, from, to);
    return true;
}

NameView trimBlanks(NameView text) {
    const auto isBlank = [](char32_t c) {
        return c <= U' ';
    };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace quillon
