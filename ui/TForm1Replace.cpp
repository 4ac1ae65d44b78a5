// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"
#include "ui/CommandRunner.h"
#include "ui/ReplaceGroup.h"
#include "ui/WidgetHelpers.h"

#include "engine/Refusals.h"

#include <memory>

namespace quillon {

void TForm1::connectReplaceGroup() {
    const auto bind = [this](void (ReplaceGroup::*signal)(), void (TForm1::*handler)()) {
        connect(m_replace, signal, this, handler);
    };
    bind(&ReplaceGroup::settingsChanged, &TForm1::Replace_EnableDisableItemsClick);
    bind(&ReplaceGroup::okPressed, &TForm1::Replace_ButtonClick);
    bind(&ReplaceGroup::undoPressed, &TForm1::Replace_Undo_ButtonClick);
    bind(&ReplaceGroup::wizardPressed, &TForm1::Replace_OptionsWizardClick);
    bind(&ReplaceGroup::helpPressed, &TForm1::HelpFormClick);
}

Scope TForm1::scope() const {
    return m_replace->scope();
}

ReplaceSettings TForm1::replaceSettings() const {
    ReplaceSettings s = m_replace->settings();
    s.caseMode = m_case->mode();
    s.smartOptions = m_case->smartOptions();
    return s;
}

void TForm1::Replace_ButtonClick() {
    showPreviewList();
    auto refused = std::make_shared<std::optional<RefusalCode>>();
    m_runner->run(
        CommandRunner::OnCancel::Discard,
        [refused, settings = replaceSettings()](Workspace& workspace, WorkControl&) {
            *refused = workspace.apply(settings);
        },
        [this, refused] {
            if (*refused)
                Replace_IncorrectChoice(**refused);
            emit replaceRequested();
        });
}

void TForm1::Replace_IncorrectChoice(RefusalCode code) {
    // The workspace has already dropped the undo copy; only the message is ours.
    showPlainMessage(this, QMessageBox::NoIcon,
                     translated("quillon::Refusals", refusalMessage(code)));
}

void TForm1::Replace_Undo_ButtonClick() {
    showPreviewList();
    m_runner->run(CommandRunner::OnCancel::Discard,
                  [](Workspace& workspace, WorkControl&) { workspace.undo(); });
}

void TForm1::Replace_EnableDisableItemsClick() {
    m_state.enterRunsReplace = true;
    m_state.enterRunsReload = false;
}

} // namespace quillon
