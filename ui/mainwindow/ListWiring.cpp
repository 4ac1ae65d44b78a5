// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ListWiring.h"

#include "ui/mainwindow/FileLists.h"
#include "ui/mainwindow/ReplaceGroup.h"
#include "ui/models/FolderListModel.h"
#include "ui/models/ListRowSizes.h"
#include "ui/models/OldNewListModel.h"
#include "ui/models/PreviewListModel.h"
#include "ui/models/WorkspaceSignals.h"
#include "ui/work/CommandRunner.h"

#include <QListView>

#include <QTreeView>
#include <utility>

namespace quillon {

namespace {

// The models see the lists read-only; a check goes through the runner,
// which refuses it while a command works.
std::function<bool(std::size_t, bool)> checkThrough(CommandRunner& runner) {
    return [&runner](std::size_t row, bool checked) {
        return runner.edit(
            [row, checked](Workspace& workspace) { workspace.setChecked(row, checked); });
    };
}

} // namespace

ListWiring::ListWiring(CommandRunner& runner, QObject* parent)
    : QObject(parent)
    , m_runner(runner)
    , m_previewModel(new PreviewListModel(std::as_const(runner).workspace(), runner.notices(),
                                          checkThrough(runner), this))
    , m_folderModel(new FolderListModel(runner.workspace(), runner.notices(), this))
    , m_oldNewModel(new OldNewListModel(std::as_const(runner).workspace(), runner.notices(),
                                        checkThrough(runner), this)) {}

void ListWiring::setEditable(bool editable) {
    m_previewModel->setEditable(editable);
    m_oldNewModel->setEditable(editable);
}

void ListWiring::attach(FileLists& lists, ReplaceGroup& replace) {
    m_lists = &lists;
    m_rowSizes = new ListRowSizes(m_runner.workspace(), *m_folderModel, *m_previewModel,
                                  *lists.previewView(), this);
    const WorkspaceSignals& notices = m_runner.notices();
    connect(&notices, &WorkspaceSignals::reset, this, &ListWiring::listsReset);
    connect(&notices, &WorkspaceSignals::namesChanged, m_rowSizes,
            &ListRowSizes::remeasurePreviewNames);
    connect(&notices, &WorkspaceSignals::undoAvailable, &replace, &ReplaceGroup::setUndoEnabled);
}

void ListWiring::listsReset() {
    m_rowSizes->remeasureAll();
    m_lists->previewView()->scrollToTop();
    m_lists->folderView()->scrollToTop();
    m_lists->oldNewView()->scrollToTop();
}

} // namespace quillon
