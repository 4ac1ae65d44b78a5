// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/FileLists.h"

#include "ui/widgets/ChangedNameDelegate.h"
#include "ui/widgets/FolderTree.h"
#include "ui/widgets/LongTreeView.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/WidgetHelpers.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTreeView>

#include <array>

namespace quillon {

namespace {

constexpr int kSplitterWidth = 3;

int firstVisibleRow(const QAbstractItemView* view) {
    const QModelIndex top = view->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void scrollToRow(QAbstractItemView* view, int row) {
    if (row >= 0 && row < view->model()->rowCount())
        view->scrollTo(view->model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

} // namespace

FileLists::FileLists(QAbstractItemModel* folderModel, QAbstractItemModel* previewModel,
                     QAbstractItemModel* oldNewModel, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Panel2"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_tree = named(new FolderTree(this), "ShellTree1");
    connect(m_tree, &QTreeView::clicked, this, &FileLists::folderChosen);
    connect(m_tree, &FolderTree::folderChosenByKeyboard, this, &FileLists::folderChosen);
    // The tree starts at the user's desktop folder, or at home without one.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    m_tree->selectPath(QDir(desktop).exists() ? desktop : QDir::homePath());
    row->addWidget(m_tree);
    row->addWidget(buildSplitter());
    buildLists(folderModel, previewModel);
    buildOldNewView(oldNewModel);
    // The lists have no caption on screen; readers say these.
    m_tree->setAccessibleName(tr("Folders"));
    m_folderView->setAccessibleName(tr("Folder list"));
    m_previewView->setAccessibleName(tr("Preview list"));
    row->addWidget(m_folderView, 1);
    row->addWidget(m_previewView, 1);
    row->addWidget(m_oldNewView, 1);
    buildPopup();
    placeSplitter();
}

QWidget* FileLists::buildSplitter() {
    m_splitter = named(new QWidget(this), "PanelSplitter");
    m_splitter->setFixedWidth(kSplitterWidth);
    m_splitter->setAutoFillBackground(true);
    // White on a light palette; a dark one keeps a dark bar.
    QPalette bar = m_splitter->palette();
    bar.setColor(QPalette::Window, isDarkPalette(bar) ? bar.color(QPalette::Mid) : Qt::white);
    m_splitter->setPalette(bar);
    m_splitter->setCursor(Qt::SizeHorCursor);
    m_splitter->installEventFilter(this);
    return m_splitter;
}

void FileLists::buildLists(QAbstractItemModel* folderModel, QAbstractItemModel* previewModel) {
    m_folderView = uniformListView("FileList_Folder", this);
    m_folderView->setModel(folderModel);
    m_folderView->hide();
    m_previewView = uniformListView("FileBox_Preview", this);
    m_previewView->setModel(previewModel);
    m_previewView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_previewView, &QListView::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_mouse = pos;
        m_popup->popup(m_previewView->viewport()->mapToGlobal(pos));
    });
    connect(m_previewView, &QListView::clicked, this, &FileLists::listClicked);
    connect(m_folderView, &QListView::clicked, this, &FileLists::listClicked);
}

// Two columns over a million rows: uniform rows and no measuring of names.
void FileLists::buildOldNewView(QAbstractItemModel* model) {
    m_oldNewView = named(new LongTreeView(this), "FileBox_OldAndNew");
    m_oldNewView->setModel(model);
    m_oldNewView->setRootIsDecorated(false);
    m_oldNewView->setItemsExpandable(false);
    m_oldNewView->setAllColumnsShowFocus(true);
    m_oldNewView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_oldNewView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_oldNewView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_oldNewView->setTextElideMode(Qt::ElideRight);
    m_oldNewView->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_oldNewView->header()->setSectionsMovable(false);
    m_oldNewView->setItemDelegateForColumn(1, new ChangedNameDelegate(m_oldNewView));
    m_oldNewView->setAccessibleName(tr("Old and new names"));
    m_oldNewView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_oldNewView, &QTreeView::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_mouse = pos;
        m_popup->popup(m_oldNewView->viewport()->mapToGlobal(pos));
    });
    connect(m_oldNewView, &QTreeView::clicked, this, &FileLists::listClicked);
    m_oldNewView->hide();
}

