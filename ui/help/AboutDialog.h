// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace quillon {

/// The about box: the program's name and version.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* mainWindow);

    /// Shows a new box modally over mainWindow and destroys it once closed.
    static int run(QWidget* mainWindow);
};

} // namespace quillon
