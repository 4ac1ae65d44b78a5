// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

namespace quillon {

/// A list view for up to millions of rows of one size. A plain QListView
/// finds what to repaint of a changed range by placing each of its rows,
/// which takes longer than a frame once a command rewrites a million names;
/// this one passes on only the rows it shows, since rows of one size keep
/// nothing else of their data.
class LongListView final : public QListView {
    Q_OBJECT
public:
    explicit LongListView(QWidget* parent);

    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;
};

} // namespace quillon
