// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/TWizardForm.h"

#include "ui/MainWindowAccess.h"
#include "ui/NameText.h"
#include "ui/WidgetHelpers.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

using namespace wizard;

namespace {

const QStringList& numberItems() {
    static const QStringList items{
        QCoreApplication::translate("quillon::TWizardForm", "Numbers"),
        QCoreApplication::translate("quillon::TWizardForm", "Old File Names"),
        QCoreApplication::translate("quillon::TWizardForm", "(None)")};
    return items;
}

} // namespace

QWidget* TWizardForm::buildNumberPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    column->addWidget(pageLabel(tr("This feature adds sequential numbers to file names."), page));

    auto* group = new QGroupBox(tr("New Files Names"), page);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    static constexpr const char* textNames[] = {"W_Number_Edit1", "W_Number_Edit2",
                                                "W_Number_Edit3"};
    static constexpr const char* comboNames[] = {"W_Number_Combo1", "W_Number_Combo2"};
    for (int i = 0; i < 3; ++i) {
        QLabel* optional = pageLabel(tr("Text (Optional)"), group);
        optional->setFont(small);
        grid->addWidget(optional, 0, 2 * i);
        m_numberTexts[i] = typingEdit(textNames[i], 64, KeyFilterKind::ValidFileChars, group);
        grid->addWidget(m_numberTexts[i], 1, 2 * i);
        if (i < 2) {
            m_numberChoices[i] = editableCombo(comboNames[i], numberItems(), i, group);
            grid->addWidget(m_numberChoices[i], 1, 2 * i + 1);
        }
    }
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(pageLabel(tr("Starting number:"), group));
    m_numberStart = typingEdit("W_Number_Edit4", 4, KeyFilterKind::NumbersOnly, group);
    m_numberStart->setText(QStringLiteral("1"));
    m_numberStart->setFixedWidth(40);
    startRow->addWidget(m_numberStart);
    startRow->addSpacing(12);
    m_numberPadding = new QCheckBox(tr("Pad numbers with leading zeros."), group);
    m_numberPadding->setObjectName(QStringLiteral("W_Number_Padding"));
    m_numberPadding->setChecked(true);
    m_numberPadding->setFocusPolicy(Qt::ClickFocus);
    startRow->addWidget(m_numberPadding);
    startRow->addStretch(1);
    grid->addLayout(startRow, 2, 0, 1, 5);
    column->addWidget(group);

    const PageButtons buttons = addPageFoot(
        column, tr("Click on OK when done to fill out the \"Replace\" and \"With\" boxes."),
        "W_Number_OKButton", "W_Number_ClearButton");
    connect(buttons.ok, &QPushButton::clicked, this, &TWizardForm::W_Number_OKButtonClick);
    connect(buttons.clear, &QPushButton::clicked, this, &TWizardForm::W_Number_ClearButtonClick);
    return page;
}

void TWizardForm::W_Number_OKButtonClick() {
    NumberPage page;
    for (int i = 0; i < 3; ++i)
        page.texts[i] = toName(m_numberTexts[i]->text());
    page.choices = {m_numberChoices[0]->currentIndex(), m_numberChoices[1]->currentIndex()};
    page.start = toName(m_numberStart->text());
    page.padding = m_numberPadding->isChecked();
    const auto outcome = W_Number_Compose(page);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        showMessage(translated("quillon::wizard", refusal->message));
        return;
    }
    const auto& result = std::get<NumberResult>(outcome);
    m_numberStart->setText(toQString(result.start));
    m_numberPadding->setChecked(result.padding);
    mainWindow()->setReplaceText(toQString(result.replaceFrom));
    mainWindow()->setWithText(toQString(result.replaceTo));
}

void TWizardForm::W_Number_ClearButtonClick() {
    for (QLineEdit* edit : m_numberTexts)
        edit->clear();
    m_numberChoices[0]->setCurrentIndex(kNumbers);
    m_numberChoices[1]->setCurrentIndex(kOldFileNames);
    m_numberStart->setText(QStringLiteral("1"));
    m_numberPadding->setChecked(true);
    mainWindow()->setReplaceText(QString());
    mainWindow()->setWithText(QString());
}

} // namespace quillon
