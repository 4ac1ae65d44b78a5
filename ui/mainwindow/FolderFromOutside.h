// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

class QWidget;

namespace quillon {

/// The folder a path from outside the window (the command-line argument, a
/// drop) leads to: the folder itself, or the folder that holds a file.
/// Either folder is set, or error holds the errno that stands in the way
/// and failedPath what it failed on.
struct FolderLookup {
    QString folder;
    QString failedPath;
    int error = 0;
};

/// path: raw bytes, relative to the current directory or absolute. The folder
/// must exist, be readable, and have a name Qt can carry (valid in the
/// file-name encoding), since the folder tree shows it.
FolderLookup lookUpFolder(const QByteArray& path);

/// The folder path leads to, or nothing after telling the user in an error
/// box why it leads to none.
std::optional<QString> folderFromOutside(const QByteArray& path, QWidget* parent);

} // namespace quillon
