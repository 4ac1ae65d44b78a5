// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/NameText.h"
#include "ui/UserQuestions.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>

#include "engine/Utf8.h"

#include <cerrno>
#include <cstring>

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

QString TForm1::saveNoticeText(const SaveNotice& notice) const {
    const QString name = toDisplayString(notice.name);
    switch (notice.kind) {
    case SaveNoticeKind::NoFiles:
        return tr("No files to save.");
    case SaveNoticeKind::ListsOutOfStep:
        return tr("Folder.items.count <> Preview.items.count\n\nChanges cannot be saved. Click "
                  "Reload.");
    case SaveNoticeKind::NotReady:
        return tr("Not ready yet. Proceed when\nthe \"Save\" is enabled.\n");
    case SaveNoticeKind::DuplicateName:
        return tr("Duplicate file names found:\n > %1\n\nNothing written to disk.").arg(name);
    case SaveNoticeKind::InvalidName:
        return tr("Invalid file name found:\n > %1\n\nNothing written to disk.").arg(name);
    case SaveNoticeKind::FolderBusy:
        return tr("Another save or undo is running in this folder.\n\nNo file was renamed.");
    case SaveNoticeKind::UndoFileNotWritten:
        return tr("The undo file could not be written.\n\nNo file was renamed.");
    case SaveNoticeKind::UndoFileNotRewritten:
        return tr("The undo file could not be rewritten after renaming.\n\nIt still lists every "
                  "planned rename; running it takes back those that were done.");
    }
    return {};
}

QString TForm1::renameFailureText(const RenameFailure& failure) const {
    // Linux has no sharing violation; a busy file is the nearest thing.
    const bool busy = failure.error == EBUSY || failure.error == ETXTBSY;
    return QStringLiteral("\"%1\"\n%2")
        .arg(toDisplayString(failure.oldName),
             busy ? tr("cannot be renamed because it is currently used by\nanother program.")
                  : tr("could not be renamed."));
}

// The progress bar takes the check box's place while files are renamed, for
// saving and for undoing alike.
SaveCallbacks TForm1::renamingCallbacks(bool& busy) {
    SaveCallbacks callbacks;
    callbacks.renaming = [this, &busy](bool renaming) {
        busy = renaming;
        if (renaming) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_progress->setValue(0);
            m_displayPreview->hide();
            m_progress->show();
            if (QLayout* row = m_progress->parentWidget()->layout())
                row->activate();
            m_progress->repaint();
        } else {
            m_progress->hide();
            m_displayPreview->show();
            QApplication::restoreOverrideCursor();
        }
    };
    callbacks.progress = [this](int percent) {
        // The loop lets no event through, so the bar paints itself now.
        m_progress->setValue(percent);
        m_progress->repaint();
    };
    return callbacks;
}

void TForm1::tellReloadError(UserQuestions& ask, int error) {
    if (error == 0)
        return;
    const QString folder =
        QFile::decodeName(QByteArray::fromStdString(m_workspace.folderList().directory));
    ask.tell(this, MessageKind::Error,
             tr("The folder could not be read:\n > %1\n\n%2")
                 .arg(folder, QString::fromLocal8Bit(std::strerror(error))));
}

void TForm1::SaveToDisk_ButtonClick() {
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    UserQuestions& ask = *questions;
    bool busy = false;
    SaveCallbacks callbacks = renamingCallbacks(busy);
    callbacks.tell = [&](const SaveNotice& notice) {
        ask.tell(this, messageKindOf(notice.kind), saveNoticeText(notice));
    };
    callbacks.confirm = [&](bool& createUndoFile) {
        return ask.confirmSave(this, createUndoFile);
    };
    callbacks.renameFailed = [&](const RenameFailure& failure) {
        if (busy)
            QApplication::restoreOverrideCursor();
        const RenameFailureChoice choice = ask.renameFailed(this, renameFailureText(failure));
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return choice;
    };
    const SaveResult result = m_workspace.save(toName(m_mask->text()), callbacks);
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
        m_workspace.undoLastSave(toName(m_mask->text()), renamingCallbacks(busy));
    switch (result.status) {
    case UndoStatus::NoRecord:
    case UndoStatus::NotQuillons:
        ask.tell(this, MessageKind::Error, tr("This folder holds no undo file of Quillon's."));
        return;
    case UndoStatus::Busy:
        ask.tell(this, MessageKind::Error,
                 saveNoticeText(SaveNotice{SaveNoticeKind::FolderBusy, {}, 0}));
        return;
    case UndoStatus::Undone:
        break;
    }
    if (!result.notRestored.empty()) {
        QString names;
        for (const UndoStep& step : result.notRestored)
            names += QStringLiteral("\n > ") + toDisplayString(decodeName(step.to));
        ask.tell(this, MessageKind::Error,
                 tr("These files could not be renamed back:%1\n\nThe undo file was kept with "
                    "them.")
                     .arg(names));
    }
    tellReloadError(ask, result.reloadError);
}

void TForm1::updateUndoLastSave() {
    if (m_undoLastSave)
        m_undoLastSave->setEnabled(m_workspace.hasUndoRecord());
}

void TForm1::Rename_FileClick() {
    const QModelIndexList selected = m_previewView->selectionModel()->selectedIndexes();
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