void FileLists::buildPopup() {
    m_popup = named(new QMenu(this), "FileBox_Preview_PopupMenu");
    QMenu* popupSelect = m_popup->addMenu(tr("&Select"));
    popupSelect->addAction(tr("Select All"), this, &FileLists::selectAllRequested);
    popupSelect->addAction(tr("Unselect All"), this, &FileLists::unselectAllRequested);
    named(popupSelect->addAction(tr("Invert All"), this, &FileLists::invertAllRequested),
          "Inverse1");
    QMenu* popupReload = m_popup->addMenu(tr("&Reload and Sort"));
    named(popupReload->addAction(tr("By &File Name"), this, &FileLists::reloadByNameRequested),
          "ByFileNames1");
    named(popupReload->addAction(tr("By &Date and Time"), this, &FileLists::reloadByDateRequested),
          "FileBox_Preview_PopupMenu_ReloadSort_DateTime");
    const struct {
        const char* caption;
        const char* name;
        ReloadOrder order;
    } orders[] = {
        {QT_TR_NOOP("By Date &Taken"), "FileBox_Preview_PopupMenu_ReloadSort_Taken",
         ReloadOrder::Taken},
        {QT_TR_NOOP("By &Modification Time"), "FileBox_Preview_PopupMenu_ReloadSort_Modified",
         ReloadOrder::Modified},
        {QT_TR_NOOP("By Name, &Numbers as Numbers"), "FileBox_Preview_PopupMenu_ReloadSort_Natural",
         ReloadOrder::Natural},
    };
    for (const auto& o : orders) {
        named(
            popupReload->addAction(tr(o.caption), this,
                                   [this, order = o.order] { emit reloadInOrderRequested(order); }),
            o.name);
    }
    m_popupRename = named(m_popup->addAction(tr("&Rename File"), this, &FileLists::renameRequested),
                          "FileBox_Preview_PopupMenu_RenameFile");
    connect(m_popup, &QMenu::aboutToShow, this, &FileLists::prepareContextMenu);
}

bool FileLists::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_splitter && splitterEvent(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool FileLists::splitterEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        startSplitterDrag();
        return true;
    case QEvent::MouseMove:
        dragSplitter(static_cast<QMouseEvent*>(event)->position().toPoint().x());
        return true;
    case QEvent::MouseButtonRelease:
        endSplitterDrag();
        return true;
    default:
        return false;
    }
}

void FileLists::placeSplitter() {
    // The tree keeps its width while the window resizes; the lists take the
    // rest, down to nothing when the tree is dragged wide.
    m_tree->setFixedWidth(std::max(0, m_treeWidth));
}

void FileLists::setTreeWidth(int width) {
    m_treeWidth = std::max(1, width);
    placeSplitter();
}

void FileLists::startSplitterDrag() {
    m_resizingLists = true;
}

void FileLists::dragSplitter(int x) {
    if (!m_resizingLists)
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

void FileLists::endSplitterDrag() {
    m_resizingLists = false;
    if (m_treeWidth <= 0)
        m_treeWidth = 1;
    placeSplitter();
}

void FileLists::showList(bool preview) {
    m_previewChosen = preview;
    if (m_oldAndNew)
        showView(m_oldNewView);
    else
        showView(preview ? m_previewView : m_folderView);
}

void FileLists::setOldAndNew(bool shown) {
    m_oldAndNew = shown;
    showList(m_previewChosen);
}

// The one shown opens at the top row the one shown before had.
void FileLists::showView(QAbstractItemView* shown) {
    const std::array<QAbstractItemView*, 3> views{m_folderView, m_previewView, m_oldNewView};
    int top = 0;
    for (QAbstractItemView* view : views) {
        if (view != shown && !view->isHidden())
            top = firstVisibleRow(view);
    }
    shown->show();
    scrollToRow(shown, top);
    for (QAbstractItemView* view : views) {
        if (view != shown)
            view->hide();
    }
}

QAbstractItemView* FileLists::entryView() const {
    if (m_oldAndNew)
        return m_oldNewView;
    return m_previewView;
}

int FileLists::selectedEntry() const {
    const QModelIndexList selected = entryView()->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void FileLists::clearSelection(bool preview) {
    if (m_oldAndNew)
        m_oldNewView->clearSelection();
    else
        (preview ? m_previewView : m_folderView)->clearSelection();
}

void FileLists::prepareContextMenu() {
    QAbstractItemView* view = entryView();
    view->clearSelection();
    const QModelIndex under = view->indexAt(m_mouse);
    if (under.isValid())
        view->selectionModel()->select(under, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    m_popupRename->setEnabled(previewHasSelection());
}

void FileLists::setCommandsEnabled(bool enabled) {
    m_tree->setEnabled(enabled);
    m_popup->setEnabled(enabled);
    // The rows show whether they take a check.
    m_previewView->viewport()->update();
    m_oldNewView->viewport()->update();
}

bool FileLists::previewHasSelection() const {
    return entryView()->selectionModel()->hasSelection();
}

} // namespace quillon
