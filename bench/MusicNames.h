// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillon::bench {

/// Reproducible file names in the style of a music collection, such as
/// "Artist 00042 - Title_of_song%20x.mp3": mixed case, some accented and
/// non-Latin letters, small words, known words and consonant acronyms, with
/// " ", "_" or "%20" between words. The same seed gives the same names.
std::vector<Name> makeMusicNames(std::size_t count, std::uint32_t seed);

} // namespace quillon::bench
