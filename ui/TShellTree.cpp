#include "ui/TShellTree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

namespace quillon {

TShellTree::TShellTree(QWidget* parent)
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
    // Folders load in the background: keep the selection in view as the
    // levels above it fill in.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (m_pending.isEmpty() || !m_pending.startsWith(loaded))
            return;
        const QModelIndex index = m_model->index(m_pending);
        if (index.isValid() && index == currentIndex())
            scrollTo(index, PositionAtCenter);
        if (loaded == m_pending)
            m_pending.clear();
    });
}

QString TShellTree::selectedPath() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

void TShellTree::selectPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir())
        return;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (clean == selectedPath())
        return;
    const QModelIndex index = m_model->index(clean);
    if (!index.isValid())
        return;
    m_pending = clean;
    setCurrentIndex(index);
    scrollTo(index, PositionAtCenter);
}

} // namespace quillon
