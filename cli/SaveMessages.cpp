// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SaveMessages.h"

#include "cli/TextWriter.h"
#include "engine/Utf8.h"

#include <cerrno>

namespace quillon::cli {

namespace {

std::string aboutName(std::string_view head, NameView name) {
    std::string text(head);
    appendShellQuoted(text, name);
    return text + "; nothing was renamed";
}

} // namespace

std::string saveNoticeText(const SaveNotice& notice) {
    switch (notice.kind) {
    case SaveNoticeKind::NoFiles:
        return "no files to save";
    case SaveNoticeKind::ListsOutOfStep:
        return "the folder and preview lists are out of step; nothing was renamed";
    case SaveNoticeKind::NotReady:
        return "the preview is not ready; nothing was renamed";
    case SaveNoticeKind::DuplicateName:
        return aboutName("duplicate new name ", notice.name) +
               " (--number-duplicates numbers equal names)";
    case SaveNoticeKind::InvalidName:
        return aboutName("invalid new name ", notice.name);
    case SaveNoticeKind::FolderBusy:
        return "another save or undo is running in this folder; nothing was renamed";
    case SaveNoticeKind::UndoFileNotWritten:
        return "the undo file could not be written; nothing was renamed";
    case SaveNoticeKind::UndoFileNotRewritten:
        return "the undo file could not be rewritten after renaming; it still lists every "
               "planned rename, and running it takes back those that were done";
    case SaveNoticeKind::HistoryNotWritten:
        return "your history of saves could not be written, and without an undo file it is "
               "the only way back; nothing was renamed";
    }
    return {};
}

std::string renameFailureText(NameView oldName, int error) {
    // Linux has no sharing violation; a busy file is the nearest thing.
    return "\"" + encodeName(oldName) + "\" " +
           (error == EBUSY || error == ETXTBSY
                ? "cannot be renamed because it is currently used by another program."
                : "could not be renamed.");
}

} // namespace quillon::cli
