// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/DiskMessages.h"

#include "ui/models/NameText.h"

#include "engine/Utf8.h"

#include <QLocale>

#include <cerrno>
#include <cstring>

namespace quillon {

QString DiskMessages::saveNotice(const SaveNotice& notice) {
    const QString name = toDisplayString(notice.name);
    switch (notice.kind) {
    case SaveNoticeKind::NoFiles:
        return tr("No files to save.");
    case SaveNoticeKind::ListsOutOfStep:
        return tr("Folder.items.count <> Preview.items.count\n\nChanges cannot be saved. Click "
                  "Reload.");
    case SaveNoticeKind::NotReady:
        return tr("Not ready yet. Proceed when\nthe \"Save\" is enabled.\n");
    case SaveNoticeKind::DuplicateName:
        // Where equal names stop a save, the way to number them.
        return tr("Duplicate file names found:\n > %1\n\nNothing written to disk.").arg(name) +
               QStringLiteral("\n\n") +
               tr(R"(To number equal names, tick "Number equal names" and press "OK".)");
    case SaveNoticeKind::InvalidName:
        return tr("Invalid file name found:\n > %1\n\nNothing written to disk.").arg(name);
    case SaveNoticeKind::FolderBusy:
        return tr("Another save or undo is running in this folder.\n\nNo file was renamed.");
    case SaveNoticeKind::UndoFileNotWritten:
        return tr("The undo file could not be written.\n\nNo file was renamed.");
    case SaveNoticeKind::UndoFileNotRewritten:
        return tr("The undo file could not be rewritten after renaming.\n\nIt still lists every "
                  "planned rename; running it takes back those that were done.");
    case SaveNoticeKind::HistoryNotWritten:
        return tr("Your history of saves could not be written. Without an undo file it is the "
                  "only way back.\n\nNo file was renamed.");
    }
    return {};
}

QString DiskMessages::renameFailure(const RenameFailure& failure) {
    // Linux has no sharing violation; a busy file is the nearest thing.
    const bool busy = failure.error == EBUSY || failure.error == ETXTBSY;
    return QStringLiteral("\"%1\"\n%2")
        .arg(toDisplayString(failure.oldName),
             busy ? tr("cannot be renamed because it is currently used by\nanother program.")
                  : tr("could not be renamed."));
}

QString DiskMessages::noUndoFile() {
    return tr("This folder holds no undo file of Quillon's.");
}

QString DiskMessages::notRestored(const std::vector<UndoStep>& notRestored) {
    QString names;
    for (const UndoStep& step : notRestored) {
        names += QStringLiteral("\n > ") + toDisplayString(decodeName(step.to));
        // Another file holds the name now; only the one saved goes back.
        if (step.changed)
            names += QLatin1Char(' ') + tr("(changed since the save)");
    }
    return tr("These files could not be renamed back:%1\n\nThe undo file was kept with "
              "them.")
        .arg(names);
}

namespace {

QString count(std::size_t n) {
    return QLocale().toString(static_cast<qulonglong>(n));
}

} // namespace

QString DiskMessages::saveStopped(std::size_t renamed, std::size_t total) {
    QString done =
        tr("The save was stopped: %1 of %2 files were renamed.").arg(count(renamed), count(total));
    if (renamed == 0)
        return done;
    return done + QLatin1Char('\n') +
           tr("File > \"Undo Last Save\" takes them back. The list shows the folder as it is "
              "now.");
}

QString DiskMessages::undoStopped(std::size_t restored, std::size_t total) {
    return tr("Undoing the save was stopped: %1 of %2 files were renamed back.")
               .arg(count(restored), count(total)) +
           QLatin1Char('\n') +
           tr("File > \"Undo Last Save\" takes back the rest. The list shows the folder as it "
              "is now.");
}

QString DiskMessages::folderUnreadable(const QString& folder, int error) {
    return tr("The folder could not be read:\n > %1\n\n%2")
        .arg(folder, QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace quillon
