// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/wizard/WizardPage.h"

class QLineEdit;
class QRadioButton;

namespace quillon {

namespace wizard {
class SampleEdit;
}

/// The "Insert" page: a click in the sample name places the insertion
/// marker, and OK writes its position and the string into the main
/// window's Insert.
class WizardInsertPage final : public WizardPage {
    Q_OBJECT
public:
    WizardInsertPage(MainWindowAccess& mainWindow, SampleName sample, QWidget* parent);

    /// Shows sample, without the marker.
    void showSample(const QString& sample);
    /// Moves the marker to where the click put the caret, and selects it.
    void moveMarker();

    void ok() override;
    void clear() override;

signals:
    /// A click in the sample name, once it has placed the caret.
    void sampleClicked();

private:
    void selectMarker();

    SampleName m_sample;
    wizard::SampleEdit* m_edit = nullptr;
    QLineEdit* m_string = nullptr;
    QRadioButton* m_fromStart = nullptr;
};

} // namespace quillon
