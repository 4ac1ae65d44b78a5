// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaReaders.h"

#include <array>
#include <limits>

namespace quillon::metadata {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads count digits at text[at], or fails.
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

bool separatorAt(std::string_view text, std::size_t at, std::string_view allowed) {
    return at < text.size() && allowed.find(text[at]) != std::string_view::npos;
}

// The time after the date, "HH:MM" or "HH:MM:SS"; a date alone is midnight.
bool readTime(std::string_view text, DateTime& out) {
    if (text.size() <= 10)
        return true;
    if (!separatorAt(text, 10, " T"))
        return false;
    const auto hour = digitsAt(text, 11, 2);
    const auto minute = digitsAt(text, 14, 2);
    if (!hour || !minute || !separatorAt(text, 13, ":") || *hour > 23 || *minute > 59)
        return false;
    out.hour = static_cast<std::uint8_t>(*hour);
    out.minute = static_cast<std::uint8_t>(*minute);
    if (separatorAt(text, 16, ":")) {
        const auto second = digitsAt(text, 17, 2);
        if (!second || *second > 60)
            return false;
        out.second = static_cast<std::uint8_t>(*second == 60 ? 59 : *second);
    }
    return true;
}

} // namespace

std::optional<DateTime> parseMetadataDate(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\0'))
        text.remove_prefix(1);
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    if (!year || !month || !day || !separatorAt(text, 4, ":-") || !separatorAt(text, 7, ":-"))
        return std::nullopt;
    // Cameras without a clock write zeros.
    if (*year == 0 || *month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month))
        return std::nullopt;
    DateTime date{static_cast<std::int16_t>(*year), static_cast<std::uint8_t>(*month),
                  static_cast<std::uint8_t>(*day)};
    if (!readTime(text, date))
        return std::nullopt;
    return date;
}

std::optional<std::uint32_t> leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    const std::size_t first = i;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > kLargest)
            return std::nullopt;
    }
    // "2.5" is not a whole number, where "3/12" and "2004-05-01" lead with one.
    const bool fraction =
        i + 1 < text.size() && (text[i] == '.' || text[i] == ',') && isDigit(text[i + 1]);
    if (i == first || value == 0 || fraction)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace quillon::metadata
