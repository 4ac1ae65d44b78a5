#include "ui/TForm1.h"

namespace quillon {

// The wizard, help window and about box open from here once they exist.
void TForm1::MainMenu_View_WizardClick() {}

void TForm1::Replace_OptionsWizardClick() {
    MainMenu_View_WizardClick();
}

void TForm1::MainMenu_Help_HelpClick() {}

void TForm1::HelpFormClick() {
    MainMenu_Help_HelpClick();
}

void TForm1::MainMenu_Help_About_MIClick() {}

} // namespace quillon
