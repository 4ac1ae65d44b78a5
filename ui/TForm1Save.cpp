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

void TForm1::SaveToDisk_ButtonClick() {
    const std::shared_ptr<UserQuestions> questions = questionsOf(m_questions);
    UserQuestions& ask = *questions;
    bool busy = false;
    SaveCallbacks callbacks;
    callbacks.tell = [&](MessageKind kind, NameView text) {
        ask.tell(this, kind, toDisplayString(text));
    };
    callbacks.confirm = [&](bool& createUndoFile) {
        return ask.confirmSave(this, createUndoFile);
    };
    callbacks.renameFailed = [&](const RenameFailure& failure) {
        if (busy)
            QApplication::restoreOverrideCursor();
        const RenameFailureChoice choice = ask.renameFailed(this, toDisplayString(failure.message));
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return choice;
    };
    callbacks.renaming = [&](bool renaming) {
        busy = renaming;
        if (renaming) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            // The bar takes the check box's place while the files are renamed.
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
    callbacks.progress = [&](int percent) {
        // The loop lets no event through, so the bar paints itself now.
        m_progress->setValue(percent);
        m_progress->repaint();
    };
    const SaveResult result = m_workspace.save(toName(m_mask->text()), callbacks);
    if (result.status == SaveStatus::Saved && result.reloadError != 0) {
        const QString folder =
            QFile::decodeName(QByteArray::fromStdString(m_workspace.folderList().directory));
        ask.tell(this, MessageKind::Error,
                 tr("The folder could not be read:\n > %1\n\n%2")
                     .arg(folder, QString::fromLocal8Bit(std::strerror(result.reloadError))));
    }
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
    QString text = toQString(m_workspace.preview()[row].name);
    bool updateCase = false;
    if (!questions->editName(this, text, caseIsNone, updateCase))
        return;
    m_workspace.renameEntry(row, toName(text), updateCase && !caseIsNone);
}

} // namespace quillon
