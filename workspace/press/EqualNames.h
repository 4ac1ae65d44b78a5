// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"
#include "workspace/save/SavePlan.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quillon {

class FileSystem;

/// A new name that numbering gives an entry in place of its preview name.
struct NumberedName {
    std::size_t index = 0;
    std::string name;
};

/// Numbers the new names that a save could not give as they stand because
/// another has them: equal new names of entries whose name changes, and a
/// new name a file keeps that stays (one not listed, or a listed one whose
/// name does not change). In list order the first of equal names keeps it
/// unless a file that stays holds it; each other gets " (2)", " (3)" ...
/// before its extension (at the end where the name has no name part), the
/// lowest number that no file that stays, no new name and no number given
/// before holds. Names compare as nameCase says (see nameKey), so on a disk
/// that ignores case "A.jpg" and "a.jpg" are equal too. Invalid new names
/// are left for saving to refuse. Returns the entries to rename, ascending.
std::vector<NumberedName> numberEqualNames(const NameList& oldNames, const NameList& newNames,
                                           const NameList& folderEntries, NameCase nameCase);

/// numberEqualNames over the folder as it is on disk now; a folder that
/// cannot be listed counts the listed files only.
std::vector<NumberedName> numberEqualNamesInFolder(FileSystem& fs, const std::string& folder,
                                                   const NameList& oldNames,
                                                   const NameList& newNames);

} // namespace quillon
