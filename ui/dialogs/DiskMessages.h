// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/save/SaveCallbacks.h"
#include "workspace/undo/UndoLastSave.h"

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <vector>

namespace quillon {

/// What loading a folder, saving and undoing a save tell the user.
class DiskMessages final {
    Q_DECLARE_TR_FUNCTIONS(quillon::DiskMessages)
public:
    static QString saveNotice(const SaveNotice& notice);
    static QString renameFailure(const RenameFailure& failure);
    static QString noUndoFile();
    /// notRestored: the renames an undo could not take back.
    static QString notRestored(const std::vector<UndoStep>& notRestored);
    /// A save stopped part-way: renamed of total files changed their name.
    static QString saveStopped(std::size_t renamed, std::size_t total);
    /// Undoing a save stopped part-way: restored of total files came back.
    static QString undoStopped(std::size_t restored, std::size_t total);
    /// error: the errno of the failed read.
    static QString folderUnreadable(const QString& folder, int error);
};

} // namespace quillon
