// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/BusyProgress.h"
#include "ui/DiskMessages.h"
#include "ui/FileLists.h"
#include "ui/MainMenus.h"
#include "ui/NameText.h"
#include "ui/TopStrip.h"
#include "ui/UserQuestions.h"

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
    SaveCallbacks callbacks;
    callbacks.tell = [&](const SaveNotice& notice) {
        ask.tell(this, messageKindOf(notice.kind), DiskMessages::saveNotice(notice));
    };
    callbacks.confirm = [&](bool& createUndoFile) {
        return ask.confirmSave(this, createUndoFile);
    };
    callbacks.renameFailed = [&](const RenameFailure& failure) {
        return ask.renameFailed(this, DiskMessages::renameFailure(failure));
    };
    m_busy->attach(callbacks);
    const SaveResult result = m_workspace.save(toName(m_strip->mask()), callbacks);
    if (result.status == SaveStatus::Saved)
        tellReloadError(ask, result.reloadError);
}

void TForm1::UndoLastSave1Click() {
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    UserQuestions& ask = *questions;
    if (!m_workspace.hasUndoRecord() || !ask.confirmUndoLastSave(this))
        return;
    SaveCallbacks callbacks;
    callbacks.confirmUnknownRecord = [this, &ask] {
        return ask.confirmUnknownRecord(this);
    };
    m_busy->attach(callbacks);
    m_busy->enterBusy();
    const UndoResult result = m_workspace.undoLastSave(toName(m_strip->mask()), callbacks);
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
