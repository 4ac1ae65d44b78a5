// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/FileSystem.h"
#include "workspace/save/SavePlan.h"

#include <optional>
#include <span>

namespace quillon {

/// The folder as before lists it once every step (of a plan over a list
/// of entries entries) has been carried out, in order: each entry keeps its
/// type and identity under the name its last step gave it. Empty where a
/// step starts from a name that before does not hold there (then only
/// reading the folder can tell).
std::optional<FolderListing> listingAfterRenames(const FolderListing& before,
                                                 std::span<const RenameStep> steps,
                                                 std::size_t entries);

} // namespace quillon
