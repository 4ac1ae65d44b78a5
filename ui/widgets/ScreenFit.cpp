// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ScreenFit.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace quillon {

namespace {

// Common title bars are 24 to 32 pixels high, borders 1 to 4 wide.
constexpr QMargins kExpectedFrame(4, 32, 4, 4);

const QScreen* screenOf(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// Follows the screen a window is on, and that screen's area, and fits the
// window again whenever either changes.
class ScreenFollower final : public QObject {
public:
    ScreenFollower(QWidget* window, QSize designedMinimum)
        : QObject(window)
        , m_window(window)
        , m_designedMinimum(designedMinimum) {
        setObjectName(QStringLiteral("quillonScreenFollower"));
        QWindow* handle = window->windowHandle();
        connect(handle, &QWindow::screenChanged, this, &ScreenFollower::screenChanged);
        watch(handle->screen());
    }

private:
    void screenChanged(QScreen* screen) {
        watch(screen);
        refit();
    }
    void watch(QScreen* screen) {
        disconnect(m_area);
        disconnect(m_scale);
        if (!screen)
            return;
        m_area = connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFollower::refit);
        m_scale =
            connect(screen, &QScreen::logicalDotsPerInchChanged, this, &ScreenFollower::refit);
    }
    void refit() {
        m_window->setMinimumSize(m_designedMinimum.boundedTo(roomOnScreen(m_window)));
        keepFrameOnScreen(m_window);
    }

    QWidget* m_window;
    QSize m_designedMinimum;
    QMetaObject::Connection m_area;
    QMetaObject::Connection m_scale;
};

} // namespace

int titleWidth(const QWidget& window) {
    constexpr int kTitleButtonRoom = 6; // in lines of text
    const QFontMetrics metrics(window.font());
    return metrics.horizontalAdvance(window.windowTitle()) + kTitleButtonRoom * metrics.height();
}

QMargins expectedFrame(const QWidget* window) {
    if (!window->isVisible())
        return kExpectedFrame;
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QSize roomOnScreen(const QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    const QMargins frame = expectedFrame(window);
    return screen->availableGeometry().size().shrunkBy(frame).expandedTo(QSize(1, 1));
}

void keepFrameOnScreen(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    if (available.contains(window->frameGeometry()))
        return;
    const QMargins frame = expectedFrame(window);
    const QSize room = available.size().shrunkBy(frame);
    window->setMinimumSize(window->minimumSize().boundedTo(room));
    window->resize(window->size().boundedTo(room));
    const QRect outer = window->frameGeometry();
    const int x = std::clamp(outer.x(), available.left(), available.right() + 1 - outer.width());
    const int y = std::clamp(outer.y(), available.top(), available.bottom() + 1 - outer.height());
    window->move(x, y);
}

void keepFrameOnChangingScreens(QWidget* window, QSize designedMinimum) {
    if (!window->windowHandle() ||
        window->findChild<QObject*>(QStringLiteral("quillonScreenFollower"),
                                    Qt::FindDirectChildrenOnly))
        return;
    new ScreenFollower(window, designedMinimum);
}

} // namespace quillon
