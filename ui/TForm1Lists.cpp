// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/BusyProgress.h"
#include "ui/DiskMessages.h"
#include "ui/FileLists.h"
#include "ui/FolderListModel.h"
#include "ui/MainMenus.h"
#include "ui/NameText.h"
#include "ui/NameWidth.h"
#include "ui/PreviewListModel.h"
#include "ui/ReplaceGroup.h"
#include "ui/TShellTree.h"
#include "ui/TopStrip.h"

#include <QFile>
#include <QListView>
#include <QMessageBox>
#include <QStyle>

namespace quillon {

namespace {

// Room for the check box in front of a preview name.
constexpr int kCheckRoom = 20;
constexpr int kMinimumWidth = 40;

} // namespace

void TForm1::connectFileLists() {
    connect(m_lists, &FileLists::folderChosen, this, &TForm1::ReloadFromDisk_ButtonClick);
    connect(m_lists, &FileLists::listClicked, this, &TForm1::PreventSelectionInListClick);
    connect(m_lists, &FileLists::selectAllRequested, this,
            &TForm1::FileBox_Preview_PopupMenu_SelectAllClick);
    connect(m_lists, &FileLists::unselectAllRequested, this,
            &TForm1::FileBox_Preview_PopupMenu_UnselectAllClick);
    connect(m_lists, &FileLists::invertAllRequested, this,
            &TForm1::FileBox_Preview_PopupMenu_InverseAll);
    connect(m_lists, &FileLists::reloadByNameRequested, this, &TForm1::ReloadFromDisk_ButtonClick);
    connect(m_lists, &FileLists::reloadByDateRequested, this,
            &TForm1::FileBox_Preview_PopupMenu_ReloadSort_DateTimeClick);
    connect(m_lists, &FileLists::renameRequested, this,
            &TForm1::FileBox_Preview_PopupMenu_RenameFileClick);
}

std::string TForm1::selectedFolder() const {
    return QFile::encodeName(m_lists->tree()->selectedPath()).toStdString();
}

void TForm1::reportLoad(const LoadResult& result) {
    if (result.ok())
        return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Quillon"),
                    DiskMessages::folderUnreadable(m_lists->tree()->selectedPath(), result.error),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
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

void TForm1::FileBox_Preview_PopupMenu_OnPopup() {
    m_lists->selectUnderMouse();
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

// HorScrollBar1 / HorScrollBarFolder: a view with uniform item sizes takes
// its content width from the rows' size hint. The folder names change only
// with the lists, so a press measures the preview alone.
QSize TForm1::rowSize(int contentWidth) const {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
    return {contentWidth + frame, m_lists->previewView()->fontMetrics().height() + 2};
}

void TForm1::updateFolderRowSize() {
    NameWidth measure(m_lists->previewView()->fontMetrics());
    int width = kMinimumWidth;
    const auto& names = m_workspace.folderList().names;
    Name name;
    for (std::size_t i = 0; i < names.size(); ++i) {
        m_busy->keepPainting(i);
        names.decodeInto(i, name);
        width = std::max(width, measure.width(name));
    }
    m_folderModel->setRowSize(rowSize(width));
}

void TForm1::updatePreviewRowSize() {
    NameWidth measure(m_lists->previewView()->fontMetrics());
    int width = kMinimumWidth;
    const auto& preview = m_workspace.preview();
    const std::size_t count = std::min(preview.size(), m_workspace.folderList().names.size());
    Name name;
    for (std::size_t i = 0; i < count; ++i) {
        m_busy->keepPainting(i);
        preview.names.decodeInto(i, name);
        const int w = measure.width(name);
        if (w > width)
            width = w + kCheckRoom;
    }
    m_previewModel->setRowSize(rowSize(width));
}

void TForm1::listsAboutToReset() {
    m_previewModel->notifyAboutToReset();
    m_folderModel->notifyAboutToReset();
}

void TForm1::listsReset() {
    m_folderModel->notifyReset();
    m_previewModel->notifyReset();
    updateFolderRowSize();
    updatePreviewRowSize();
    m_lists->previewView()->scrollToTop();
    m_lists->folderView()->scrollToTop();
}

void TForm1::previewNamesChanged() {
    m_previewModel->notifyNamesChanged();
    updatePreviewRowSize();
}

void TForm1::checksChanged(std::size_t first, std::size_t last) {
    m_previewModel->notifyChecksChanged(static_cast<int>(first), static_cast<int>(last));
}

void TForm1::undoAvailabilityChanged(bool available) {
    m_replace->setUndoEnabled(available);
}

} // namespace quillon
