// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/save/SaveCallbacks.h"

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

namespace quillon {

/// Where saving and the single-file rename ask the user. The main window
/// holds one; tests stand in their own so that no modal window blocks them.
class UserQuestions {
public:
    virtual ~UserQuestions() = default;

    /// An error box or a plain message box.
    virtual void tell(QWidget* parent, MessageKind kind, const QString& text);
    /// The save confirmation (SaveConfirmDialog): true for "Yes".
    virtual bool confirmSave(QWidget* parent, bool& createUndoFile);
    /// "Undo Last Save" asks first: true for "Yes".
    virtual bool confirmUndoLastSave(QWidget* parent);
    /// The folder's undo file is not in the user's history; true takes it.
    virtual bool confirmUnknownRecord(QWidget* parent);
    /// The failure box of one rename.
    virtual RenameFailureChoice renameFailed(QWidget* parent, const QString& text);
    /// The rename dialog (RenameDialog): true when "Ok" closed it; text carries the
    /// name in and the edited name out.
    virtual bool editName(QWidget* parent, QString& text, bool caseIsNone, bool& updateCase);
};

/// An error box (critical icon) or a plain one, captioned "Quillon"; names
/// in the text are never read as markup.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, MessageKind kind, const QString& text);

/// The failure box: captioned "Quillon", no icon, the buttons OK, Abort and
/// Retry in that order; OK answers Enter and Escape, so closing skips.
std::unique_ptr<QMessageBox> makeRenameFailureBox(QWidget* parent, const QString& text);

/// What the failure box's clicked button means.
RenameFailureChoice renameFailureChoice(const QMessageBox& box);

} // namespace quillon
