// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/StrictNumber.h"

#include <limits>

namespace quillon {

std::optional<std::int64_t> parseStrictInteger(NameView text) {
    bool negative = false;
    if (!text.empty() && (text.front() == U'+' || text.front() == U'-')) {
        negative = text.front() == U'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Accumulate as a negative number: its range holds the magnitude of INT64_MIN.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (const char32_t c : text) {
        if (c < U'0' || c > U'9')
            return std::nullopt;
        const int digit = static_cast<int>(c - U'0');
        if (value < (kMin + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    if (value == kMin)
        return std::nullopt;
    return -value;
}

} // namespace quillon
