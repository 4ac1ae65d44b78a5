// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/record/UndoScript.h"
#include "workspace/save/SaveCallbacks.h"
#include "workspace/undo/UndoRun.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon {

class FileSystem;
class UndoHistory;

/// How taking back the last save ended.
enum class UndoStatus : std::uint8_t {
    /// The folder holds no undo script.
    NoRecord,
    /// A file holds the script's name, but it is not Quillon's undo script:
    /// nothing was touched.
    NotQuillons,
    /// The script breaks a rule of the records Quillon writes (see problem):
    /// nothing was touched.
    Refused,
    /// Another save or undo held the folder; nothing was touched.
    Busy,
    /// The record is not in the user's history and the user did not confirm
    /// it; nothing was touched.
    Declined,
    /// The record was carried out (see the counts for what came back).
    Undone,
};

/// The outcome of taking back the last save, counted in files.
struct UndoResult : UndoTally {
    UndoStatus status = UndoStatus::NoRecord;
    /// Where and why the record was refused.
    UndoRecordProblem problem;
    /// 0, or the errno value of removing or rewriting the record.
    int recordError = 0;
    /// The record came from the user's history.
    bool fromHistory = false;
    /// The reload of the folder afterwards (Workspace only).
    int reloadError = 0;
};

/// Carries out the undo script Quillon left in folder, without a shell.
/// Every line is checked first (see parseUndoScript): a record that could
/// reach outside the folder, delete a file or name itself is refused whole.
/// Each unit is taken back only from a state the save left (see UndoRun),
/// never replacing a file. Removes the script when every file came back;
/// otherwise rewrites it with what is left. Uses the callbacks renaming,
/// progress and shouldStop.
/// With a history, the newest save of folder it holds goes first (the one
/// before, when that is all back already), and the folder's record only
/// when the history does not hold it, after ask.confirmUnknownRecord.
/// env tells whether a record was made by this user on this machine.
UndoResult undoLastSave(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask,
                        UndoHistory* history = nullptr,
                        const Environment& env = systemEnvironment());

} // namespace quillon
