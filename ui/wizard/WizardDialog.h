// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"
#include "ui/wizard/WizardTagsPage.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <vector>

class QTabWidget;
class QWindow;

namespace quillon {

class MainWindowAccess;
class WizardDeletePage;
class WizardExtensionPage;
class WizardInsertPage;
class WizardNumberPage;
class WizardPage;
class WizardReformatPage;
class WizardTagsPage;

/// The wizard: six pages that compose the main window's operation settings
/// and write them into its controls. It never touches the preview list. The
/// pages own their controls; the dialog holds the notebook, the activation
/// and the handlers, which pass each press on to its page.
class WizardDialog final : public QDialog {
    Q_OBJECT
public:
    /// The preview list's names as they stand, checked or not.
    using PreviewNames = std::function<std::vector<Name>()>;

    /// mainWindow: the window the wizard belongs to; access: what the pages
    /// write into it.
    /// readFields: the fields of the first selected file, for the Tags page.
    WizardDialog(QWidget* mainWindow, MainWindowAccess& access, PreviewNames previewNames,
                 WizardTagsPage::FieldsReader readFields = {});

    /// Opens the one wizard of mainWindow, held in instance: raises a live one,
    /// else creates it 70 px below and 50 px left of the main window.
    static WizardDialog* open(QWidget* mainWindow, MainWindowAccess& access,
                              QPointer<WizardDialog>& instance, PreviewNames previewNames,
                              WizardTagsPage::FieldsReader readFields = {});

    /// The longest preview name cut to the main window's scope.
    Name longestCut() const;

public slots:
    void refreshSamples();

    void applyDeletePage();
    void clearDeletePage();
    void moveInsertMarker();
    void applyInsertPage();
    void clearInsertPage();
    void applyExtensionPage();
    void clearExtensionPage();

    void applyNumberPage();
    void clearNumberPage();

    void applyReformatPage();
    void clearReformatPage();
    void applyTagsPage();
    void clearTagsPage();
    void showUnderscoreExample();
    void showParenthesesExample();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addPage(WizardPage* page, const QString& title, void (WizardDialog::*okHandler)(),
                 void (WizardDialog::*clearHandler)());
    void pageChanged(int index);
    void focusWindowChanged(QWindow* now);
    void setOpenersEnabled(bool enabled);
    QString sampleName() const;

    QPointer<QWidget> m_mainWindow;
    // A child of the main window: the main window outlives it.
    MainWindowAccess* m_access;
    PreviewNames m_previewNames;
    // Who had the focus last, so that activation tells a return from the
    // main window apart from one from the wizard's own boxes.
    enum class FocusHolder { Other, Wizard, WizardChild };
    FocusHolder m_lastFocus = FocusHolder::Other;

    QTabWidget* m_notebook = nullptr;
    WizardNumberPage* m_number = nullptr;
    WizardInsertPage* m_insert = nullptr;
    WizardDeletePage* m_delete = nullptr;
    WizardReformatPage* m_reformat = nullptr;
    WizardExtensionPage* m_extension = nullptr;
    WizardTagsPage* m_tags = nullptr;
};

} // namespace quillon
