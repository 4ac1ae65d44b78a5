// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

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

QTEST_MAIN(ScreenFitTest)
#include "ScreenFitTest.moc"
