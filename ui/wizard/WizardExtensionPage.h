// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/wizard/WizardPage.h"

class QLineEdit;

namespace quillon {

/// The "Extension" page: OK writes a whole-name pattern that gives every
/// name the typed extension, or none.
class WizardExtensionPage final : public WizardPage {
    Q_OBJECT
public:
    WizardExtensionPage(MainWindowAccess& mainWindow, QWidget* parent);

    void ok() override;
    void clear() override;

private:
    QWidget* buildNote();

    QLineEdit* m_extension = nullptr;
};

} // namespace quillon
