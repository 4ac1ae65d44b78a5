// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace quillon {

/// Paints a new name with its changed characters marked: the palette's
/// highlight at low strength behind them and an underline, so that colour
/// is not the only sign. The runs come from OldNewListModel::kChangedRunsRole.
class ChangedNameDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace quillon
