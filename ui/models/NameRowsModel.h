// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QSize>

namespace quillon {

class WorkspaceSignals;

/// What the folder and preview list models share: one row size for every
/// row, and a reset whenever the workspace replaces its lists.
class NameRowsModel : public QAbstractListModel {
public:
    NameRowsModel(const WorkspaceSignals& notices, QObject* parent);

    /// Width and height every row reports; the width sets the horizontal
    /// scroll range of a view with uniform item sizes.
    void setRowSize(QSize size);

protected:
    QVariant rowSizeHint() const;

private:
    QSize m_rowSize;
};

} // namespace quillon
