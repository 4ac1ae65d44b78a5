// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "ui/mainwindow/FileLists.h"
#include "ui/mainwindow/WindowSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QScreen>
#include <QSettings>

using namespace quillon;
using namespace quillon::test;

// The window comes back where it was left, on whatever screen it opens on,
// and never from a developer's own settings.
class WindowSettingsTest final : public QObject, public MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fitted_data();
    void fitted();
    void placeComesBack();
    void largePlaceIsFittedToASmallerScreen();
    void forgetStartsAfresh();

private:
    void newWindow();
    QAction* oldAndNew() const {
        return m_window->findChild<QAction*>(QStringLiteral("MainMenu_View_OldAndNew"));
    }
    QTemporaryDir m_config;
};

void WindowSettingsTest::init() {
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    setUpFolder();
    createFile(QStringLiteral("a.txt"));
}

void WindowSettingsTest::cleanup() {
    tearDown();
    WindowSettings::forget();
}

void WindowSettingsTest::newWindow() {
    m_window = std::make_unique<MainWindow>(QFile::encodeName(m_dir->path()), m_disk);
    WindowSettings::restore(*m_window);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(m_window->state().started);
    settle();
}

void WindowSettingsTest::fitted_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("fitted");
    // On a screen of 800 x 600 at the origin, as fitted() asks.
    QTest::newRow("inside") << QRect(10, 20, 700, 500) << QRect(10, 20, 700, 500);
    QTest::newRow("off the right") << QRect(500, 20, 700, 500) << QRect(100, 20, 700, 500);
    QTest::newRow("off the top left") << QRect(-50, -10, 700, 500) << QRect(0, 0, 700, 500);
    QTest::newRow("larger") << QRect(100, 100, 1600, 1200) << QRect(0, 0, 800, 600);
    QTest::newRow("far away") << QRect(5000, 4000, 700, 500) << QRect(100, 100, 700, 500);
}

void WindowSettingsTest::fitted() {
    QFETCH(QRect, wanted);
    QFETCH(QRect, fitted);
    QCOMPARE(WindowSettings::fitted(wanted, QRect(0, 0, 800, 600)), fitted);
}

void WindowSettingsTest::placeComesBack() {
    newWindow();
    const QRect available = m_window->screen()->availableGeometry();
    const QSize size = m_window->minimumSize() + QSize(20, 10);
    QVERIFY(available.width() >= size.width() && available.height() >= size.height());
    m_window->resize(size);
    m_window->findChild<FileLists*>()->setTreeWidth(123);
    child<QCheckBox>("DisplayPreview_CB")->setChecked(false);
    QVERIFY(!oldAndNew()->isChecked()); // the one list is the default
    oldAndNew()->setChecked(true);
    settle();
    WindowSettings::save(*m_window);
    m_window.reset();

    newWindow();
    QCOMPARE(m_window->size(), size);
    QCOMPARE(m_window->treeWidth(), 123);
    QVERIFY(!child<QCheckBox>("DisplayPreview_CB")->isChecked());
    QVERIFY(oldAndNew()->isChecked());
}

void WindowSettingsTest::largePlaceIsFittedToASmallerScreen() {
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("quillon"),
                           QStringLiteral("quillon"));
        settings.setValue(QStringLiteral("window/position"), QPoint(3000, 2500));
        settings.setValue(QStringLiteral("window/size"), QSize(5120, 2880));
    }
    newWindow();
    const QRect available = m_window->screen()->availableGeometry();
    const QRect place(m_window->pos(), m_window->size());
    QVERIFY2(available.contains(place), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(place.x())
                                                       .arg(place.y())
                                                       .arg(place.width())
                                                       .arg(place.height())));
}

void WindowSettingsTest::forgetStartsAfresh() {
    newWindow();
    const QSize saved = m_window->minimumSize() + QSize(30, 30);
    m_window->resize(saved);
    child<QCheckBox>("DisplayPreview_CB")->setChecked(false);
    WindowSettings::save(*m_window);
    m_window.reset();
    WindowSettings::forget();
    newWindow();
    QVERIFY(m_window->size() != saved);
    QVERIFY(child<QCheckBox>("DisplayPreview_CB")->isChecked());
    QVERIFY(!oldAndNew()->isChecked());
}

QTEST_MAIN(WindowSettingsTest)
#include "WindowSettingsTest.moc"
