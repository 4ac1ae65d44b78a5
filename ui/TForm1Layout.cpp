// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"
#include "ui/FolderListModel.h"
#include "ui/Palette.h"
#include "ui/PreviewListModel.h"
#include "ui/TShellTree.h"
#include "ui/WidgetHelpers.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>

namespace quillon {

namespace {

constexpr int kBottomMinimumHeight = 111;
constexpr int kSplitterWidth = 3;

} // namespace

QWidget* TForm1::buildMiddle() {
    auto* middle = named(new QWidget(this), "Panel2");
    auto* row = new QHBoxLayout(middle);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_tree = named(new TShellTree(middle), "ShellTree1");
    connect(m_tree, &QTreeView::clicked, this, &TForm1::ReloadFromDisk_ButtonClick);
    connect(m_tree, &TShellTree::folderChosenByKeyboard, this, &TForm1::ReloadFromDisk_ButtonClick);
    row->addWidget(m_tree);

    m_splitter = named(new QWidget(middle), "PanelSplitter");
    m_splitter->setFixedWidth(kSplitterWidth);
    m_splitter->setAutoFillBackground(true);
    // White on a light palette; a dark one keeps a dark bar.
    QPalette bar = m_splitter->palette();
    bar.setColor(QPalette::Window, isDarkPalette(bar) ? bar.color(QPalette::Mid) : Qt::white);
    m_splitter->setPalette(bar);
    m_splitter->setCursor(Qt::SizeHorCursor);
    m_splitter->installEventFilter(this);
    row->addWidget(m_splitter);

    m_folderView = uniformListView("FileList_Folder", middle);
    m_folderView->setModel(m_folderModel);
    m_folderView->hide();
    m_previewView = uniformListView("FileBox_Preview", middle);
    m_previewView->setModel(m_previewModel);
    m_previewView->setMouseTracking(true);
    m_previewView->viewport()->installEventFilter(this);
    m_previewView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_previewView, &QListView::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_state.PopupMouseX = pos.x();
        m_state.PopupMouseY = pos.y();
        m_popup->popup(m_previewView->viewport()->mapToGlobal(pos));
    });
    connect(m_previewView, &QListView::clicked, this, &TForm1::PreventSelectionInListClick);
    connect(m_folderView, &QListView::clicked, this, &TForm1::PreventSelectionInListClick);
    // The lists have no caption on screen; readers say these.
    m_tree->setAccessibleName(tr("Folders"));
    m_folderView->setAccessibleName(tr("Folder list"));
    m_previewView->setAccessibleName(tr("Preview list"));
    row->addWidget(m_folderView, 1);
    row->addWidget(m_previewView, 1);
    placeSplitter();
    return middle;
}

QWidget* TForm1::buildBottom() {
    m_bottom = named(new QWidget(this), "Panel1");
    // Its own height at the least, more where larger text needs it.
    m_bottom->setMinimumHeight(kBottomMinimumHeight);
    m_bottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(m_bottom);
    row->setContentsMargins(4, 0, 4, 4);
    row->setSpacing(4);
    row->addWidget(buildCaseGroup(m_bottom));
    row->addWidget(buildReplaceGroup(m_bottom), 1);
    return m_bottom;
}

void TForm1::placeSplitter() {
    // The tree keeps its width while the window resizes; the lists take the
    // rest, down to nothing when the tree is dragged wide.
    m_tree->setFixedWidth(std::max(0, m_treeWidth));
}

void TForm1::PanelSplitterOnMouseDown() {
    m_state.SplitterDragging = true;
}

void TForm1::PanelSplitterMouseMove(int x) {
    if (!m_state.SplitterDragging)
        return;
    if (m_treeWidth <= 0) {
        // Dragged past the left edge: stays shut until the button is released.
        m_treeWidth = 0;
        placeSplitter();
        return;
    }
    m_treeWidth += x;
    placeSplitter();
}

void TForm1::PanelSplitterOnMouseUp() {
    m_state.SplitterDragging = false;
    if (m_treeWidth <= 0)
        m_treeWidth = 1;
    placeSplitter();
}

void TForm1::OnResizeForm() {
    placeSplitter();
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
