// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <cstdint>
#include <optional>

namespace quillon {

/// Converts a number typed into a box: an optional "+" or "-" and one or more
/// ASCII digits, nothing else (no blanks, no trailing text). Text that does
/// not fit a 64-bit integer does not convert either.
std::optional<std::int64_t> parseStrictInteger(NameView text);

} // namespace quillon
