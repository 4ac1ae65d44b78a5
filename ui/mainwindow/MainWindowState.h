// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon {

/// What the main window keeps besides its controls' own values (those are
/// read from the controls, which carry the same names).
struct MainWindowState {
    /// The start routine has run.
    bool started = false;
    /// The two Enter-key targets: "OK" and "Load". Load wins when both are on.
    bool enterRunsReplace = false;
    bool enterRunsReload = false;
};

} // namespace quillon
