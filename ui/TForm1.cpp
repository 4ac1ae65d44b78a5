// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TForm1.h"

#include "ui/BusyProgress.h"
#include "ui/FileLists.h"
#include "ui/FolderDrops.h"
#include "ui/FolderFromOutside.h"
#include "ui/FolderListModel.h"
#include "ui/MainMenus.h"
#include "ui/MainWindowTooltips.h"
#include "ui/Palette.h"
#include "ui/PreviewListModel.h"
#include "ui/ReplaceGroup.h"
#include "ui/TShellTree.h"
#include "ui/TopStrip.h"
#include "ui/WidgetHelpers.h"

#include "quillon/Version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

namespace quillon {

TForm1::TForm1(QByteArray folderArgument, FileSystem& fs, QWidget* parent)
    : QWidget(parent)
    , m_folderArgument(std::move(folderArgument))
    , m_workspace(fs) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromLatin1(kApplicationName),
                                               QString::fromLatin1(kApplicationVersion)));
    applyDesignedBackground(this, QColor(242, 243, 240));

    m_previewModel = new PreviewListModel(m_workspace, this);
    m_folderModel = new FolderListModel(m_workspace, this);
    m_workspace.setObserver(this);

    const QList<QMenu*> menus = buildMenus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopStrip(menus));
    layout->addWidget(buildMiddle(), 1);
    buildHidden();
    layout->addWidget(buildBottom());
    Replace_EnableDisableItemsClick();
    m_state.enterRunsReplace = false; // the start routine decides

    // The tree starts at the user's desktop folder, or at home without one.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    m_lists->tree()->selectPath(QDir(desktop).exists() ? desktop : QDir::homePath());

    FolderDrops::install(this, [this](const QString& folder) {
        if (m_lists->tree()->selectPath(folder))
            ReloadFromDisk_ButtonClick();
    });

    updateMinimumSize();
    resize(minimumSize());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm1::~TForm1() {
    m_workspace.setObserver(nullptr);
    m_workspace.setProgressReporter(nullptr);
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
    m_busy = new BusyProgress(*m_strip, this);
    m_workspace.setProgressReporter(m_busy);
    connect(m_strip, &TopStrip::reloadPressed, this, &TForm1::ReloadFromDisk_ButtonClick);
    connect(m_strip, &TopStrip::savePressed, this, &TForm1::SaveToDisk_ButtonClick);
    connect(m_strip, &TopStrip::previewToggled, this, &TForm1::DisplayPreview_CBClick);
    connect(m_strip, &TopStrip::maskEdited, this, &TForm1::FileMaskEditChange);
    connect(m_strip, &TopStrip::maskClearPressed, this, &TForm1::FileMaskEdit_ClearFakeButtonClick);
    return m_strip;
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

void TForm1::Delay(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
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

} // namespace quillon
