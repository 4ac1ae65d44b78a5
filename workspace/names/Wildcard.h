// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <vector>

namespace quillon {

/// One wildcard pattern of a file mask: "*" matches any run of characters
/// (also none), "?" exactly one, letters match without regard to case, and a
/// pattern ending in ".*" also matches names that have no dot at all (so
/// "*.*" lists every file). An empty pattern matches nothing.
///
/// A backslash before "*", "?", ";" or another backslash stands for that
/// character itself, so a mask can name files that hold them; any other
/// backslash is an ordinary character.
class WildcardPattern final {
public:
    explicit WildcardPattern(NameView pattern);

    bool matches(NameView name) const;

private:
    static bool matchFolded(NameView pattern, NameView name);

    /// The pattern folded, with its wildcards as values no name can hold.
    Name m_folded;
    bool m_empty = true;
    /// Only stars, or stars and ".*": every name matches.
    bool m_matchesAll = false;
    bool m_endsWithDotStar = false;
};

/// Splits a mask text at every ";" that is not escaped into its patterns, in
/// order.
std::vector<WildcardPattern> splitMask(NameView mask);

/// A mask that matches exactly the given names (up to letter case): each
/// name with its wildcard characters, ";" and backslashes escaped, joined by
/// ";".
Name maskForNames(const std::vector<Name>& names);

} // namespace quillon
