// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeView>

namespace quillon {

/// A tree view for a flat list of up to millions of rows of one height.
/// A plain QTreeView measures every row of a changed range to find what to
/// repaint, which takes longer than a frame once a command rewrites a
/// million names; this one passes on only the rows it shows, since rows of
/// one height keep nothing else of their data.
class LongTreeView final : public QTreeView {
    Q_OBJECT
public:
    explicit LongTreeView(QWidget* parent);

    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;
};

} // namespace quillon
