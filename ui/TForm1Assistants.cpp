// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/help/THelpForm.h"
#include "ui/help/TMainMenu_Help_About.h"
#include "ui/wizard/TWizardForm.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace quillon {

void TForm1::MainMenu_View_WizardClick() {
    // The wizard sees the preview names only through this copy.
    TWizardForm::open(this, *this, m_wizard, [this] {
        const NameList& preview = m_workspace.preview().names;
        std::vector<Name> names;
        names.reserve(preview.size());
        for (std::size_t i = 0; i < preview.size(); ++i)
            names.push_back(preview.decoded(i));
        return names;
    });
}

void TForm1::Replace_OptionsWizardClick() {
    MainMenu_View_WizardClick();
}

void TForm1::MainMenu_Help_HelpClick() {
    THelpForm::open(this, *this, m_help);
}

void TForm1::HelpFormClick() {
    MainMenu_Help_HelpClick();
}

void TForm1::MainMenu_Help_About_MIClick() {
    TMainMenu_Help_About::run(this);
}

void TForm1::setReplaceText(const QString& text) {
    m_replaceFrom->setText(text);
}

void TForm1::setWithText(const QString& text) {
    m_replaceTo->setText(text);
}

void TForm1::setDeletePosition(const QString& text) {
    m_trimFrom->setText(text);
}

void TForm1::setDeleteLength(const QString& text) {
    m_trimCount->setText(text);
}

void TForm1::setDeleteChecked(bool checked) {
    m_trim->setChecked(checked);
}

void TForm1::setInsertPosition(const QString& text) {
    m_insertFrom->setText(text);
}

void TForm1::setInsertString(const QString& text) {
    m_insertString->setText(text);
}

void TForm1::setInsertChecked(bool checked) {
    m_insert->setChecked(checked);
}

Scope TForm1::scope() const {
    return m_scopeBoth->isChecked()  ? Scope::Both
           : m_scopeExt->isChecked() ? Scope::ExtensionsOnly
                                     : Scope::FileNamesOnly;
}

void TForm1::setWizardOpenersEnabled(bool enabled) {
    m_viewWizard->setEnabled(enabled);
    m_wizardButton->setEnabled(enabled);
}

void TForm1::setHelpOpenersEnabled(bool enabled) {
    m_helpHelp->setEnabled(enabled);
    m_helpButton->setEnabled(enabled);
}

} // namespace quillon
