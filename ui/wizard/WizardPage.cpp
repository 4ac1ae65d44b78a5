// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardPage.h"

#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/wizard/WizardWidgets.h"

#include <QPushButton>

namespace quillon {

WizardPage::WizardPage(MainWindowAccess& mainWindow, QWidget* parent)
    : QWidget(parent)
    , m_mainWindow(&mainWindow) {}

void WizardPage::addFoot(QVBoxLayout* column, const QString& foot, const char* okName,
                         const char* clearName) {
    const wizard::PageButtons buttons = wizard::addPageFoot(column, foot, okName, clearName);
    m_ok = buttons.ok;
    connect(buttons.ok, &QPushButton::clicked, this, &WizardPage::okPressed);
    connect(buttons.clear, &QPushButton::clicked, this, &WizardPage::clearPressed);
}

void WizardPage::showMessage(const QString& message) {
    showPlainMessage(this, QMessageBox::NoIcon, message);
}

void WizardPage::writePatterns(const QString& from, const QString& to) {
    m_mainWindow->setReplaceText(from);
    m_mainWindow->setWithText(to);
}

} // namespace quillon
