// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

using namespace quillon;

// Run on a screen the test names (a small one, or a laptop's at twice the
// scale): the whole window, its frame included, lies on the screen, and
// every control of the groups can be reached there.
class ScreenFitTest final : public QObject, private test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init() {
        setUpFolder();
        createFile(QStringLiteral("a.txt"));
        startWindow();
    }
    void cleanup() { tearDown(); }
    void windowAndFrameFitTheScreen();
    void windowFitsTheSmallerScreenItMovesTo();
    void windowFitsItsScreenWhenTheAreaChanges();

private:
    void verifyFitsOn(const QScreen* screen) const;
};

void ScreenFitTest::windowAndFrameFitTheScreen() {
    const QRect available = m_window->screen()->availableGeometry();
    QVERIFY2(m_window->minimumWidth() <= available.width() &&
                 m_window->minimumHeight() <= available.height(),
             qPrintable(QStringLiteral("minimum %1x%2 on %3x%4")
                            .arg(m_window->minimumWidth())
                            .arg(m_window->minimumHeight())
                            .arg(available.width())
                            .arg(available.height())));
    const QRect frame = m_window->frameGeometry();
    QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("frame %1,%2 %3x%4 on %5x%6")
                                                       .arg(frame.x())
                                                       .arg(frame.y())
                                                       .arg(frame.width())
                                                       .arg(frame.height())
                                                       .arg(available.width())
                                                       .arg(available.height())));
    // Each control of the groups is on screen, or the groups scroll to it.
    auto* groups = child<QScrollArea>("Panel1");
    for (const char* name : {"Replace_Button", "Replace_Undo_Button", "Replace_OptionsWizard",
                             "HelpButton", "Case_None"}) {
        auto* control = child<QWidget>(name);
        groups->ensureWidgetVisible(control, 0, 0);
        const QRect shown(control->mapTo(m_window.get(), QPoint(0, 0)), control->size());
        QVERIFY2(m_window->rect().contains(shown), name);
    }
}

void ScreenFitTest::verifyFitsOn(const QScreen* screen) const {
    const QRect available = screen->availableGeometry();
    const QRect frame = m_window->frameGeometry();
    QVERIFY2(available.contains(frame) && m_window->minimumWidth() <= available.width() &&
                 m_window->minimumHeight() <= available.height(),
             qPrintable(QStringLiteral("frame %1,%2 %3x%4, minimum %5x%6 on %7,%8 %9x%10")
                            .arg(frame.x())
                            .arg(frame.y())
                            .arg(frame.width())
                            .arg(frame.height())
                            .arg(m_window->minimumWidth())
                            .arg(m_window->minimumHeight())
                            .arg(available.x())
                            .arg(available.y())
                            .arg(available.width())
                            .arg(available.height())));
}

// Dragged onto a smaller screen beside the first, the window fits that
// screen, frame and all.
void ScreenFitTest::windowFitsTheSmallerScreenItMovesTo() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        QSKIP("needs a second screen");
    QScreen* smaller = *std::min_element(screens.begin(), screens.end(), [](auto* a, auto* b) {
        return a->size().height() < b->size().height();
    });
    QVERIFY(m_window->screen() != smaller);
    m_window->move(smaller->geometry().topLeft() + QPoint(40, 40));
    QTRY_COMPARE(m_window->screen(), smaller);
    QTRY_VERIFY(smaller->availableGeometry().contains(m_window->frameGeometry()));
    verifyFitsOn(smaller);
}

// The screen's area changes under the window (a panel added, another
// resolution or scale): the window is fitted to it again.
void ScreenFitTest::windowFitsItsScreenWhenTheAreaChanges() {
    QScreen* screen = m_window->screen();
    const QRect available = screen->availableGeometry();
    m_window->move(available.left() + 20, available.bottom() - 100);
    QTRY_VERIFY(!available.contains(m_window->frameGeometry()));
    // The offscreen screens never change; the notice is what matters.
    emit screen->availableGeometryChanged(available);
    QTRY_VERIFY(available.contains(m_window->frameGeometry()));
    verifyFitsOn(screen);
}

QTEST_MAIN(ScreenFitTest)
#include "ScreenFitTest.moc"
