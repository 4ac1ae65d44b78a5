// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"
#include "workspace/names/NameRules.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

/// The first pair of equal names, compared byte by byte: the first index
/// whose name appears again later, and the first later index holding it.
/// Finds the pair a scan of every i against every j > i finds, in linear time.
std::optional<std::pair<std::size_t, std::size_t>>
firstDuplicate(const std::vector<std::string_view>& names);
std::optional<std::pair<std::size_t, std::size_t>> firstDuplicate(const NameList& names);

} // namespace quillon
