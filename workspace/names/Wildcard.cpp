// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/Wildcard.h"

#include "engine/UnicodeCase.h"

namespace quillon {

namespace {

// Beyond Unicode: no decoded name holds them, so a literal "*" or "?" of a
// name never meets a wildcard.
constexpr char32_t kAnyRun = 0x110000;
constexpr char32_t kAnyOne = 0x110001;

bool isEscapable(char32_t c) {
    return c == U'*' || c == U'?' || c == U';' || c == U'\\';
}

bool escapesNext(NameView text, std::size_t i) {
    return text[i] == U'\\' && i + 1 < text.size() && isEscapable(text[i + 1]);
}

Name compile(NameView pattern) {
    Name compiled;
    compiled.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (escapesNext(pattern, i))
            compiled += pattern[++i];
        else if (pattern[i] == U'*')
            compiled += kAnyRun;
        else if (pattern[i] == U'?')
            compiled += kAnyOne;
        else
            compiled += foldSimple(pattern[i]);
    }
    return compiled;
}

} // namespace

WildcardPattern::WildcardPattern(NameView pattern)
    : m_folded(compile(pattern))
    , m_empty(pattern.empty()) {
    const std::size_t size = m_folded.size();
    m_endsWithDotStar = size >= 2 && m_folded[size - 2] == U'.' && m_folded[size - 1] == kAnyRun;
    const NameView stem = NameView(m_folded).substr(0, m_endsWithDotStar ? size - 2 : size);
    m_matchesAll = !stem.empty() && stem.find_first_not_of(kAnyRun) == NameView::npos;
}

bool WildcardPattern::matches(NameView name) const {
    if (m_empty)
        return false;
    // "*.*", the mask most folders are read with, needs no walk.
    if (m_matchesAll)
        return true;
    if (matchFolded(m_folded, name))
        return true;
    if (m_endsWithDotStar && name.find(U'.') == NameView::npos) {
        const NameView stem = NameView(m_folded).substr(0, m_folded.size() - 2);
        return matchFolded(stem, name);
    }
    return false;
}

// Greedy matching with one backtrack point: on a mismatch only the most
// recent "*" needs to absorb one more character, which keeps the match linear
// in practice and quadratic at worst, never exponential.
bool WildcardPattern::matchFolded(NameView pattern, NameView name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = NameView::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == kAnyRun) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == kAnyOne || pattern[p] == foldSimple(name[n]))) {
            ++p;
            ++n;
        } else if (starP != NameView::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == kAnyRun)
        ++p;
    return p == pattern.size();
}

std::vector<WildcardPattern> splitMask(NameView mask) {
    std::vector<WildcardPattern> patterns;
    std::size_t start = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (escapesNext(mask, i)) {
            ++i;
        } else if (mask[i] == U';') {
            patterns.emplace_back(mask.substr(start, i - start));
            start = i + 1;
        }
    }
    patterns.emplace_back(mask.substr(start));
    return patterns;
}

Name maskForNames(const std::vector<Name>& names) {
    Name mask;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            mask += U';';
        for (const char32_t c : names[i]) {
            if (isEscapable(c))
                mask += U'\\';
            mask += c;
        }
    }
    return mask;
}

} // namespace quillon
