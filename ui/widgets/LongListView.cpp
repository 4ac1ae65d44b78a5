// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/LongListView.h"

#include "ui/widgets/ShownRows.h"

namespace quillon {

LongListView::LongListView(QWidget* parent)
    : QListView(parent) {
    setUniformItemSizes(true);
}

void LongListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                               const QList<int>& roles) {
    if (!topLeft.isValid() || !bottomRight.isValid() || topLeft.row() == bottomRight.row()) {
        QListView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    const RowSpan part = shownPart(*this, topLeft.row(), bottomRight.row());
    if (!part.empty())
        QListView::dataChanged(topLeft.siblingAtRow(part.first),
                               bottomRight.siblingAtRow(part.last), roles);
}

} // namespace quillon
