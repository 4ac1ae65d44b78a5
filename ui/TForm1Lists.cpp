// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/FolderListModel.h"
#include "ui/NameText.h"
#include "ui/NameWidth.h"
#include "ui/PreviewListModel.h"
#include "ui/TShellTree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <cstring>

namespace quillon {

namespace {

// Room for the check box in front of a preview name.
constexpr int kCheckRoom = 20;
constexpr int kMinimumWidth = 40;

} // namespace

std::string TForm1::selectedFolder() const {
    return QFile::encodeName(m_tree->selectedPath()).toStdString();
}

void TForm1::reportLoad(const LoadResult& result) {
    if (result.ok())
        return;
    QMessageBox box(
        QMessageBox::Critical, QStringLiteral("Quillon"),
        tr("The folder could not be read:\n > %1\n\n%2")
            .arg(m_tree->selectedPath(), QString::fromLocal8Bit(std::strerror(result.error))),
        QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TForm1::ReloadFileList() {
    reportLoad(m_workspace.reload(selectedFolder(), toName(m_mask->text())));
}

void TForm1::ReloadFromDisk_ButtonClick() {
    m_workspace.dropUndo();
    m_displayPreview->setChecked(true);
    ReloadFileList();
}

void TForm1::FileBox_Preview_PopupMenu_ReloadSort_DateTimeClick() {
    reportLoad(m_workspace.loadByDate(selectedFolder(), toName(m_mask->text())));
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
    (m_displayPreview->isChecked() ? m_previewView : m_folderView)->clearSelection();
}

void TForm1::FileBox_Preview_PopupMenu_OnPopup() {
    m_previewView->clearSelection();
    const QModelIndex under =
        m_previewView->indexAt(QPoint(m_state.PopupMouseX, m_state.PopupMouseY));
    if (under.isValid())
        m_previewView->selectionModel()->select(under, QItemSelectionModel::ClearAndSelect);
    m_popupRename->setEnabled(m_previewView->selectionModel()->hasSelection());
}

void TForm1::FileBox_Preview_PopupMenu_RenameFileClick() {
    if (m_previewView->selectionModel()->hasSelection())
        Rename_FileClick();
    PreventSelectionInListClick();
}

int TForm1::firstVisibleRow(const QListView* view) {
    const QModelIndex top = view->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void TForm1::scrollToRow(QListView* view, int row) {
    if (row >= 0 && row < view->model()->rowCount())
        view->scrollTo(view->model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

void TForm1::DisplayPreview_CBClick() {
    m_state.enterRunsReplace = true;
    const bool preview = m_displayPreview->isChecked();
    m_viewPreview->setChecked(preview);
    m_viewFolder->setChecked(!preview);
    QListView* shown = preview ? m_previewView : m_folderView;
    QListView* hidden = preview ? m_folderView : m_previewView;
    const int top = firstVisibleRow(hidden);
    shown->show();
    scrollToRow(shown, top);
    hidden->hide();
}

void TForm1::showPreviewList() {
    // Through the check box, so that its handler swaps the lists.
    m_displayPreview->setChecked(true);
}

void TForm1::MainMenu_View_FolderClick() {
    m_viewFolder->setChecked(true);
    m_viewPreview->setChecked(false);
    m_displayPreview->setChecked(false);
}

void TForm1::MainMenu_View_PreviewClick() {
    m_viewPreview->setChecked(true);
    m_viewFolder->setChecked(false);
    m_displayPreview->setChecked(true);
}

void TForm1::updateScrollRanges() {
    // HorScrollBar1 / HorScrollBarFolder: a view with uniform item sizes
    // takes its content width from the rows' size hint.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
    NameWidth measure(m_previewView->fontMetrics());
    int previewWidth = kMinimumWidth;
    int folderWidth = kMinimumWidth;
    const auto& names = m_workspace.folderList().names;
    const auto& preview = m_workspace.preview();
    Name name;
    for (std::size_t i = 0; i < names.size(); ++i) {
        names.decodeInto(i, name);
        folderWidth = std::max(folderWidth, measure.width(name));
        if (i < preview.size()) {
            preview.names.decodeInto(i, name);
            const int w = measure.width(name);
            if (w > previewWidth)
                previewWidth = w + kCheckRoom;
        }
    }
    const int rowHeight = m_previewView->fontMetrics().height() + 2;
    m_previewModel->setRowSize(QSize(previewWidth + frame, rowHeight));
    m_folderModel->setRowSize(QSize(folderWidth + frame, rowHeight));
}

void TForm1::listsAboutToReset() {
    m_previewModel->notifyAboutToReset();
    m_folderModel->notifyAboutToReset();
}

void TForm1::listsReset() {
    m_folderModel->notifyReset();
    m_previewModel->notifyReset();
    updateScrollRanges();
    m_previewView->scrollToTop();
    m_folderView->scrollToTop();
}

void TForm1::previewNamesChanged() {
    m_previewModel->notifyNamesChanged();
    updateScrollRanges();
}

void TForm1::checksChanged(std::size_t first, std::size_t last) {
    m_previewModel->notifyChecksChanged(static_cast<int>(first), static_cast<int>(last));
}

void TForm1::undoAvailabilityChanged(bool available) {
    m_undoButton->setEnabled(available);
}

} // namespace quillon
