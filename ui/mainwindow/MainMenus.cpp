// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainMenus.h"

#include "ui/widgets/WidgetHelpers.h"

#include <QMenu>
#include <QWidget>

namespace quillon {

MainMenus::MainMenus(QWidget* window)
    : QObject(window) {
    m_menus = {buildFile(window), buildView(window), buildSelect(window), buildHelp(window)};
    addShortcuts(window);
}

QMenu* MainMenus::buildFile(QWidget* window) {
    auto* file = named(new QMenu(tr("&File"), window), "MainMenu_File");
    QMenu* reload = file->addMenu(tr("&Reload"));
    m_reloadByName =
        named(reload->addAction(tr("Sort by &File Name"), this, &MainMenus::reloadByNameChosen),
              "SortbyFileName1");
    named(reload->addAction(tr("Sort by &Date"), this, &MainMenus::reloadByDateChosen),
          "SortbyDate1");
    const struct {
        const char* caption;
        const char* name;
        ReloadOrder order;
    } orders[] = {
        {QT_TR_NOOP("By Date &Taken"), "MainMenu_File_Reload_Taken", ReloadOrder::Taken},
        {QT_TR_NOOP("By &Modification Time"), "MainMenu_File_Reload_Modified",
         ReloadOrder::Modified},
        {QT_TR_NOOP("By Name, &Numbers as Numbers"), "MainMenu_File_Reload_Natural",
         ReloadOrder::Natural},
    };
    for (const auto& o : orders) {
        named(reload->addAction(tr(o.caption), this,
                                [this, order = o.order] { emit reloadInOrderChosen(order); }),
              o.name);
    }
    m_save =
        named(file->addAction(tr("&Save"), this, &MainMenus::saveChosen), "MainMenu_File_Save");
    m_undoLastSave =
        named(file->addAction(tr("&Undo Last Save"), this, &MainMenus::undoLastSaveChosen),
              "UndoLastSave1");
    connect(file, &QMenu::aboutToShow, this, &MainMenus::fileMenuOpening);
    m_commands << reload->menuAction() << m_save << m_undoLastSave;
    file->addSeparator();
    m_exit =
        named(file->addAction(tr("&Exit"), this, &MainMenus::exitChosen), "MainMenu_File_Exit1");
    return file;
}

QMenu* MainMenus::buildView(QWidget* window) {
    auto* view = named(new QMenu(tr("&View"), window), "MainMenu_View");
    m_viewFolder = named(view->addAction(tr("&Folder"), this, &MainMenus::folderListChosen),
                         "MainMenu_View_Folder");
    m_viewPreview = named(view->addAction(tr("&Preview"), this, &MainMenus::previewListChosen),
                          "MainMenu_View_Preview");
    m_viewFolder->setCheckable(true);
    m_viewPreview->setCheckable(true);
    m_viewPreview->setChecked(true);
    // Off at first: the one list stays the default.
    m_viewOldAndNew = named(view->addAction(tr("&Old and New Names")), "MainMenu_View_OldAndNew");
    m_viewOldAndNew->setCheckable(true);
    connect(m_viewOldAndNew, &QAction::toggled, this, &MainMenus::oldAndNewToggled);
    view->addSeparator();
    m_commands << named(view->addAction(tr("&Reset List"), this, &MainMenus::resetListChosen),
                        "ResetPreview1");
    view->addSeparator();
    m_viewWizard = named(view->addAction(tr("&Wizard"), this, &MainMenus::wizardChosen),
                         "MainMenu_View_Wizard");
    return view;
}

QMenu* MainMenus::buildSelect(QWidget* window) {
    auto* select = named(new QMenu(tr("&Select"), window), "MainMenu_Select");
    named(select->addAction(tr("&Select All"), this, &MainMenus::selectAllChosen), "SelectAll1");
    named(select->addAction(tr("&Unselect All"), this, &MainMenus::unselectAllChosen),
          "UnselectAll1");
    named(select->addAction(tr("&Invert All"), this, &MainMenus::invertAllChosen), "InvertAll1");
    m_commands << select->actions();
    return select;
}

QMenu* MainMenus::buildHelp(QWidget* window) {
    auto* help = named(new QMenu(tr("&Help"), window), "MainMenu_Help");
    m_helpHelp =
        named(help->addAction(tr("&Help"), this, &MainMenus::helpChosen), "MainMenu_Help_Help");
    named(help->addAction(tr("&About"), this, &MainMenus::aboutChosen), "MainMenu_Help_About_MI");
    return help;
}

void MainMenus::addShortcuts(QWidget* window) {
    // The desktop's usual keys; the window carries the actions too, so that
    // the keys do not depend on where and how the menus are shown.
    const std::pair<QAction*, QKeySequence> shortcuts[] = {
        {m_save, QKeySequence::Save},
        {m_reloadByName, QKeySequence(Qt::Key_F5)},
        {m_helpHelp, QKeySequence::HelpContents},
        {m_exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& [action, keys] : shortcuts) {
        action->setShortcut(keys);
        window->addAction(action);
    }
}

void MainMenus::markShownList(bool preview) {
    m_viewPreview->setChecked(preview);
    m_viewFolder->setChecked(!preview);
}

void MainMenus::setUndoLastSaveEnabled(bool enabled) {
    m_undoLastSave->setEnabled(enabled);
}

void MainMenus::setWizardEnabled(bool enabled) {
    m_viewWizard->setEnabled(enabled);
}

void MainMenus::setHelpEnabled(bool enabled) {
    m_helpHelp->setEnabled(enabled);
}

void MainMenus::setCommandsEnabled(bool enabled) {
    for (QAction* action : m_commands)
        action->setEnabled(enabled);
}

} // namespace quillon
