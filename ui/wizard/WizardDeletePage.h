// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/wizard/WizardPage.h"

class QRadioButton;

namespace quillon {

namespace wizard {
class SampleEdit;
}

/// The "Delete" page: the user selects a stretch of the sample name, and OK
/// writes its position and length into the main window's Delete.
class WizardDeletePage final : public WizardPage {
    Q_OBJECT
public:
    WizardDeletePage(MainWindowAccess& mainWindow, SampleName sample, QWidget* parent);

    /// Shows sample, dropping the selection.
    void showSample(const QString& sample);

    void ok() override;
    void clear() override;

private:
    SampleName m_sample;
    wizard::SampleEdit* m_edit = nullptr;
    QRadioButton* m_fromStart = nullptr;
};

} // namespace quillon
