// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <memory>

class QSettings;
class QWidget;

namespace quillon {

class MainWindow;

/// Where the main window was: its size and position, the splitter, the
/// tree's folder and the "Preview" check box, kept between runs in
/// $XDG_CONFIG_HOME/quillon/quillon.conf. The operation settings are not
/// kept: every run starts from the window's defaults (presets keep those on
/// request).
class WindowSettings final {
public:
    /// Puts the window back as it was left, fitted to the screen it opens on;
    /// call before the window is first shown. Changes nothing without
    /// settings.
    static void restore(MainWindow& window);
    static void save(const MainWindow& window);
    /// Forgets everything kept.
    static void forget();

    /// wanted moved and shrunk as little as needed to lie within available.
    static QRect fitted(const QRect& wanted, const QRect& available);

private:
    static std::unique_ptr<QSettings> open();
};

} // namespace quillon
