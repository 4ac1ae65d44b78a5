// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"
#include "ui/CommandRunner.h"

namespace quillon {

void TForm1::connectCaseGroup() {
    connect(m_case, &CaseGroup::changed, this, &TForm1::refreshCase);
}

void TForm1::refreshCase() {
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
