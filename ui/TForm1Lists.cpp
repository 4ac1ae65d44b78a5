// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

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

#include <QFile>
#include <QListView>

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

void TForm1::reportLoad(const LoadResult& result) {
    if (!result.ok())
        showPlainMessage(
            this, QMessageBox::Critical,
            DiskMessages::folderUnreadable(m_lists->tree()->selectedPath(), result.error));
}

void TForm1::ReloadFileList() {
    reportLoad(m_workspace.reload(selectedFolder(), toName(m_strip->mask())));
}

void TForm1::ReloadFromDisk_ButtonClick() {
    m_workspace.dropUndo();
    m_strip->setPreviewShown(true);
    ReloadFileList();
}

void TForm1::FileBox_Preview_PopupMenu_ReloadSort_DateTimeClick() {
    reportLoad(m_workspace.loadByDate(selectedFolder(), toName(m_strip->mask())));
}

void TForm1::UpdatePreviewClick() {
    m_workspace.rebuildPreview(PreviewRebuild::Reset);
}

void TForm1::FileBox_Preview_PopupMenu_SelectAllClick() {
    m_workspace.selectAll();
    PreventSelectionInListClick();
}

void TForm1::FileBox_Preview_PopupMenu_UnselectAllClick() {
    m_workspace.unselectAll();
    PreventSelectionInListClick();
}

void TForm1::FileBox_Preview_PopupMenu_InverseAll() {
    m_workspace.invertAll();
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

void TForm1::listsAboutToReset() {
    m_previewModel->notifyAboutToReset();
    m_folderModel->notifyAboutToReset();
}

void TForm1::listsReset() {
    m_folderModel->notifyReset();
    m_previewModel->notifyReset();
    m_rowSizes->updateFolders();
    m_rowSizes->updatePreview();
    m_lists->previewView()->scrollToTop();
    m_lists->folderView()->scrollToTop();
}

void TForm1::previewNamesChanged() {
    m_previewModel->notifyNamesChanged();
    m_rowSizes->updatePreview();
}

void TForm1::checksChanged(std::size_t first, std::size_t last) {
    m_previewModel->notifyChecksChanged(static_cast<int>(first), static_cast<int>(last));
}

void TForm1::undoAvailabilityChanged(bool available) {
    m_replace->setUndoEnabled(available);
}

} // namespace quillon
