// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QSize>

namespace quillon {

class Workspace;

/// The folder list (on-disk names) as a read-only Qt model.
class FolderListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FolderListModel(Workspace& workspace, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void setRowSize(QSize size);
    /// The lists are about to be rebuilt: until notifyReset the model shows
    /// no rows, so that a repaint during the rebuild asks for none.
    void notifyAboutToReset();
    void notifyReset();

private:
    Workspace& m_workspace;
    QSize m_rowSize;
    bool m_frozen = false;
};

} // namespace quillon
