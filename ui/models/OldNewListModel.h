// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/models/ChangeMarks.h"
#include "ui/models/RowChecks.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <functional>

namespace quillon {

class Workspace;
class WorkspaceSignals;

/// The entries as two columns, the name on disk and the new name, for the
/// "Old and New Names" view: the check boxes in the first column, and the
/// runs of the new name that differ from the old one under kChangedRunsRole.
class OldNewListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    /// The changed runs of column 1's name, a QList<ChangedRun>.
    static constexpr int kChangedRunsRole = Qt::UserRole + 1;

    using CheckChange = RowChecks::Change;

    OldNewListModel(const Workspace& workspace, const WorkspaceSignals& notices, CheckChange check,
                    QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    /// As PreviewListModel::setEditable: no checks while a command works.
    void setEditable(bool editable) { m_checks.setEditable(editable); }

private:
    QString oldName(std::size_t row) const;
    QString newName(std::size_t row) const;
    QString accessibleText(std::size_t row) const;

    const Workspace& m_workspace;
    RowChecks m_checks;
};

} // namespace quillon

Q_DECLARE_METATYPE(quillon::ChangedRun)
