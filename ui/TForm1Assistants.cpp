#include "ui/TForm1.h"

#include "ui/help/THelpForm.h"
#include "ui/help/TMainMenu_Help_About.h"
#include "ui/wizard/TWizardForm.h"

namespace quillon {

void TForm1::MainMenu_View_WizardClick() {
    // The wizard sees the preview names only through this copy.
    TWizardForm::open(this, m_wizard, [this] {
        std::vector<Name> names;
        names.reserve(m_workspace.preview().size());
        for (const PreviewEntry& entry : m_workspace.preview())
            names.push_back(entry.name);
        return names;
    });
}

void TForm1::Replace_OptionsWizardClick() {
    MainMenu_View_WizardClick();
}

void TForm1::MainMenu_Help_HelpClick() {
    THelpForm::open(this, m_help);
}

void TForm1::HelpFormClick() {
    MainMenu_Help_HelpClick();
}

void TForm1::MainMenu_Help_About_MIClick() {
    TMainMenu_Help_About::run(this);
}

} // namespace quillon
