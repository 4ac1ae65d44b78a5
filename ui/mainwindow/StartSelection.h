// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quillon {

/// What the paths of the command line (a file manager's selection) open.
struct StartSelection {
    /// The path whose folder opens (raw bytes), empty for none.
    QByteArray folder;
    /// The mask that lists exactly the selected files; empty to keep "*.*".
    QString mask;
    /// The paths of other folders, as the user reads them, that are not shown.
    QStringList leftOut;
};

/// One folder opens as it is; files of one folder open that folder with a
/// mask of exactly their names; the first path decides the folder, and what
/// lies elsewhere (another folder, a folder beside files) is left out.
StartSelection selectionFromPaths(const QList<QByteArray>& paths);

} // namespace quillon
