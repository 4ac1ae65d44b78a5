// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/NameRowsModel.h"

#include "ui/models/WorkspaceSignals.h"

namespace quillon {

NameRowsModel::NameRowsModel(const WorkspaceSignals& notices, QObject* parent)
    : QAbstractListModel(parent) {
    connect(&notices, &WorkspaceSignals::aboutToReset, this, &NameRowsModel::beginResetModel);
    connect(&notices, &WorkspaceSignals::reset, this, &NameRowsModel::endResetModel);
}

void NameRowsModel::setRowSize(QSize size) {
    if (size == m_rowSize)
        return;
    m_rowSize = size;
    // A view with uniform item sizes re-measures its rows on layoutChanged.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

QVariant NameRowsModel::rowSizeHint() const {
    return m_rowSize.isValid() ? QVariant(m_rowSize) : QVariant();
}

} // namespace quillon
