#pragma once

#include "ui/Glyphs.h"

#include <QString>

#include <string_view>

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

/// A message that comes from below the UI as UTF-8 English, in the user's
/// language where a translation under context exists.
QString translated(const char* context, std::string_view message);

/// A small clickable picture: no focus, hand cursor.
QToolButton* imageButton(const char* name, Glyph glyph, QWidget* parent);

/// A list with one fixed-height line per entry.
QListView* uniformListView(const char* name, QWidget* parent);

} // namespace quillon
