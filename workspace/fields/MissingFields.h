// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FieldTokens.h"

namespace quillon {

/// In a mask of missing fields (Workspace::missingFields()), beside the
/// fields: the file could not be read at all (it crashed or hung its
/// reader, or ran past its deadline), so its fields are missing.
inline constexpr FieldMask kUnreadableFile = 1U << 15;
static_assert(kFieldIdCount < 15);

} // namespace quillon
