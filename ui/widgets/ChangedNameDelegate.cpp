// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ChangedNameDelegate.h"

#include "ui/models/OldNewListModel.h"

#include <QApplication>
#include <QPainter>

namespace quillon {

namespace {

// Strong enough to see on any palette, weak enough to read the text over it.
constexpr int kMarkAlpha = 70;

// Draws text[from, to) at x on the baseline and returns the x after it.
int drawPiece(QPainter& painter, const QString& text, qsizetype from, qsizetype to, int x,
              const QRect& line, bool marked) {
    if (to <= from)
        return x;
    const QString piece = text.mid(from, to - from);
    QFont font = painter.font();
    font.setUnderline(marked);
    painter.setFont(font);
    const int width = painter.fontMetrics().horizontalAdvance(piece);
    if (marked) {
        QColor mark = QApplication::palette().color(QPalette::Highlight);
        mark.setAlpha(kMarkAlpha);
        painter.fillRect(QRect(x, line.top(), width, line.height()), mark);
    }
    painter.drawText(QRect(x, line.top(), width, line.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, piece);
    return x + width;
}

} // namespace

void ChangedNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const auto runs = index.data(OldNewListModel::kChangedRunsRole).value<QList<ChangedRun>>();
    if (runs.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect line = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    painter->save();
    painter->setClipRect(line);
    painter->setFont(item.font);
    const bool selected = (item.state & QStyle::State_Selected) != 0;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    int x = line.left() + margin;
    qsizetype at = 0;
    for (const ChangedRun& run : runs) {
        x = drawPiece(*painter, text, at, run.start, x, line, false);
        x = drawPiece(*painter, text, run.start, run.start + run.length, x, line, true);
        at = run.start + run.length;
    }
    drawPiece(*painter, text, at, text.size(), x, line, false);
    painter->restore();
}

} // namespace quillon
