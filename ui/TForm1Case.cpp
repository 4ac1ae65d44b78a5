// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"

namespace quillon {

namespace {

// Pause before a refresh so the control just clicked repaints first.
constexpr int kRepaintDelayMs = 10;

} // namespace

void TForm1::connectCaseGroup() {
    connect(m_case, &CaseGroup::changed, this, [this] {
        Delay(kRepaintDelayMs);
        refreshCase();
    });
}

void TForm1::refreshCase() {
    showPreviewList();
    m_workspace.setCaseMode(m_case->mode(), m_case->smartOptions());
    m_workspace.rebuildPreview(PreviewRebuild::CaseReapply);
    m_state.enterRunsReplace = true;
}

} // namespace quillon
