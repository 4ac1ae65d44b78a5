// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardInsertPage.h"

#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/models/NameText.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace quillon {

using namespace wizard;

WizardInsertPage::WizardInsertPage(MainWindowAccess& mainWindow, SampleName sample, QWidget* parent)
    : WizardPage(mainWindow, parent)
    , m_sample(std::move(sample)) {
    QVBoxLayout* column =
        pageColumn(this, tr("This feature inserts a string at the specified position."));
    QVBoxLayout* inner = nullptr;
    QWidget* group = sampleGroup(tr("Insert String"), this, inner);
    QLabel* sampleLabel = pageLabel(tr("Click where you want to insert a string:"), group);
    inner->addWidget(sampleLabel);
    m_edit = new SampleEdit("W_Ins_Edit", group);
    sampleLabel->setBuddy(m_edit);
    connect(m_edit, &SampleEdit::clicked, this, &WizardInsertPage::sampleClicked);
    inner->addWidget(m_edit);
    auto* stringRow = new QHBoxLayout;
    QLabel* stringLabel = pageLabel(tr("Enter the string:"), group);
    stringRow->addWidget(stringLabel);
    m_string = typingEdit("W_Ins_Edit_Str", 64, TypingRule::FileNameCharacters, group);
    stringLabel->setBuddy(m_string);
    stringRow->addWidget(m_string, 1);
    inner->addLayout(stringRow);
    m_fromStart = addSideChoice(inner, group,
                                {tr("Should the position of the string be relative to the "
                                    "beginning or the end of the file names?"),
                                 tr("Beginning"), tr("End"), "W_Ins_L2RCB", "W_Ins_R2LCB"});
    column->addWidget(group);
    // NOLINTBEGIN(modernize-raw-string-literal): the translation keys on this text
    addFoot(column, tr("Click on OK when done to fill out the \"Pos\" and \"Str\" boxes."),
            "Button1", "W_Ins_ClearButton");
    // NOLINTEND(modernize-raw-string-literal)
}

void WizardInsertPage::showSample(const QString& sample) {
    m_edit->setText(sample);
}

void WizardInsertPage::selectMarker() {
    const QString shown = m_edit->text();
    if (const auto marker = insertMarkerIndex(toName(shown)))
        m_edit->setSelection(static_cast<int>(utf16Index(shown, *marker)), 2);
}

void WizardInsertPage::moveMarker() {
    const QString shown = m_edit->text();
    const qsizetype caret =
        m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
    const QString next = toQString(withMarkerAt(toName(shown), codePointIndex(shown, caret)));
    if (next != shown)
        m_edit->setText(next);
    selectMarker();
}

void WizardInsertPage::ok() {
    selectMarker();
    const auto outcome = composeInsert(toName(m_edit->text()), toName(m_string->text()),
                                       m_fromStart->isChecked() ? Anchor::Beginning : Anchor::End);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        showMessage(translated("quillon::wizard", refusal->message));
        return;
    }
    const auto& settings = std::get<InsertSettings>(outcome);
    mainWindow().setInsertText(toQString(settings.string));
    mainWindow().setInsertPosition(QString::number(settings.position));
    mainWindow().setInsertChecked(true);
}

void WizardInsertPage::clear() {
    m_edit->setText(m_sample());
    m_string->clear();
    m_fromStart->setChecked(true);
    mainWindow().setInsertChecked(false);
    mainWindow().setInsertText(QString());
    mainWindow().setInsertPosition(QString());
}

} // namespace quillon
