// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NaturalOrder.h"

#include "engine/UnicodeCase.h"

namespace quillon {

namespace {

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

std::size_t digitRunEnd(NameView s, std::size_t from) {
    while (from < s.size() && isDigit(s[from]))
        ++from;
    return from;
}

// Compares two runs of digits by value, at any length; -1, 0 or 1.
int compareNumbers(NameView a, NameView b) {
    const std::size_t za = std::min(a.find_first_not_of(U'0'), a.size());
    const std::size_t zb = std::min(b.find_first_not_of(U'0'), b.size());
    const NameView va = a.substr(za);
    const NameView vb = b.substr(zb);
    if (va.size() != vb.size())
        return va.size() < vb.size() ? -1 : 1;
    const int c = va.compare(vb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// -1, 0 or 1 without the tie-break; leadingZeros notes the first run of
// equal value that differed in its zeros.
int compareNatural(NameView a, NameView b, int& zeros) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::size_t ei = digitRunEnd(a, i);
            const std::size_t ej = digitRunEnd(b, j);
            if (const int c = compareNumbers(a.substr(i, ei - i), b.substr(j, ej - j)); c != 0)
                return c;
            if (zeros == 0 && ei - i != ej - j)
                zeros = ei - i < ej - j ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const char32_t la = toLowerSimple(a[i]);
        const char32_t lb = toLowerSimple(b[j]);
        if (la != lb)
            return la < lb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return 0;
}

} // namespace

bool naturalLess(NameView a, NameView b) {
    int zeros = 0;
    if (const int c = compareNatural(a, b, zeros); c != 0)
        return c < 0;
    if (zeros != 0)
        return zeros < 0;
    return a < b;
}

} // namespace quillon
