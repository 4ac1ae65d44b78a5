// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/SystemEnvironment.h"
#include "workspace/names/NameList.h"

#include <string>

namespace quillon {

class FileSystem;

/// Puts right what a killed save or undo left in folder under Quillon's own
/// names (see ownNameKind): a temporary copy of a record is removed, an
/// empty marker of an older save too, and a file waiting under a temporary
/// name of a cycle or a change of case goes back by the unit of the folder's
/// record that names it. A temporary name no record names is left alone.
/// An undo, which takes those units back itself, passes bringBack false.
/// Only while the caller holds the folder's lock. Returns true when
/// anything on disk may have changed.
bool putRightLeftovers(FileSystem& fs, const std::string& folder, const NameList& entries,
                       bool bringBack = true, const Environment& env = systemEnvironment());

} // namespace quillon
