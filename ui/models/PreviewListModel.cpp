// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/PreviewListModel.h"

#include "ui/models/FieldText.h"
#include "ui/models/NameText.h"
#include "ui/models/WorkspaceSignals.h"
#include "workspace/Workspace.h"

#include <QGuiApplication>
#include <QPalette>

#include <utility>

namespace quillon {

PreviewListModel::PreviewListModel(const Workspace& workspace, const WorkspaceSignals& notices,
                                   CheckChange check, QObject* parent)
    : NameRowsModel(notices, parent)
    , m_workspace(workspace)
    , m_checks(std::move(check)) {
    connect(&notices, &WorkspaceSignals::namesChanged, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0), index(rowCount() - 1),
                             {Qt::DisplayRole, Qt::EditRole, Qt::ForegroundRole, Qt::ToolTipRole});
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
    case Qt::ForegroundRole:
    case Qt::ToolTipRole:
        return keptNameData(row, role);
    default:
        return {};
    }
}

// An entry the last press left with its name because its file lacks a field
// shows in the muted text colour, with the missing fields in its tooltip.
QVariant PreviewListModel::keptNameData(std::size_t row, int role) const {
    const std::vector<MissingFields>& missing = m_workspace.missingFields();
    if (row >= missing.size() || !missing[row].any())
        return {};
    if (role == Qt::ForegroundRole)
        return QGuiApplication::palette().brush(QPalette::PlaceholderText);
    if (missing[row].unreadable)
        return tr("Kept its name: the file could not be read.");
    return tr("Kept its name: the file has no %1.").arg(fieldTokenList(missing[row].fields));
}

bool PreviewListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    return m_checks.set(index, value, role);
}

Qt::ItemFlags PreviewListModel::flags(const QModelIndex& index) const {
    return m_checks.flags(index, true);
}

} // namespace quillon
