// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/Wildcard.h"

#include "engine/UnicodeCase.h"

namespace quillon {

WildcardPattern::WildcardPattern(NameView pattern)
    : m_folded(foldSimple(pattern))
    , m_empty(pattern.empty())
    , m_endsWithDotStar(pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == U".*") {
    const NameView stem = m_endsWithDotStar ? pattern.substr(0, pattern.size() - 2) : pattern;
    m_matchesAll = !stem.empty() && stem.find_first_not_of(U'*') == NameView::npos;
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
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == U'?' || pattern[p] == foldSimple(name[n]))) {
            ++p;
            ++n;
        } else if (starP != NameView::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

std::vector<WildcardPattern> splitMask(NameView mask) {
    std::vector<WildcardPattern> patterns;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semi = mask.find(U';', start);
        patterns.emplace_back(
            mask.substr(start, semi == NameView::npos ? NameView::npos : semi - start));
        if (semi == NameView::npos)
            break;
        start = semi + 1;
    }
    return patterns;
}

} // namespace quillon
