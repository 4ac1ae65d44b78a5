// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/TWizardForm.h"

#include "ui/MainWindowAccess.h"
#include "ui/NameText.h"
#include "ui/Palette.h"
#include "ui/WidgetHelpers.h"
#include "ui/wizard/WizardDeletePage.h"
#include "ui/wizard/WizardExtensionPage.h"
#include "ui/wizard/WizardInsertPage.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardNumberPage.h"
#include "ui/wizard/WizardReformatPage.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <utility>

namespace quillon {

namespace {

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
    const auto sample = [this] {
        return sampleName();
    };
    m_number = new WizardNumberPage(access, this);
    addPage(m_number, tr("Number"), &TWizardForm::W_Number_OKButtonClick,
            &TWizardForm::W_Number_ClearButtonClick);
    m_insert = new WizardInsertPage(access, sample, this);
    connect(m_insert, &WizardInsertPage::sampleClicked, this, &TWizardForm::W_Ins_EditSelect);
    addPage(m_insert, tr("Insert"), &TWizardForm::Button1Click,
            &TWizardForm::W_Ins_ClearButtonClick);
    m_delete = new WizardDeletePage(access, sample, this);
    addPage(m_delete, tr("Delete"), &TWizardForm::W_Del_OKButtonClick,
            &TWizardForm::W_Del_ClearButtonClick);
    m_reformat = new WizardReformatPage(access, this);
    connect(m_reformat, &WizardReformatPage::underscoreExampleClicked, this,
            &TWizardForm::Label26Click);
    connect(m_reformat, &WizardReformatPage::parenthesesExampleClicked, this,
            &TWizardForm::Label27Click);
    addPage(m_reformat, tr("Reformat"), &TWizardForm::W_Reformat_OKButtonClick,
            &TWizardForm::W_Reformat_ClearButtonClick);
    m_extension = new WizardExtensionPage(access, this);
    addPage(m_extension, tr("Extension"), &TWizardForm::Button2Click, &TWizardForm::Button3Click);
    connect(m_notebook, &QTabWidget::currentChanged, this, &TWizardForm::pageChanged);
    m_notebook->setCurrentIndex(m_notebook->indexOf(m_reformat));
    pageChanged(m_notebook->currentIndex());

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

void TWizardForm::addPage(WizardPage* page, const QString& title, void (TWizardForm::*okHandler)(),
                          void (TWizardForm::*clearHandler)()) {
    connect(page, &WizardPage::okPressed, this, okHandler);
    connect(page, &WizardPage::clearPressed, this, clearHandler);
    m_notebook->addTab(page, title);
}

Name TWizardForm::GetLongestFilename() const {
    const Scope scope = m_access->scope();
    using wizard::SampleCut;
    const SampleCut cut = scope == Scope::FileNamesOnly    ? SampleCut::NamePart
                          : scope == Scope::ExtensionsOnly ? SampleCut::Extension
                                                           : SampleCut::Whole;
    return wizard::GetLongestFilename(m_previewNames ? m_previewNames() : std::vector<Name>{}, cut);
}

QString TWizardForm::sampleName() const {
    return toQString(GetLongestFilename());
}

void TWizardForm::pageChanged(int index) {
    // Enter presses the OK button of the page that shows.
    if (auto* page = qobject_cast<WizardPage*>(m_notebook->widget(index)))
        page->okButton()->setDefault(true);
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
    const QString sample = sampleName();
    m_delete->showSample(sample);
    m_insert->showSample(sample);
    m_reformat->colourErrorStrip();
}

void TWizardForm::setOpenersEnabled(bool enabled) {
    m_access->setWizardOpenersEnabled(enabled);
}

void TWizardForm::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (event->isAccepted())
        setOpenersEnabled(true);
}

void TWizardForm::keyPressEvent(QKeyEvent* event) {
    // Closes like the close box; QDialog would only hide the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWizardForm::W_Del_OKButtonClick() {
    m_delete->ok();
}

void TWizardForm::W_Del_ClearButtonClick() {
    m_delete->clear();
}

void TWizardForm::W_Ins_EditSelect() {
    m_insert->moveMarker();
}

void TWizardForm::Button1Click() {
    m_insert->ok();
}

void TWizardForm::W_Ins_ClearButtonClick() {
    m_insert->clear();
}

void TWizardForm::Button2Click() {
    m_extension->ok();
}

void TWizardForm::Button3Click() {
    m_extension->clear();
}

void TWizardForm::W_Number_OKButtonClick() {
    m_number->ok();
}

void TWizardForm::W_Number_ClearButtonClick() {
    m_number->clear();
}

void TWizardForm::W_Reformat_OKButtonClick() {
    m_reformat->ok();
}

void TWizardForm::W_Reformat_ClearButtonClick() {
    m_reformat->clear();
}

void TWizardForm::Label26Click() {
    m_reformat->showUnderscoreExample();
}

void TWizardForm::Label27Click() {
    m_reformat->showParenthesesExample();
}

} // namespace quillon
