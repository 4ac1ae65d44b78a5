// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/dialogs/DiskMessages.h"
#include "ui/dialogs/UserQuestions.h"
#include "ui/mainwindow/FileLists.h"
#include "ui/mainwindow/MainMenus.h"
#include "ui/mainwindow/TopStrip.h"
#include "ui/models/NameText.h"
#include "ui/work/CommandRunner.h"
#include "ui/work/SaveQuestions.h"

#include <QFile>
#include <QListView>

namespace quillon {

namespace {

// Held by the caller for the whole command: a test may replace the
// questions while one of them runs.
std::shared_ptr<UserQuestions> questionsOf(std::shared_ptr<UserQuestions>& questions) {
    if (!questions)
        questions = std::make_shared<UserQuestions>();
    return questions;
}

} // namespace

void MainWindow::setQuestions(std::shared_ptr<UserQuestions> questions) {
    m_questions = std::move(questions);
}

void MainWindow::tellReloadError(UserQuestions& ask, int error) {
    if (error == 0)
        return;
    const QString folder =
        QFile::decodeName(QByteArray::fromStdString(workspace().folderList().directory));
    ask.tell(this, MessageKind::Error, DiskMessages::folderUnreadable(folder, error));
}

void MainWindow::save() {
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    auto asking = std::make_shared<SaveQuestions>(*m_runner, this, questions);
    auto result = std::make_shared<SaveResult>();
    m_runner->run(
        CommandRunner::OnCancel::Stop,
        [asking, result, mask = toName(m_strip->mask())](Workspace& workspace,
                                                         WorkControl& control) {
            *result = workspace.save(mask, asking->callbacks(control));
        },
        [this, questions, result] {
            if (result->status == SaveStatus::Saved)
                tellReloadError(*questions, result->reloadError);
        });
}

void MainWindow::undoLastSave() {
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    // The disk is the worker's while a command works.
    if (isWorking() || !workspace().hasUndoRecord() || !questions->confirmUndoLastSave(this))
        return;
    auto asking = std::make_shared<SaveQuestions>(*m_runner, this, questions);
    auto result = std::make_shared<UndoResult>();
    m_runner->run(
        CommandRunner::OnCancel::Stop,
        [asking, result, mask = toName(m_strip->mask())](Workspace& workspace,
                                                         WorkControl& control) {
            *result = workspace.undoLastSave(mask, asking->callbacks(control));
        },
        [this, questions, result] { tellUndoResult(*questions, *result); });
}

void MainWindow::tellUndoResult(UserQuestions& ask, const UndoResult& result) {
    switch (result.status) {
    case UndoStatus::NoRecord:
    case UndoStatus::NotQuillons:
    case UndoStatus::Refused:
        ask.tell(this, MessageKind::Error, DiskMessages::noUndoFile());
        return;
    case UndoStatus::Declined:
        return;
    case UndoStatus::Busy:
        ask.tell(this, MessageKind::Error,
                 DiskMessages::saveNotice(SaveNotice{SaveNoticeKind::FolderBusy, {}, 0}));
        return;
    case UndoStatus::Undone:
        break;
    }
    if (!result.notRestored.empty())
        ask.tell(this, MessageKind::Error, DiskMessages::notRestored(result.notRestored));
    tellReloadError(ask, result.reloadError);
}

void MainWindow::updateUndoLastSave() {
    m_menus->setUndoLastSaveEnabled(!isWorking() && workspace().hasUndoRecord());
}

void MainWindow::renameSelectedEntry() {
    if (isWorking())
        return; // the lists are about to be replaced
    const QModelIndexList selected = m_lists->previewView()->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    const auto row = static_cast<std::size_t>(selected.first().row());
    if (row >= workspace().preview().size())
        return;
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    const bool caseIsNone = workspace().caseMode() == CaseMode::None;
    QString text = toQString(workspace().preview().names.decoded(row));
    bool updateCase = false;
    if (!questions->editName(this, text, caseIsNone, updateCase))
        return;
    workspace().renameEntry(row, toName(text), updateCase && !caseIsNone);
    updateStatusLine();
}

} // namespace quillon
