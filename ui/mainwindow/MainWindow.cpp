// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/dialogs/DiskMessages.h"
#include "ui/dialogs/UserQuestions.h"
#include "ui/help/AboutDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/mainwindow/CaseGroup.h"
#include "ui/mainwindow/FileLists.h"
#include "ui/mainwindow/FolderDrops.h"
#include "ui/mainwindow/FolderFromOutside.h"
#include "ui/mainwindow/ListWiring.h"
#include "ui/mainwindow/MainMenus.h"
#include "ui/mainwindow/MainWindowTooltips.h"
#include "ui/mainwindow/PresetsMenu.h"
#include "ui/mainwindow/ReplaceGroup.h"
#include "ui/mainwindow/SaveCommands.h"
#include "ui/mainwindow/StartSelection.h"
#include "ui/mainwindow/TopStrip.h"
#include "ui/models/FieldText.h"
#include "ui/models/FolderListModel.h"
#include "ui/models/NameText.h"
#include "ui/models/OldNewListModel.h"
#include "ui/models/PreviewListModel.h"
#include "ui/widgets/Accessibility.h"
#include "ui/widgets/FittingScrollArea.h"
#include "ui/widgets/FolderTree.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/ScreenFit.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/wizard/WizardDialog.h"
#include "ui/work/CommandRunner.h"

#include "engine/Refusals.h"
#include "engine/ReplacePlan.h"
#include "engine/Utf8.h"
#include "quillon/Version.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace quillon {

namespace {

constexpr int kBottomMinimumHeight = 111;
// The designed size at the least, at any size of text: the lists shrink
// and the groups scroll to fit it.
constexpr QSize kDesignedMinimum(640, 480);

} // namespace

MainWindow::MainWindow(const QByteArray& folderArgument, FileSystem& fs, QWidget* parent)
    : MainWindow(folderArgument.isEmpty() ? QList<QByteArray>() : QList{folderArgument}, fs,
                 parent) {}

MainWindow::MainWindow(QList<QByteArray> startPaths, FileSystem& fs, QWidget* parent)
    : QWidget(parent)
    , m_startPaths(std::move(startPaths))
    , m_history(fs, UndoHistory::defaultDirectory())
    , m_runner(new CommandRunner(fs, this)) {
    if (!m_history.directory().empty())
        workspace().setHistory(&m_history);
    // Each command's copy of the workspace carries the source on.
    workspace().setFieldSource(&m_fields);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromLatin1(kApplicationName),
                                               QString::fromLatin1(kApplicationVersion)));
    applyDesignedBackground(this, QColor(242, 243, 240));

    m_listWiring = new ListWiring(*m_runner, this);

    const QList<QMenu*> menus = buildMenus();
    (new PresetsMenu(*this, std::make_unique<PosixFileSystem>(), PresetStore::defaultDirectory()))
        ->addTo(menus.front());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopStrip(menus));
    layout->addWidget(buildMiddle(), 1);
    layout->addWidget(buildStatusLine());
    buildCommandActions();
    layout->addWidget(buildBottom());
    m_listWiring->attach(*m_lists, *m_replace);
    connectRunner();
    updateEnterTargets();
    m_state.enterRunsReplace = false; // the start routine decides

    FolderDrops::install(this, [this](const QString& folder) {
        if (m_lists->tree()->selectPath(folder))
            load();
    });
    // Screen readers announce the window as one, and pass over what is hidden.
    setAccessibleRole(this, QAccessible::Window);
    keepHiddenControlsUnfocusable(this);

    // A screen smaller than the designed size (or scaled up) gets what it
    // has, frame aside.
    setMinimumSize(kDesignedMinimum.boundedTo(roomOnScreen(this)));
    resize(fittingSize());
    centerOnScreen(this);
}

MainWindow::~MainWindow() {
    // A save at work stops after the rename at hand; nothing it would tell
    // the window runs any more.
    delete m_runner;
    m_runner = nullptr;
}

Workspace& MainWindow::workspace() {
    return m_runner->workspace();
}

bool MainWindow::isWorking() const {
    // Asked by children also while the window is taken apart.
    return m_runner && m_runner->isRunning();
}

