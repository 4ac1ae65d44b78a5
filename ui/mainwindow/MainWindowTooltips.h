// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quillon {

/// Gives the main window's controls their hints, and every control a name
/// for screen readers.
void assignMainWindowTooltips(QWidget* window);

} // namespace quillon
