// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"
#include "ui/FileLists.h"
#include "ui/FolderListModel.h"
#include "ui/PreviewListModel.h"
#include "ui/ReplaceGroup.h"
#include "ui/WidgetHelpers.h"

#include <QHBoxLayout>
#include <QResizeEvent>

namespace quillon {

namespace {

constexpr int kBottomMinimumHeight = 111;

} // namespace

QWidget* TForm1::buildMiddle() {
    m_lists = new FileLists(m_folderModel, m_previewModel, this);
    connectFileLists();
    return m_lists;
}

QWidget* TForm1::buildBottom() {
    m_bottom = named(new QWidget(this), "Panel1");
    // Its own height at the least, more where larger text needs it.
    m_bottom->setMinimumHeight(kBottomMinimumHeight);
    m_bottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(m_bottom);
    row->setContentsMargins(4, 0, 4, 4);
    row->setSpacing(4);
    m_case = new CaseGroup(this, m_bottom);
    connectCaseGroup();
    row->addWidget(m_case);
    m_replace = new ReplaceGroup(m_bottom);
    connectReplaceGroup();
    row->addWidget(m_replace, 1);
    return m_bottom;
}

int TForm1::treeWidth() const {
    return m_lists->treeWidth();
}

void TForm1::PanelSplitterOnMouseDown() {
    m_lists->startSplitterDrag();
}

void TForm1::PanelSplitterMouseMove(int x) {
    m_lists->dragSplitter(x);
}

void TForm1::PanelSplitterOnMouseUp() {
    m_lists->endSplitterDrag();
}

void TForm1::OnResizeForm() {
    m_lists->placeSplitter();
    placeCaseExtraPanel();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    OnResizeForm();
}

void TForm1::placeCaseExtraPanel() {
    if (!m_case || !m_bottom)
        return;
    // Floats just above the lower left corner, over the lists.
    const QRect bottom = m_bottom->geometry();
    m_case->placeOptionsPanel(QPoint(bottom.left() + 4, bottom.top() + 14));
}

} // namespace quillon