QList<QMenu*> MainWindow::buildMenus() {
    m_menus = new MainMenus(this);
    const auto bind = [this](void (MainMenus::*chosen)(), void (MainWindow::*handler)()) {
        connect(m_menus, chosen, this, handler);
    };
    bind(&MainMenus::reloadByNameChosen, &MainWindow::load);
    bind(&MainMenus::reloadByDateChosen, &MainWindow::reloadSortedByDate);
    connect(m_menus, &MainMenus::reloadInOrderChosen, this, &MainWindow::reloadInOrder);
    connect(m_menus, &MainMenus::oldAndNewToggled, this, &MainWindow::showOldAndNew);
    bind(&MainMenus::saveChosen, &MainWindow::save);
    bind(&MainMenus::undoLastSaveChosen, &MainWindow::undoLastSave);
    // Asked when the menu opens: the file may come and go at any time.
    bind(&MainMenus::fileMenuOpening, &MainWindow::updateUndoLastSave);
    bind(&MainMenus::exitChosen, &MainWindow::exitProgram);
    bind(&MainMenus::folderListChosen, &MainWindow::chooseFolderList);
    bind(&MainMenus::previewListChosen, &MainWindow::choosePreviewList);
    bind(&MainMenus::resetListChosen, &MainWindow::resetPreview);
    bind(&MainMenus::wizardChosen, &MainWindow::openWizard);
    bind(&MainMenus::selectAllChosen, &MainWindow::checkAll);
    bind(&MainMenus::unselectAllChosen, &MainWindow::uncheckAll);
    bind(&MainMenus::invertAllChosen, &MainWindow::invertChecks);
    bind(&MainMenus::helpChosen, &MainWindow::openHelp);
    bind(&MainMenus::aboutChosen, &MainWindow::showAbout);
    return m_menus->menus();
}

QWidget* MainWindow::buildTopStrip(const QList<QMenu*>& menus) {
    m_strip = new TopStrip(menus, this);
    m_saving = new SaveCommands(*m_runner, *m_strip, this);
    connect(m_saving, &SaveCommands::folderListWanted, this, &MainWindow::chooseFolderList);
    connect(m_saving, &SaveCommands::folderRereadWanted, this, &MainWindow::reloadFolder);
    connect(m_saving, &SaveCommands::historyNoteChanged, this, &MainWindow::updateStatusLine);
    connect(m_strip, &TopStrip::reloadPressed, this, &MainWindow::load);
    connect(m_strip, &TopStrip::savePressed, this, &MainWindow::save);
    connect(m_strip, &TopStrip::previewToggled, this, &MainWindow::showChosenList);
    connect(m_strip, &TopStrip::maskEdited, this, &MainWindow::maskChanged);
    connect(m_strip, &TopStrip::maskClearPressed, this, &MainWindow::resetMaskAndLoad);
    return m_strip;
}

QWidget* MainWindow::buildMiddle() {
    m_lists = new FileLists(m_listWiring->folderModel(), m_listWiring->previewModel(),
                            m_listWiring->oldNewModel(), this);
    connectFileLists();
    return m_lists;
}

QWidget* MainWindow::buildBottom() {
    // The groups scroll where a small screen leaves no room for them whole.
    auto* bottom = named(new FittingScrollArea(this), "Panel1");
    m_bottom = bottom;
    // Its own height at the least, more where larger text needs it and the
    // screen has room; the lists give up their height first.
    bottom->setMinimumHeight(kBottomMinimumHeight);
    bottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* groups = new QWidget(bottom);
    auto* row = new QHBoxLayout(groups);
    row->setContentsMargins(4, 0, 4, 4);
    row->setSpacing(4);
    m_case = new CaseGroup(this, groups);
    connectCaseGroup();
    row->addWidget(m_case);
    m_replace = new ReplaceGroup(groups);
    connectReplaceGroup();
    row->addWidget(m_replace, 1);
    bottom->setWidget(groups);
    return bottom;
}

// Commands without a control of their own, found by their names: actions,
// which no click, key or screen reader reaches by accident.
void MainWindow::buildCommandActions() {
    const struct {
        const char* name;
        const char* caption;
        void (MainWindow::*slot)();
    } commands[] = {
        {"SaveToDisk_Button", QT_TR_NOOP("Save"), &MainWindow::save},
        {"ReloadFromDisk_Button", QT_TR_NOOP("Load"), &MainWindow::load},
        {"UpdatePreview", QT_TR_NOOP("Reset"), &MainWindow::resetPreview},
        {"OnStartButton", QT_TR_NOOP("OnStart"), &MainWindow::startUp},
    };
    for (const auto& c : commands) {
        auto* action = named(new QAction(tr(c.caption), this), c.name);
        connect(action, &QAction::triggered, this, c.slot);
    }
}

