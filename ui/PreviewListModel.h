// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/NameRowsModel.h"

namespace quillon {

class Workspace;

/// The preview list as a Qt model: one checkable row per entry of the
/// workspace's preview list. The workspace owns the data; the main window
/// forwards the workspace's change notices to the notify* functions.
class PreviewListModel final : public NameRowsModel {
    Q_OBJECT
public:
    explicit PreviewListModel(Workspace& workspace, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void notifyNamesChanged();
    void notifyChecksChanged(int first, int last);

private:
    Workspace& m_workspace;
};

} // namespace quillon
