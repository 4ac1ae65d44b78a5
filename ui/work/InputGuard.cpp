// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/work/InputGuard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QWidget>

namespace quillon {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

} // namespace

InputGuard::InputGuard(QWidget* window, QWidget* cancelButton)
    : QObject(window)
    , m_window(window)
    , m_cancel(cancelButton) {}

void InputGuard::setActive(bool active) {
    if (active == m_active)
        return;
    m_active = active;
    if (active)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

// A widget of the main window, or a menu popped up from it; not a window
// of its own such as a dialog parented to it.
bool InputGuard::belongsToWindow(QObject* object) const {
    while (object && !object->isWidgetType())
        object = object->parent(); // an action: its menu or window
    auto* widget = static_cast<QWidget*>(object);
    while (widget) {
        QWidget* window = widget->window();
        if (window == m_window)
            return true;
        if (!qobject_cast<QMenu*>(window))
            return false;
        widget = window->parentWidget();
    }
    return false;
}

bool InputGuard::mayPass(QObject* watched, QEvent* event) const {
    if (m_cancel && watched == m_cancel)
        return true;
    // Reading the lists further down changes nothing.
    return event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride &&
           qobject_cast<QScrollBar*>(watched);
}

bool InputGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!m_active || !isInput(event->type()) || !belongsToWindow(watched))
        return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        emit escapePressed();
        return true;
    }
    if (mayPass(watched, event))
        return false;
    event->ignore();
    return true;
}

} // namespace quillon
