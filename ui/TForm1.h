// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/MainWindowAccess.h"
#include "ui/MainWindowState.h"
#include "workspace/Workspace.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include <memory>

class QMenu;

namespace quillon {

class BusyProgress;
class CaseGroup;
class MainMenus;
class FileLists;
class FolderListModel;
class PreviewListModel;
class ReplaceGroup;
class TopStrip;
class THelpForm;
class TWizardForm;
class UserQuestions;

/// The main window: the menus, the top strip, the file lists, the case and
/// replace groups, and the commands that tie them to the workspace. The
/// parts own their controls and state; the window's handlers are thin slots
/// that take their values and call the workspace. Its code is spread over
/// TForm1*.cpp by area.
class TForm1 final : public QWidget, public MainWindowAccess, private WorkspaceObserver {
    Q_OBJECT
public:
    /// folderArgument: the first command-line argument as raw bytes (empty
    /// when there was none); fs: the disk the workspace reads.
    TForm1(QByteArray folderArgument, FileSystem& fs, QWidget* parent = nullptr);
    ~TForm1() override;

    Workspace& workspace() { return m_workspace; }
    const MainWindowState& state() const { return m_state; }
    /// Width of the folder tree, as the splitter sets it.
    int treeWidth() const;

    /// Waits ms milliseconds while the event loop keeps dispatching events.
    static void Delay(int ms);

    /// The settings of the "Replace/Reformat/Number" and "Case" groups as values.
    ReplaceSettings replaceSettings() const;

public slots:
    // start, keys and the mask box (TForm1.cpp)
    void OnActivateClick();
    void MainMenu_File_Exit();
    void FileMaskEditChange();
    void FileMaskEdit_ClearFakeButtonClick();

    // loading and the lists (TForm1Lists.cpp)
    void ReloadFromDisk_ButtonClick();
    void ReloadFileList();
    void FileBox_Preview_PopupMenu_ReloadSort_DateTimeClick();
    void UpdatePreviewClick();
    void FileBox_Preview_PopupMenu_SelectAllClick();
    void FileBox_Preview_PopupMenu_UnselectAllClick();
    void FileBox_Preview_PopupMenu_InverseAll();
    void FileBox_Preview_PopupMenu_OnPopup();
    void FileBox_Preview_PopupMenu_RenameFileClick();
    void PreventSelectionInListClick();
    void DisplayPreview_CBClick();
    void MainMenu_View_FolderClick();
    void MainMenu_View_PreviewClick();

    // layout and splitter (TForm1Layout.cpp)
    void PanelSplitterOnMouseDown();
    void PanelSplitterMouseMove(int x);
    void PanelSplitterOnMouseUp();
    void OnResizeForm();

    // the "Replace/Reformat/Number" group (TForm1Replace.cpp)
    void Replace_ButtonClick();
    void Replace_Undo_ButtonClick();
    void Replace_IncorrectChoice(RefusalCode code);
    void Replace_EnableDisableItemsClick();
    void Replace_Button_FN_OnClick();
    void Replace_Button_FN_OffClick();
    void Replace_Button_Ext_OnClick();
    void Replace_Button_Ext_OffClick();
    void Replace_SetOptionPanel();
    void Replace_ClearFromToBoxesFakeButtonClick();

    // the "Case" group (TForm1Case.cpp)
    void Case_Smart_Extra_ButtonClick();
    void Case_Smart_MostLettersClick();

    // saving and the single-file rename (TForm1Save.cpp)
    void SaveToDisk_ButtonClick();
    /// File menu "Undo Last Save": takes back the last save into the shown
    /// folder from the undo file it left, after a confirmation.
    void UndoLastSave1Click();
    void Rename_FileClick();
    /// Where saving and the rename dialog ask the user (tests stand in their own).
    void setQuestions(std::shared_ptr<UserQuestions> questions);

    // the assistants (TForm1Assistants.cpp)
    void MainMenu_View_WizardClick();
    void Replace_OptionsWizardClick();
    void MainMenu_Help_HelpClick();
    void HelpFormClick();
    void MainMenu_Help_About_MIClick();

public:
    // what the wizard and the help window write (TForm1Assistants.cpp)
    void setReplaceText(const QString& text) override;
    void setWithText(const QString& text) override;
    void setDeletePosition(const QString& text) override;
    void setDeleteLength(const QString& text) override;
    void setDeleteChecked(bool checked) override;
    void setInsertPosition(const QString& text) override;
    void setInsertString(const QString& text) override;
    void setInsertChecked(bool checked) override;
    Scope scope() const override;
    void setWizardOpenersEnabled(bool enabled) override;
    void setHelpOpenersEnabled(bool enabled) override;

signals:
    /// A press of "OK" has been handled (run or refused).
    void replaceRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // saving and undoing it
    void tellReloadError(UserQuestions& ask, int error);
    void updateUndoLastSave();

    // construction
    QList<QMenu*> buildMenus();
    QWidget* buildTopStrip(const QList<QMenu*>& menus);
    QWidget* buildMiddle();
    QWidget* buildBottom();
    QWidget* buildHidden();
    void connectCaseGroup();
    void connectReplaceGroup();
    void connectFileLists();
    void updateMinimumSize();

    // layout
    void placeCaseExtraPanel();

    // case
    void refreshCase();

    // lists
    std::string selectedFolder() const;
    void reportLoad(const LoadResult& result);
    QSize rowSize(int contentWidth) const;
    void updateFolderRowSize();
    void updatePreviewRowSize();
    void showPreviewList();
    void listsAboutToReset() override;
    void listsReset() override;
    void previewNamesChanged() override;
    void checksChanged(std::size_t first, std::size_t last) override;
    void undoAvailabilityChanged(bool available) override;

    QByteArray m_folderArgument;
    Workspace m_workspace;
    MainWindowState m_state;
    PreviewListModel* m_previewModel = nullptr;
    FolderListModel* m_folderModel = nullptr;

    MainMenus* m_menus = nullptr;
    QWidget* m_bottom = nullptr;

    TopStrip* m_strip = nullptr;
    BusyProgress* m_busy = nullptr;
    FileLists* m_lists = nullptr;
    ReplaceGroup* m_replace = nullptr;
    CaseGroup* m_case = nullptr;

    // the assistants' single instances, in TForm1Assistants.cpp
    QPointer<TWizardForm> m_wizard;
    QPointer<THelpForm> m_help;
    std::shared_ptr<UserQuestions> m_questions;
};

} // namespace quillon
