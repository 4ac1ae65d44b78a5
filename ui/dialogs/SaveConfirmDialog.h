// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;

namespace quillon {

/// The save confirmation: "Do you want to rename these files?" with the
/// check box "Create an undo file.". Created for one save.
class SaveConfirmDialog final : public QDialog {
    Q_OBJECT
public:
    /// The result of "No"; "Yes" gives QDialog::Accepted, the close box
    /// QDialog::Rejected.
    static constexpr int kNo = 7;

    /// createUndoFile: the main window's flag, which the check box writes.
    SaveConfirmDialog(bool& createUndoFile, QWidget* parent);

public slots:
    void undoFileChoiceChanged();

private:
    bool& m_createUndoFile;
    QCheckBox* m_checkBox = nullptr;
};

} // namespace quillon
