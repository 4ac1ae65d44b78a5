// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ReplaceGroup.h"

#include "ui/models/NameText.h"
#include "ui/widgets/KeyFilter.h"
#include "ui/widgets/WidgetHelpers.h"

#include "engine/ReplaceReadiness.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

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

Scope scopeOf(bool names, bool extensions) {
    if (names)
        return extensions ? Scope::Both : Scope::FileNamesOnly;
    return Scope::ExtensionsOnly;
}

// One toggle of the pair shows; a hidden one that had the keyboard focus
// passes it on to its twin.
void showToggle(QToolButton* on, QToolButton* off, bool included) {
    QToolButton* shown = included ? on : off;
    QToolButton* hidden = included ? off : on;
    shown->show();
    if (hidden->hasFocus())
        shown->setFocus(Qt::TabFocusReason);
    hidden->hide();
}

} // namespace

ReplaceGroup::ReplaceGroup(QWidget* parent)
    : QGroupBox(tr("Replace/Reformat/Number"), parent) {
    setObjectName(QStringLiteral("Replacement"));
    styleCaptionGroup(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->addLayout(buildPatternRow(), 0, 0, 1, 2);
    grid->addLayout(buildPositionRow(), 1, 0, 1, 2);
    // Rows 2 and 3: the switches, then Undo and OK at the right.
    grid->addLayout(buildSwitches(), 2, 0, 2, 1);
    m_undoButton = named(new QPushButton(tr("Undo"), this), "Replace_Undo_Button");
    m_undoButton->setEnabled(false);
    m_applyButton = named(new QPushButton(tr("OK"), this), "Replace_Button");
    connect(m_undoButton, &QPushButton::clicked, this, &ReplaceGroup::undoPressed);
    connect(m_applyButton, &QPushButton::clicked, this, &ReplaceGroup::okPressed);
    grid->addWidget(m_undoButton, 2, 1);
    grid->addWidget(m_applyButton, 3, 1);
    grid->setColumnStretch(0, 1);

    installKeyRules();
    watchChanges();
    updateControlStates();
}

// The pattern boxes, the scope toggles and the assistants.
QLayout* ReplaceGroup::buildPatternRow() {
    auto* patterns = new QHBoxLayout;
    patterns->setSpacing(4);
    m_findEdit = lineEdit("Replace_From", {}, this);
    patterns->addWidget(labelFor(tr("Replace:"), m_findEdit, this));
    patterns->addWidget(m_findEdit, 1);
    // Out of the Tab order, which goes from "Replace:" straight to "With:":
    // a blank typed after Tab must never land on it. Its key is in its tooltip.
    auto* clear = imageButton("Replace_ClearFromToBoxesFakeButton", Glyph::Clear, this);
    clear->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace));
    connect(clear, &QToolButton::clicked, this, &ReplaceGroup::clearReplaceBoxes);
    patterns->addWidget(clear);
    m_replaceWithEdit = lineEdit("Replace_To", {}, this);
    patterns->addWidget(labelFor(tr("With:"), m_replaceWithEdit, this));
    patterns->addWidget(m_replaceWithEdit, 1);
    patterns->addWidget(buildScopeToggles());

    // In the Tab order, so keyboards and screen readers reach them too.
    m_wizardButton = imageButton("Replace_OptionsWizard", Glyph::Wizard, this, true);
    connect(m_wizardButton, &QToolButton::clicked, this, &ReplaceGroup::wizardPressed);
    m_helpOpener = imageButton("HelpButton", Glyph::Help, this, true);
    connect(m_helpOpener, &QToolButton::clicked, this, &ReplaceGroup::helpPressed);
    patterns->addWidget(m_wizardButton);
    patterns->addWidget(m_helpOpener);
    return patterns;
}

