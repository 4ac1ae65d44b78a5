// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/folder/ReloadOrder.h"

#include <QWidget>

class QAbstractItemModel;
class QAbstractItemView;
class QAction;
class QListView;
class QMenu;
class QTreeView;

namespace quillon {

class FolderTree;

/// The middle of the main window: the folder tree, the splitter that sizes
/// it, the folder and preview lists lying on top of each other, and the
/// preview list's popup menu. Holds the tree's width and the drag.
class FileLists final : public QWidget {
    Q_OBJECT
public:
    FileLists(QAbstractItemModel* folderModel, QAbstractItemModel* previewModel,
              QAbstractItemModel* oldNewModel, QWidget* parent);

    FolderTree* tree() const { return m_tree; }
    QListView* folderView() const { return m_folderView; }
    QListView* previewView() const { return m_previewView; }
    QTreeView* oldNewView() const { return m_oldNewView; }
    /// The view whose selection the popup menu and the rename act on: the
    /// preview list, or both names side by side.
    QAbstractItemView* entryView() const;
    /// The selected entry of entryView, or -1.
    int selectedEntry() const;
    /// "Old and New Names": both names side by side in place of either list.
    void setOldAndNew(bool shown);
    int treeWidth() const { return m_treeWidth; }
    /// Puts the splitter where it was left (at least 1 pixel of tree).
    void setTreeWidth(int width);

    void placeSplitter();

    /// Shows the preview list or the folder list, at the other's top row;
    /// with "Old and New Names" on, it is the one shown after it.
    void showList(bool preview);
    void clearSelection(bool preview);
    bool previewHasSelection() const;
    /// The tree and the popup menu start commands; off while one works.
    void setCommandsEnabled(bool enabled);

public slots:
    // The splitter's mouse: x is the position relative to its left edge.
    void startSplitterDrag();
    void dragSplitter(int x);
    void endSplitterDrag();
    /// Selects the preview entry under the mouse, or none, as the popup menu opens.
    void prepareContextMenu();

signals:
    /// A folder was clicked in the tree, or chosen there by keyboard.
    void folderChosen();
    /// An entry of either list was clicked.
    void listClicked();
    // The popup menu's entries.
    void selectAllRequested();
    void unselectAllRequested();
    void invertAllRequested();
    void reloadByNameRequested();
    void reloadByDateRequested();
    void reloadInOrderRequested(quillon::ReloadOrder order);
    void renameRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSplitter();
    void buildLists(QAbstractItemModel* folderModel, QAbstractItemModel* previewModel);
    void buildOldNewView(QAbstractItemModel* model);
    void showView(QAbstractItemView* shown);
    void buildPopup();
    bool splitterEvent(QEvent* event);

    FolderTree* m_tree = nullptr;
    QWidget* m_splitter = nullptr;
    int m_treeWidth = 220;
    bool m_resizingLists = false;
    QListView* m_folderView = nullptr;
    QListView* m_previewView = nullptr;
    QTreeView* m_oldNewView = nullptr;
    bool m_oldAndNew = false;
    bool m_previewChosen = true;
    QMenu* m_popup = nullptr;
    QAction* m_popupRename = nullptr;
    /// Where the popup menu was asked for, in the preview list's viewport.
    QPoint m_mouse;
};

} // namespace quillon