QWidget* MainWindow::buildStatusLine() {
    m_status = named(new QLabel(this), "StatusLine");
    // Field tokens and file names are text, never markup.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setContentsMargins(4, 2, 4, 2);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // No accessible name of its own: screen readers say the message itself.
    m_status->hide();
    return m_status;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The start routine runs once the window is up, also where the window
    // manager never reports an activation.
    if (!m_state.started)
        QTimer::singleShot(0, this, &MainWindow::startUp);
    // The frame is known now; a place kept from a larger screen is fitted
    // too, and so is the window on any screen it moves to later.
    keepFrameOnScreen(this);
    keepFrameOnChangingScreens(this, kDesignedMinimum);
}

QSize MainWindow::fittingSize() const {
    // Every control shown without scrolling, the lists at their least, as
    // far as the screen has room.
    const QSize strip = m_strip->sizeHint();
    const QSize middle = m_lists->minimumSizeHint();
    const QSize bottom(m_bottom->widget()->minimumSizeHint().width(),
                       m_bottom->sizeHint().height());
    QSize size(std::max({strip.width(), middle.width(), bottom.width()}),
               strip.height() + middle.height() + bottom.height());
    return size.boundedTo(roomOnScreen(this)).expandedTo(minimumSize());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeFloatingParts();
}

void MainWindow::placeFloatingParts() {
    m_lists->placeSplitter();
    if (m_case)
        m_case->placeOptionsPanel();
}

int MainWindow::treeWidth() const {
    return m_lists->treeWidth();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        startUp();
}

void MainWindow::startUp() {
    if (m_state.started)
        return;
    m_state.started = true;
    prepareCaseTables();
    m_state.enterRunsReplace = true;
    openStartPaths();
    reloadFolder();
    m_replace->focusReplaceBox();
    assignMainWindowTooltips(this);
}

// A selection of files opens their folder with a mask of their names, shown
// in the mask box so the user sees why only they are listed.
void MainWindow::openStartPaths() {
    const StartSelection selection = selectionFromPaths(m_startPaths);
    if (selection.folder.isEmpty())
        return;
    const auto folder = folderFromOutside(selection.folder, this);
    if (!folder)
        return;
    m_lists->tree()->selectPath(*folder);
    if (!selection.mask.isEmpty())
        m_strip->setStartMask(selection.mask);
    if (!selection.leftOut.isEmpty())
        m_startNote = tr("Only %1 is shown; left out: %2")
                          .arg(*folder, selection.leftOut.join(QStringLiteral(", ")));
    updateStatusLine();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Push buttons take Enter as a click of their own.
    if (qobject_cast<QAbstractButton*>(QApplication::focusWidget()))
        return;
    if (m_state.enterRunsReload)
        load();
    else if (m_state.enterRunsReplace && m_replace->okEnabled())
        applyOperation();
}

void MainWindow::maskChanged() {
    m_state.enterRunsReplace = false;
    m_state.enterRunsReload = true;
}

void MainWindow::resetMaskAndLoad() {
    m_strip->resetMask();
    load();
}

// A member like the other menu commands, so that all bind the same way.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
void MainWindow::exitProgram() {
    QApplication::quit();
}

void MainWindow::connectRunner() {
    // Escape cancels only while there is work to cancel; otherwise it is
    // the boxes' own key.
    m_cancelKey = new QAction(this);
    addAction(m_cancelKey);
    connect(m_cancelKey, &QAction::triggered, m_runner, &CommandRunner::cancel);
    connect(m_strip, &TopStrip::cancelPressed, m_runner, &CommandRunner::cancel);
    connect(m_runner, &CommandRunner::started, this, &MainWindow::startWork);
    connect(m_runner, &CommandRunner::progressChanged, this, &MainWindow::showWork);
    connect(m_runner, &CommandRunner::failed, m_saving, &SaveCommands::tellFailure);
    connect(m_runner, &CommandRunner::finished, this, &MainWindow::endWork);
    connect(m_runner, &CommandRunner::finished, this, &MainWindow::updateStatusLine);
}

// What would read or rename on disk, or change the lists the work replaces,
// is off from the start; the boxes stay open to typing, and a press or a
// case switch asked for meanwhile waits for the work.
void MainWindow::startWork() {
    setCursor(Qt::BusyCursor);
    m_cancelKey->setShortcut(QKeySequence(Qt::Key_Escape));
    setListCommandsEnabled(false);
}

