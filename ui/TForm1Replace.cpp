// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"
#include "ui/KeyFilter.h"
#include "ui/NameText.h"
#include "ui/WidgetHelpers.h"

#include "engine/Refusals.h"
#include "engine/ReplaceReadiness.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillon {

namespace {

QCheckBox* checkBox(const char* name, const QString& caption, bool checked, QWidget* parent) {
    auto* box = named(new QCheckBox(caption, parent), name);
    box->setChecked(checked);
    return box;
}

// A box wide enough for its longest entry, or a stretching one.
QLineEdit* lineEdit(const char* name, const QString& widest, QWidget* parent) {
    auto* edit = named(new QLineEdit(parent), name);
    if (!widest.isEmpty())
        fitWidthTo(edit, widest);
    return edit;
}

QLabel* labelFor(const QString& caption, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    return label;
}

int posBoxLimit(const QString& before) {
    return before.startsWith(QLatin1Char('-')) ? 4 : 3;
}

} // namespace

QGroupBox* TForm1::buildReplaceGroup(QWidget* parent) {
    auto* group = named(new QGroupBox(tr("Replace/Reformat/Number"), parent), "Replacement");
    styleCaptionGroup(group);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);

    // Row 0: the pattern boxes, the scope toggles and the assistants.
    auto* patterns = new QHBoxLayout;
    patterns->setSpacing(4);
    m_replaceFrom = lineEdit("Replace_From", {}, group);
    patterns->addWidget(labelFor(tr("Replace:"), m_replaceFrom, group));
    patterns->addWidget(m_replaceFrom, 1);
    auto* clear = imageButton("Replace_ClearFromToBoxesFakeButton", Glyph::Clear, group);
    connect(clear, &QToolButton::clicked, this, &TForm1::Replace_ClearFromToBoxesFakeButtonClick);
    patterns->addWidget(clear);
    m_replaceTo = lineEdit("Replace_To", {}, group);
    patterns->addWidget(labelFor(tr("With:"), m_replaceTo, group));
    patterns->addWidget(m_replaceTo, 1);

    m_fnExtPanel = named(new QWidget(group), "Replace_FNExtPanel");
    auto* scope = new QGridLayout(m_fnExtPanel);
    scope->setContentsMargins(0, 0, 0, 0);
    scope->setSpacing(0);
    m_fnOn = imageButton("Replace_Button_FN_On", Glyph::ScopeNamesOn, m_fnExtPanel, true);
    m_fnOff = imageButton("Replace_Button_FN_Off", Glyph::ScopeNamesOff, m_fnExtPanel, true);
    m_extOn = imageButton("Replace_Button_Ext_On", Glyph::ScopeExtensionsOn, m_fnExtPanel, true);
    m_extOff = imageButton("Replace_Button_Ext_Off", Glyph::ScopeExtensionsOff, m_fnExtPanel, true);
    // Each pair shares one place; exactly one of a pair is shown.
    scope->addWidget(m_fnOn, 0, 0);
    scope->addWidget(m_fnOff, 0, 0);
    scope->addWidget(m_extOn, 1, 0);
    scope->addWidget(m_extOff, 1, 0);
    m_fnOff->hide();
    m_extOn->hide();
    connect(m_fnOn, &QToolButton::clicked, this, &TForm1::Replace_Button_FN_OnClick);
    connect(m_fnOff, &QToolButton::clicked, this, &TForm1::Replace_Button_FN_OffClick);
    connect(m_extOn, &QToolButton::clicked, this, &TForm1::Replace_Button_Ext_OnClick);
    connect(m_extOff, &QToolButton::clicked, this, &TForm1::Replace_Button_Ext_OffClick);
    // Hidden for patterns without a scope; the boxes keep their places.
    keepPlaceWhenHidden(m_fnExtPanel);
    patterns->addWidget(m_fnExtPanel);

    m_wizardButton = imageButton("Replace_OptionsWizard", Glyph::Wizard, group);
    connect(m_wizardButton, &QToolButton::clicked, this, &TForm1::Replace_OptionsWizardClick);
    m_helpButton = imageButton("HelpButton", Glyph::Help, group);
    connect(m_helpButton, &QToolButton::clicked, this, &TForm1::HelpFormClick);
    patterns->addWidget(m_wizardButton);
    patterns->addWidget(m_helpButton);
    grid->addLayout(patterns, 0, 0, 1, 2);

    // Row 1: Delete and Insert at a position.
    auto* positions = new QHBoxLayout;
    positions->setSpacing(3);
    m_trim = checkBox("Replace_Trim", tr("Delete"), false, group);
    const QString fourDigits = QStringLiteral("-000");
    m_trimFrom = lineEdit("Replace_TrimFrom", fourDigits, group);
    m_trimCount = lineEdit("Replace_TrimCount", fourDigits, group);
    m_insert = checkBox("Replace_Insert", tr("Insert"), false, group);
    m_insertFrom = lineEdit("Replace_InsertFrom", fourDigits, group);
    m_insertString = lineEdit("Replace_InsertString", {}, group);
    positions->addWidget(m_trim);
    positions->addWidget(labelFor(tr("Pos:"), m_trimFrom, group));
    positions->addWidget(m_trimFrom);
    positions->addWidget(labelFor(tr("Length:"), m_trimCount, group));
    positions->addWidget(m_trimCount);
    positions->addSpacing(8);
    positions->addWidget(m_insert);
    positions->addWidget(labelFor(tr("Pos:"), m_insertFrom, group));
    positions->addWidget(m_insertFrom);
    positions->addWidget(labelFor(tr("String:"), m_insertString, group));
    positions->addWidget(m_insertString, 1);
    grid->addLayout(positions, 1, 0, 1, 2);

    // Rows 2 and 3: the switches, then Undo and OK at the right.
    auto* switches = new QGridLayout;
    switches->setHorizontalSpacing(8);
    switches->setVerticalSpacing(0);
    m_replaceCase = checkBox("Replace_Case", tr("Case sensitive"), false, group);
    m_updateCase = checkBox("Replace_UpdateCase", tr("Update case"), true, group);
    m_sourceIsPreview = checkBox("SourceIsPreview", tr("Cumulate"), true, group);
    m_charToSpaces = checkBox("Replace_CharToSpaces", tr("%20 and _ to spaces"), true, group);
    m_delDigits = checkBox("Replace_DelDigits", tr("Delete digits"), false, group);
    m_delExtraSpaces = checkBox("Replace_DelExtraSpaces", tr("Delete extra spaces"), true, group);
    switches->addWidget(m_replaceCase, 0, 0);
    switches->addWidget(m_updateCase, 0, 1);
    switches->addWidget(m_sourceIsPreview, 0, 2);
    switches->addWidget(m_charToSpaces, 1, 0);
    switches->addWidget(m_delDigits, 1, 1);
    switches->addWidget(m_delExtraSpaces, 1, 2);
    grid->addLayout(switches, 2, 0, 2, 1);

    m_undoButton = named(new QPushButton(tr("Undo"), group), "Replace_Undo_Button");
    m_undoButton->setEnabled(false);
    m_replaceButton = named(new QPushButton(tr("OK"), group), "Replace_Button");
    connect(m_undoButton, &QPushButton::clicked, this, &TForm1::Replace_Undo_ButtonClick);
    connect(m_replaceButton, &QPushButton::clicked, this, &TForm1::Replace_ButtonClick);
    grid->addWidget(m_undoButton, 2, 1);
    grid->addWidget(m_replaceButton, 3, 1);
    grid->setColumnStretch(0, 1);

    installReplaceFilters();
    return group;
}

