// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/StartSelection.h"

#include "ui/mainwindow/FolderFromOutside.h"
#include "ui/models/NameText.h"
#include "workspace/names/Wildcard.h"

#include "engine/Utf8.h"

#include <QFile>

#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace quillon {

namespace {

enum class PathKind { Missing, Folder, File };

PathKind kindOf(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return PathKind::Missing;
    return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
}

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray fileNameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// Folders compared as the tree would show them: absolute and clean.
QString folderOf(const QByteArray& file) {
    return lookUpFolder(parentOf(file)).folder;
}

} // namespace

StartSelection selectionFromPaths(const QList<QByteArray>& paths) {
    StartSelection selection;
    if (paths.isEmpty())
        return selection;
    const QByteArray& first = paths.front();
    selection.folder = first;
    if (kindOf(first) != PathKind::File) {
        for (qsizetype i = 1; i < paths.size(); ++i)
            selection.leftOut << QFile::decodeName(paths[i]);
        return selection;
    }
    const QString folder = folderOf(first);
    std::vector<Name> names;
    std::set<QByteArray> seen;
    for (const QByteArray& path : paths) {
        if (kindOf(path) != PathKind::File || folderOf(path) != folder) {
            selection.leftOut << QFile::decodeName(path);
            continue;
        }
        const QByteArray name = fileNameOf(path);
        if (seen.insert(name).second)
            names.push_back(decodeName(std::string_view(name.constData(), name.size())));
    }
    selection.mask = toQString(maskForNames(names));
    return selection;
}

} // namespace quillon
