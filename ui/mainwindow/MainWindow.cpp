// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include "ui/mainwindow/CaseGroup.h"
#include "ui/mainwindow/FileLists.h"
#include "ui/mainwindow/FolderDrops.h"
#include "ui/mainwindow/FolderFromOutside.h"
#include "ui/mainwindow/MainMenus.h"
#include "ui/mainwindow/MainWindowLink.h"
#include "ui/mainwindow/MainWindowTooltips.h"
#include "ui/mainwindow/PresetsMenu.h"
#include "ui/mainwindow/ReplaceGroup.h"
#include "ui/mainwindow/StartSelection.h"
#include "ui/mainwindow/TopStrip.h"
#include "ui/models/FolderListModel.h"
#include "ui/models/ListRowSizes.h"
#include "ui/models/PreviewListModel.h"
#include "ui/models/WorkspaceSignals.h"
#include "ui/widgets/Accessibility.h"
#include "ui/widgets/FittingScrollArea.h"
#include "ui/widgets/FolderTree.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/work/CommandRunner.h"
#include "ui/work/InputGuard.h"

#include "quillon/Version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace quillon {

namespace {

constexpr int kBottomMinimumHeight = 111;

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

    m_previewModel = new PreviewListModel(workspace(), m_runner->notices(), this);
    m_folderModel = new FolderListModel(workspace(), m_runner->notices(), this);

    const QList<QMenu*> menus = buildMenus();
    (new PresetsMenu(*this, fs, PresetStore::defaultDirectory()))->addTo(menus.front());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopStrip(menus));
    layout->addWidget(buildMiddle(), 1);
    layout->addWidget(buildStatusLine());
    buildHidden();
    layout->addWidget(buildBottom());
    m_rowSizes = new ListRowSizes(workspace(), *m_folderModel, *m_previewModel,
                                  *m_lists->previewView(), this);
    connectNotices();
    connectRunner();
    m_link = std::make_unique<MainWindowLink>(*m_replace, *m_menus, workspace());
    updateEnterTargets();
    m_state.enterRunsReplace = false; // the start routine decides

    FolderDrops::install(this, [this](const QString& folder) {
        if (m_lists->tree()->selectPath(folder))
            load();
    });
    // Screen readers announce the window as one, and pass over what is hidden.
    setAccessibleRole(this, QAccessible::Window);
    keepHiddenControlsUnfocusable(this);

    // The designed size at the least, at any size of text: the lists shrink
    // and the groups scroll to fit it.
    setMinimumSize(640, 480);
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
    connect(m_strip, &TopStrip::reloadPressed, this, &MainWindow::load);
    connect(m_strip, &TopStrip::savePressed, this, &MainWindow::save);
    connect(m_strip, &TopStrip::previewToggled, this, &MainWindow::showChosenList);
    connect(m_strip, &TopStrip::maskEdited, this, &MainWindow::maskChanged);
    connect(m_strip, &TopStrip::maskClearPressed, this, &MainWindow::resetMaskAndLoad);
    return m_strip;
}

QWidget* MainWindow::buildMiddle() {
    m_lists = new FileLists(m_folderModel, m_previewModel, this);
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

QWidget* MainWindow::buildHidden() {
    // Commands without a visible control of their own; the group is never shown.
    auto* hidden = named(new QWidget(this), "Hidden");
    hidden->setGeometry(0, 0, 0, 0);
    hidden->hide();
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
        auto* button = named(new QPushButton(tr(c.caption), hidden), c.name);
        connect(button, &QPushButton::clicked, this, c.slot);
    }
    return hidden;
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
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableSize());
    return size.expandedTo(minimumSize());
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
    m_guard = new InputGuard(this, m_strip->cancelButton());
    connect(m_guard, &InputGuard::escapePressed, m_runner, &CommandRunner::cancel);
    connect(m_strip, &TopStrip::cancelPressed, m_runner, &CommandRunner::cancel);
    connect(m_runner, &CommandRunner::started, this, [this] {
        m_guard->setActive(true);
        setCursor(Qt::BusyCursor);
    });
    connect(m_runner, &CommandRunner::progressChanged, this, &MainWindow::showWork);
    connect(m_runner, &CommandRunner::finished, this, &MainWindow::endWork);
    connect(m_runner, &CommandRunner::finished, this, &MainWindow::updateStatusLine);
}

// Work long enough to show: the bar with its cancel button, and the controls
// that could start another command disabled (the guard has kept their
// input out from the start).
void MainWindow::showWork(int percent) {
    if (!m_workShown) {
        m_workShown = true;
        m_focusBeforeWork = QApplication::focusWidget();
        m_strip->showProgress(true);
        m_strip->setCommandsEnabled(false);
        m_lists->tree()->setEnabled(false);
        m_bottom->setEnabled(false);
    }
    m_strip->setProgress(percent);
}

void MainWindow::endWork() {
    m_guard->setActive(false);
    unsetCursor();
    if (m_workShown) {
        m_workShown = false;
        m_strip->showProgress(false);
        m_strip->setCommandsEnabled(true);
        m_lists->tree()->setEnabled(true);
        m_bottom->setEnabled(true);
        if (m_focusBeforeWork && isActiveWindow())
            m_focusBeforeWork->setFocus();
    }
    // A case switch cancelled, or dropped while it waited, leaves the lists
    // in the mode they had; the radio buttons go back to it.
    if (m_runner->isIdle() && m_case->mode() != workspace().caseMode())
        m_case->showMode(workspace().caseMode());
    emit commandFinished();
}

} // namespace quillon
