// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/SaveCallbacks.h"
#include "workspace/UndoScript.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon {

class FileSystem;

/// How taking back the last save ended.
enum class UndoStatus : std::uint8_t {
    /// The folder holds no undo script.
    NoRecord,
    /// A file holds the script's name, but it is not Quillon's undo script
    /// (or it was edited): nothing was touched.
    NotQuillons,
    /// Another save or undo held the folder; nothing was touched.
    Busy,
    /// The record was carried out (see the counts for what came back).
    Undone,
};

/// The outcome of taking back the last save.
struct UndoResult {
    UndoStatus status = UndoStatus::NoRecord;
    /// Renames taken back, newest first.
    std::vector<UndoStep> restored;
    /// Renames the record planned that never happened; nothing to do.
    std::size_t notCarriedOut = 0;
    /// Renames that did not come back (still from -> to), newest first; the
    /// record is kept with just these.
    std::vector<UndoStep> notRestored;
    /// Renames not yet tried when shouldStop ended the run; kept in the record.
    std::size_t notReached = 0;
    /// 0, or the errno value of removing or rewriting the record.
    int recordError = 0;
    /// The reload of the folder afterwards (Workspace only).
    int reloadError = 0;
};

/// Carries out the undo script Quillon left in folder, without a shell:
/// newest rename first, each only while its new name is there and its old
/// name is free, never replacing a file. Removes the script when every
/// rename came back; otherwise rewrites it with what is left. Uses the
/// callbacks renaming, progress and shouldStop.
UndoResult undoLastSave(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask);

} // namespace quillon
