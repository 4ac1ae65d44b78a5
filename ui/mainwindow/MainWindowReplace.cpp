// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/mainwindow/CaseGroup.h"
#include "ui/mainwindow/ReplaceGroup.h"
#include "ui/models/FieldText.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/work/CommandRunner.h"

#include "engine/Refusals.h"
#include "engine/ReplacePlan.h"

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
    const ReplaceSettings settings = replaceSettings();
    m_runner->run(
        CommandRunner::OnCancel::Discard,
        [refused, settings](Workspace& workspace, WorkControl&) {
            *refused = workspace.apply(settings);
        },
        [this, refused, settings] {
            if (*refused == RefusalCode::InvalidExpression) {
                showExpressionRefusal(expressionError(settings));
            } else if (*refused) {
                showRefusal(**refused);
            }
            emit replaceRequested();
        });
}

void MainWindow::showRefusal(RefusalCode code) {
    // The workspace has already dropped the undo copy; only the message is ours.
    showPlainMessage(this, QMessageBox::NoIcon,
                     translated("quillon::Refusals", refusalMessage(code)));
}

// The refusal's message, and where the expression or its With text goes
// wrong in the library's words.
void MainWindow::showExpressionRefusal(const std::optional<ExpressionError>& error) {
    QString text = translated("quillon::Refusals", refusalMessage(RefusalCode::InvalidExpression));
    if (error) {
        const QString what = QString::fromStdString(error->message);
        const QString where =
            error->position == 0
                ? (error->inWithText ? tr("In the With text: %1.") : tr("In the Replace text: %1."))
                      .arg(what)
                : (error->inWithText ? tr("At position %1 of the With text: %2.")
                                     : tr("At position %1 of the Replace text: %2."))
                      .arg(error->position)
                      .arg(what);
        text += QLatin1Char('\n') + where;
    }
    showPlainMessage(this, QMessageBox::NoIcon, text);
}

// What the start left out, then how many files kept their name for want of
// a field: one line each, under the lists.
void MainWindow::updateStatusLine() {
    QStringList lines;
    if (!m_startNote.isEmpty())
        lines << m_startNote;
    const std::vector<FieldMask>& missing = workspace().missingFields();
    FieldMask fields = 0;
    std::size_t kept = 0;
    for (const FieldMask m : missing) {
        fields |= m;
        kept += m != 0 ? 1 : 0;
    }
    if (kept != 0)
        lines << tr("Files that kept their name: %1. A field their new name needs is missing: %2.")
                     .arg(QLocale().toString(static_cast<qulonglong>(kept)),
                          fieldTokenList(fields));
    m_status->setText(lines.join(QLatin1Char('\n')));
    m_status->setVisible(!lines.isEmpty());
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
