// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

namespace quillon {

/// What a window manager's frame takes around a window before the window
/// is shown and the real frame is known: a title bar and thin borders.
QMargins expectedFrame(const QWidget* window);

/// The room a window has on its screen for its contents: the screen's
/// available size less the frame.
QSize roomOnScreen(const QWidget* window);

/// The width a window needs for its title and the title bar's buttons.
int titleWidth(const QWidget& window);

/// Once shown: shrinks window and moves it until it lies, frame and all, on
/// the screen's available area; a window that fits stays as it is.
void keepFrameOnScreen(QWidget* window);

/// Once shown: fits window again (see keepFrameOnScreen) whenever it moves
/// to another screen or its screen's available area changes (a panel
/// added, another resolution or scale), its minimum size designedMinimum
/// as far as that screen has room. Calling it again does nothing.
void keepFrameOnChangingScreens(QWidget* window, QSize designedMinimum);

} // namespace quillon
