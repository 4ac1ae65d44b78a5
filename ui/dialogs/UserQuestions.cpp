// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/UserQuestions.h"

#include "ui/dialogs/RenameDialog.h"
#include "ui/dialogs/SaveConfirmDialog.h"
#include "ui/widgets/WidgetHelpers.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace quillon {

namespace {

// The English captions double as the buttons' names.
const char* const kFailureButtons[] = {QT_TRANSLATE_NOOP("quillon::UserQuestions", "OK"),
                                       QT_TRANSLATE_NOOP("quillon::UserQuestions", "Abort"),
                                       QT_TRANSLATE_NOOP("quillon::UserQuestions", "Retry")};

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, MessageKind kind,
                                            const QString& text) {
    auto box = std::make_unique<QMessageBox>(
        kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
        QStringLiteral("Quillon"), text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    fitToTitle(*box);
    return box;
}

std::unique_ptr<QMessageBox> makeRenameFailureBox(QWidget* parent, const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("Quillon"), text,
                                             QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    // One role for all three: Qt orders buttons by role, and would put them
    // in the platform's order otherwise.
    for (const char* caption : kFailureButtons) {
        QPushButton* button =
            box->addButton(QCoreApplication::translate("quillon::UserQuestions", caption),
                           QMessageBox::ActionRole);
        button->setObjectName(QString::fromLatin1(caption));
    }
    box->setDefaultButton(qobject_cast<QPushButton*>(box->buttons().at(0)));
    box->setEscapeButton(box->buttons().at(0));
    return box;
}

RenameFailureChoice renameFailureChoice(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return RenameFailureChoice::Skip;
    if (clicked->objectName() == QLatin1String("Abort"))
        return RenameFailureChoice::Abort;
    if (clicked->objectName() == QLatin1String("Retry"))
        return RenameFailureChoice::Retry;
    return RenameFailureChoice::Skip;
}

void UserQuestions::tell(QWidget* parent, MessageKind kind, const QString& text) {
    makeMessageBox(parent, kind, text)->exec();
}

bool UserQuestions::confirmUndoLastSave(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quillon"),
                    QCoreApplication::translate("quillon::UserQuestions",
                                                "Do you want to rename the files of the last "
                                                "save back?"),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool UserQuestions::confirmUnknownRecord(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillon"),
                    QCoreApplication::translate(
                        "quillon::UserQuestions",
                        "The undo file in this folder is not in your history: it was made by "
                        "another user or on another machine. Its names were checked and stay "
                        "inside this folder.\n\nDo you want to rename its files back?"),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool UserQuestions::confirmSave(QWidget* parent, bool& createUndoFile) {
    SaveConfirmDialog dialog(createUndoFile, parent);
    return dialog.exec() == QDialog::Accepted;
}

RenameFailureChoice UserQuestions::renameFailed(QWidget* parent, const QString& text) {
    const auto box = makeRenameFailureBox(parent, text);
    box->exec();
    return renameFailureChoice(*box);
}

bool UserQuestions::editName(QWidget* parent, QString& text, bool caseIsNone, bool& updateCase) {
    RenameDialog dialog(text, caseIsNone, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = dialog.editedName();
    updateCase = dialog.updateCase();
    return true;
}

} // namespace quillon