void TForm1::installReplaceFilters() {
    const auto enable = [this] {
        Replace_EnableDisableItemsClick();
    };
    const auto escapeUndo = [this] {
        if (!m_undoButton->isEnabled())
            return false;
        Replace_Undo_ButtonClick();
        return true;
    };
    // "/" and "*" are pattern marks here; every other character may stand
    // in a Linux file name.
    const QString patternRejects;
    installKeyRule(m_replaceFrom,
                   KeyRule{patternRejects, {}, [](const QString&) { return 100; }, {}, escapeUndo});
    installKeyRule(m_replaceTo,
                   KeyRule{patternRejects, {}, [](const QString&) { return 100; }, {}, escapeUndo});
    const auto tickTrim = [this] {
        m_trim->setChecked(true);
        Replace_EnableDisableItemsClick();
    };
    const auto tickInsert = [this] {
        m_insert->setChecked(true);
        Replace_EnableDisableItemsClick();
    };
    installKeyRule(m_trimFrom,
                   KeyRule{{}, QStringLiteral("0123456789-"), posBoxLimit, tickTrim, {}});
    installKeyRule(
        m_trimCount,
        KeyRule{{}, QStringLiteral("0123456789"), [](const QString&) { return 3; }, tickTrim, {}});
    installKeyRule(m_insertFrom,
                   KeyRule{{}, QStringLiteral("0123456789-"), posBoxLimit, tickInsert, {}});
    installKeyRule(m_insertString,
                   KeyRule{notInFileNames(), {}, [](const QString&) { return 64; }, {}, {}});

    for (QLineEdit* box :
         {m_replaceFrom, m_replaceTo, m_trimFrom, m_trimCount, m_insertFrom, m_insertString}) {
        connect(box, &QLineEdit::textChanged, this, enable);
        box->installEventFilter(this); // a click also recomputes the states
    }
    for (QCheckBox* box : {m_replaceCase, m_updateCase, m_charToSpaces, m_delDigits,
                           m_delExtraSpaces, m_trim, m_sourceIsPreview, m_insert})
        connect(box, &QCheckBox::toggled, this, enable);
}

