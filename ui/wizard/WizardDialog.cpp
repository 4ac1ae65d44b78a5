// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardDialog.h"

#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/models/NameText.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/WidgetHelpers.h"
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

WizardDialog::WizardDialog(QWidget* mainWindow, MainWindowAccess& access, PreviewNames previewNames,
                           WizardTagsPage::FieldsReader readFields)
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
    m_notebook->setAccessibleName(tr("Wizard pages"));
    const auto sample = [this] {
        return sampleName();
    };
    m_number = new WizardNumberPage(access, this);
    addPage(m_number, tr("Number"), &WizardDialog::applyNumberPage, &WizardDialog::clearNumberPage);
    m_insert = new WizardInsertPage(access, sample, this);
    connect(m_insert, &WizardInsertPage::sampleClicked, this, &WizardDialog::moveInsertMarker);
    addPage(m_insert, tr("Insert"), &WizardDialog::applyInsertPage, &WizardDialog::clearInsertPage);
    m_delete = new WizardDeletePage(access, sample, this);
    addPage(m_delete, tr("Delete"), &WizardDialog::applyDeletePage, &WizardDialog::clearDeletePage);
    m_reformat = new WizardReformatPage(access, this);
    connect(m_reformat, &WizardReformatPage::underscoreExampleClicked, this,
            &WizardDialog::showUnderscoreExample);
    connect(m_reformat, &WizardReformatPage::parenthesesExampleClicked, this,
            &WizardDialog::showParenthesesExample);
    addPage(m_reformat, tr("Reformat"), &WizardDialog::applyReformatPage,
            &WizardDialog::clearReformatPage);
    m_extension = new WizardExtensionPage(access, this);
    addPage(m_extension, tr("Extension"), &WizardDialog::applyExtensionPage,
            &WizardDialog::clearExtensionPage);
    m_tags = new WizardTagsPage(access, std::move(readFields), this);
    addPage(m_tags, tr("Tags"), &WizardDialog::applyTagsPage, &WizardDialog::clearTagsPage);
    connect(m_notebook, &QTabWidget::currentChanged, this, &WizardDialog::pageChanged);
    m_notebook->setCurrentIndex(m_notebook->indexOf(m_reformat));
    pageChanged(m_notebook->currentIndex());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_notebook);
    setFixedSize(QSize(447, 230).expandedTo(layout->minimumSize()));
    nameControlsForScreenReaders(this);

    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &WizardDialog::focusWindowChanged);
    // A window manager may withhold the activation; the openers must be off
    // as soon as this wizard exists.
    refreshSamples();
}

WizardDialog* WizardDialog::open(QWidget* mainWindow, MainWindowAccess& access,
                                 QPointer<WizardDialog>& instance, PreviewNames previewNames,
                                 WizardTagsPage::FieldsReader readFields) {
    // A closed window is only waiting for its deferred deletion (closing
    // trades the delete-on-close flag for a deleteLater).
    if (instance && !instance->testAttribute(Qt::WA_DeleteOnClose))
        instance = nullptr;
    if (!instance) {
        instance =
            new WizardDialog(mainWindow, access, std::move(previewNames), std::move(readFields));
        instance->move(mainWindow->frameGeometry().topLeft() + QPoint(-50, 70));
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

void WizardDialog::addPage(WizardPage* page, const QString& title,
                           void (WizardDialog::*okHandler)(),
                           void (WizardDialog::*clearHandler)()) {
    connect(page, &WizardPage::okPressed, this, okHandler);
    connect(page, &WizardPage::clearPressed, this, clearHandler);
    page->setAccessibleName(title);
    m_notebook->addTab(page, title);
}

Name WizardDialog::longestCut() const {
    const Scope scope = m_access->scope();
    using wizard::SampleCut;
    const SampleCut cut = scope == Scope::FileNamesOnly    ? SampleCut::NamePart
                          : scope == Scope::ExtensionsOnly ? SampleCut::Extension
                                                           : SampleCut::Whole;
    return wizard::longestCut(m_previewNames ? m_previewNames() : std::vector<Name>{}, cut);
}

QString WizardDialog::sampleName() const {
    return toQString(longestCut());
}

void WizardDialog::pageChanged(int index) {
    // Enter presses the OK button of the page that shows.
    if (auto* page = qobject_cast<WizardPage*>(m_notebook->widget(index)))
        page->okButton()->setDefault(true);
}

void WizardDialog::focusWindowChanged(QWindow* now) {
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
        refreshSamples();
}

void WizardDialog::refreshSamples() {
    setOpenersEnabled(false);
    const QString sample = sampleName();
    m_delete->showSample(sample);
    m_insert->showSample(sample);
    m_reformat->colourErrorStrip();
    // The selection may have changed in the main window meanwhile.
    if (m_tags->isVisible())
        m_tags->showFields();
}

void WizardDialog::setOpenersEnabled(bool enabled) {
    m_access->setWizardOpenersEnabled(enabled);
}

void WizardDialog::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (event->isAccepted())
        setOpenersEnabled(true);
}

void WizardDialog::keyPressEvent(QKeyEvent* event) {
    // Closes like the close box; QDialog would only hide the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WizardDialog::applyDeletePage() {
    m_delete->ok();
}

void WizardDialog::clearDeletePage() {
    m_delete->clear();
}

void WizardDialog::moveInsertMarker() {
    m_insert->moveMarker();
}

void WizardDialog::applyInsertPage() {
    m_insert->ok();
}

void WizardDialog::clearInsertPage() {
    m_insert->clear();
}

void WizardDialog::applyExtensionPage() {
    m_extension->ok();
}

void WizardDialog::clearExtensionPage() {
    m_extension->clear();
}

void WizardDialog::applyTagsPage() {
    m_tags->ok();
}

void WizardDialog::clearTagsPage() {
    m_tags->clear();
}

void WizardDialog::applyNumberPage() {
    m_number->ok();
}

void WizardDialog::clearNumberPage() {
    m_number->clear();
}

void WizardDialog::applyReformatPage() {
    m_reformat->ok();
}

void WizardDialog::clearReformatPage() {
    m_reformat->clear();
}

void WizardDialog::showUnderscoreExample() {
    m_reformat->showUnderscoreExample();
}

void WizardDialog::showParenthesesExample() {
    m_reformat->showParenthesesExample();
}

} // namespace quillon
