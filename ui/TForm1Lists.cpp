// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CommandRunner.h"
#include "ui/DiskMessages.h"
#include "ui/FileLists.h"
#include "ui/FolderListModel.h"
#include "ui/ListRowSizes.h"
#include "ui/MainMenus.h"
#include "ui/NameText.h"
#include "ui/PreviewListModel.h"
#include "ui/ReplaceGroup.h"
#include "ui/TShellTree.h"
#include "ui/TopStrip.h"
#include "ui/WidgetHelpers.h"
#include "ui/WorkspaceSignals.h"

#include <QFile>
#include <QListView>

#include <memory>

namespace quillon {

void TForm1::connectFileLists() {
    const auto bind = [this](void (FileLists::*signal)(), void (TForm1::*handler)()) {
        connect(m_lists, signal, this, handler);
    };
    bind(&FileLists::folderChosen, &TForm1::ReloadFromDisk_ButtonClick);
    bind(&FileLists::listClicked, &TForm1::PreventSelectionInListClick);
    bind(&FileLists::selectAllRequested, &TForm1::FileBox_Preview_PopupMenu_SelectAllClick);
    bind(&FileLists::unselectAllRequested, &TForm1::FileBox_Preview_PopupMenu_UnselectAllClick);
    bind(&FileLists::invertAllRequested, &TForm1::FileBox_Preview_PopupMenu_InverseAll);
    bind(&FileLists::reloadByNameRequested, &TForm1::ReloadFromDisk_ButtonClick);
    bind(&FileLists::reloadByDateRequested,
         &TForm1::FileBox_Preview_PopupMenu_ReloadSort_DateTimeClick);
    bind(&FileLists::renameRequested, &TForm1::FileBox_Preview_PopupMenu_RenameFileClick);
}

std::string TForm1::selectedFolder() const {
    return QFile::encodeName(m_lists->tree()->selectedPath()).toStdString();
}

void TForm1::runLoad(LoadCommand command) {
    const QString shown = m_lists->tree()->selectedPath();
    auto result = std::make_shared<LoadResult>();
    m_runner->run(
        CommandRunner::OnCancel::Discard,
        [command, result, folder = selectedFolder(), mask = toName(m_strip->mask())](
            Workspace& workspace, WorkControl&) { *result = (workspace.*command)(folder, mask); },
        [this, result, shown] {
            if (!result->ok())
                showPlainMessage(this, QMessageBox::Critical,
                                 DiskMessages::folderUnreadable(shown, result->error));
        });
}

void TForm1::runRebuild(PreviewRebuild mode) {
    m_runner->run(CommandRunner::OnCancel::Discard,
                  [mode](Workspace& workspace, WorkControl&) { workspace.rebuildPreview(mode); });
}

void TForm1::ReloadFileList() {
    runLoad(&Workspace::reload);
}

void TForm1::ReloadFromDisk_ButtonClick() {
    m_strip->setPreviewShown(true);
    runLoad(&Workspace::load);
}

void TForm1::FileBox_Preview_PopupMenu_ReloadSort_DateTimeClick() {
    runLoad(&Workspace::loadByDate);
}

void TForm1::UpdatePreviewClick() {
    runRebuild(PreviewRebuild::Reset);
}

void TForm1::FileBox_Preview_PopupMenu_SelectAllClick() {
    if (isWorking())
        return; // the lists are about to be replaced
    workspace().selectAll();
    PreventSelectionInListClick();
}

void TForm1::FileBox_Preview_PopupMenu_UnselectAllClick() {
    if (isWorking())
        return; // the lists are about to be replaced
    workspace().unselectAll();
    PreventSelectionInListClick();
}

void TForm1::FileBox_Preview_PopupMenu_InverseAll() {
    if (isWorking())
        return; // the lists are about to be replaced
    workspace().invertAll();
    PreventSelectionInListClick();
}

void TForm1::PreventSelectionInListClick() {
    m_lists->clearSelection(m_strip->previewShown());
}

void TForm1::FileBox_Preview_PopupMenu_RenameFileClick() {
    if (m_lists->previewHasSelection())
        Rename_FileClick();
    PreventSelectionInListClick();
}

void TForm1::DisplayPreview_CBClick() {
    m_state.enterRunsReplace = true;
    const bool preview = m_strip->previewShown();
    m_menus->markShownList(preview);
    m_lists->showList(preview);
}

void TForm1::showPreviewList() {
    // Through the check box, so that its handler swaps the lists.
    m_strip->setPreviewShown(true);
}

void TForm1::MainMenu_View_FolderClick() {
    m_menus->markShownList(false);
    m_strip->setPreviewShown(false);
}

void TForm1::MainMenu_View_PreviewClick() {
    m_menus->markShownList(true);
    m_strip->setPreviewShown(true);
}

void TForm1::connectNotices() {
    const WorkspaceSignals& notices = m_runner->notices();
    connect(&notices, &WorkspaceSignals::reset, this, &TForm1::listsReset);
    connect(&notices, &WorkspaceSignals::namesChanged, m_rowSizes, &ListRowSizes::updatePreview);
    connect(&notices, &WorkspaceSignals::undoAvailable, m_replace, &ReplaceGroup::setUndoEnabled);
}

void TForm1::listsReset() {
    m_rowSizes->updateFolders();
    m_rowSizes->updatePreview();
    m_lists->previewView()->scrollToTop();
    m_lists->folderView()->scrollToTop();
}

} // namespace quillon
