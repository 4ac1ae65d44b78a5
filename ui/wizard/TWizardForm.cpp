// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/TWizardForm.h"

#include "ui/Glyphs.h"
#include "ui/Palette.h"
#include "ui/WidgetHelpers.h"

#include "ui/MainWindowAccess.h"
#include "ui/NameText.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardWidgets.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <utility>

namespace quillon {

using namespace wizard;

namespace {

QString decimal(long value) {
    return QString::number(value);
}

QWidget* sampleGroup(const QString& title, QWidget* page, QVBoxLayout*& column) {
    auto* group = new QGroupBox(title, page);
    column = new QVBoxLayout(group);
    column->setContentsMargins(6, 2, 6, 4);
    column->setSpacing(2);
    return group;
}

QVBoxLayout* pageColumn(QWidget* page, const QString& description) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    if (!description.isEmpty()) {
        QLabel* line = pageLabel(description, page);
        line->setWordWrap(true);
        column->addWidget(line);
    }
    return column;
}

bool isOwnTransient(const QWindow* window, const QWindow* own) {
    for (window = window->transientParent(); window; window = window->transientParent()) {
        if (window == own)
            return true;
    }
    return false;
}

} // namespace

TWizardForm::TWizardForm(QWidget* mainWindow, MainWindowAccess& access, PreviewNames previewNames)
    : QDialog(mainWindow, Qt::Tool | Qt::WindowCloseButtonHint)
    , m_mainWindow(mainWindow)
    , m_access(&access)
    , m_previewNames(std::move(previewNames)) {
    setObjectName(QStringLiteral("WizardForm"));
    setWindowTitle(tr("Wizard"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    applyDesignedBackground(this, QColor(242, 243, 240));

    m_notebook = new QTabWidget(this);
    m_notebook->setObjectName(QStringLiteral("W_TabbedNotebook1"));
    m_notebook->addTab(buildNumberPage(), tr("Number"));
    m_notebook->addTab(buildInsertPage(), tr("Insert"));
    m_notebook->addTab(buildDeletePage(), tr("Delete"));
    m_notebook->addTab(buildReformatPage(), tr("Reformat"));
    m_notebook->addTab(buildExtensionPage(), tr("Extension"));
    connect(m_notebook, &QTabWidget::currentChanged, this, &TWizardForm::pageChanged);
    m_notebook->setCurrentIndex(3);
    pageChanged(3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_notebook);
    setFixedSize(QSize(447, 230).expandedTo(layout->minimumSize()));
    nameControlsForScreenReaders(this);

    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &TWizardForm::focusWindowChanged);
    // A window manager may withhold the activation; the openers must be off
    // as soon as this wizard exists.
    W_TabbedNotebook1OnEnter();
}

TWizardForm* TWizardForm::open(QWidget* mainWindow, MainWindowAccess& access,
                               QPointer<TWizardForm>& instance, PreviewNames previewNames) {
    // A closed window is only waiting for its deferred deletion (closing
    // trades the delete-on-close flag for a deleteLater).
    if (instance && !instance->testAttribute(Qt::WA_DeleteOnClose))
        instance = nullptr;
    if (!instance) {
        instance = new TWizardForm(mainWindow, access, std::move(previewNames));
        instance->move(mainWindow->frameGeometry().topLeft() + QPoint(-50, 70));
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

Name TWizardForm::GetLongestFilename() const {
    const Scope scope = mainWindow()->scope();
    const SampleCut cut = scope == Scope::FileNamesOnly    ? SampleCut::NamePart
                          : scope == Scope::ExtensionsOnly ? SampleCut::Extension
                                                           : SampleCut::Whole;
    return wizard::GetLongestFilename(m_previewNames ? m_previewNames() : std::vector<Name>{}, cut);
}

void TWizardForm::pageChanged(int index) {
    // Enter presses the OK button of the page that shows.
    static constexpr const char* okButtons[] = {"W_Number_OKButton", "Button1", "W_Del_OKButton",
                                                "W_Reformat_OKButton", "Button2"};
    if (index < 0 || index >= static_cast<int>(std::size(okButtons)))
        return;
    if (auto* ok = findChild<QPushButton*>(QString::fromLatin1(okButtons[index])))
        ok->setDefault(true);
}

void TWizardForm::focusWindowChanged(QWindow* now) {
    // The focus passes through no window while windows switch.
    if (!now)
        return;
    const QWindow* own = windowHandle();
    const FocusHolder holder = now == own                 ? FocusHolder::Wizard
                               : isOwnTransient(now, own) ? FocusHolder::WizardChild
                                                          : FocusHolder::Other;
    // Coming back from one of the wizard's own message boxes or drop-down
    // lists is no return to the wizard: the page keeps its selection.
    if (std::exchange(m_lastFocus, holder) == FocusHolder::Other && holder == FocusHolder::Wizard)
        W_TabbedNotebook1OnEnter();
}

void TWizardForm::W_TabbedNotebook1OnEnter() {
    setOpenersEnabled(false);
    showSample();
    m_errPanel->setPalette(highlightPalette(m_errPanel->palette()));
}

void TWizardForm::showSample() {
    m_delEdit->setText(toQString(GetLongestFilename()));
    m_insEdit->setText(m_delEdit->text());
}

void TWizardForm::setOpenersEnabled(bool enabled) {
    mainWindow()->setWizardOpenersEnabled(enabled);
}

MainWindowAccess* TWizardForm::mainWindow() const {
    // A child of the main window: the main window outlives it.
    return m_access;
}

void TWizardForm::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (event->isAccepted())
        setOpenersEnabled(true);
}

void TWizardForm::keyPressEvent(QKeyEvent* event) {
    // Only the close box closes the wizard; Escape would drop the page.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWizardForm::showMessage(const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillon"), message, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// ---- Insert page ----

QWidget* TWizardForm::buildInsertPage() {
    auto* page = new QWidget;
    QVBoxLayout* column =
        pageColumn(page, tr("This feature inserts a string at the specified position."));
    QVBoxLayout* inner = nullptr;
    QWidget* group = sampleGroup(tr("Insert String"), page, inner);
    inner->addWidget(pageLabel(tr("Click where you want to insert a string:"), group));
    m_insEdit = new SampleEdit("W_Ins_Edit", group);
    connect(m_insEdit, &SampleEdit::clicked, this, &TWizardForm::W_Ins_EditSelect);
    inner->addWidget(m_insEdit);
    auto* stringRow = new QHBoxLayout;
    stringRow->addWidget(pageLabel(tr("Enter the string:"), group));
    m_insString = typingEdit("W_Ins_Edit_Str", 64, KeyFilterKind::ValidFileChars, group);
    m_insString->setFocusPolicy(Qt::ClickFocus);
    stringRow->addWidget(m_insString, 1);
    inner->addLayout(stringRow);
    QLabel* question = pageLabel(tr("Should the position of the string be relative to the "
                                    "beginning or the end of the file names?"),
                                 group);
    question->setWordWrap(true);
    inner->addWidget(question);
    auto* radios = new QHBoxLayout;
    m_insFromStart = new QRadioButton(tr("Beginning"), group);
    m_insFromStart->setObjectName(QStringLiteral("W_Ins_L2RCB"));
    m_insFromStart->setChecked(true);
    auto* fromEnd = new QRadioButton(tr("End"), group);
    fromEnd->setObjectName(QStringLiteral("W_Ins_R2LCB"));
    radios->addWidget(m_insFromStart);
    radios->addWidget(fromEnd);
    radios->addStretch(1);
    inner->addLayout(radios);
    column->addWidget(group);
    const PageButtons buttons =
        addPageFoot(column, tr("Click on OK when done to fill out the \"Pos\" and \"Str\" boxes."),
                    "Button1", "W_Ins_ClearButton");
    connect(buttons.ok, &QPushButton::clicked, this, &TWizardForm::Button1Click);
    connect(buttons.clear, &QPushButton::clicked, this, &TWizardForm::W_Ins_ClearButtonClick);
    return page;
}

void TWizardForm::W_Ins_EditSelect() {
    const QString shown = m_insEdit->text();
    const qsizetype caret =
        m_insEdit->hasSelectedText() ? m_insEdit->selectionStart() : m_insEdit->cursorPosition();
    const Name moved = W_Ins_MoveMarker(toName(shown), codePointIndex(shown, caret));
    const QString next = toQString(moved);
    if (next != shown)
        m_insEdit->setText(next);
    if (const auto marker = W_Ins_MarkerIndex(moved))
        m_insEdit->setSelection(static_cast<int>(utf16Index(next, *marker)), 2);
}

void TWizardForm::Button1Click() {
    const QString shown = m_insEdit->text();
    const Name sample = toName(shown);
    if (const auto marker = W_Ins_MarkerIndex(sample))
        m_insEdit->setSelection(static_cast<int>(utf16Index(shown, *marker)), 2);
    const auto outcome =
        W_Ins_Compose(sample, toName(m_insString->text()),
                      m_insFromStart->isChecked() ? Anchor::Beginning : Anchor::End);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        showMessage(translated("quillon::wizard", refusal->message));
        return;
    }
    const auto& settings = std::get<InsertSettings>(outcome);
    mainWindow()->setInsertString(toQString(settings.string));
    mainWindow()->setInsertPosition(decimal(settings.position));
    mainWindow()->setInsertChecked(true);
}

void TWizardForm::W_Ins_ClearButtonClick() {
    m_insEdit->setText(toQString(GetLongestFilename()));
    m_insString->clear();
    m_insFromStart->setChecked(true);
    mainWindow()->setInsertChecked(false);
    mainWindow()->setInsertString(QString());
    mainWindow()->setInsertPosition(QString());
}

// ---- Delete page ----

QWidget* TWizardForm::buildDeletePage() {
    auto* page = new QWidget;
    QVBoxLayout* column = pageColumn(
        page,
        tr("This feature deletes a substring of n characters starting at the specified position."));
    QVBoxLayout* inner = nullptr;
    QWidget* group = sampleGroup(tr("Delete Substring"), page, inner);
    QLabel* intro = pageLabel(tr("Select the substring. What matters is not the substring "
                                 "itself but its position and length."),
                              group);
    intro->setWordWrap(true);
    inner->addWidget(intro);
    m_delEdit = new SampleEdit("W_Del_Edit", group);
    inner->addWidget(m_delEdit);
    QLabel* question = pageLabel(tr("Should the position of the substring be relative to the "
                                    "beginning or the end of the file names?"),
                                 group);
    question->setWordWrap(true);
    inner->addWidget(question);
    auto* radios = new QHBoxLayout;
    m_delFromStart = new QRadioButton(tr("Beginning"), group);
    m_delFromStart->setObjectName(QStringLiteral("W_Del_L2RCB"));
    m_delFromStart->setChecked(true);
    auto* fromEnd = new QRadioButton(tr("End"), group);
    fromEnd->setObjectName(QStringLiteral("W_Del_R2LCB"));
    radios->addWidget(m_delFromStart);
    radios->addWidget(fromEnd);
    radios->addStretch(1);
    inner->addLayout(radios);
    column->addWidget(group);
    const PageButtons buttons = addPageFoot(
        column, tr("Click on OK when done to fill out the \"Pos\" and \"Length\" boxes."),
        "W_Del_OKButton", "W_Del_ClearButton");
    connect(buttons.ok, &QPushButton::clicked, this, &TWizardForm::W_Del_OKButtonClick);
    connect(buttons.clear, &QPushButton::clicked, this, &TWizardForm::W_Del_ClearButtonClick);
    return page;
}

void TWizardForm::W_Del_OKButtonClick() {
    const QString shown = m_delEdit->text();
    const qsizetype start = m_delEdit->hasSelectedText() ? m_delEdit->selectionStart() : 0;
    const std::size_t s = codePointIndex(shown, start);
    const std::size_t end = codePointIndex(shown, start + m_delEdit->selectedText().size());
    const auto positions =
        W_Del_Positions(s, end - s, codePointIndex(shown, shown.size()),
                        m_delFromStart->isChecked() ? Anchor::Beginning : Anchor::End);
    if (!positions) {
        showMessage(translated("quillon::wizard", kDelNothingSelected));
        return;
    }
    mainWindow()->setDeleteLength(decimal(positions->length));
    mainWindow()->setDeletePosition(decimal(positions->position));
    mainWindow()->setDeleteChecked(true);
}

void TWizardForm::W_Del_ClearButtonClick() {
    m_delEdit->deselect();
    m_delFromStart->setChecked(true);
    mainWindow()->setDeletePosition(QString());
    mainWindow()->setDeleteLength(QString());
    mainWindow()->setDeleteChecked(false);
    m_delEdit->setText(toQString(GetLongestFilename()));
}

// ---- Extension page ----

QWidget* TWizardForm::buildExtensionPage() {
    auto* page = new QWidget;
    QVBoxLayout* column =
        pageColumn(page, tr("This feature replaces all file names' extensions. Do "
                            "not enter anything if you want to delete the "
                            "extensions."));
    auto* row = new QHBoxLayout;
    QVBoxLayout* inner = nullptr;
    QWidget* group = sampleGroup(tr("New Extension"), page, inner);
    QLabel* hint =
        pageLabel(tr("Do not type a period as part of the extension. For example, type \"mpg\" not "
                     "\".mpg\"."),
                  group);
    hint->setWordWrap(true);
    inner->addWidget(hint);
    auto* editRow = new QHBoxLayout;
    editRow->addWidget(pageLabel(tr("New extension:"), group));
    m_extension = typingEdit("W_Extension_Edit1", 15, KeyFilterKind::ValidFileChars, group);
    m_extension->setFixedWidth(70);
    editRow->addWidget(m_extension);
    editRow->addStretch(1);
    inner->addLayout(editRow);
    row->addWidget(group, 1);

    auto* note = new QWidget(page);
    note->setObjectName(QStringLiteral("W_Extension_NotePanel"));
    applyDesignedBackground(note, QColor(255, 255, 242));
    auto* lines = new QVBoxLayout(note);
    lines->setContentsMargins(6, 4, 6, 4);
    lines->setSpacing(0);
    for (const char* line : {QT_TR_NOOP("If you want to rename only one extension"),
                             QT_TR_NOOP("type, close the wizard.   Enter the current"),
                             QT_TR_NOOP("extension type in the \"Replace\" box and"),
                             QT_TR_NOOP("the new extension type in the \"With\" box.")})
        lines->addWidget(pageLabel(tr(line), note));
    auto* last = new QHBoxLayout;
    last->setSpacing(3);
    last->addWidget(pageLabel(tr("Do not forget to select"), note));
    auto* namesOff = new QLabel(note);
    namesOff->setPixmap(glyphIcon(Glyph::ScopeNamesOff, 15).pixmap(15, 15));
    last->addWidget(namesOff);
    last->addWidget(pageLabel(tr("and"), note));
    auto* extensionsOn = new QLabel(note);
    extensionsOn->setPixmap(glyphIcon(Glyph::ScopeExtensionsOn, 15).pixmap(15, 15));
    last->addWidget(extensionsOn);
    last->addWidget(pageLabel(tr("."), note));
    last->addStretch(1);
    lines->addLayout(last);
    row->addWidget(note);
    column->addLayout(row);

    const PageButtons buttons = addPageFoot(
        column, tr("Click on OK when done to fill out the \"Replace\" and \"With\" boxes."),
        "Button2", "Button3");
    connect(buttons.ok, &QPushButton::clicked, this, &TWizardForm::Button2Click);
    connect(buttons.clear, &QPushButton::clicked, this, &TWizardForm::Button3Click);
    return page;
}

void TWizardForm::Button2Click() {
    mainWindow()->setReplaceText(QStringLiteral("*"));
    mainWindow()->setWithText(toQString(W_Extension_Compose(toName(m_extension->text()))));
}

void TWizardForm::Button3Click() {
    m_extension->clear();
    mainWindow()->setReplaceText(QString());
    mainWindow()->setWithText(QString());
}

} // namespace quillon