ReplaceSettings TForm1::replaceSettings() const {
    ReplaceSettings s;
    s.find = toName(m_replaceFrom->text());
    s.replaceWith = toName(m_replaceTo->text());
    s.caseSensitive = m_replaceCase->isChecked();
    s.updateCase = m_updateCase->isChecked();
    s.cumulate = m_sourceIsPreview->isChecked();
    s.deleteEnabled = m_trim->isChecked();
    s.deletePos = toName(m_trimFrom->text());
    s.deleteLength = toName(m_trimCount->text());
    s.insertEnabled = m_insert->isChecked();
    s.insertPos = toName(m_insertFrom->text());
    s.insertText = toName(m_insertString->text());
    s.spacesFromPercent20AndUnderscore = m_charToSpaces->isChecked();
    s.deleteDigits = m_delDigits->isChecked();
    s.deleteExtraSpaces = m_delExtraSpaces->isChecked();
    s.scope = scope();
    s.caseMode = m_case->mode();
    s.smartOptions = m_case->smartOptions();
    return s;
}

void TForm1::Replace_ButtonClick() {
    showPreviewList();
    if (const auto refused = m_workspace.apply(replaceSettings()))
        Replace_IncorrectChoice(*refused);
    emit replaceRequested();
}

void TForm1::Replace_IncorrectChoice(RefusalCode code) {
    // The workspace has already dropped the undo copy; only the message is ours.
    const std::string_view message = refusalMessage(code);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillon"),
                    translated("quillon::Refusals", message), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TForm1::Replace_Undo_ButtonClick() {
    showPreviewList();
    m_workspace.undo();
}

void TForm1::Replace_EnableDisableItemsClick() {
    m_state.enterRunsReplace = true;
    m_state.enterRunsReload = false;

    m_replaceButton->setEnabled(canApply(replaceSettings()));

    const QString from = m_replaceFrom->text();
    const bool noScope = from.trimmed() == QStringLiteral("*") || from.contains(QLatin1Char('/'));
    m_replaceCase->setEnabled(!noScope);
    m_fnExtPanel->setVisible(!noScope);
}

void TForm1::passScopeFocus(QToolButton* from, QToolButton* to) {
    // The toggle just pressed by keyboard hides; its partner takes the focus.
    if (from->hasFocus())
        to->setFocus(Qt::TabFocusReason);
}

void TForm1::Replace_Button_FN_OnClick() {
    if (m_extOn->isHidden()) // extensions excluded too: include them first
        Replace_Button_Ext_OffClick();
    m_fnOff->show();
    passScopeFocus(m_fnOn, m_fnOff);
    m_fnOn->hide();
    Replace_SetOptionPanel();
}

void TForm1::Replace_Button_FN_OffClick() {
    m_fnOn->show();
    passScopeFocus(m_fnOff, m_fnOn);
    m_fnOff->hide();
    Replace_SetOptionPanel();
}

void TForm1::Replace_Button_Ext_OnClick() {
    if (m_fnOn->isHidden()) // names excluded too: include them first
        Replace_Button_FN_OffClick();
    m_extOff->show();
    passScopeFocus(m_extOn, m_extOff);
    m_extOn->hide();
    Replace_SetOptionPanel();
}

void TForm1::Replace_Button_Ext_OffClick() {
    m_extOn->show();
    passScopeFocus(m_extOff, m_extOn);
    m_extOff->hide();
    Replace_SetOptionPanel();
}

void TForm1::Replace_SetOptionPanel() {
    const bool names = !m_fnOn->isHidden();
    const bool extensions = !m_extOn->isHidden();
    if (names && !extensions)
        m_scopeFiles->setChecked(true);
    else if (names && extensions)
        m_scopeBoth->setChecked(true);
    else
        m_scopeExt->setChecked(true);
}

void TForm1::Replace_ClearFromToBoxesFakeButtonClick() {
    m_replaceFrom->clear();
    m_replaceTo->clear();
    m_replaceFrom->setFocus();
}

} // namespace quillon
