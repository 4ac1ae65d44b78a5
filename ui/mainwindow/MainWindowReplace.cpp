// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/mainwindow/CaseGroup.h"
#include "ui/mainwindow/ReplaceGroup.h"
#include "ui/models/FieldText.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/work/CommandRunner.h"

#include "engine/Refusals.h"

#include <QLabel>
#include <QLocale>

#include <memory>

namespace quillon {

void MainWindow::connectReplaceGroup() {
    const auto bind = [this](void (ReplaceGroup::*signal)(), void (MainWindow::*handler)()) {
        connect(m_replace, signal, this, handler);
    };
    bind(&ReplaceGroup::settingsChanged, &MainWindow::updateEnterTargets);
    bind(&ReplaceGroup::okPressed, &MainWindow::applyOperation);
    bind(&ReplaceGroup::undoPressed, &MainWindow::undoLastPress);
    bind(&ReplaceGroup::wizardPressed, &MainWindow::openWizard);
    bind(&ReplaceGroup::helpPressed, &MainWindow::openHelp);
}

Scope MainWindow::scope() const {
    return m_replace->scope();
}

ReplaceSettings MainWindow::replaceSettings() const {
    ReplaceSettings s = m_replace->settings();
    s.caseMode = m_case->mode();
    s.smartOptions = m_case->smartOptions();
    return s;
}

void MainWindow::applyOperation() {
    showPreviewList();
    auto refused = std::make_shared<std::optional<RefusalCode>>();
    m_runner->run(
        CommandRunner::OnCancel::Discard,
        [refused, settings = replaceSettings()](Workspace& workspace, WorkControl&) {
            *refused = workspace.apply(settings);
        },
        [this, refused] {
            if (*refused)
                showRefusal(**refused);
            emit replaceRequested();
        });
}

void MainWindow::showRefusal(RefusalCode code) {
    // The workspace has already dropped the undo copy; only the message is ours.
    showPlainMessage(this, QMessageBox::NoIcon,
                     translated("quillon::Refusals", refusalMessage(code)));
}

void MainWindow::showKeptNames() {
    const std::vector<FieldMask>& missing = workspace().missingFields();
    FieldMask fields = 0;
    std::size_t kept = 0;
    for (const FieldMask m : missing) {
        fields |= m;
        kept += m != 0 ? 1 : 0;
    }
    if (kept == 0) {
        m_status->hide();
        m_status->clear();
        return;
    }
    m_status->setText(
        tr("Files that kept their name: %1. A field their new name needs is missing: %2.")
            .arg(QLocale().toString(static_cast<qulonglong>(kept)), fieldTokenList(fields)));
    m_status->show();
}

void MainWindow::undoLastPress() {
    showPreviewList();
    m_runner->run(CommandRunner::OnCancel::Discard,
                  [](Workspace& workspace, WorkControl&) { workspace.undo(); });
}

void MainWindow::updateEnterTargets() {
    m_state.enterRunsReplace = true;
    m_state.enterRunsReload = false;
}

} // namespace quillon
