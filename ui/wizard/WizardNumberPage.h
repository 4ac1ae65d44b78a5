// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/wizard/WizardPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quillon {

/// The "Number" page: up to three texts, numbers and the old names in the
/// order chosen; OK writes the whole-name pattern that numbers the files.
class WizardNumberPage final : public WizardPage {
    Q_OBJECT
public:
    WizardNumberPage(MainWindowAccess& mainWindow, QWidget* parent);

    void ok() override;
    void clear() override;

private:
    QWidget* buildGroup();

    QLineEdit* m_texts[3] = {};
    QComboBox* m_choices[2] = {};
    QLineEdit* m_start = nullptr;
    QCheckBox* m_padding = nullptr;
};

} // namespace quillon
