// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ShownRows.h"

#include <QAbstractItemView>

#include <algorithm>

namespace quillon {

RowSpan shownRows(const QAbstractItemView& view) {
    // A hidden view is laid out again, and painted afresh, once shown.
    if (!view.isVisible())
        return {};
    const QModelIndex top = view.indexAt(QPoint(0, 0));
    if (!top.isValid())
        return {};
    const QModelIndex bottom = view.indexAt(QPoint(0, view.viewport()->height() - 1));
    return {top.row(), bottom.isValid() ? bottom.row() : view.model()->rowCount() - 1};
}

RowSpan shownPart(const QAbstractItemView& view, int first, int last) {
    const RowSpan shown = shownRows(view);
    return {std::max(first, shown.first), std::min(last, shown.last)};
}

} // namespace quillon