QWidget* ReplaceGroup::buildScopeToggles() {
    m_nameOrExtensionPanel = named(new QWidget(this), "Replace_FNExtPanel");
    auto* scope = new QGridLayout(m_nameOrExtensionPanel);
    scope->setContentsMargins(0, 0, 0, 0);
    scope->setSpacing(0);
    m_nameIncluded =
        imageButton("Replace_Button_FN_On", Glyph::ScopeNamesOn, m_nameOrExtensionPanel, true);
    m_nameExcluded =
        imageButton("Replace_Button_FN_Off", Glyph::ScopeNamesOff, m_nameOrExtensionPanel, true);
    m_extensionIncluded = imageButton("Replace_Button_Ext_On", Glyph::ScopeExtensionsOn,
                                      m_nameOrExtensionPanel, true);
    m_extensionExcluded = imageButton("Replace_Button_Ext_Off", Glyph::ScopeExtensionsOff,
                                      m_nameOrExtensionPanel, true);
    // Each pair shares one place; exactly one of a pair is shown.
    scope->addWidget(m_nameIncluded, 0, 0);
    scope->addWidget(m_nameExcluded, 0, 0);
    scope->addWidget(m_extensionIncluded, 1, 0);
    scope->addWidget(m_extensionExcluded, 1, 0);
    connect(m_nameIncluded, &QToolButton::clicked, this, &ReplaceGroup::excludeNames);
    connect(m_nameExcluded, &QToolButton::clicked, this, &ReplaceGroup::includeNames);
    connect(m_extensionIncluded, &QToolButton::clicked, this, &ReplaceGroup::excludeExtensions);
    connect(m_extensionExcluded, &QToolButton::clicked, this, &ReplaceGroup::includeExtensions);
    // After the click's own handler, whichever toggle it was.
    for (QToolButton* toggle :
         {m_nameIncluded, m_nameExcluded, m_extensionIncluded, m_extensionExcluded})
        connect(toggle, &QToolButton::clicked, this, &ReplaceGroup::showScopeToggles);
    showScopeToggles();
    // Hidden for patterns without a scope; the boxes keep their places.
    keepPlaceWhenHidden(m_nameOrExtensionPanel);
    return m_nameOrExtensionPanel;
}

// Delete and Insert at a position.
QLayout* ReplaceGroup::buildPositionRow() {
    auto* positions = new QHBoxLayout;
    positions->setSpacing(3);
    m_deleteAt = checkBox("Replace_Trim", tr("Delete"), false, this);
    const QString fourDigits = QStringLiteral("-000");
    m_deleteAtEdit = lineEdit("Replace_TrimFrom", fourDigits, this);
    m_deleteCountEdit = lineEdit("Replace_TrimCount", fourDigits, this);
    m_insertAt = checkBox("Replace_Insert", tr("Insert"), false, this);
    m_insertAtEdit = lineEdit("Replace_InsertFrom", fourDigits, this);
    m_insertTextEdit = lineEdit("Replace_InsertString", {}, this);
    // Both boxes are labelled "Pos:": a screen reader says which one it is.
    m_deleteAtEdit->setAccessibleName(tr("Delete position"));
    m_insertAtEdit->setAccessibleName(tr("Insert position"));
    positions->addWidget(m_deleteAt);
    positions->addWidget(labelFor(tr("Pos:"), m_deleteAtEdit, this));
    positions->addWidget(m_deleteAtEdit);
    positions->addWidget(labelFor(tr("Length:"), m_deleteCountEdit, this));
    positions->addWidget(m_deleteCountEdit);
    positions->addSpacing(8);
    positions->addWidget(m_insertAt);
    positions->addWidget(labelFor(tr("Pos:"), m_insertAtEdit, this));
    positions->addWidget(m_insertAtEdit);
    positions->addWidget(labelFor(tr("String:"), m_insertTextEdit, this));
    positions->addWidget(m_insertTextEdit, 1);
    return positions;
}

QLayout* ReplaceGroup::buildSwitches() {
    auto* switches = new QGridLayout;
    switches->setHorizontalSpacing(8);
    switches->setVerticalSpacing(0);
    m_caseSensitive = checkBox("Replace_Case", tr("Case sensitive"), false, this);
    m_regularExpression = checkBox("Replace_Regex", tr("Regular expression"), false, this);
    m_updateCase = checkBox("Replace_UpdateCase", tr("Update case"), true, this);
    m_cumulate = checkBox("SourceIsPreview", tr("Cumulate"), true, this);
    m_charactersToSpaces = checkBox("Replace_CharToSpaces", tr("%20 and _ to spaces"), true, this);
    m_deleteDigits = checkBox("Replace_DelDigits", tr("Delete digits"), false, this);
    m_collapseSpaces = checkBox("Replace_DelExtraSpaces", tr("Delete extra spaces"), true, this);
    m_numberEqualNames =
        checkBox("Replace_NumberEqualNames", tr("Number equal names"), false, this);
    auto* search = new QHBoxLayout;
    search->setSpacing(8);
    search->addWidget(m_caseSensitive);
    search->addWidget(m_regularExpression);
    switches->addLayout(search, 0, 0);
    switches->addWidget(m_updateCase, 0, 1);
    switches->addWidget(m_cumulate, 0, 2);
    switches->addWidget(m_charactersToSpaces, 1, 0);
    switches->addWidget(m_deleteDigits, 1, 1);
    switches->addWidget(m_collapseSpaces, 1, 2);
    // Under the finishing steps, last in their Tab order: it acts on the
    // names they leave.
    switches->addWidget(m_numberEqualNames, 2, 0);
    return switches;
}

