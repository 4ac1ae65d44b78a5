// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

namespace quillon {

/// Unicode simple case mappings (one code point to one code point), so a
/// conversion never changes the length of a name. Escaped bytes map to themselves.
char32_t toUpperSimple(char32_t c);
char32_t toLowerSimple(char32_t c);
/// Simple case folding, for comparisons without regard to letter case.
char32_t foldSimple(char32_t c);

Name toUpperSimple(NameView name);
Name toLowerSimple(NameView name);
Name foldSimple(NameView name);

/// ASCII-only case change: only "a".."z" / "A".."Z" change.
inline char32_t toUpperAscii(char32_t c) {
    return (c >= U'a' && c <= U'z') ? c - 32 : c;
}
inline char32_t toLowerAscii(char32_t c) {
    return (c >= U'A' && c <= U'Z') ? c + 32 : c;
}

/// Orders names without regard to case (simple lower case of each code point);
/// returns <0, 0 or >0. Equal results still leave ties to the caller.
int compareIgnoringCase(NameView a, NameView b);

} // namespace quillon
