// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/wizard/WizardPage.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace quillon {

/// The "Reformat" page: the current and the wanted shape of the names as
/// fields and delimiters; OK writes the two field patterns. A refusal shows
/// in the error strip over the group and highlights the controls concerned.
class WizardReformatPage final : public WizardPage {
    Q_OBJECT
public:
    WizardReformatPage(MainWindowAccess& mainWindow, QWidget* parent);

    /// The example labels' settings.
    void showUnderscoreExample();
    void showParenthesesExample();
    /// Gives the error strip the highlight colour.
    void colourErrorStrip();

    void ok() override;
    void clear() override;

public slots:
    void showRefusal(const QString& message);
    /// Hides the error strip and takes back the highlights.
    void clearHighlights();

signals:
    /// "Title _ Artist ==> Artist - Title" was clicked.
    void underscoreExampleClicked();
    /// "Title (Artist) ==> Artist - Title" was clicked.
    void parenthesesExampleClicked();

private:
    struct Example;

    QLayout* buildExamples();
    QWidget* buildGroup();
    QLayout* buildHelpLine();
    void watchForErrorEnd();
    void applyExample(const Example& example);

    QLineEdit* m_currEdits[4] = {};
    QLineEdit* m_newEdits[4] = {};
    QComboBox* m_currCombo2 = nullptr;
    QComboBox* m_newCombos[3] = {};
    QLabel* m_errPanel = nullptr;
};

} // namespace quillon
