// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/CaseGroup.h"
#include "ui/CommandRunner.h"
#include "ui/FileLists.h"
#include "ui/FolderDrops.h"
#include "ui/FolderFromOutside.h"
#include "ui/FolderListModel.h"
#include "ui/InputGuard.h"
#include "ui/ListRowSizes.h"
#include "ui/MainMenus.h"
#include "ui/MainWindowLink.h"
#include "ui/MainWindowTooltips.h"
#include "ui/Palette.h"
#include "ui/PreviewListModel.h"
#include "ui/ReplaceGroup.h"
#include "ui/TShellTree.h"
#include "ui/TopStrip.h"
#include "ui/WidgetHelpers.h"
#include "ui/WorkspaceSignals.h"

#include "quillon/Version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillon {

namespace {

constexpr int kBottomMinimumHeight = 111;

} // namespace

TForm1::TForm1(QByteArray folderArgument, FileSystem& fs, QWidget* parent)
    : QWidget(parent)
    , m_folderArgument(std::move(folderArgument))
    , m_runner(new CommandRunner(fs, this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromLatin1(kApplicationName),
                                               QString::fromLatin1(kApplicationVersion)));
    applyDesignedBackground(this, QColor(242, 243, 240));

    m_previewModel = new PreviewListModel(workspace(), m_runner->notices(), this);
    m_folderModel = new FolderListModel(workspace(), m_runner->notices(), this);

    const QList<QMenu*> menus = buildMenus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopStrip(menus));
    layout->addWidget(buildMiddle(), 1);
    buildHidden();
    layout->addWidget(buildBottom());
    m_rowSizes = new ListRowSizes(workspace(), *m_folderModel, *m_previewModel,
                                  *m_lists->previewView(), this);
    connectNotices();
    connectRunner();
    m_link = std::make_unique<MainWindowLink>(*m_replace, *m_menus, workspace());
    Replace_EnableDisableItemsClick();
    m_state.enterRunsReplace = false; // the start routine decides

    FolderDrops::install(this, [this](const QString& folder) {
        if (m_lists->tree()->selectPath(folder))
            ReloadFromDisk_ButtonClick();
    });

    updateMinimumSize();
    resize(minimumSize());
    centerOnScreen(this);
}

TForm1::~TForm1() {
    // A save at work stops after the rename at hand; nothing it would tell
    // the window runs any more.
    delete m_runner;
    m_runner = nullptr;
}

Workspace& TForm1::workspace() {
    return m_runner->workspace();
}

bool TForm1::isWorking() const {
    return m_runner->isRunning();
}

QList<QMenu*> TForm1::buildMenus() {
    m_menus = new MainMenus(this);
    const auto bind = [this](void (MainMenus::*chosen)(), void (TForm1::*handler)()) {
        connect(m_menus, chosen, this, handler);
    };
    bind(&MainMenus::reloadByNameChosen, &TForm1::ReloadFromDisk_ButtonClick);
    bind(&MainMenus::reloadByDateChosen,
         &TForm1::FileBox_Preview_PopupMenu_ReloadSort_DateTimeClick);
    bind(&MainMenus::saveChosen, &TForm1::SaveToDisk_ButtonClick);
    bind(&MainMenus::undoLastSaveChosen, &TForm1::UndoLastSave1Click);
    // Asked when the menu opens: the file may come and go at any time.
    bind(&MainMenus::fileMenuOpening, &TForm1::updateUndoLastSave);
    bind(&MainMenus::exitChosen, &TForm1::MainMenu_File_Exit);
    bind(&MainMenus::folderListChosen, &TForm1::MainMenu_View_FolderClick);
    bind(&MainMenus::previewListChosen, &TForm1::MainMenu_View_PreviewClick);
    bind(&MainMenus::resetListChosen, &TForm1::UpdatePreviewClick);
    bind(&MainMenus::wizardChosen, &TForm1::MainMenu_View_WizardClick);
    bind(&MainMenus::selectAllChosen, &TForm1::FileBox_Preview_PopupMenu_SelectAllClick);
    bind(&MainMenus::unselectAllChosen, &TForm1::FileBox_Preview_PopupMenu_UnselectAllClick);
    bind(&MainMenus::invertAllChosen, &TForm1::FileBox_Preview_PopupMenu_InverseAll);
    bind(&MainMenus::helpChosen, &TForm1::MainMenu_Help_HelpClick);
    bind(&MainMenus::aboutChosen, &TForm1::MainMenu_Help_About_MIClick);
    return m_menus->menus();
}

QWidget* TForm1::buildTopStrip(const QList<QMenu*>& menus) {
    m_strip = new TopStrip(menus, this);
    connect(m_strip, &TopStrip::reloadPressed, this, &TForm1::ReloadFromDisk_ButtonClick);
    connect(m_strip, &TopStrip::savePressed, this, &TForm1::SaveToDisk_ButtonClick);
    connect(m_strip, &TopStrip::previewToggled, this, &TForm1::DisplayPreview_CBClick);
    connect(m_strip, &TopStrip::maskEdited, this, &TForm1::FileMaskEditChange);
    connect(m_strip, &TopStrip::maskClearPressed, this, &TForm1::FileMaskEdit_ClearFakeButtonClick);
    return m_strip;
}

