// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/FittingScrollArea.h"

#include <QScrollBar>

namespace quillon {

FittingScrollArea::FittingScrollArea(QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The controls inside take the focus, and the area scrolls to show
    // them; a stop of its own would be a silent one to a screen reader.
    setFocusPolicy(Qt::NoFocus);
}

QSize FittingScrollArea::sizeHint() const {
    const QWidget* content = widget();
    if (!content)
        return QScrollArea::sizeHint();
    // QScrollArea caps its hint at a few dozen lines; the content wants all of it.
    QSize hint = content->sizeHint().expandedTo(content->minimumSizeHint()) +
                 QSize(frameWidth() * 2, frameWidth() * 2);
    // Content wider than the area scrolls sideways, and the bar needs its own height.
    if (m_scrollsSideways)
        hint.rheight() += horizontalScrollBar()->sizeHint().height();
    return hint;
}

void FittingScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    const bool sideways =
        widget() && widget()->minimumSizeHint().width() > width() - frameWidth() * 2;
    if (sideways != m_scrollsSideways) {
        m_scrollsSideways = sideways;
        updateGeometry();
    }
}

QSize FittingScrollArea::minimumSizeHint() const {
    // Room for the scroll bars and a little of the content between them.
    const int bar = verticalScrollBar()->sizeHint().width();
    return {bar * 3, std::max(minimumHeight(), bar * 3)};
}

} // namespace quillon
