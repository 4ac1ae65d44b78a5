// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWindow;

namespace quillon {

class MainWindowAccess;

namespace wizard {
class SampleEdit;
}

/// The wizard: five pages that compose the main window's operation settings
/// and write them into its controls. It never touches the preview list.
class TWizardForm final : public QDialog {
    Q_OBJECT
public:
    /// The preview list's names as they stand, checked or not.
    using PreviewNames = std::function<std::vector<Name>()>;

    /// mainWindow: the window the wizard belongs to; access: what the pages
    /// write into it.
    TWizardForm(QWidget* mainWindow, MainWindowAccess& access, PreviewNames previewNames);

    /// Opens the one wizard of mainWindow, held in instance: raises a live one,
    /// else creates it 70 px below and 50 px left of the main window.
    static TWizardForm* open(QWidget* mainWindow, MainWindowAccess& access,
                             QPointer<TWizardForm>& instance, PreviewNames previewNames);

    /// The longest preview name cut to the main window's scope.
    Name GetLongestFilename() const;

public slots:
    void W_TabbedNotebook1OnEnter();

    void W_Del_OKButtonClick();
    void W_Del_ClearButtonClick();
    void W_Ins_EditSelect();
    void Button1Click();
    void W_Ins_ClearButtonClick();
    void Button2Click();
    void Button3Click();

    void W_Number_OKButtonClick();
    void W_Number_ClearButtonClick();

    void W_Reformat_OKButtonClick();
    void W_Reformat_ClearButtonClick();
    void W_Reformat_ErrMess(const QString& message);
    void W_Reformat_RestoreBGColor();
    void Label26Click();
    void Label27Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct ReformatExample;

    // pages, in TWizardForm.cpp and its siblings
    QWidget* buildNumberPage();
    QWidget* buildInsertPage();
    QWidget* buildDeletePage();
    QWidget* buildReformatPage();
    QWidget* buildExtensionPage();
    void pageChanged(int index);
    void focusWindowChanged(QWindow* now);
    void setOpenersEnabled(bool enabled);
    void showMessage(const QString& text);
    void showSample();
    void applyReformatExample(const ReformatExample& example);
    void highlight(QWidget* control, bool on);

    MainWindowAccess* mainWindow() const;

    QPointer<QWidget> m_mainWindow;
    MainWindowAccess* m_access;
    PreviewNames m_previewNames;
    // Who had the focus last, so that activation tells a return from the
    // main window apart from one from the wizard's own boxes.
    enum class FocusHolder { Other, Wizard, WizardChild };
    FocusHolder m_lastFocus = FocusHolder::Other;

    QTabWidget* m_notebook = nullptr;

    wizard::SampleEdit* m_delEdit = nullptr;
    QRadioButton* m_delFromStart = nullptr;
    wizard::SampleEdit* m_insEdit = nullptr;
    QLineEdit* m_insString = nullptr;
    QRadioButton* m_insFromStart = nullptr;
    QLineEdit* m_extension = nullptr;

    QLineEdit* m_numberTexts[3] = {};
    QComboBox* m_numberChoices[2] = {};
    QLineEdit* m_numberStart = nullptr;
    QCheckBox* m_numberPadding = nullptr;

    QLineEdit* m_currEdits[4] = {};
    QLineEdit* m_newEdits[4] = {};
    QComboBox* m_currCombo2 = nullptr;
    QComboBox* m_newCombos[3] = {};
    QLabel* m_errPanel = nullptr;
};

} // namespace quillon
