// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QModelIndex>
#include <QVariant>

#include <cstddef>
#include <functional>

namespace quillon {

/// The check marks a list model lets the user change: each change goes
/// through the lists' owner, and none is taken while a command works on a
/// copy of the lists (the copy would take their place and lose it).
class RowChecks final {
public:
    /// Changes a row's check through the lists' owner; false: refused.
    using Change = std::function<bool(std::size_t row, bool checked)>;

    explicit RowChecks(Change change);

    /// setData of a model for the check of index's row.
    bool set(const QModelIndex& index, const QVariant& value, int role) const;
    /// The flags of index: none while the checks are refused.
    Qt::ItemFlags flags(const QModelIndex& index, bool checkable) const;
    void setEditable(bool editable) { m_editable = editable; }

private:
    Change m_change;
    bool m_editable = true;
};

} // namespace quillon
