// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/dialogs/DiskMessages.h"
#include "ui/mainwindow/FileLists.h"
#include "ui/mainwindow/MainMenus.h"
#include "ui/mainwindow/ReplaceGroup.h"
#include "ui/mainwindow/TopStrip.h"
#include "ui/models/FolderListModel.h"
#include "ui/models/ListRowSizes.h"
#include "ui/models/NameText.h"
#include "ui/models/PreviewListModel.h"
#include "ui/models/WorkspaceSignals.h"
#include "ui/widgets/FolderTree.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/work/CommandRunner.h"

#include <QFile>
#include <QListView>

#include <memory>

namespace quillon {

void MainWindow::connectFileLists() {
    const auto bind = [this](void (FileLists::*signal)(), void (MainWindow::*handler)()) {
        connect(m_lists, signal, this, handler);
    };
    bind(&FileLists::folderChosen, &MainWindow::load);
    bind(&FileLists::listClicked, &MainWindow::clearListSelection);
    bind(&FileLists::selectAllRequested, &MainWindow::checkAll);
    bind(&FileLists::unselectAllRequested, &MainWindow::uncheckAll);
    bind(&FileLists::invertAllRequested, &MainWindow::invertChecks);
    bind(&FileLists::reloadByNameRequested, &MainWindow::load);
    bind(&FileLists::reloadByDateRequested, &MainWindow::reloadSortedByDate);
    bind(&FileLists::renameRequested, &MainWindow::renameFromPopup);
    connect(m_lists, &FileLists::reloadInOrderRequested, this, &MainWindow::reloadInOrder);
}

std::string MainWindow::selectedFolder() const {
    return QFile::encodeName(m_lists->tree()->selectedPath()).toStdString();
}

void MainWindow::runLoad(const LoadCommand& command) {
    const QString shown = m_lists->tree()->selectedPath();
    auto result = std::make_shared<LoadResult>();
    m_runner->run(
        CommandRunner::OnCancel::Discard,
        [command, result, folder = selectedFolder(), mask = toName(m_strip->mask())](
            Workspace& workspace, WorkControl&) { *result = command(workspace, folder, mask); },
        [this, result, shown] {
            if (!result->ok())
                showPlainMessage(this, QMessageBox::Critical,
                                 DiskMessages::folderUnreadable(shown, result->error));
        });
}

void MainWindow::runRebuild(PreviewRebuild mode) {
    m_runner->run(CommandRunner::OnCancel::Discard,
                  [mode](Workspace& workspace, WorkControl&) { workspace.rebuildPreview(mode); });
}

void MainWindow::reloadFolder() {
    runLoad(&Workspace::reload);
}

void MainWindow::load() {
    m_startNote.clear(); // what the start left out no longer applies
    m_strip->setPreviewShown(true);
    runLoad(&Workspace::load);
}

void MainWindow::reloadSortedByDate() {
    runLoad(&Workspace::loadByDate);
}

void MainWindow::reloadInOrder(ReloadOrder order) {
    runLoad([order](Workspace& workspace, const std::string& folder, NameView mask) {
        return workspace.loadInOrder(folder, mask, order);
    });
}

void MainWindow::resetPreview() {
    runRebuild(PreviewRebuild::Reset);
}

void MainWindow::checkAll() {
    if (isWorking())
        return; // the lists are about to be replaced
    workspace().selectAll();
    clearListSelection();
}

void MainWindow::uncheckAll() {
    if (isWorking())
        return; // the lists are about to be replaced
    workspace().unselectAll();
    clearListSelection();
}

void MainWindow::invertChecks() {
    if (isWorking())
        return; // the lists are about to be replaced
    workspace().invertAll();
    clearListSelection();
}

void MainWindow::clearListSelection() {
    m_lists->clearSelection(m_strip->previewShown());
}

void MainWindow::renameFromPopup() {
    if (m_lists->previewHasSelection())
        renameSelectedEntry();
    clearListSelection();
}

void MainWindow::showChosenList() {
    m_state.enterRunsReplace = true;
    const bool preview = m_strip->previewShown();
    m_menus->markShownList(preview);
    m_lists->showList(preview);
}

void MainWindow::showPreviewList() {
    // Through the check box, so that its handler swaps the lists.
    m_strip->setPreviewShown(true);
}

void MainWindow::chooseFolderList() {
    m_menus->markShownList(false);
    m_strip->setPreviewShown(false);
}

void MainWindow::choosePreviewList() {
    m_menus->markShownList(true);
    m_strip->setPreviewShown(true);
}

void MainWindow::connectNotices() {
    const WorkspaceSignals& notices = m_runner->notices();
    connect(&notices, &WorkspaceSignals::reset, this, &MainWindow::listsReset);
    connect(&notices, &WorkspaceSignals::namesChanged, m_rowSizes, &ListRowSizes::updatePreview);
    connect(&notices, &WorkspaceSignals::undoAvailable, m_replace, &ReplaceGroup::setUndoEnabled);
}

void MainWindow::listsReset() {
    m_rowSizes->updateFolders();
    m_rowSizes->updatePreview();
    m_lists->previewView()->scrollToTop();
    m_lists->folderView()->scrollToTop();
}

} // namespace quillon
