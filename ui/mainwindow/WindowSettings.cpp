// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/WindowSettings.h"

#include "ui/mainwindow/FileLists.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/widgets/FolderTree.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <algorithm>
#include <memory>

namespace quillon {

namespace {

const QString kPosition = QStringLiteral("window/position");
const QString kSize = QStringLiteral("window/size");
const QString kMaximized = QStringLiteral("window/maximized");
const QString kTreeWidth = QStringLiteral("window/treeWidth");
const QString kFolder = QStringLiteral("window/folder");
const QString kPreview = QStringLiteral("window/preview");
const QString kOldAndNew = QStringLiteral("window/oldAndNewNames");

QCheckBox* previewBox(const QWidget& window) {
    return window.findChild<QCheckBox*>(QStringLiteral("DisplayPreview_CB"));
}

QAction* oldAndNewEntry(const QWidget& window) {
    return window.findChild<QAction*>(QStringLiteral("MainMenu_View_OldAndNew"));
}

// The screen the saved place lies on, or the primary one when it lies on none
// any more (a screen unplugged since).
QRect availableAt(const QRect& place) {
    QScreen* screen = QGuiApplication::screenAt(place.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : place;
}

} // namespace

std::unique_ptr<QSettings> WindowSettings::open() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("quillon"), QStringLiteral("quillon"));
}

QRect WindowSettings::fitted(const QRect& wanted, const QRect& available) {
    const QSize size = wanted.size().boundedTo(available.size());
    const int x = std::clamp(wanted.x(), available.left(), available.right() + 1 - size.width());
    const int y = std::clamp(wanted.y(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

void WindowSettings::restore(MainWindow& window) {
    const auto kept = open();
    const QSettings& settings = *kept;
    if (settings.contains(kSize) && settings.contains(kPosition)) {
        const QRect wanted(settings.value(kPosition).toPoint(), settings.value(kSize).toSize());
        if (wanted.isValid()) {
            const QRect place = fitted(wanted, availableAt(wanted));
            window.resize(place.size().expandedTo(window.minimumSize()));
            window.move(place.topLeft());
        }
    }
    if (settings.value(kMaximized, false).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    auto* lists = window.findChild<FileLists*>();
    if (const int width = settings.value(kTreeWidth, 0).toInt(); width > 0 && lists)
        lists->setTreeWidth(std::min(width, window.width() / 2));
    // A folder that is gone leaves the tree where it starts.
    if (const QString folder = settings.value(kFolder).toString(); !folder.isEmpty() && lists)
        lists->tree()->selectPath(folder);
    if (settings.contains(kPreview))
        previewBox(window)->setChecked(settings.value(kPreview).toBool());
    oldAndNewEntry(window)->setChecked(settings.value(kOldAndNew, false).toBool());
}

void WindowSettings::save(const MainWindow& window) {
    const auto kept = open();
    QSettings& settings = *kept;
    const bool maximized = window.isMaximized();
    settings.setValue(kMaximized, maximized);
    if (!maximized) {
        settings.setValue(kPosition, window.pos());
        settings.setValue(kSize, window.size());
    }
    settings.setValue(kTreeWidth, window.treeWidth());
    if (const auto* lists = window.findChild<FileLists*>())
        settings.setValue(kFolder, lists->tree()->selectedPath());
    settings.setValue(kPreview, previewBox(window)->isChecked());
    settings.setValue(kOldAndNew, oldAndNewEntry(window)->isChecked());
}

void WindowSettings::forget() {
    open()->clear();
}

} // namespace quillon
