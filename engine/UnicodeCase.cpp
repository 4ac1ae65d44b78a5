// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UnicodeCase.h"

#include <unicode/uchar.h>

namespace quillon {

namespace {

// Escaped bytes sit in the surrogate range; ICU leaves those alone, but the
// ASCII fast path also keeps the common case free of library calls.
template <typename AsciiFn, typename IcuFn>
char32_t mapOne(char32_t c, AsciiFn ascii, IcuFn icu) {
    if (c < 0x80)
        return ascii(c);
    return static_cast<char32_t>(icu(static_cast<UChar32>(c)));
}

template <typename Fn>
Name mapAll(NameView name, Fn fn) {
    Name out(name);
    for (char32_t& c : out)
        c = fn(c);
    return out;
}

} // namespace

char32_t toUpperSimple(char32_t c) {
    return mapOne(c, toUpperAscii, [](UChar32 u) { return u_toupper(u); });
}

char32_t toLowerSimple(char32_t c) {
    return mapOne(c, toLowerAscii, [](UChar32 u) { return u_tolower(u); });
}

char32_t foldSimple(char32_t c) {
    return mapOne(c, toLowerAscii, [](UChar32 u) { return u_foldCase(u, U_FOLD_CASE_DEFAULT); });
}

Name toUpperSimple(NameView name) {
    return mapAll(name, [](char32_t c) { return toUpperSimple(c); });
}

Name toLowerSimple(NameView name) {
    return mapAll(name, [](char32_t c) { return toLowerSimple(c); });
}

Name foldSimple(NameView name) {
    return mapAll(name, [](char32_t c) { return foldSimple(c); });
}

int compareIgnoringCase(NameView a, NameView b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t x = toLowerSimple(a[i]);
        const char32_t y = toLowerSimple(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace quillon
