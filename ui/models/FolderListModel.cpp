// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/FolderListModel.h"

#include "ui/models/NameText.h"
#include "ui/models/WorkspaceSignals.h"
#include "workspace/Workspace.h"

namespace quillon {

FolderListModel::FolderListModel(Workspace& workspace, const WorkspaceSignals& notices,
                                 QObject* parent)
    : NameRowsModel(notices, parent)
    , m_workspace(workspace) {}

int FolderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_workspace.folderList().names.size());
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return toDisplayString(
            m_workspace.folderList().names.decoded(static_cast<std::size_t>(index.row())));
    if (role == Qt::SizeHintRole)
        return rowSizeHint();
    return {};
}

} // namespace quillon
