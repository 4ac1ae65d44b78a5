// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/MainWindowLink.h"
#include "ui/help/THelpForm.h"
#include "ui/help/TMainMenu_Help_About.h"
#include "ui/wizard/TWizardForm.h"

namespace quillon {

MainWindowAccess& TForm1::access() const {
    return *m_link;
}

void TForm1::MainMenu_View_WizardClick() {
    TWizardForm::open(this, *m_link, m_wizard, [this] { return m_link->previewNames(); });
}

void TForm1::Replace_OptionsWizardClick() {
    MainMenu_View_WizardClick();
}

void TForm1::MainMenu_Help_HelpClick() {
    THelpForm::open(this, *m_link, m_help);
}

void TForm1::HelpFormClick() {
    MainMenu_Help_HelpClick();
}

void TForm1::MainMenu_Help_About_MIClick() {
    TMainMenu_Help_About::run(this);
}

} // namespace quillon
