// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <vector>

namespace quillon {

/// One wildcard pattern of a file mask: "*" matches any run of characters
/// (also none), "?" exactly one, letters match without regard to case, and a
/// pattern ending in ".*" also matches names that have no dot at all (so
/// "*.*" lists every file). An empty pattern matches nothing.
class WildcardPattern final {
public:
    explicit WildcardPattern(NameView pattern);

    bool matches(NameView name) const;

private:
    static bool matchFolded(NameView pattern, NameView name);

    Name m_folded;
    bool m_empty = true;
    /// Only stars, or stars and ".*": every name matches.
    bool m_matchesAll = false;
    bool m_endsWithDotStar = false;
};

/// Splits a mask text at every ";" into its patterns, in order.
std::vector<WildcardPattern> splitMask(NameView mask);

} // namespace quillon
