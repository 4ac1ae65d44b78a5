#pragma once

#include "engine/Name.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillon::bench {

/// count music-style names such as "Artist 00042 - Title_of_song%20x.mp3":
/// mixed case, underscores and "%20", some non-ASCII artists and titles, a few
/// extension spellings. The same seed always gives the same names.
std::vector<Name> makeReplaceNames(std::size_t count, std::uint64_t seed = 42);

} // namespace quillon::bench
