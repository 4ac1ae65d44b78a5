#include "ui/TForm1.h"

#include "ui/KeyFilter.h"
#include "ui/NameText.h"
#include "ui/WidgetHelpers.h"

#include "engine/Refusals.h"

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

const QString kGroupStyle = QStringLiteral("QGroupBox { font-weight: normal; margin-top: 1.1em; }"
                                           "QGroupBox::title { color: rgb(0, 70, 213); "
                                           "subcontrol-origin: margin; left: 6px; }");

QCheckBox* checkBox(const char* name, const char* caption, bool checked, QWidget* parent) {
    auto* box = named(new QCheckBox(tr8(caption), parent), name);
    box->setChecked(checked);
    return box;
}

QLineEdit* lineEdit(const char* name, int width, QWidget* parent) {
    auto* edit = named(new QLineEdit(parent), name);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

int posBoxLimit(const QString& before) {
    return before.startsWith(QLatin1Char('-')) ? 4 : 3;
}

bool hasSlashOrStar(const QString& text) {
    return text.contains(QLatin1Char('/')) || text.contains(QLatin1Char('*'));
}

} // namespace

QGroupBox* TForm1::buildReplaceGroup(QWidget* parent) {
    auto* group = named(new QGroupBox(tr8("Replace/Reformat/Number"), parent), "Replacement");
    group->setStyleSheet(kGroupStyle);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);

    // Row 0: the pattern boxes, the scope toggles and the assistants.
    auto* patterns = new QHBoxLayout;
    patterns->setSpacing(4);
    patterns->addWidget(new QLabel(tr8("Replace:"), group));
    m_replaceFrom = lineEdit("Replace_From", 0, group);
    patterns->addWidget(m_replaceFrom, 1);
    auto* clear = imageButton("Replace_ClearFromToBoxesFakeButton", Glyph::Clear, group);
    connect(clear, &QToolButton::clicked, this, &TForm1::Replace_ClearFromToBoxesFakeButtonClick);
    patterns->addWidget(clear);
    patterns->addWidget(new QLabel(tr8("With:"), group));
    m_replaceTo = lineEdit("Replace_To", 0, group);
    patterns->addWidget(m_replaceTo, 1);

    m_fnExtPanel = named(new QWidget(group), "Replace_FNExtPanel");
    auto* scope = new QGridLayout(m_fnExtPanel);
    scope->setContentsMargins(0, 0, 0, 0);
    scope->setSpacing(0);
    m_fnOn = imageButton("Replace_Button_FN_On", Glyph::ScopeNamesOn, m_fnExtPanel);
    m_fnOff = imageButton("Replace_Button_FN_Off", Glyph::ScopeOff, m_fnExtPanel);
    m_extOn = imageButton("Replace_Button_Ext_On", Glyph::ScopeExtensionsOn, m_fnExtPanel);
    m_extOff = imageButton("Replace_Button_Ext_Off", Glyph::ScopeOff, m_fnExtPanel);
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
    m_trim = checkBox("Replace_Trim", "Delete", false, group);
    m_trimFrom = lineEdit("Replace_TrimFrom", 34, group);
    m_trimCount = lineEdit("Replace_TrimCount", 34, group);
    m_insert = checkBox("Replace_Insert", "Insert", false, group);
    m_insertFrom = lineEdit("Replace_InsertFrom", 34, group);
    m_insertString = lineEdit("Replace_InsertString", 0, group);
    positions->addWidget(m_trim);
    positions->addWidget(new QLabel(tr8("Pos:"), group));
    positions->addWidget(m_trimFrom);
    positions->addWidget(new QLabel(tr8("Length:"), group));
    positions->addWidget(m_trimCount);
    positions->addSpacing(8);
    positions->addWidget(m_insert);
    positions->addWidget(new QLabel(tr8("Pos:"), group));
    positions->addWidget(m_insertFrom);
    positions->addWidget(new QLabel(tr8("String:"), group));
    positions->addWidget(m_insertString, 1);
    grid->addLayout(positions, 1, 0, 1, 2);

    // Rows 2 and 3: the switches, then Undo and OK at the right.
    auto* switches = new QGridLayout;
    switches->setHorizontalSpacing(8);
    switches->setVerticalSpacing(0);
    m_replaceCase = checkBox("Replace_Case", "Case sensitive", false, group);
    m_updateCase = checkBox("Replace_UpdateCase", "Update case", true, group);
    m_sourceIsPreview = checkBox("SourceIsPreview", "Cumulate", true, group);
    m_charToSpaces = checkBox("Replace_CharToSpaces", "%20 and _ to spaces", true, group);
    m_delDigits = checkBox("Replace_DelDigits", "Delete digits", false, group);
    m_delExtraSpaces = checkBox("Replace_DelExtraSpaces", "Delete extra spaces", true, group);
    switches->addWidget(m_replaceCase, 0, 0);
    switches->addWidget(m_updateCase, 0, 1);
    switches->addWidget(m_sourceIsPreview, 0, 2);
    switches->addWidget(m_charToSpaces, 1, 0);
    switches->addWidget(m_delDigits, 1, 1);
    switches->addWidget(m_delExtraSpaces, 1, 2);
    grid->addLayout(switches, 2, 0, 2, 1);

    m_undoButton = named(new QPushButton(tr8("Undo"), group), "Replace_Undo_Button");
    m_undoButton->setEnabled(false);
    m_replaceButton = named(new QPushButton(tr8("OK"), group), "Replace_Button");
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
    const QString patternRejects = QStringLiteral("\\:?\"<>|");
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
    installKeyRule(
        m_insertString,
        KeyRule{QStringLiteral("\\:?*\"<>/|"), {}, [](const QString&) { return 64; }, {}, {}});

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
    s.scope = m_scopeBoth->isChecked()  ? Scope::Both
              : m_scopeExt->isChecked() ? Scope::ExtensionsOnly
                                        : Scope::FileNamesOnly;
    s.caseMode = selectedCaseMode();
    s.smartOptions = smartOptions();
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
                    QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                    QMessageBox::Ok, this);
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

    const bool anyStep = m_charToSpaces->isChecked() || m_delDigits->isChecked() ||
                         m_delExtraSpaces->isChecked() || m_trim->isChecked() ||
                         m_insert->isChecked();
    const bool deleteReady = !m_trimFrom->text().isEmpty() && !m_trimCount->text().isEmpty();
    const bool insertReady = !m_insertFrom->text().isEmpty() && !m_insertString->text().isEmpty();
    const QString from = m_replaceFrom->text();
    const QString to = m_replaceTo->text();
    enum class Pattern { Empty, Complete, Incomplete };
    Pattern pattern = Pattern::Empty;
    if (!from.isEmpty() || !to.isEmpty()) {
        if (hasSlashOrStar(from))
            pattern = to.isEmpty() ? Pattern::Incomplete : Pattern::Complete;
        else
            pattern = from.isEmpty() ? Pattern::Incomplete : Pattern::Complete;
    }
    m_replaceButton->setEnabled(
        (!m_trim->isChecked() || deleteReady) && (!m_insert->isChecked() || insertReady) &&
        pattern != Pattern::Incomplete && (pattern == Pattern::Complete || anyStep));

    const bool noScope = from.trimmed() == QStringLiteral("*") || from.contains(QLatin1Char('/'));
    m_replaceCase->setEnabled(!noScope);
    m_fnExtPanel->setVisible(!noScope);
}

void TForm1::Replace_Button_FN_OnClick() {
    if (m_extOn->isHidden()) // extensions excluded too: include them first
        Replace_Button_Ext_OffClick();
    m_fnOn->hide();
    m_fnOff->show();
    Replace_SetOptionPanel();
}

void TForm1::Replace_Button_FN_OffClick() {
    m_fnOff->hide();
    m_fnOn->show();
    Replace_SetOptionPanel();
}

void TForm1::Replace_Button_Ext_OnClick() {
    if (m_fnOn->isHidden()) // names excluded too: include them first
        Replace_Button_FN_OffClick();
    m_extOn->hide();
    m_extOff->show();
    Replace_SetOptionPanel();
}

void TForm1::Replace_Button_Ext_OffClick() {
    m_extOff->hide();
    m_extOn->show();
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
