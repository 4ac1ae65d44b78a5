// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quillon {

/// The single-file rename: one preview name to edit by hand. Created for one
/// use.
class RenameDialog final : public QDialog {
    Q_OBJECT
public:
    /// Longest name the box takes from the keyboard or a paste, in characters.
    static constexpr int kMaxLength = 255;

    /// name: the preview name to edit; caseIsNone: the main window's
    /// case mode is "None", so "Update case" is off and disabled.
    RenameDialog(QString name, bool caseIsNone, QWidget* parent);

    /// The edited name, once "Ok" was pressed; the name given before.
    const QString& editedName() const { return m_editedName; }
    /// "Update case" was checked when the dialog closed.
    bool updateCase() const;

public slots:
    void fillInName();
    void acceptNewName();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_editedName;
    bool m_caseIsNone = false;
    bool m_started = false;
    QLineEdit* m_edit = nullptr;
    QCheckBox* m_updateCase = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace quillon
