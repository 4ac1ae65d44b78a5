// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/mainwindow/CaseGroup.h"
#include "ui/work/CommandRunner.h"

namespace quillon {

void MainWindow::connectCaseGroup() {
    connect(m_case, &CaseGroup::changed, this, &MainWindow::refreshCase);
}

void MainWindow::refreshCase() {
    showPreviewList();
    m_runner->run(CommandRunner::OnCancel::Discard,
                  [mode = m_case->mode(), options = m_case->smartOptions()](Workspace& workspace,
                                                                            WorkControl&) {
                      workspace.setCaseMode(mode, options);
                      workspace.rebuildPreview(PreviewRebuild::CaseReapply);
                  });
    m_state.enterRunsReplace = true;
}

} // namespace quillon
