// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/PreviewListModel.h"

#include "ui/models/NameText.h"
#include "ui/models/WorkspaceSignals.h"
#include "workspace/Workspace.h"

namespace quillon {

PreviewListModel::PreviewListModel(Workspace& workspace, const WorkspaceSignals& notices,
                                   QObject* parent)
    : NameRowsModel(notices, parent)
    , m_workspace(workspace) {
    connect(&notices, &WorkspaceSignals::namesChanged, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole, Qt::EditRole});
    });
    connect(&notices, &WorkspaceSignals::checksChangedIn, this, [this](int first, int last) {
        emit dataChanged(index(first), index(last), {Qt::CheckStateRole});
    });
}

int PreviewListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_workspace.preview().size());
}

QVariant PreviewListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const PreviewList& preview = m_workspace.preview();
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return toDisplayString(preview.names.decoded(row));
    case Qt::EditRole:
        return toQString(preview.names.decoded(row));
    case Qt::CheckStateRole:
        return preview.checked[row] ? Qt::Checked : Qt::Unchecked;
    case Qt::SizeHintRole:
        return rowSizeHint();
    default:
        return {};
    }
}

bool PreviewListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    m_workspace.setChecked(static_cast<std::size_t>(index.row()),
                           value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags PreviewListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

} // namespace quillon
