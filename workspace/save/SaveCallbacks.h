// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace quillon {

/// The kind of box a message wants.
enum class MessageKind : std::uint8_t {
    /// A plain message box (OK, no icon).
    Plain,
    /// An error box (error icon, OK).
    Error,
};

/// The user's answer to a failed rename; the failure box's buttons.
enum class RenameFailureChoice : std::uint8_t {
    /// OK, or the box closed: the file keeps its name and saving goes on.
    Skip,
    /// Abort: no further rename is tried.
    Abort,
    /// Retry: the same rename once more.
    Retry,
};

/// A rename that failed.
struct RenameFailure {
    /// Index of the entry in the folder and preview lists.
    std::size_t index = 0;
    /// The errno value of the failure.
    int error = 0;
    /// The entry's name on disk before saving.
    Name oldName;
};

/// The refusals and troubles a save tells the user about; the user
/// interface words them.
enum class SaveNoticeKind : std::uint8_t {
    /// The folder list is empty.
    NoFiles,
    /// Folder and preview lists have different lengths.
    ListsOutOfStep,
    /// A rebuild of the lists is under way.
    NotReady,
    /// Two entries have the new name `name`.
    DuplicateName,
    /// No file may have the new name `name`.
    InvalidName,
    /// Another save or undo holds the folder; nothing was touched.
    FolderBusy,
    /// The undo script could not be written (`error`), or a file that is not
    /// Quillon's script holds its name; no file was renamed.
    UndoFileNotWritten,
    /// The undo script could not be brought up to date after renaming
    /// (`error`); the one written before still takes back every rename.
    UndoFileNotRewritten,
    /// Without an undo file, the user's history is the only way back, and
    /// it could not be written (`error`); no file was renamed.
    HistoryNotWritten,
};

/// One refusal or trouble, with what its message needs.
struct SaveNotice {
    SaveNoticeKind kind = SaveNoticeKind::NoFiles;
    /// The name concerned, for DuplicateName and InvalidName.
    Name name;
    /// The errno value, where a disk call failed.
    int error = 0;
};

/// The box a notice wants: plain for the two that only ask to wait or
/// choose a folder, the error box for all others.
inline MessageKind messageKindOf(SaveNoticeKind kind) {
    return kind == SaveNoticeKind::NoFiles || kind == SaveNoticeKind::NotReady ? MessageKind::Plain
                                                                               : MessageKind::Error;
}

/// What a save asks of the user interface. The workspace decides every step;
/// these only show and ask. A callback left empty shows nothing and answers
/// the safe way (no confirmation, skip the file).
struct SaveCallbacks {
    /// Shows a refusal or an error.
    std::function<void(const SaveNotice& notice)> tell;
    /// The confirmation dialog: true for "Yes". createUndoFile comes in true
    /// and leaves with the state of "Create an undo file.".
    std::function<bool(bool& createUndoFile)> confirm;
    /// A rename failed: OK, Abort or Retry.
    std::function<RenameFailureChoice(const RenameFailure& failure)> renameFailed;
    /// Renaming begins (true) and ends (false); the progress bar's time.
    std::function<void(bool renaming)> renaming;
    /// The progress bar's new position, 0 to 100; told only when it moves.
    std::function<void(int percent)> progress;
    /// Asked between renames: true stops saving there, as Abort does, but
    /// never while a file of a cycle is under its temporary name.
    std::function<bool()> shouldStop;
    /// Undo only: the folder holds an undo record that the user's history
    /// does not (made elsewhere, or by another user); true takes it back
    /// once every check passed. Left empty, such a record is not taken.
    std::function<bool()> confirmUnknownRecord;
};

/// How a save ended.
enum class SaveStatus : std::uint8_t {
    /// One of the checks refused; nothing on disk was touched.
    Refused,
    /// The user said "No" or closed the dialog; nothing was touched.
    Cancelled,
    /// The undo file, or without it the history, could not be written; no
    /// file was renamed.
    UndoFileFailed,
    /// Another save or undo held the folder; nothing was touched.
    Busy,
    /// The renames ran (some may have failed or been aborted) and the folder
    /// was read again.
    Saved,
};

/// The outcome of a save.
struct SaveResult {
    SaveStatus status = SaveStatus::Refused;
    /// Files renamed on disk.
    std::size_t renamed = 0;
    /// Entries whose name was to change and did not: skipped after a
    /// failure, or never tried after Abort. Ascending.
    std::vector<std::size_t> notRenamed;
    bool aborted = false;
    /// Entries of a cycle (a swap, a rotation) that could not close because
    /// one of its renames failed: they keep their names (renames already
    /// done in the cycle were taken back). Ascending.
    std::vector<std::size_t> rolledBack;
    /// shouldStop ended the renaming early.
    bool stopped = false;
    /// The reload of the saved folder (Saved only).
    int reloadError = 0;
    /// 0, or why the save could not be kept in the user's history (the
    /// undo file in the folder still takes it back).
    int historyError = 0;
};

} // namespace quillon
