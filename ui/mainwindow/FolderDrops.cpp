// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/FolderDrops.h"

#include "ui/mainwindow/FolderFromOutside.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace quillon {

namespace {

QUrl firstUrl(const QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return {};
    return data->urls().constFirst();
}

} // namespace

FolderDrops::FolderDrops(QWidget* window, Open open)
    : QObject(window)
    , m_window(window)
    , m_open(std::move(open)) {}

void FolderDrops::install(QWidget* window, Open open) {
    auto* drops = new FolderDrops(window, std::move(open));
    window->setAcceptDrops(true);
    window->installEventFilter(drops);
}

bool FolderDrops::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != m_window ||
        (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QUrl url = firstUrl(drop);
    if (!url.isLocalFile()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        // After the drop has returned: the drag source waits for its end, and
        // the Load command or the error box may take a while.
        const QByteArray path = QFile::encodeName(url.toLocalFile());
        QTimer::singleShot(0, this, [this, path] {
            if (const auto folder = folderFromOutside(path, m_window))
                m_open(*folder);
        });
    }
    return true;
}

} // namespace quillon
