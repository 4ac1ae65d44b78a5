// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/models/NameRowsModel.h"

namespace quillon {

class Workspace;
class WorkspaceSignals;

/// The folder list (on-disk names) as a read-only Qt model.
class FolderListModel final : public NameRowsModel {
    Q_OBJECT
public:
    FolderListModel(Workspace& workspace, const WorkspaceSignals& notices, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    Workspace& m_workspace;
};

} // namespace quillon
