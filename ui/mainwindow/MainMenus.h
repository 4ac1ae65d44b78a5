// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/folder/ReloadOrder.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace quillon {

/// The main menus File, View, Select and Help. Each entry says through a
/// signal that it was chosen; the menus keep the check marks of "Folder"
/// and "Preview" and the enabled states of their entries.
class MainMenus final : public QObject {
    Q_OBJECT
public:
    /// window: owns the menus and carries the desktop shortcuts.
    explicit MainMenus(QWidget* window);

    /// File, View, Select and Help, in this order.
    QList<QMenu*> menus() const { return m_menus; }
    /// Checks "Folder" or "Preview".
    void markShownList(bool preview);
    void setUndoLastSaveEnabled(bool enabled);
    void setWizardEnabled(bool enabled);
    void setHelpEnabled(bool enabled);
    /// The entries that start a command or change the lists; off while one works.
    void setCommandsEnabled(bool enabled);

signals:
    void reloadByNameChosen();
    void reloadByDateChosen();
    /// One of the orders after the two above (date taken, modification
    /// time, natural name order).
    void reloadInOrderChosen(quillon::ReloadOrder order);
    void saveChosen();
    void undoLastSaveChosen();
    /// The File menu opens.
    void fileMenuOpening();
    void exitChosen();
    void folderListChosen();
    void previewListChosen();
    /// View > "Old and New Names" switched on or off.
    void oldAndNewToggled(bool shown);
    void resetListChosen();
    void wizardChosen();
    void selectAllChosen();
    void unselectAllChosen();
    void invertAllChosen();
    void helpChosen();
    void aboutChosen();

private:
    QMenu* buildFile(QWidget* window);
    QMenu* buildView(QWidget* window);
    QMenu* buildSelect(QWidget* window);
    QMenu* buildHelp(QWidget* window);
    void addShortcuts(QWidget* window);

    QList<QMenu*> m_menus;
    QAction* m_reloadByName = nullptr;
    QAction* m_save = nullptr;
    QAction* m_undoLastSave = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_viewFolder = nullptr;
    QAction* m_viewPreview = nullptr;
    QAction* m_viewOldAndNew = nullptr;
    QAction* m_viewWizard = nullptr;
    QAction* m_helpHelp = nullptr;
    QList<QAction*> m_commands;
};

} // namespace quillon
