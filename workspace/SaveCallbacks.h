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

/// A rename that failed, as the failure box tells it.
struct RenameFailure {
    /// Index of the entry in the folder and preview lists.
    std::size_t index = 0;
    /// The errno value of the failure.
    int error = 0;
    /// The text of the failure box.
    Name message;
};

/// What a save asks of the user interface. The workspace decides every step;
/// these only show and ask. A callback left empty shows nothing and answers
/// the safe way (no confirmation, skip the file).
struct SaveCallbacks {
    /// Shows a refusal or an error.
    std::function<void(MessageKind kind, NameView text)> tell;
    /// The confirmation dialog: true for "Yes". createUndoFile comes in true
    /// and leaves with the state of "Create an undo file.".
    std::function<bool(bool& createUndoFile)> confirm;
    /// A rename failed: OK, Abort or Retry.
    std::function<RenameFailureChoice(const RenameFailure& failure)> renameFailed;
    /// Renaming begins (true) and ends (false); the progress bar's time.
    std::function<void(bool renaming)> renaming;
    /// The progress bar's new position, 0 to 100; told only when it moves.
    std::function<void(int percent)> progress;
};

/// How a save ended.
enum class SaveStatus : std::uint8_t {
    /// One of the checks refused; nothing on disk was touched.
    Refused,
    /// The user said "No" or closed the dialog; nothing was touched.
    Cancelled,
    /// The undo file could not be written; no file was renamed.
    UndoFileFailed,
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
    /// The reload of the saved folder (Saved only).
    int reloadError = 0;
};

} // namespace quillon
