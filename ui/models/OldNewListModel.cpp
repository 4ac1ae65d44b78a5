// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/OldNewListModel.h"

#include "ui/models/NameText.h"
#include "ui/models/WorkspaceSignals.h"
#include "workspace/Workspace.h"

#include <utility>

namespace quillon {

OldNewListModel::OldNewListModel(const Workspace& workspace, const WorkspaceSignals& notices,
                                 CheckChange check, QObject* parent)
    : QAbstractTableModel(parent)
    , m_workspace(workspace)
    , m_checks(std::move(check)) {
    connect(&notices, &WorkspaceSignals::aboutToReset, this, &OldNewListModel::beginResetModel);
    connect(&notices, &WorkspaceSignals::reset, this, &OldNewListModel::endResetModel);
    connect(&notices, &WorkspaceSignals::namesChanged, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, 1));
    });
    connect(&notices, &WorkspaceSignals::checksChangedIn, this, [this](int first, int last) {
        emit dataChanged(index(first, 0), index(last, 0), {Qt::CheckStateRole});
    });
}

int OldNewListModel::rowCount(const QModelIndex& parent) const {
    // The lists run in step; a folder list read without a preview yet has none.
    return parent.isValid() ? 0
                            : static_cast<int>(std::min(m_workspace.preview().size(),
                                                        m_workspace.folderList().names.size()));
}

int OldNewListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QString OldNewListModel::oldName(std::size_t row) const {
    return toDisplayString(m_workspace.folderList().names.decoded(row));
}

QString OldNewListModel::newName(std::size_t row) const {
    return toDisplayString(m_workspace.preview().names.decoded(row));
}

// Screen readers say the row as one sentence, whichever cell they are on.
QString OldNewListModel::accessibleText(std::size_t row) const {
    const QString before = oldName(row);
    const QString after = newName(row);
    return before == after ? before : tr("%1, renamed to %2").arg(before, after);
}

QVariant OldNewListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const bool old = index.column() == 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return old ? oldName(row) : newName(row);
    case Qt::EditRole:
        return toQString(old ? m_workspace.folderList().names.decoded(row)
                             : m_workspace.preview().names.decoded(row));
    case Qt::CheckStateRole:
        if (!old)
            return {};
        return m_workspace.preview().checked[row] ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleTextRole:
        return accessibleText(row);
    case kChangedRunsRole:
        if (old)
            return {};
        return QVariant::fromValue(changedRuns(oldName(row), newName(row)));
    default:
        return {};
    }
}

QVariant OldNewListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? tr("Old Name") : tr("New Name");
}

// The check boxes are in the first column.
bool OldNewListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    return index.column() == 0 && m_checks.set(index, value, role);
}

Qt::ItemFlags OldNewListModel::flags(const QModelIndex& index) const {
    return m_checks.flags(index, index.column() == 0);
}

} // namespace quillon
