// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"
#include "workspace/disk/FileSystem.h"
#include "workspace/disk/ProgressReporter.h"
#include "workspace/names/NameList.h"
#include "workspace/names/NameRules.h"

#include <optional>
#include <string>
#include <vector>

namespace quillon {

/// Names read from a folder, in the order the list shows them.
struct FolderReadResult {
    /// 0, or the errno value of the failure (then names is empty).
    int error = 0;
    NameList names;
    /// The entries left out of names, in the order listed, where asked for.
    std::optional<NameList> outside;
};

/// Reads folder for the name-sorted list: the mask splits at ";" into
/// patterns, hidden names (leading "."), folders (unless withFolders) and
/// what a killed save left under Quillon's own temporary names are left out,
/// a name that matches two patterns is listed twice, and the names come
/// sorted without regard to case (ties by raw bytes). The undo script is not
/// removed here. progress hears the Reading and Sorting stages.
/// With keepOutside, outside receives the entries left out, so that the
/// checks before a save need not list the folder again.
FolderReadResult readSortedByName(FileSystem& fs, const std::string& folder, NameView mask,
                                  ProgressReporter* progress = nullptr, bool withFolders = false,
                                  bool keepOutside = false);

/// readSortedByName over listing, a state of folder known without reading
/// it again (such as a save's listing with its renames applied); folder
/// answers what the listing cannot (whether an entry of unknown type is a
/// folder).
FolderReadResult sortListingByName(FileSystem& fs, const std::string& folder,
                                   const FolderListing& listing, NameView mask,
                                   ProgressReporter* progress = nullptr, bool withFolders = false,
                                   bool keepOutside = false);
/// Reads folder for the date-sorted list: the whole mask is one pattern,
/// only folders (unless withFolders), Quillon's undo script and its
/// temporary names are left out, and the names come oldest
/// first by creation minute (UTC, clamped to 1980..2107), then by name
/// without regard to case. keepOutside as for readSortedByName.
FolderReadResult readSortedByDate(FileSystem& fs, const std::string& folder, NameView mask,
                                  ProgressReporter* progress = nullptr, bool withFolders = false,
                                  bool keepOutside = false);

/// Reads folder for a list of chosen entries: those of chosen (raw bytes,
/// no folder part) that the folder holds, each once, whatever their type or
/// name, but for what a killed save left under Quillon's own temporary
/// names; sorted as readSortedByDate sorts with byDate, else as
/// readSortedByName. The undo script is not removed here.
FolderReadResult readChosen(FileSystem& fs, const std::string& folder, const NameList& chosen,
                            bool byDate, ProgressReporter* progress = nullptr);

/// The creation minute a time is keyed by: seconds since the epoch clamped to
/// the years 1980 to 2107, in whole minutes.
std::int64_t creationMinute(std::int64_t secondsSinceEpoch);

} // namespace quillon
