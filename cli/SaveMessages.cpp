// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SaveMessages.h"

#include "engine/Utf8.h"

#include <cerrno>

namespace quillon::cli {

namespace {

std::string aboutName(std::string_view head, NameView name) {
    return std::string(head) + "\n > " + encodeName(name) + "\n\nNothing written to disk.";
}

} // namespace

std::string saveNoticeText(const SaveNotice& notice) {
    switch (notice.kind) {
    case SaveNoticeKind::NoFiles:
        return "No files to save.";
    case SaveNoticeKind::ListsOutOfStep:
        return "Folder.items.count <> Preview.items.count\n\nChanges cannot be saved. Click "
               "Reload.";
    case SaveNoticeKind::NotReady:
        return "Not ready yet. Proceed when\nthe \"Save\" is enabled.\n";
    case SaveNoticeKind::DuplicateName:
        return aboutName("Duplicate file names found:", notice.name);
    case SaveNoticeKind::InvalidName:
        return aboutName("Invalid file name found:", notice.name);
    case SaveNoticeKind::FolderBusy:
        return "Another save or undo is running in this folder.\n\nNo file was renamed.";
    case SaveNoticeKind::UndoFileNotWritten:
        return "The undo file could not be written.\n\nNo file was renamed.";
    case SaveNoticeKind::UndoFileNotRewritten:
        return "The undo file could not be rewritten after renaming.\n\nIt still lists every "
               "planned rename; running it takes back those that were done.";
    }
    return {};
}

std::string renameFailureText(NameView oldName, int error) {
    // Linux has no sharing violation; a busy file is the nearest thing.
    return "\"" + encodeName(oldName) + "\"\n" +
           (error == EBUSY || error == ETXTBSY
                ? "cannot be renamed because it is currently used by\nanother program."
                : "could not be renamed.");
}

} // namespace quillon::cli