void ReplaceGroup::installKeyRules() {
    const auto escapeUndo = [this] {
        if (!m_undoAvailable)
            return false;
        emit undoPressed();
        return true;
    };
    // "/" and "*" are pattern marks here; every other character may stand
    // in a Linux file name.
    const QString patternRejects;
    installKeyRule(m_findEdit,
                   KeyRule{patternRejects, {}, [](const QString&) { return 100; }, {}, escapeUndo});
    installKeyRule(m_replaceWithEdit,
                   KeyRule{patternRejects, {}, [](const QString&) { return 100; }, {}, escapeUndo});
    const auto tickTrim = [this] {
        m_deleteAt->setChecked(true);
    };
    const auto tickInsert = [this] {
        m_insertAt->setChecked(true);
    };
    installKeyRule(m_deleteAtEdit,
                   KeyRule{{}, QStringLiteral("0123456789-"), posBoxLimit, tickTrim, {}});
    installKeyRule(
        m_deleteCountEdit,
        KeyRule{{}, QStringLiteral("0123456789"), [](const QString&) { return 3; }, tickTrim, {}});
    installKeyRule(m_insertAtEdit,
                   KeyRule{{}, QStringLiteral("0123456789-"), posBoxLimit, tickInsert, {}});
    installKeyRule(m_insertTextEdit,
                   KeyRule{notInFileNames(), {}, [](const QString&) { return 64; }, {}, {}});
}

void ReplaceGroup::watchChanges() {
    for (QLineEdit* box : {m_findEdit, m_replaceWithEdit, m_deleteAtEdit, m_deleteCountEdit,
                           m_insertAtEdit, m_insertTextEdit}) {
        connect(box, &QLineEdit::textChanged, this, &ReplaceGroup::changed);
        box->installEventFilter(this); // a click also recomputes the states
    }
    for (QCheckBox* box :
         {m_caseSensitive, m_regularExpression, m_updateCase, m_charactersToSpaces, m_deleteDigits,
          m_collapseSpaces, m_deleteAt, m_cumulate, m_insertAt, m_numberEqualNames})
        connect(box, &QCheckBox::toggled, this, &ReplaceGroup::changed);
}

bool ReplaceGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLineEdit*>(watched))
        changed();
    return QGroupBox::eventFilter(watched, event);
}

void ReplaceGroup::changed() {
    updateControlStates();
    emit settingsChanged();
}

ReplaceSettings ReplaceGroup::settings() const {
    ReplaceSettings s;
    s.find = toName(m_findEdit->text());
    s.replaceWith = toName(m_replaceWithEdit->text());
    s.caseSensitive = m_caseSensitive->isChecked();
    s.regularExpression = m_regularExpression->isChecked();
    s.updateCase = m_updateCase->isChecked();
    s.cumulate = m_cumulate->isChecked();
    s.deleteEnabled = m_deleteAt->isChecked();
    s.deletePos = toName(m_deleteAtEdit->text());
    s.deleteLength = toName(m_deleteCountEdit->text());
    s.insertEnabled = m_insertAt->isChecked();
    s.insertPos = toName(m_insertAtEdit->text());
    s.insertText = toName(m_insertTextEdit->text());
    s.spacesFromPercent20AndUnderscore = m_charactersToSpaces->isChecked();
    s.deleteDigits = m_deleteDigits->isChecked();
    s.deleteExtraSpaces = m_collapseSpaces->isChecked();
    s.numberDuplicates = m_numberEqualNames->isChecked();
    s.scope = m_scope;
    return s;
}

void ReplaceGroup::updateControlStates() {
    m_applyButton->setEnabled(m_commandsEnabled && canApply(settings()));

    const QString from = m_findEdit->text();
    // In an expression "*" and "/" are no pattern marks: it has a scope.
    const bool noScope = !m_regularExpression->isChecked() &&
                         (from.trimmed() == QStringLiteral("*") || from.contains(QLatin1Char('/')));
    m_caseSensitive->setEnabled(!noScope);
    m_nameOrExtensionPanel->setVisible(!noScope);
}

