// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QWidget;

namespace quillon {

/// Lets screen readers meet Quillon's own widgets as what they are: a
/// ClickLabel as a button that can be pressed, a widget given a role by
/// setAccessibleRole in that role. Called before the first such widget is
/// asked for; calling it again does nothing.
void installAccessibleInterfaces();

/// The role screen readers announce widget in, in place of the generic one
/// (a plain widget as a top-level window is announced as a "filler").
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

/// Keeps the controls under root that are hidden, or lie in a hidden part,
/// out of the keyboard's reach while hidden: screen readers otherwise offer
/// them as focusable. Their focus policy comes back when they show.
void keepHiddenControlsUnfocusable(QWidget* root);

} // namespace quillon
