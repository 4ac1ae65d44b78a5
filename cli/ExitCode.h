// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon::cli {

/// What scripts can tell apart from quillon-cli's exit status.
enum class ExitCode : int {
    Success = 0,
    /// The command line cannot run, or the folder cannot be read.
    Usage = 1,
    /// A press of "OK" was refused; nothing was renamed.
    RefusedPress = 2,
    /// Saving was refused before any rename (no files, duplicates, ...).
    RefusedSave = 3,
    /// Saving ran, but some renames failed.
    RenamesFailed = 4,
};

inline int exitStatus(ExitCode code) {
    return static_cast<int>(code);
}

} // namespace quillon::cli
