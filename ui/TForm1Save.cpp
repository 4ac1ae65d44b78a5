// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/DiskMessages.h"
#include "ui/FileLists.h"
#include "ui/MainMenus.h"
#include "ui/NameText.h"
#include "ui/TopStrip.h"
#include "ui/UserQuestions.h"

#include <QApplication>
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

void TForm1::setQuestions(std::shared_ptr<UserQuestions> questions) {
    m_questions = std::move(questions);
}

// The progress bar takes the check box's place while files are renamed, for
// saving and for undoing alike.
SaveCallbacks TForm1::renamingCallbacks(bool& busy) {
    SaveCallbacks callbacks;
    callbacks.renaming = [this, &busy](bool renaming) {
        busy = renaming;
        if (renaming) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_strip->showProgress(true);
        } else {
            m_strip->showProgress(false);
            QApplication::restoreOverrideCursor();
        }
    };
    callbacks.progress = [this](int percent) {
        m_strip->setProgress(percent);
    };
    return callbacks;
}

void TForm1::tellReloadError(UserQuestions& ask, int error) {
    if (error == 0)
        return;
    const QString folder =
        QFile::decodeName(QByteArray::fromStdString(m_workspace.folderList().directory));
    ask.tell(this, MessageKind::Error, DiskMessages::folderUnreadable(folder, error));
}

void TForm1::SaveToDisk_ButtonClick() {
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    UserQuestions& ask = *questions;
    bool busy = false;
    SaveCallbacks callbacks = renamingCallbacks(busy);
    callbacks.tell = [&](const SaveNotice& notice) {
        ask.tell(this, messageKindOf(notice.kind), DiskMessages::saveNotice(notice));
    };
    callbacks.confirm = [&](bool& createUndoFile) {
        return ask.confirmSave(this, createUndoFile);
    };
    callbacks.renameFailed = [&](const RenameFailure& failure) {
        if (busy)
            QApplication::restoreOverrideCursor();
        const RenameFailureChoice choice =
            ask.renameFailed(this, DiskMessages::renameFailure(failure));
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return choice;
    };
    const SaveResult result = m_workspace.save(toName(m_strip->mask()), callbacks);
    if (result.status == SaveStatus::Saved)
        tellReloadError(ask, result.reloadError);
}

void TForm1::UndoLastSave1Click() {
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    UserQuestions& ask = *questions;
    if (!m_workspace.hasUndoRecord() || !ask.confirmUndoLastSave(this))
        return;
    bool busy = false;
    const UndoResult result =
        m_workspace.undoLastSave(toName(m_strip->mask()), renamingCallbacks(busy));
    switch (result.status) {
    case UndoStatus::NoRecord:
    case UndoStatus::NotQuillons:
        ask.tell(this, MessageKind::Error, DiskMessages::noUndoFile());
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

void TForm1::updateUndoLastSave() {
    m_menus->setUndoLastSaveEnabled(m_workspace.hasUndoRecord());
}

void TForm1::Rename_FileClick() {
    const QModelIndexList selected = m_lists->previewView()->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    const auto row = static_cast<std::size_t>(selected.first().row());
    if (row >= m_workspace.preview().size())
        return;
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    const bool caseIsNone = m_workspace.caseMode() == CaseMode::None;
    QString text = toQString(m_workspace.preview().names.decoded(row));
    bool updateCase = false;
    if (!questions->editName(this, text, caseIsNone, updateCase))
        return;
    m_workspace.renameEntry(row, toName(text), updateCase && !caseIsNone);
}

} // namespace quillon
