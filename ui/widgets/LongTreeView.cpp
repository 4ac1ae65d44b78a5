// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/LongTreeView.h"

#include "ui/widgets/ShownRows.h"

namespace quillon {

LongTreeView::LongTreeView(QWidget* parent)
    : QTreeView(parent) {
    setUniformRowHeights(true);
}

void LongTreeView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                               const QList<int>& roles) {
    if (!topLeft.isValid() || !bottomRight.isValid() || topLeft.parent().isValid() ||
        topLeft.row() == bottomRight.row()) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // The first row sets the height of all: it is measured again when it
    // changed, shown or not.
    if (topLeft.row() == 0)
        QTreeView::dataChanged(topLeft, topLeft.siblingAtColumn(bottomRight.column()), roles);
    const RowSpan part = shownPart(*this, topLeft.row(), bottomRight.row());
    if (!part.empty())
        QTreeView::dataChanged(topLeft.siblingAtRow(part.first),
                               bottomRight.siblingAtRow(part.last), roles);
}

} // namespace quillon
