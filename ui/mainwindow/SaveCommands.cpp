// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/SaveCommands.h"

#include "ui/dialogs/DiskMessages.h"
#include "ui/dialogs/UserQuestions.h"
#include "ui/mainwindow/TopStrip.h"
#include "ui/models/NameText.h"
#include "ui/work/CommandRunner.h"
#include "ui/work/SaveQuestions.h"

#include "workspace/Workspace.h"

#include <QFile>

#include <cstring>
#include <functional>
#include <memory>
#include <utility>

namespace quillon {

namespace {

// Runs a save or its undo on the runner, asking the user through ask, and
// hands what it did to done.
template <typename Result>
void runAsking(CommandRunner& runner, QWidget* window, const std::shared_ptr<UserQuestions>& ask,
               Name mask, Result (Workspace::*command)(NameView, const SaveCallbacks&),
               std::function<void(const Result&)> done) {
    auto asking = std::make_shared<SaveQuestions>(runner, window, ask);
    auto result = std::make_shared<Result>();
    runner.run(
        CommandRunner::OnCancel::Stop,
        [asking, result, mask = std::move(mask), command](Workspace& workspace,
                                                          WorkControl& control) {
            *result = (workspace.*command)(mask, asking->callbacks(control));
        },
        [result, done = std::move(done)] { done(*result); });
}

} // namespace

SaveCommands::SaveCommands(CommandRunner& runner, const TopStrip& strip, QWidget* window)
    : QObject(window)
    , m_runner(runner)
    , m_strip(strip)
    , m_window(window) {}

std::shared_ptr<UserQuestions> SaveCommands::questions() {
    if (!m_questions)
        m_questions = std::make_shared<UserQuestions>();
    return m_questions;
}

void SaveCommands::setQuestions(std::shared_ptr<UserQuestions> questions) {
    m_questions = std::move(questions);
}

void SaveCommands::tellReloadError(UserQuestions& ask, int error) {
    if (error == 0)
        return;
    const QString folder =
        QFile::decodeName(QByteArray::fromStdString(m_runner.workspace().folderList().directory));
    ask.tell(m_window, MessageKind::Error, DiskMessages::folderUnreadable(folder, error));
}

void SaveCommands::save() {
    const std::shared_ptr<UserQuestions> ask = questions();
    runAsking<SaveResult>(
        m_runner, m_window, ask, toName(m_strip.mask()), &Workspace::save,
        [this, ask](const SaveResult& result) {
            if (result.status != SaveStatus::Saved)
                return;
            if (result.stopped)
                tellStop(*ask, DiskMessages::saveStopped(
                                   result.renamed, result.renamed + result.notRenamed.size()));
            tellReloadError(*ask, result.reloadError);
            noteHistory(result.historyError);
        });
}

// The undo file still takes the save back; the user learns why "Undo Last
// Save" will not find it in the history.
void SaveCommands::noteHistory(int error) {
    m_historyNote =
        error == 0 ? QString()
                   : tr("This save could not be kept in your history (%1); the undo file in the "
                        "folder takes it back.")
                         .arg(QString::fromLocal8Bit(std::strerror(error)));
    emit historyNoteChanged();
}

void SaveCommands::undoLastSave() {
    const std::shared_ptr<UserQuestions> ask = questions();
    // The history is the worker's while a command works.
    if (m_runner.isRunning() || !m_runner.workspace().hasUndoRecord() ||
        !ask->confirmUndoLastSave(m_window))
        return;
    runAsking<UndoResult>(m_runner, m_window, ask, toName(m_strip.mask()), &Workspace::undoLastSave,
                          [this, ask](const UndoResult& result) { tellUndoResult(*ask, result); });
}

void SaveCommands::tellUndoResult(UserQuestions& ask, const UndoResult& result) {
    switch (result.status) {
    case UndoStatus::NoRecord:
    case UndoStatus::NotQuillons:
    case UndoStatus::Refused:
        ask.tell(m_window, MessageKind::Error, DiskMessages::noUndoFile());
        return;
    case UndoStatus::Declined:
        return;
    case UndoStatus::Busy:
        ask.tell(m_window, MessageKind::Error,
                 DiskMessages::saveNotice(SaveNotice{SaveNoticeKind::FolderBusy, {}, 0}));
        return;
    case UndoStatus::Undone:
        break;
    }
    if (result.notReached != 0)
        tellStop(ask, DiskMessages::undoStopped(result.restored.size(),
                                                result.restored.size() + result.notReached +
                                                    result.notRestored.size()));
    if (!result.notRestored.empty())
        ask.tell(m_window, MessageKind::Error, DiskMessages::notRestored(result.notRestored));
    tellReloadError(ask, result.reloadError);
}

// A save or an undo that failed part-way may have renamed files: the folder
// is read again, and its list shows what landed.
void SaveCommands::tellFailure(const QString& what, bool stopKind) {
    QString text = tr("The command failed: %1").arg(what);
    if (stopKind) {
        text += QLatin1Char('\n') + tr("Files renamed before the failure keep their new names; "
                                       "the list shows the folder as it is now.");
        emit folderListWanted();
        emit folderRereadWanted();
    }
    questions()->tell(m_window, MessageKind::Error, text);
}

// The preview would show the new names of files the stop left as they were:
// the folder's list shows what is on disk.
void SaveCommands::tellStop(UserQuestions& ask, const QString& text) {
    emit folderListWanted();
    ask.tell(m_window, MessageKind::Plain, text);
}

} // namespace quillon
