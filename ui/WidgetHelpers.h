#pragma once

#include "ui/Glyphs.h"

#include <QString>

class QListView;
class QToolButton;
class QWidget;
class QObject;

namespace quillon {

/// Gives a control its component name, which tests and the assistants find it by.
template <typename W>
W* named(W* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

/// The program's own texts are UTF-8 literals.
inline QString tr8(const char* text) {
    return QString::fromUtf8(text);
}

/// A small clickable picture: no focus, hand cursor.
QToolButton* imageButton(const char* name, Glyph glyph, QWidget* parent);

/// A list with one fixed-height line per entry.
QListView* uniformListView(const char* name, QWidget* parent);

} // namespace quillon
