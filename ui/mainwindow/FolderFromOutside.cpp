// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/FolderFromOutside.h"

#include "ui/dialogs/DiskMessages.h"
#include "ui/widgets/WidgetHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <dirent.h>
#include <sys/stat.h>

namespace quillon {

namespace {

FolderLookup failure(const QString& path, int error) {
    return FolderLookup{QString(), path, error};
}

} // namespace

FolderLookup lookUpFolder(const QByteArray& path) {
    const QString name = QFile::decodeName(path);
    if (QFile::encodeName(name) != path)
        return failure(name, EILSEQ);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return failure(name, errno);
    const QFileInfo info(name);
    const QString folder =
        QDir::cleanPath(S_ISDIR(st.st_mode) ? info.absoluteFilePath() : info.absolutePath());
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return failure(folder, errno);
    ::closedir(dir);
    return FolderLookup{folder, QString(), 0};
}

std::optional<QString> folderFromOutside(const QByteArray& path, QWidget* parent) {
    const FolderLookup lookup = lookUpFolder(path);
    if (lookup.error == 0)
        return lookup.folder;
    showPlainMessage(parent, QMessageBox::Critical,
                     DiskMessages::folderUnreadable(lookup.failedPath, lookup.error));
    return std::nullopt;
}

} // namespace quillon
