// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QPalette;
class QWidget;

namespace quillon {

/// WCAG contrast ratio of two colours, from 1 (same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

/// True when the palette's window colour is dark (dark and most
/// high-contrast themes).
bool isDarkPalette(const QPalette& palette);

/// Gives widget the designed light background, with text that reads on it,
/// where the user's palette is light; a dark palette is left as it is, since
/// its own text colours would not read on the light background.
void applyDesignedBackground(QWidget* widget, const QColor& background);

/// designed where it contrasts enough with background, else the palette's
/// window text colour: captions stay readable in every theme.
QColor readableColour(const QColor& designed, const QColor& background, const QPalette& palette);

/// A dark palette of our own, for the screenshots and the tests of the
/// window's look under a dark theme.
QPalette darkPalette();

} // namespace quillon
