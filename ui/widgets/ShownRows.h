// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractItemView;

namespace quillon {

/// A run of rows of a flat model; empty when first > last.
struct RowSpan {
    int first = 0;
    int last = -1;

    bool empty() const { return first > last; }
};

/// The rows a view of a flat list shows in its viewport, partly shown ones
/// included; none while it is hidden.
RowSpan shownRows(const QAbstractItemView& view);

/// The rows of [first, last] that view shows.
RowSpan shownPart(const QAbstractItemView& view, int first, int last);

} // namespace quillon
