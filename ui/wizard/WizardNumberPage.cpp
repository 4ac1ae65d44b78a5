// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardNumberPage.h"

#include "ui/models/NameText.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>

namespace quillon {

using namespace wizard;

WizardNumberPage::WizardNumberPage(MainWindowAccess& mainWindow, QWidget* parent)
    : WizardPage(mainWindow, parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    column->addWidget(pageLabel(tr("This feature adds sequential numbers to file names."), this));
    column->addWidget(buildGroup());
    // NOLINTBEGIN(modernize-raw-string-literal): the translation keys on this text
    addFoot(column, tr("Click on OK when done to fill out the \"Replace\" and \"With\" boxes."),
            "W_Number_OKButton", "W_Number_ClearButton");
    // NOLINTEND(modernize-raw-string-literal)
}

QWidget* WizardNumberPage::buildGroup() {
    auto* group = new QGroupBox(tr("New Files Names"), this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    static constexpr const char* kTextNames[] = {"W_Number_Edit1", "W_Number_Edit2",
                                                 "W_Number_Edit3"};
    static constexpr const char* kComboNames[] = {"W_Number_Combo1", "W_Number_Combo2"};
    const QStringList items{tr("Numbers"), tr("Old File Names"), tr("(None)")};
    for (int i = 0; i < 3; ++i) {
        QLabel* optional = pageLabel(tr("Text (Optional)"), group);
        optional->setFont(small);
        grid->addWidget(optional, 0, 2 * i);
        m_texts[i] = typingEdit(kTextNames[i], 64, TypingRule::FileNameCharacters, group);
        // The three boxes share one caption: readers say which one it is.
        m_texts[i]->setAccessibleName(tr("Text %1 (optional)").arg(i + 1));
        grid->addWidget(m_texts[i], 1, 2 * i);
        if (i < 2) {
            m_choices[i] = editableCombo(kComboNames[i], items, i, group);
            m_choices[i]->setAccessibleName(tr("Numbers or old file names %1").arg(i + 1));
            grid->addWidget(m_choices[i], 1, 2 * i + 1);
        }
    }
    auto* startRow = new QHBoxLayout;
    QLabel* startLabel = pageLabel(tr("Starting number:"), group);
    startRow->addWidget(startLabel);
    m_start = typingEdit("W_Number_Edit4", 4, TypingRule::DigitsOnly, group);
    startLabel->setBuddy(m_start);
    m_start->setText(QStringLiteral("1"));
    m_start->setFixedWidth(40);
    startRow->addWidget(m_start);
    startRow->addSpacing(12);
    m_padding =
        named(new QCheckBox(tr("Pad numbers with leading zeros."), group), "W_Number_Padding");
    m_padding->setChecked(true);
    startRow->addWidget(m_padding);
    startRow->addStretch(1);
    grid->addLayout(startRow, 2, 0, 1, 5);
    return group;
}

void WizardNumberPage::ok() {
    NumberPage page;
    for (int i = 0; i < 3; ++i)
        page.texts[i] = toName(m_texts[i]->text());
    page.choices = {m_choices[0]->currentIndex(), m_choices[1]->currentIndex()};
    page.start = toName(m_start->text());
    page.padding = m_padding->isChecked();
    const auto outcome = composeNumber(page);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        showMessage(translated("quillon::wizard", refusal->message));
        return;
    }
    const auto& result = std::get<NumberResult>(outcome);
    m_start->setText(toQString(result.start));
    m_padding->setChecked(result.padding);
    writePatterns(toQString(result.find), toQString(result.replaceWith));
}

void WizardNumberPage::clear() {
    for (QLineEdit* edit : m_texts)
        edit->clear();
    m_choices[0]->setCurrentIndex(kNumbers);
    m_choices[1]->setCurrentIndex(kOldFileNames);
    m_start->setText(QStringLiteral("1"));
    m_padding->setChecked(true);
    writePatterns(QString(), QString());
}

} // namespace quillon
