// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ClickLabel.h"

#include "ui/widgets/Accessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quillon {

ClickLabel::ClickLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    installAccessibleInterfaces();
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::StrongFocus);
    // Room for the focus frame around the text.
    setContentsMargins(2, 1, 2, 1);
}

void ClickLabel::click() {
    emit clicked();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    // A press dragged off the label before release is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Taken here, so that Enter does not press the dialog's default button too.
        event->accept();
        click();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace quillon