QWidget* TForm1::buildMiddle() {
    m_lists = new FileLists(m_folderModel, m_previewModel, this);
    connectFileLists();
    return m_lists;
}

QWidget* TForm1::buildBottom() {
    auto* bottom = named(new QWidget(this), "Panel1");
    m_bottom = bottom;
    // Its own height at the least, more where larger text needs it.
    bottom->setMinimumHeight(kBottomMinimumHeight);
    bottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(4, 0, 4, 4);
    row->setSpacing(4);
    m_case = new CaseGroup(this, bottom);
    connectCaseGroup();
    row->addWidget(m_case);
    m_replace = new ReplaceGroup(bottom);
    connectReplaceGroup();
    row->addWidget(m_replace, 1);
    return bottom;
}

QWidget* TForm1::buildHidden() {
    // Commands without a visible control of their own; the group is never shown.
    auto* hidden = named(new QWidget(this), "Hidden");
    hidden->setGeometry(0, 0, 0, 0);
    hidden->hide();
    const struct {
        const char* name;
        const char* caption;
        void (TForm1::*slot)();
    } commands[] = {
        {"SaveToDisk_Button", QT_TR_NOOP("Save"), &TForm1::SaveToDisk_ButtonClick},
        {"ReloadFromDisk_Button", QT_TR_NOOP("Load"), &TForm1::ReloadFromDisk_ButtonClick},
        {"UpdatePreview", QT_TR_NOOP("Reset"), &TForm1::UpdatePreviewClick},
        {"OnStartButton", QT_TR_NOOP("OnStart"), &TForm1::OnActivateClick},
    };
    for (const auto& c : commands) {
        auto* button = named(new QPushButton(tr(c.caption), hidden), c.name);
        connect(button, &QPushButton::clicked, this, c.slot);
    }
    return hidden;
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Styles are applied by now; the minimum may have grown with them.
    updateMinimumSize();
    // The start routine runs once the window is up, also where the window
    // manager never reports an activation.
    if (!m_state.Started)
        QTimer::singleShot(0, this, &TForm1::OnActivateClick);
}

void TForm1::updateMinimumSize() {
    // The designed 640 x 480 at the default font; more where larger text
    // needs it, so that no caption is cut.
    layout()->activate();
    setMinimumSize(layout()->totalMinimumSize().expandedTo(QSize(640, 480)));
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    OnResizeForm();
}

void TForm1::OnResizeForm() {
    m_lists->placeSplitter();
    if (m_case)
        m_case->placeOptionsPanel();
}

int TForm1::treeWidth() const {
    return m_lists->treeWidth();
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        QTimer::singleShot(0, this, &TForm1::updateMinimumSize);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        OnActivateClick();
}

void TForm1::OnActivateClick() {
    if (m_state.Started)
        return;
    m_state.Started = true;
    prepareCaseTables();
    m_state.enterRunsReplace = true;
    if (!m_folderArgument.isEmpty()) {
        if (const auto folder = folderFromOutside(m_folderArgument, this))
            m_lists->tree()->selectPath(*folder);
    }
    ReloadFileList();
    m_replace->focusReplaceBox();
    assignMainWindowTooltips(this);
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Push buttons take Enter as a click of their own.
    if (qobject_cast<QAbstractButton*>(QApplication::focusWidget()))
        return;
    if (m_state.enterRunsReload)
        ReloadFromDisk_ButtonClick();
    else if (m_state.enterRunsReplace && m_replace->okEnabled())
        Replace_ButtonClick();
}

void TForm1::FileMaskEditChange() {
    m_state.enterRunsReplace = false;
    m_state.enterRunsReload = true;
}

void TForm1::FileMaskEdit_ClearFakeButtonClick() {
    m_strip->resetMask();
    ReloadFromDisk_ButtonClick();
}

void TForm1::MainMenu_File_Exit() {
    QApplication::quit();
}

void TForm1::connectRunner() {
    m_guard = new InputGuard(this, m_strip->cancelButton());
    connect(m_guard, &InputGuard::escapePressed, m_runner, &CommandRunner::cancel);
    connect(m_strip, &TopStrip::cancelPressed, m_runner, &CommandRunner::cancel);
    connect(m_runner, &CommandRunner::started, this, [this] {
        m_guard->setActive(true);
        setCursor(Qt::BusyCursor);
    });
    connect(m_runner, &CommandRunner::progressChanged, this, &TForm1::showWork);
    connect(m_runner, &CommandRunner::finished, this, &TForm1::endWork);
}

// Work long enough to show: the bar with its cancel button, and the controls
// that could start another command disabled (the guard has kept their
// input out from the start).
void TForm1::showWork(int percent) {
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

void TForm1::endWork() {
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
    emit commandFinished();
}

} // namespace quillon
