// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/widgets/Glyphs.h"

#include <QMessageBox>
#include <QString>

#include <initializer_list>
#include <string_view>
#include <utility>

class QCheckBox;
class QGroupBox;
class QLineEdit;
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

/// A small clickable picture with a hand cursor. A focusable one shows a
/// frame while it has the focus.
QToolButton* imageButton(const char* name, Glyph glyph, QWidget* parent, bool focusable = false);

/// Titles group in the designed blue where that reads on its background,
/// else in a colour of the user's palette that does.
void styleCaptionGroup(QGroupBox* group);

/// Checks or clears each box as paired; true when any box changed.
bool setChecks(std::initializer_list<std::pair<QCheckBox*, bool>> boxes);

/// Makes edit just wide enough for sample in its own font.
void fitWidthTo(QLineEdit* edit, const QString& sample);

/// Gives every control under root a name for screen readers where it has
/// none: its caption, else its label's, else its tooltip.
void nameControlsForScreenReaders(QWidget* root);

/// A modal message titled with the program's name, its text shown as
/// plain text (a file name may look like markup), with an OK button.
void showPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text);
/// Widens a message box to its title and the title bar's buttons.
void fitToTitle(QMessageBox& box);

/// Moves window to the middle of the primary screen.
void centerOnScreen(QWidget* window);

/// Keeps w's place in its layout while it is hidden, so that its
/// neighbours stay where they are.
void keepPlaceWhenHidden(QWidget* w);

/// A list with one fixed-height line per entry.
QListView* uniformListView(const char* name, QWidget* parent);

} // namespace quillon