void MainWindow::setListCommandsEnabled(bool enabled) {
    m_listWiring->setEditable(enabled);
    m_menus->setCommandsEnabled(enabled);
    m_strip->setCommandsEnabled(enabled);
    m_lists->setCommandsEnabled(enabled);
}

// Work long enough to show: the bar with its cancel button, and the buttons
// that would wait for it disabled, so the user sees that they would.
void MainWindow::showWork(int percent) {
    if (!m_workShown) {
        m_workShown = true;
        m_focusBeforeWork = QApplication::focusWidget();
        m_strip->showProgress(true);
        m_replace->setCommandsEnabled(false);
        m_case->setEnabled(false);
        // Only a focus the disabling took is given back: one the user
        // moved meanwhile stays where it is.
        if (m_focusBeforeWork && m_focusBeforeWork->isEnabled())
            m_focusBeforeWork = nullptr;
    }
    m_strip->setProgress(percent);
}

void MainWindow::endWork() {
    unsetCursor();
    m_cancelKey->setShortcut(QKeySequence());
    setListCommandsEnabled(true);
    if (m_workShown) {
        m_workShown = false;
        m_strip->showProgress(false);
        m_replace->setCommandsEnabled(true);
        m_case->setEnabled(true);
        if (m_focusBeforeWork && isActiveWindow())
            m_focusBeforeWork->setFocus();
    }
    // A case switch cancelled, or dropped while it waited, leaves the lists
    // in the mode they had; the radio buttons go back to it.
    if (m_runner->isIdle() && m_case->mode() != workspace().caseMode())
        m_case->showMode(workspace().caseMode());
    emit commandFinished();
}

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

void MainWindow::connectReplaceGroup() {
    const auto bind = [this](void (ReplaceGroup::*signal)(), void (MainWindow::*handler)()) {
        connect(m_replace, signal, this, handler);
    };
    bind(&ReplaceGroup::settingsChanged, &MainWindow::updateEnterTargets);
    bind(&ReplaceGroup::okPressed, &MainWindow::applyOperation);
    bind(&ReplaceGroup::undoPressed, &MainWindow::undoLastPress);
    bind(&ReplaceGroup::wizardPressed, &MainWindow::openWizard);
    bind(&ReplaceGroup::helpPressed, &MainWindow::openHelp);
    connect(m_replace, &ReplaceGroup::wizardOpenersEnabled, m_menus, &MainMenus::setWizardEnabled);
    connect(m_replace, &ReplaceGroup::helpOpenersEnabled, m_menus, &MainMenus::setHelpEnabled);
}

void MainWindow::setSettings(const ReplaceSettings& settings) {
    m_case->setMode(settings.caseMode, settings.smartOptions);
    m_replace->setSettings(settings);
}

QString MainWindow::mask() const {
    return m_strip->mask();
}

void MainWindow::setMask(const QString& mask) {
    m_strip->setMask(mask);
}

Scope MainWindow::scope() const {
    return m_replace->scope();
}

ReplaceSettings MainWindow::replaceSettings() const {
    ReplaceSettings s = m_replace->settings();
    s.caseMode = m_case->mode();
    s.smartOptions = m_case->smartOptions();
    return s;
}

void MainWindow::applyOperation() {
    showPreviewList();
    auto refused = std::make_shared<std::optional<RefusalCode>>();
    const ReplaceSettings settings = replaceSettings();
    m_runner->run(
        CommandRunner::OnCancel::Discard,
        [refused, settings](Workspace& workspace, WorkControl&) {
            *refused = workspace.apply(settings);
        },
        [this, refused, settings] {
            if (*refused == RefusalCode::InvalidExpression) {
                showExpressionRefusal(expressionError(settings));
            } else if (*refused) {
                showRefusal(**refused);
            }
            emit replaceRequested();
        });
}

void MainWindow::showRefusal(RefusalCode code) {
    // The workspace has already dropped the undo copy; only the message is ours.
    QString text = translated("quillon::Refusals", refusalMessage(code));
    if (code == RefusalCode::ExpressionTooCostly)
        text += QStringLiteral("\n > ") + toDisplayString(decodeName(workspace().refusedName())) +
                QStringLiteral("\n\n") + tr("No name was changed.");
    showPlainMessage(this, QMessageBox::NoIcon, text);
}

