// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QSize>

namespace quillon {

/// What the folder and preview list models share: one row size for every
/// row, and an empty state while the workspace rebuilds its lists.
class NameRowsModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    /// Width and height every row reports; the width sets the horizontal
    /// scroll range of a view with uniform item sizes.
    void setRowSize(QSize size);
    /// The lists are about to be rebuilt: until notifyReset the model shows
    /// no rows, so that a repaint during the rebuild asks for none.
    void notifyAboutToReset();
    void notifyReset();

protected:
    bool isFrozen() const { return m_frozen; }
    QVariant rowSizeHint() const;

private:
    void setFrozen(bool frozen);

    QSize m_rowSize;
    bool m_frozen = false;
};

} // namespace quillon