void ReplaceGroup::setSettings(const ReplaceSettings& s) {
    m_findEdit->setText(toQString(s.find));
    m_replaceWithEdit->setText(toQString(s.replaceWith));
    m_deleteAtEdit->setText(toQString(s.deletePos));
    m_deleteCountEdit->setText(toQString(s.deleteLength));
    m_insertAtEdit->setText(toQString(s.insertPos));
    m_insertTextEdit->setText(toQString(s.insertText));
    // After the texts, which tick their boxes as typing does.
    setChecks({{m_regularExpression, s.regularExpression},
               {m_caseSensitive, s.caseSensitive},
               {m_updateCase, s.updateCase},
               {m_cumulate, s.cumulate},
               {m_deleteAt, s.deleteEnabled},
               {m_insertAt, s.insertEnabled},
               {m_charactersToSpaces, s.spacesFromPercent20AndUnderscore},
               {m_deleteDigits, s.deleteDigits},
               {m_collapseSpaces, s.deleteExtraSpaces},
               {m_numberEqualNames, s.numberDuplicates}});
    m_scope = s.scope;
    showScopeToggles();
    changed();
}

void ReplaceGroup::setNamesIncluded(bool included) {
    const bool extensions = m_scope != Scope::FileNamesOnly;
    m_scope = scopeOf(included, extensions || !included);
}

void ReplaceGroup::setExtensionsIncluded(bool included) {
    const bool names = m_scope != Scope::ExtensionsOnly;
    m_scope = scopeOf(names || !included, included);
}

void ReplaceGroup::excludeNames() {
    setNamesIncluded(false);
}

void ReplaceGroup::includeNames() {
    setNamesIncluded(true);
}

void ReplaceGroup::excludeExtensions() {
    setExtensionsIncluded(false);
}

void ReplaceGroup::includeExtensions() {
    setExtensionsIncluded(true);
}

void ReplaceGroup::showScopeToggles() {
    showToggle(m_nameIncluded, m_nameExcluded, m_scope != Scope::ExtensionsOnly);
    showToggle(m_extensionIncluded, m_extensionExcluded, m_scope != Scope::FileNamesOnly);
}

void ReplaceGroup::clearReplaceBoxes() {
    m_findEdit->clear();
    m_replaceWithEdit->clear();
    m_findEdit->setFocus();
}

void ReplaceGroup::focusReplaceBox() {
    m_findEdit->setFocus();
}

bool ReplaceGroup::okEnabled() const {
    return canApply(settings());
}

void ReplaceGroup::setUndoEnabled(bool enabled) {
    m_undoAvailable = enabled;
    m_undoButton->setEnabled(m_commandsEnabled && enabled);
}

void ReplaceGroup::setCommandsEnabled(bool enabled) {
    m_commandsEnabled = enabled;
    setUndoEnabled(m_undoAvailable);
    updateControlStates();
}

void ReplaceGroup::setWizardOpenersEnabled(bool enabled) {
    m_wizardButton->setEnabled(enabled);
    emit wizardOpenersEnabled(enabled);
}

void ReplaceGroup::setHelpOpenersEnabled(bool enabled) {
    m_helpOpener->setEnabled(enabled);
    emit helpOpenersEnabled(enabled);
}

void ReplaceGroup::setReplaceText(const QString& text) {
    m_findEdit->setText(text);
}

void ReplaceGroup::setWithText(const QString& text) {
    m_replaceWithEdit->setText(text);
}

void ReplaceGroup::setDeletePosition(const QString& text) {
    m_deleteAtEdit->setText(text);
}

void ReplaceGroup::setDeleteLength(const QString& text) {
    m_deleteCountEdit->setText(text);
}

void ReplaceGroup::setDeleteChecked(bool checked) {
    m_deleteAt->setChecked(checked);
}

void ReplaceGroup::setInsertPosition(const QString& text) {
    m_insertAtEdit->setText(text);
}

void ReplaceGroup::setInsertText(const QString& text) {
    m_insertTextEdit->setText(text);
}

void ReplaceGroup::setInsertChecked(bool checked) {
    m_insertAt->setChecked(checked);
}

} // namespace quillon