// The refusal's message, and where the expression or its With text goes
// wrong in the library's words.
void MainWindow::showExpressionRefusal(const std::optional<ExpressionError>& error) {
    QString text = translated("quillon::Refusals", refusalMessage(RefusalCode::InvalidExpression));
    if (error) {
        const QString what = QString::fromStdString(error->message);
        const QString where =
            error->position == 0
                ? (error->inWithText ? tr("In the With text: %1.") : tr("In the Replace text: %1."))
                      .arg(what)
                : (error->inWithText ? tr("At position %1 of the With text: %2.")
                                     : tr("At position %1 of the Replace text: %2."))
                      .arg(error->position)
                      .arg(what);
        text += QLatin1Char('\n') + where;
    }
    showPlainMessage(this, QMessageBox::NoIcon, text);
}

// What the start left out, then how many files kept their name for want of
// a field: one line each, under the lists.
void MainWindow::updateStatusLine() {
    QStringList lines;
    if (!m_startNote.isEmpty())
        lines << m_startNote;
    if (!m_saving->historyNote().isEmpty())
        lines << m_saving->historyNote();
    FieldSet fields;
    std::size_t kept = 0;
    std::size_t unreadable = 0;
    for (const MissingFields& m : workspace().missingFields()) {
        fields.add(m.fields);
        kept += m.any() ? 1 : 0;
        unreadable += m.unreadable ? 1 : 0;
    }
    if (kept != 0)
        lines << tr("Files that kept their name: %1. A field their new name needs is missing: %2.")
                     .arg(QLocale().toString(static_cast<qulonglong>(kept)),
                          fieldTokenList(fields));
    if (unreadable != 0)
        lines << tr("Files that could not be read: %1.")
                     .arg(QLocale().toString(static_cast<qulonglong>(unreadable)));
    m_status->setText(lines.join(QLatin1Char('\n')));
    m_status->setVisible(!lines.isEmpty());
}

void MainWindow::undoLastPress() {
    showPreviewList();
    m_runner->run(CommandRunner::OnCancel::Discard,
                  [](Workspace& workspace, WorkControl&) { workspace.undo(); });
}

void MainWindow::updateEnterTargets() {
    m_state.enterRunsReplace = true;
    m_state.enterRunsReload = false;
}

void MainWindow::setQuestions(std::shared_ptr<UserQuestions> questions) {
    m_saving->setQuestions(std::move(questions));
}

void MainWindow::save() {
    m_saving->save();
}

void MainWindow::undoLastSave() {
    m_saving->undoLastSave();
}

void MainWindow::updateUndoLastSave() {
    m_menus->setUndoLastSaveEnabled(!isWorking() && workspace().hasUndoRecord());
}

void MainWindow::renameSelectedEntry() {
    if (isWorking())
        return; // the lists are about to be replaced
    const int selected = m_lists->selectedEntry();
    if (selected < 0)
        return;
    const auto row = static_cast<std::size_t>(selected);
    if (row >= workspace().preview().size())
        return;
    const std::shared_ptr<UserQuestions> questions = m_saving->questions();
    const bool caseIsNone = workspace().caseMode() == CaseMode::None;
    QString text = toQString(workspace().preview().names.decoded(row));
    bool updateCase = false;
    if (!questions->editName(this, text, caseIsNone, updateCase))
        return;
    m_runner->edit([row, name = toName(text), update = updateCase && !caseIsNone](
                       Workspace& lists) { lists.renameEntry(row, name, update); });
    updateStatusLine();
}

MainWindowAccess& MainWindow::access() const {
    return *m_replace;
}

void MainWindow::openWizard() {
    WizardDialog::open(
        this, *m_replace, m_wizard, [this] { return previewNames(); },
        [this] { return firstCheckedFields(); });
}

void MainWindow::openHelp() {
    HelpWindow::open(this, *m_replace, m_help);
}

std::vector<Name> MainWindow::previewNames() {
    // A copy: the wizard never holds on to the workspace's lists.
    const NameList& preview = workspace().preview().names;
    std::vector<Name> names;
    names.reserve(preview.size());
    for (std::size_t i = 0; i < preview.size(); ++i)
        names.push_back(preview.decoded(i));
    return names;
}

SelectedFileFields MainWindow::firstCheckedFields() {
    // The check marks are the selection the Select menu and a press follow.
    const Workspace& lists = workspace();
    const std::vector<bool>& checked = lists.preview().checked;
    const auto first = std::find(checked.begin(), checked.end(), true);
    if (first == checked.end())
        return {};
    const auto index = static_cast<std::size_t>(std::distance(checked.begin(), first));
    return {lists.folderList().names.decoded(index), lists.entryFields(index, FieldSet::all())};
}

