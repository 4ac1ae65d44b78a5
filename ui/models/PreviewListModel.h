// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/models/NameRowsModel.h"
#include "ui/models/RowChecks.h"

#include <cstddef>
#include <functional>

namespace quillon {

class Workspace;
class WorkspaceSignals;

/// The preview list as a Qt model: one checkable row per entry of the
/// workspace's preview list. The workspace owns the data and tells its
/// changes through the notices.
class PreviewListModel final : public NameRowsModel {
    Q_OBJECT
public:
    using CheckChange = RowChecks::Change;

    PreviewListModel(const Workspace& workspace, const WorkspaceSignals& notices, CheckChange check,
                     QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    /// While a command works on a copy of the lists, a check given here
    /// would be lost when the copy takes their place: the rows refuse it.
    void setEditable(bool editable) { m_checks.setEditable(editable); }

private:
    QVariant keptNameData(std::size_t row, int role) const;

    const Workspace& m_workspace;
    RowChecks m_checks;
};

} // namespace quillon
