// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"

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

/// True for the undo script's name in any letter case: on a disk that
/// ignores case, a file of that name would take the script's place.
bool isUndoScriptNameIgnoringCase(std::string_view bytes);

/// True when a and b are the same name, or differ only in letter case
/// (Unicode simple case folding, as a disk that ignores case compares).
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

/// False for a name no file in the folder may be renamed to: empty, "." or
/// "..", holding "/" or a NUL byte, the undo script's name in any case, or
/// a name of the form Quillon gives its own temporary files.
bool isValidNewName(std::string_view bytes);

} // namespace quillon
