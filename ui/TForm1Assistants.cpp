// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/MainMenus.h"
#include "ui/ReplaceGroup.h"
#include "ui/help/THelpForm.h"
#include "ui/help/TMainMenu_Help_About.h"
#include "ui/wizard/TWizardForm.h"

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
    m_replace->setReplaceText(text);
}

void TForm1::setWithText(const QString& text) {
    m_replace->setWithText(text);
}

void TForm1::setDeletePosition(const QString& text) {
    m_replace->setDeletePosition(text);
}

void TForm1::setDeleteLength(const QString& text) {
    m_replace->setDeleteLength(text);
}

void TForm1::setDeleteChecked(bool checked) {
    m_replace->setDeleteChecked(checked);
}

void TForm1::setInsertPosition(const QString& text) {
    m_replace->setInsertPosition(text);
}

void TForm1::setInsertString(const QString& text) {
    m_replace->setInsertString(text);
}

void TForm1::setInsertChecked(bool checked) {
    m_replace->setInsertChecked(checked);
}

Scope TForm1::scope() const {
    return m_replace->scope();
}

void TForm1::setWizardOpenersEnabled(bool enabled) {
    m_menus->setWizardEnabled(enabled);
    m_replace->setWizardButtonEnabled(enabled);
}

void TForm1::setHelpOpenersEnabled(bool enabled) {
    m_menus->setHelpEnabled(enabled);
    m_replace->setHelpButtonEnabled(enabled);
}

} // namespace quillon
