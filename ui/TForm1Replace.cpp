// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"
#include "ui/ReplaceGroup.h"
#include "ui/WidgetHelpers.h"

#include "engine/Refusals.h"

#include <QMessageBox>

namespace quillon {

void TForm1::connectReplaceGroup() {
    connect(m_replace, &ReplaceGroup::settingsChanged, this,
            &TForm1::Replace_EnableDisableItemsClick);
    connect(m_replace, &ReplaceGroup::okPressed, this, &TForm1::Replace_ButtonClick);
    connect(m_replace, &ReplaceGroup::undoPressed, this, &TForm1::Replace_Undo_ButtonClick);
    connect(m_replace, &ReplaceGroup::wizardPressed, this, &TForm1::Replace_OptionsWizardClick);
    connect(m_replace, &ReplaceGroup::helpPressed, this, &TForm1::HelpFormClick);
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
    if (const auto refused = m_workspace.apply(replaceSettings()))
        Replace_IncorrectChoice(*refused);
    emit replaceRequested();
}

void TForm1::Replace_IncorrectChoice(RefusalCode code) {
    // The workspace has already dropped the undo copy; only the message is ours.
    const std::string_view message = refusalMessage(code);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillon"),
                    translated("quillon::Refusals", message), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TForm1::Replace_Undo_ButtonClick() {
    showPreviewList();
    m_workspace.undo();
}

void TForm1::Replace_EnableDisableItemsClick() {
    m_state.enterRunsReplace = true;
    m_state.enterRunsReload = false;
}

} // namespace quillon
