// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

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

} // namespace quillon
