#include "ui/MainWindowControls.h"

#include <QAbstractButton>
#include <QAction>
#include <QDebug>
#include <QLineEdit>

namespace quillon::controls {

namespace {

template <typename T>
T* find(const QWidget* window, const char* name) {
    return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

} // namespace

void setText(QWidget* window, const char* name, const QString& text) {
    if (auto* edit = find<QLineEdit>(window, name)) {
        // setText cuts to maxLength, which would silently change what the
        // program meant to write: the box's typing limit must not be one.
        if (edit->maxLength() < text.size())
            qWarning("%s: text longer than maxLength is cut", name);
        edit->setText(text);
    }
}

void setChecked(QWidget* window, const char* name, bool checked) {
    if (auto* button = find<QAbstractButton>(window, name))
        button->setChecked(checked);
}

bool isChecked(const QWidget* window, const char* name) {
    const auto* button = find<QAbstractButton>(window, name);
    return button && button->isChecked();
}

void setEnabled(QWidget* window, const char* name, bool enabled) {
    if (auto* action = find<QAction>(window, name))
        action->setEnabled(enabled);
    if (auto* widget = find<QWidget>(window, name))
        widget->setEnabled(enabled);
}

} // namespace quillon::controls
