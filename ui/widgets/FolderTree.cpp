// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/FolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace quillon {

FolderTree::FolderTree(QWidget* parent)
    : QTreeView(parent)
    , m_model(new QFileSystemModel(this)) {
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_model->setRootPath(QDir::rootPath());
    setModel(m_model);
    setRootIndex(m_model->index(QDir::rootPath()).parent());
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setIndentation(19);
    setRootIsDecorated(true);
    setEditTriggers(NoEditTriggers);
    setContextMenuPolicy(Qt::NoContextMenu);
    setSelectionMode(SingleSelection);
    setUniformRowHeights(true);
    // Folders load and sort in the background: keep the folder selected by
    // path in view as the levels around it fill in, until the user takes over.
    const auto follow = [this] {
        if (m_pending.isEmpty())
            return;
        const QModelIndex index = m_model->index(m_pending);
        if (index.isValid() && index == currentIndex())
            scrollTo(index, PositionAtCenter);
    };
    connect(m_model, &QFileSystemModel::directoryLoaded, this, follow);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, follow);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, follow);
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
    m_pending.clear();
    QTreeView::mousePressEvent(event);
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
    m_pending.clear();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Taken here: passed on, the window would run its own Enter command.
        event->accept();
        emit folderChosenByKeyboard();
        return;
    }
    // Moving by keyboard only selects: reading every folder passed on the
    // way would throw away the preview and "Undo" at each step.
    QTreeView::keyPressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event) {
    m_pending.clear();
    QTreeView::wheelEvent(event);
}

QString FolderTree::selectedPath() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

bool FolderTree::selectPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (clean == selectedPath())
        return true;
    const QModelIndex index = m_model->index(clean);
    if (!index.isValid())
        return false;
    m_pending = clean;
    setCurrentIndex(index);
    scrollTo(index, PositionAtCenter);
    return true;
}

} // namespace quillon