void MainWindow::showAbout() {
    AboutDialog::run(this);
}

void MainWindow::connectFileLists() {
    const auto bind = [this](void (FileLists::*signal)(), void (MainWindow::*handler)()) {
        connect(m_lists, signal, this, handler);
    };
    bind(&FileLists::folderChosen, &MainWindow::load);
    bind(&FileLists::listClicked, &MainWindow::clearListSelection);
    bind(&FileLists::selectAllRequested, &MainWindow::checkAll);
    bind(&FileLists::unselectAllRequested, &MainWindow::uncheckAll);
    bind(&FileLists::invertAllRequested, &MainWindow::invertChecks);
    bind(&FileLists::reloadByNameRequested, &MainWindow::load);
    bind(&FileLists::reloadByDateRequested, &MainWindow::reloadSortedByDate);
    bind(&FileLists::renameRequested, &MainWindow::renameFromPopup);
    connect(m_lists, &FileLists::reloadInOrderRequested, this, &MainWindow::reloadInOrder);
}

std::string MainWindow::selectedFolder() const {
    return QFile::encodeName(m_lists->tree()->selectedPath()).toStdString();
}

void MainWindow::runLoad(const LoadCommand& command) {
    const QString shown = m_lists->tree()->selectedPath();
    auto result = std::make_shared<LoadResult>();
    m_runner->run(
        CommandRunner::OnCancel::Discard,
        [command, result, folder = selectedFolder(), mask = toName(m_strip->mask())](
            Workspace& workspace, WorkControl&) { *result = command(workspace, folder, mask); },
        [this, result, shown] {
            if (!result->ok())
                showPlainMessage(this, QMessageBox::Critical,
                                 DiskMessages::folderUnreadable(shown, result->error));
        });
}

void MainWindow::runRebuild(PreviewRebuild mode) {
    m_runner->run(CommandRunner::OnCancel::Discard,
                  [mode](Workspace& workspace, WorkControl&) { workspace.rebuildPreview(mode); });
}

void MainWindow::reloadFolder() {
    runLoad(&Workspace::reload);
}

void MainWindow::load() {
    m_startNote.clear(); // what the start left out no longer applies
    m_strip->setPreviewShown(true);
    runLoad(&Workspace::load);
}

void MainWindow::reloadSortedByDate() {
    runLoad(&Workspace::loadByDate);
}

void MainWindow::reloadInOrder(ReloadOrder order) {
    runLoad([order](Workspace& workspace, const std::string& folder, NameView mask) {
        return workspace.loadInOrder(folder, mask, order);
    });
}

void MainWindow::resetPreview() {
    runRebuild(PreviewRebuild::Reset);
}

void MainWindow::checkAll() {
    if (isWorking())
        return; // the lists are about to be replaced
    m_runner->edit([](Workspace& lists) { lists.selectAll(); });
    clearListSelection();
}

void MainWindow::uncheckAll() {
    if (isWorking())
        return; // the lists are about to be replaced
    m_runner->edit([](Workspace& lists) { lists.unselectAll(); });
    clearListSelection();
}

void MainWindow::invertChecks() {
    if (isWorking())
        return; // the lists are about to be replaced
    m_runner->edit([](Workspace& lists) { lists.invertAll(); });
    clearListSelection();
}

void MainWindow::clearListSelection() {
    m_lists->clearSelection(m_strip->previewShown());
}

void MainWindow::renameFromPopup() {
    if (m_lists->previewHasSelection())
        renameSelectedEntry();
    clearListSelection();
}

void MainWindow::showChosenList() {
    m_state.enterRunsReplace = true;
    const bool preview = m_strip->previewShown();
    m_menus->markShownList(preview);
    m_lists->showList(preview);
}

void MainWindow::showOldAndNew(bool shown) {
    m_lists->setOldAndNew(shown);
    m_strip->setPreviewBoxEnabled(!shown);
}

void MainWindow::showPreviewList() {
    // Through the check box, so that its handler swaps the lists.
    m_strip->setPreviewShown(true);
}

void MainWindow::chooseFolderList() {
    m_menus->markShownList(false);
    m_strip->setPreviewShown(false);
}

void MainWindow::choosePreviewList() {
    m_menus->markShownList(true);
    m_strip->setPreviewShown(true);
}

} // namespace quillon
