// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QWidget;

namespace quillon {

class CommandRunner;
class TopStrip;
class UserQuestions;
struct UndoResult;

/// The window's save and "Undo Last Save": runs them on the command runner
/// and tells the user how they ended, a stop or a failure part-way included.
/// The window shows the lists and the status line these ask for.
class SaveCommands final : public QObject {
    Q_OBJECT
public:
    /// window: where the questions and messages appear; strip: the mask box.
    SaveCommands(CommandRunner& runner, const TopStrip& strip, QWidget* window);

    void save();
    /// Takes back the last save into the shown folder from the undo file
    /// it left, after a confirmation.
    void undoLastSave();
    /// Where saving and the rename dialog ask the user (tests stand in their own).
    void setQuestions(std::shared_ptr<UserQuestions> questions);
    /// Held by the caller for the whole command: a test may replace the
    /// questions while one of them runs.
    std::shared_ptr<UserQuestions> questions();
    /// Why the last save is not in the user's history, while it is not.
    const QString& historyNote() const { return m_historyNote; }
    /// A command failed; for a save or an undo, files may have been renamed.
    void tellFailure(const QString& what, bool stopKind);

signals:
    /// The lists should show what is on disk, not the preview.
    void folderListWanted();
    /// The folder should be read again: a failed save may have renamed files.
    void folderRereadWanted();
    void historyNoteChanged();

private:
    void tellReloadError(UserQuestions& ask, int error);
    void noteHistory(int error);
    void tellUndoResult(UserQuestions& ask, const UndoResult& result);
    void tellStop(UserQuestions& ask, const QString& text);

    CommandRunner& m_runner;
    const TopStrip& m_strip;
    QWidget* m_window;
    std::shared_ptr<UserQuestions> m_questions;
    QString m_historyNote;
};

} // namespace quillon
