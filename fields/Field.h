// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon {

/// The fields a name can be made from: read from inside a file or from its
/// status on disk, and named by a token of the With text. The order is the
/// order in which lists of fields are shown.
enum class Field : std::uint8_t {
    Artist,
    AlbumArtist,
    Title,
    Album,
    Track,
    Disc,
    Year,
    Genre,
    Taken,
    Modified,
    Camera,
    Width,
    Height,
};

inline constexpr std::size_t kFieldCount = 13;

/// The position of f in the list, for tables indexed by field.
constexpr std::size_t fieldIndex(Field f) {
    return static_cast<std::size_t>(f);
}

/// Every field, in order: `for (const Field f : kAllFields)`.
inline constexpr std::array<Field, kFieldCount> kAllFields = [] {
    std::array<Field, kFieldCount> all{};
    for (std::size_t i = 0; i < kFieldCount; ++i)
        all[i] = static_cast<Field>(i);
    return all;
}();

/// How a field's value is held and written into a name: a text, a whole
/// number, or a date and time.
enum class FieldKind : std::uint8_t { Text, Number, Date };

namespace detail {

using enum FieldKind;
inline constexpr std::array<FieldKind, kFieldCount> kFieldKinds{
    Text, Text, Text, Text, Number, Number, Number, Text, Date, Date, Text, Number, Number,
};

inline constexpr std::array<std::string_view, kFieldCount> kFieldNames{
    "artist", "albumartist", "title",    "album",  "track", "disc",   "year",
    "genre",  "taken",       "modified", "camera", "width", "height",
};

} // namespace detail

constexpr FieldKind fieldKind(Field f) {
    return detail::kFieldKinds[fieldIndex(f)];
}

/// The field's name as a token spells it ("artist", "albumartist" ...):
/// lower-case ASCII letters only, so it goes as it is into a name, a
/// message or a JSON string.
constexpr std::string_view fieldName(Field f) {
    return detail::kFieldNames[fieldIndex(f)];
}

} // namespace quillon
