// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace quillon {

/// The about box: the program's name and version.
class TMainMenu_Help_About final : public QDialog {
    Q_OBJECT
public:
    explicit TMainMenu_Help_About(QWidget* mainWindow);

    /// Shows a new box modally over mainWindow and destroys it once closed.
    static int run(QWidget* mainWindow);
};

} // namespace quillon
