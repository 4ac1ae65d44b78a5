// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QSize>

namespace quillon {

class Workspace;

/// The preview list as a Qt model: one checkable row per entry of the
/// workspace's preview list. The workspace owns the data; the main window
/// forwards the workspace's change notices to the notify* functions.
class PreviewListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit PreviewListModel(Workspace& workspace, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Width and height every row reports; the width sets the horizontal
    /// scroll range of a view with uniform item sizes.
    void setRowSize(QSize size);

    /// The lists are about to be rebuilt: until notifyReset the model shows
    /// no rows, so that a repaint during the rebuild asks for none.
    void notifyAboutToReset();
    void notifyReset();
    void notifyNamesChanged();
    void notifyChecksChanged(int first, int last);

private:
    Workspace& m_workspace;
    QSize m_rowSize;
    bool m_frozen = false;
};

} // namespace quillon
