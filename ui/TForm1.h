#pragma once

#include "ui/MainWindowState.h"
#include "workspace/Workspace.h"

#include <QByteArray>
#include <QWidget>

#include <memory>

class QAction;
class QCheckBox;
class QLineEdit;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace quillon {

class FolderListModel;
class PreviewListModel;
class TShellTree;
class UserQuestions;

/// The main window: the folder tree, the folder and preview lists, the case
/// and replace groups, and the commands that tie them to the workspace.
class TForm1 final : public QWidget, private WorkspaceObserver {
    Q_OBJECT
public:
    /// folderArgument: the first command-line argument as raw bytes (empty
    /// when there was none); fs: the disk the workspace reads.
    TForm1(QByteArray folderArgument, FileSystem& fs, QWidget* parent = nullptr);
    ~TForm1() override;

    Workspace& workspace() { return m_workspace; }
    const MainWindowState& state() const { return m_state; }

    /// Waits ms milliseconds while the event loop keeps dispatching events.
    static void Delay(int ms);

public slots:
    void OnActivateClick();
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
    void MainMenu_File_Exit();
    void FileMaskEditChange();
    void FileMaskEdit_ClearFakeButtonClick();
    void Replace_ButtonClick();
    void Replace_EnableDisableItemsClick();

    // saving and the single-file rename, in TForm1Save.cpp
    void SaveToDisk_ButtonClick();
    void Rename_FileClick();
    /// Where saving and the rename dialog ask the user (tests stand in their own).
    void setQuestions(std::shared_ptr<UserQuestions> questions);

    // the assistants, in TForm1Assistants.cpp
    void MainMenu_View_WizardClick();
    void Replace_OptionsWizardClick();
    void MainMenu_Help_HelpClick();
    void HelpFormClick();
    void MainMenu_Help_About_MIClick();

signals:
    /// "OK" was pressed (the operations arrive with the replace pipeline).
    void replaceRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // construction, in TForm1.cpp
    void buildMenus();
    QWidget* buildTopStrip();
    QWidget* buildMiddle();
    QWidget* buildBottom();
    QWidget* buildHidden();
    void assignTooltips();
    void caseModeClicked(CaseMode mode);

    // lists, in TForm1Lists.cpp
    std::string selectedFolder() const;
    void reportLoad(const LoadResult& result);
    void updateScrollRanges();
    static int firstVisibleRow(const QListView* view);
    static void scrollToRow(QListView* view, int row);
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

    TShellTree* m_tree = nullptr;
    QListView* m_folderView = nullptr;
    QListView* m_previewView = nullptr;
    QCheckBox* m_displayPreview = nullptr;
    QProgressBar* m_progress = nullptr;
    QLineEdit* m_mask = nullptr;
    QLineEdit* m_replaceFrom = nullptr;
    QLineEdit* m_replaceTo = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_undoButton = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_popupRename = nullptr;
    QAction* m_viewFolder = nullptr;
    QAction* m_viewPreview = nullptr;
    std::shared_ptr<UserQuestions> m_questions;
};

} // namespace quillon
