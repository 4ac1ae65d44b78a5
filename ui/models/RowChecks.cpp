// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/RowChecks.h"

#include <utility>

namespace quillon {

RowChecks::RowChecks(Change change)
    : m_change(std::move(change)) {}

bool RowChecks::set(const QModelIndex& index, const QVariant& value, int role) const {
    if (!index.isValid() || role != Qt::CheckStateRole || !m_editable)
        return false;
    return m_change(static_cast<std::size_t>(index.row()),
                    value.value<Qt::CheckState>() == Qt::Checked);
}

Qt::ItemFlags RowChecks::flags(const QModelIndex& index, bool checkable) const {
    if (!index.isValid() || !m_editable)
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return checkable ? flags | Qt::ItemIsUserCheckable : flags;
}

} // namespace quillon
