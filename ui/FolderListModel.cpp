// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderListModel.h"

#include "ui/NameText.h"
#include "workspace/Workspace.h"

namespace quillon {

FolderListModel::FolderListModel(Workspace& workspace, QObject* parent)
    : QAbstractListModel(parent)
    , m_workspace(workspace) {}

int FolderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_frozen ? 0
                                        : static_cast<int>(m_workspace.folderList().names.size());
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return toDisplayString(
            m_workspace.folderList().names.decoded(static_cast<std::size_t>(index.row())));
    if (role == Qt::SizeHintRole && m_rowSize.isValid())
        return m_rowSize;
    return {};
}

void FolderListModel::setRowSize(QSize size) {
    if (size == m_rowSize)
        return;
    m_rowSize = size;
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

void FolderListModel::notifyAboutToReset() {
    beginResetModel();
    m_frozen = true;
    endResetModel();
}

void FolderListModel::notifyReset() {
    beginResetModel();
    m_frozen = false;
    endResetModel();
}

} // namespace quillon
