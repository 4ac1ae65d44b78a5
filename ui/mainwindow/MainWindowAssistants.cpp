// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/help/AboutDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/mainwindow/MainWindowLink.h"
#include "ui/wizard/WizardDialog.h"

namespace quillon {

MainWindowAccess& MainWindow::access() const {
    return *m_link;
}

void MainWindow::openWizard() {
    WizardDialog::open(
        this, *m_link, m_wizard, [this] { return m_link->previewNames(); },
        [this] { return m_link->firstCheckedFields(); });
}

void MainWindow::openHelp() {
    HelpWindow::open(this, *m_link, m_help);
}

void MainWindow::showAbout() {
    AboutDialog::run(this);
}

} // namespace quillon
