// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ReplaceAll.h"
#include "engine/ReplaceOperations.h"

#include <array>
#include <vector>

namespace quillon {

namespace {

bool continuesMarker(char32_t c) {
    return c == U'/' || (c >= U'1' && c <= U'9');
}

// First occurrence of delimiter that overlaps no consumed character. The
// consumed characters are kept in a mask beside the name, never written into
// it: "?" and every other character may stand in a name.
std::size_t findUnconsumed(NameView name, const std::vector<bool>& consumed, NameView delimiter) {
    for (std::size_t pos = name.find(delimiter); pos != NameView::npos;
         pos = name.find(delimiter, pos + 1)) {
        bool free = true;
        for (std::size_t i = pos; i < pos + delimiter.size() && free; ++i)
            free = !consumed[i];
        if (free)
            return pos;
    }
    return NameView::npos;
}

constexpr std::array<NameView, 9> kFieldMarkers{U"/1/", U"/2/", U"/3/", U"/4/", U"/5/",
                                                U"/6/", U"/7/", U"/8/", U"/9/"};

} // namespace

std::vector<Name> compileDelimiters(NameView replaceText) {
    // "/a" closes the last literal; the "a" itself never joins a delimiter.
    Name pattern(replaceText);
    pattern.append(U"/a");
    const std::size_t last = pattern.size() - 1;

    std::vector<Name> delimiters;
    std::size_t start = 0;
    std::size_t k = 0;
    while (k < last) {
        if (pattern[k] != U'/') {
            ++k;
            continue;
        }
        if (k > start)
            delimiters.emplace_back(pattern.substr(start, k - start));
        std::size_t f = k + 1;
        while (f < last && continuesMarker(pattern[f]))
            ++f;
        start = f;
        k = f + 1;
    }
    return delimiters;
}

Name applyReformat(const ReformatPattern& pattern, const FinishingSteps& steps, NameView source,
                   const FieldFill* fill) {
    const NameView extension = extensionOf(source);
    const NameView name = namePartOf(source);

    std::vector<bool> consumed(name.size(), false);
    bool found = false;
    for (const Name& delimiter : pattern.delimiters) {
        const std::size_t pos = findUnconsumed(name, consumed, delimiter);
        if (pos == NameView::npos)
            continue;
        found = true;
        std::fill_n(consumed.begin() + static_cast<std::ptrdiff_t>(pos), delimiter.size(), true);
    }
    if (!found)
        return Name(source);

    // Every run of consumed characters between two kept ones starts a new
    // field; a leading run starts none. So a field is a run of kept
    // characters, and fields past the ninth have no marker: they are dropped.
    std::vector<NameView> fields;
    for (std::size_t i = 0; i < name.size();) {
        if (consumed[i]) {
            ++i;
            continue;
        }
        const std::size_t first = i;
        while (i < name.size() && !consumed[i])
            ++i;
        fields.push_back(name.substr(first, i - first));
    }

    Name text = pattern.templateText;
    for (std::size_t k = 0; k < fields.size() && k < kFieldMarkers.size(); ++k)
        replaceAllInPlace(text, kFieldMarkers[k], trimBlanks(fields[k]));
    // A marker of a field the name does not have: the pattern does not fit.
    if (text.find(U'/') != Name::npos)
        return Name(source);
    if (fill)
        fillFieldTokens(*fill->tokens, *fill->values, text, fill->standIns);
    text.append(extension);
    return applyFinishingSteps(steps, text);
}

} // namespace quillon
