// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NameRowsModel.h"

namespace quillon {

void NameRowsModel::setRowSize(QSize size) {
    if (size == m_rowSize)
        return;
    m_rowSize = size;
    // A view with uniform item sizes re-measures its rows on layoutChanged.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

void NameRowsModel::notifyAboutToReset() {
    setFrozen(true);
}

void NameRowsModel::notifyReset() {
    setFrozen(false);
}

QVariant NameRowsModel::rowSizeHint() const {
    return m_rowSize.isValid() ? QVariant(m_rowSize) : QVariant();
}

void NameRowsModel::setFrozen(bool frozen) {
    beginResetModel();
    m_frozen = frozen;
    endResetModel();
}

} // namespace quillon
