// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/wizard/WizardTagsPage.h"
#include "workspace/Workspace.h"
#include "workspace/history/UndoHistory.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;

namespace quillon {

class CaseGroup;
class CommandRunner;
class MainMenus;
class FileLists;
class ListWiring;
class ReplaceGroup;
class SaveCommands;
class TopStrip;
class HelpWindow;
class WizardDialog;
class UserQuestions;

/// The main window: the menus, the top strip, the file lists, the case and
/// replace groups, and the commands that tie them to the workspace. The
/// parts own their controls and state; the window's handlers are thin slots
/// that take their values and hand the workspace's long commands to the
/// command runner; the lists' models hear the workspace through ListWiring.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    /// folderArgument: the first command-line argument as raw bytes (empty
    /// when there was none); fs: the disk the workspace reads.
    MainWindow(const QByteArray& folderArgument, FileSystem& fs, QWidget* parent = nullptr);
    /// startPaths: the command line's paths as raw bytes, a folder or a
    /// selection of files (StartSelection.h).
    MainWindow(QList<QByteArray> startPaths, FileSystem& fs, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The lists as they stand; a command at work changes them when it ends.
    Workspace& workspace();
    /// A command is at work (or waiting for one that is).
    bool isWorking() const;
    const MainWindowState& state() const { return m_state; }
    /// Width of the folder tree, as the splitter sets it.
    int treeWidth() const;

    /// The settings of the "Replace/Reformat/Number" and "Case" groups as values.
    ReplaceSettings replaceSettings() const;
    Scope scope() const;
    /// Writes both groups from settings, as a chosen preset does.
    void setSettings(const ReplaceSettings& settings);
    QString mask() const;
    void setMask(const QString& mask);
    /// The way the assistants write into this window.
    MainWindowAccess& access() const;

public slots:
    // start, layout, keys and the mask box
    void startUp();
    void placeFloatingParts();
    void exitProgram();
    void maskChanged();
    void resetMaskAndLoad();

    // loading and the lists
    void load();
    void reloadFolder();
    void reloadSortedByDate();
    /// File > Reload and the popup's orders by date taken, modification
    /// time and natural name order.
    void reloadInOrder(quillon::ReloadOrder order);
    void resetPreview();
    void checkAll();
    void uncheckAll();
    void invertChecks();
    void renameFromPopup();
    void clearListSelection();
    void showChosenList();
    void chooseFolderList();
    void choosePreviewList();
    /// View > "Old and New Names": both names side by side, or one list.
    void showOldAndNew(bool shown);

    // the "Replace/Reformat/Number" group
    void applyOperation();
    void undoLastPress();
    void showRefusal(RefusalCode code);
    /// The status line: how many entries the last press left with their
    /// name for want of a field, and which fields; hidden when none.
    void updateStatusLine();
    void updateEnterTargets();

    // saving and the single-file rename
    void save();
    /// File menu "Undo Last Save": takes back the last save into the shown
    /// folder from the undo file it left, after a confirmation.
    void undoLastSave();
    void renameSelectedEntry();
    /// Where saving and the rename dialog ask the user (tests stand in their own).
    void setQuestions(std::shared_ptr<UserQuestions> questions);

    // the assistants
    void openWizard();
    void openHelp();
    void showAbout();

signals:
    /// A press of "OK" has been handled (run or refused).
    void replaceRequested();
    /// A command has ended and the window takes input again.
    void commandFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showExpressionRefusal(const std::optional<ExpressionError>& error);

    void updateUndoLastSave();

    // construction
    QList<QMenu*> buildMenus();
    QWidget* buildTopStrip(const QList<QMenu*>& menus);
    QWidget* buildMiddle();
    QWidget* buildBottom();
    void buildCommandActions();
    QWidget* buildStatusLine();
    void connectCaseGroup();
    void connectReplaceGroup();
    void connectFileLists();
    QSize fittingSize() const;
    void refreshCase();
    void connectRunner();
    void startWork();
    void setListCommandsEnabled(bool enabled);
    void showWork(int percent);
    void endWork();

    // what the wizard reads: copies, never the workspace's own lists
    std::vector<Name> previewNames();
    SelectedFileFields firstCheckedFields();

    // lists
    void openStartPaths();
    std::string selectedFolder() const;
    using LoadCommand = std::function<LoadResult(Workspace&, const std::string&, NameView)>;
    void runLoad(const LoadCommand& command);
    void runRebuild(PreviewRebuild mode);
    void showPreviewList();

    QList<QByteArray> m_startPaths;
    /// Saves go into the user's history, and "Undo Last Save" takes from it.
    UndoHistory m_history;
    /// Where "<field>" tokens and the orders by date read from.
    MediaFieldSource m_fields;
    CommandRunner* m_runner = nullptr;
    /// Escape, while a command works.
    QAction* m_cancelKey = nullptr;
    /// Where the keyboard was before long work disabled the controls.
    QPointer<QWidget> m_focusBeforeWork;
    bool m_workShown = false;
    MainWindowState m_state;
    ListWiring* m_listWiring = nullptr;
    QScrollArea* m_bottom = nullptr;
    QLabel* m_status = nullptr;
    /// The paths a start on a selection left out, until the next load.
    QString m_startNote;

    MainMenus* m_menus = nullptr;
    /// The save, "Undo Last Save" and what the user is told of them.
    SaveCommands* m_saving = nullptr;

    TopStrip* m_strip = nullptr;
    FileLists* m_lists = nullptr;
    ReplaceGroup* m_replace = nullptr;
    CaseGroup* m_case = nullptr;

    // the assistants' way in, and their single instances
    QPointer<WizardDialog> m_wizard;
    QPointer<HelpWindow> m_help;
};

} // namespace quillon
