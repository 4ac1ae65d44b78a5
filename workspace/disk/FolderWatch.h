// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillon {

/// What changed among a folder's entries since the watch began, as the
/// kernel reports it: unlike a time stamp, it misses nothing that another
/// process does, however quickly it follows a change of one's own.
class FolderWatch {
public:
    FolderWatch() = default;
    virtual ~FolderWatch() = default;
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    /// Appends the names of the entries created, removed, renamed or
    /// written to since the last call, one per change. False when the watch
    /// can no longer tell: the kernel dropped reports, or the folder was
    /// removed, moved, or its path leads elsewhere now.
    virtual bool takeChanges(std::vector<std::string>& names) = 0;
};

} // namespace quillon
