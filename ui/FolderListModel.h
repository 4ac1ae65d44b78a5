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
    void notifyAboutToReset() { beginResetModel(); }
    void notifyReset() { endResetModel(); }

private:
    Workspace& m_workspace;
    QSize m_rowSize;
};

} // namespace quillon
