// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillon;

class MainWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startListsTheFolderArgumentAllChecked();
    void selectCommandsChangeCheckMarks();
    void listSwitchKeepsFirstVisibleEntry();
    void rightClickBelowLastEntryDisablesRename();
    void enterReloadsAfterMaskEditThenRunsOk();
    void menuMnemonicsOpenTheToolbarMenus();
    void longNameScrollsIntoViewHorizontally();

private:
    void createFiles(int count);
    void start();
    QListView* preview() const {
        return m_window->findChild<QListView*>(QStringLiteral("FileBox_Preview"));
    }
    QListView* folder() const {
        return m_window->findChild<QListView*>(QStringLiteral("FileList_Folder"));
    }
    QAction* action(const char* name) const {
        return m_window->findChild<QAction*>(QString::fromLatin1(name));
    }
    QList<bool> checks() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    PosixFileSystem m_disk;
    std::unique_ptr<MainWindow> m_window;
};

void MainWindowTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void MainWindowTest::cleanup() {
    m_window.reset();
    m_dir.reset();
}

void MainWindowTest::createFiles(int count) {
    for (int i = 0; i < count; ++i) {
        QFile file(m_dir->filePath(QStringLiteral("track %1.mp3").arg(i, 4, 10, QLatin1Char('0'))));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void MainWindowTest::start() {
    m_window = std::make_unique<MainWindow>(QFile::encodeName(m_dir->path()), m_disk);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(m_window->state().started);
    QTRY_VERIFY(!m_window->isWorking());
}

QList<bool> MainWindowTest::checks() const {
    QList<bool> out;
    const QAbstractItemModel* model = preview()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out.append(model->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>() ==
                   Qt::Checked);
    return out;
}

void MainWindowTest::startListsTheFolderArgumentAllChecked() {
    createFiles(3);
    QFile hidden(m_dir->filePath(QStringLiteral(".hidden")));
    QVERIFY(hidden.open(QIODevice::WriteOnly));
    start();
    QCOMPARE(preview()->model()->rowCount(), 3);
    QCOMPARE(folder()->model()->rowCount(), 3);
    QCOMPARE(checks(), (QList<bool>{true, true, true}));
    QVERIFY(preview()->isVisible());
    QVERIFY(!folder()->isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Replace_From"));
}

void MainWindowTest::selectCommandsChangeCheckMarks() {
    createFiles(3);
    start();
    preview()->model()->setData(preview()->model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    action("InvertAll1")->trigger();
    QCOMPARE(checks(), (QList<bool>{false, true, false}));
    action("SelectAll1")->trigger();
    QCOMPARE(checks(), (QList<bool>{true, true, true}));
    action("UnselectAll1")->trigger();
    QCOMPARE(checks(), (QList<bool>{false, false, false}));
}

void MainWindowTest::listSwitchKeepsFirstVisibleEntry() {
    createFiles(300);
    start();
    auto firstVisible = [](QListView* view) {
        return view->indexAt(QPoint(1, 1)).row();
    };
    preview()->scrollTo(preview()->model()->index(120, 0), QAbstractItemView::PositionAtTop);
    QCOMPARE(firstVisible(preview()), 120);

    auto* box = m_window->findChild<QCheckBox*>(QStringLiteral("DisplayPreview_CB"));
    box->click();
    QVERIFY(folder()->isVisible());
    QVERIFY(!preview()->isVisible());
    QCOMPARE(firstVisible(folder()), 120);
    QVERIFY(action("MainMenu_View_Folder")->isChecked());
    QVERIFY(!action("MainMenu_View_Preview")->isChecked());

    folder()->scrollTo(folder()->model()->index(42, 0), QAbstractItemView::PositionAtTop);
    action("MainMenu_View_Preview")->trigger();
    QVERIFY(box->isChecked());
    QVERIFY(preview()->isVisible());
    QCOMPARE(firstVisible(preview()), 42);
}

void MainWindowTest::rightClickBelowLastEntryDisablesRename() {
    createFiles(2);
    start();
    auto* menu = m_window->findChild<QMenu*>(QStringLiteral("FileBox_Preview_PopupMenu"));
    QAction* rename = action("FileBox_Preview_PopupMenu_RenameFile");
    QWidget* viewport = preview()->viewport();

    const QPoint onFirst = preview()->visualRect(preview()->model()->index(0, 0)).center();
    QTest::mouseMove(viewport, onFirst);
    QContextMenuEvent onEntry(QContextMenuEvent::Mouse, onFirst, viewport->mapToGlobal(onFirst));
    QApplication::sendEvent(viewport, &onEntry);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(rename->isEnabled());
    menu->hide();

    const QPoint below(5, viewport->height() - 3);
    QTest::mouseMove(viewport, below);
    QContextMenuEvent belowLast(QContextMenuEvent::Mouse, below, viewport->mapToGlobal(below));
    QApplication::sendEvent(viewport, &belowLast);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!rename->isEnabled());
    menu->hide();
}

void MainWindowTest::enterReloadsAfterMaskEditThenRunsOk() {
    createFiles(2);
    QFile doc(m_dir->filePath(QStringLiteral("notes.doc")));
    QVERIFY(doc.open(QIODevice::WriteOnly));
    start();
    QCOMPARE(preview()->model()->rowCount(), 3);
    QSignalSpy ok(m_window.get(), &MainWindow::replaceRequested);

    auto* mask = m_window->findChild<QLineEdit*>(QStringLiteral("FileMaskEdit"));
    mask->setFocus();
    mask->selectAll();
    QTest::keyClicks(mask, QStringLiteral("*.d/o/c"));
    QCOMPARE(mask->text(), QStringLiteral("*.doc")); // a slash cannot stand in a name
    QTest::keyClick(mask, Qt::Key_Return);
    QTRY_COMPARE(preview()->model()->rowCount(), 1);
    QCOMPARE(ok.count(), 0);

    auto* from = m_window->findChild<QLineEdit*>(QStringLiteral("Replace_From"));
    from->setFocus();
    QTest::keyClicks(from, QStringLiteral("x"));
    QTest::keyClick(from, Qt::Key_Return);
    QTRY_COMPARE(ok.count(), 1);
}

void MainWindowTest::menuMnemonicsOpenTheToolbarMenus() {
    createFiles(1);
    start();
    auto* view = m_window->findChild<QMenu*>(QStringLiteral("MainMenu_View"));
    bool shown = false;
    // The toolbar button runs its menu modally: look and close from inside.
    QTimer::singleShot(50, view, [&] {
        shown = view->isVisible();
        view->close();
    });
    QTest::keyClick(m_window.get(), Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(shown);
}

void MainWindowTest::longNameScrollsIntoViewHorizontally() {
    QFile file(m_dir->filePath(QString(200, QLatin1Char('w')) + QStringLiteral(".txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    start();
    QScrollBar* bar = preview()->horizontalScrollBar();
    const int nameWidth = preview()->fontMetrics().horizontalAdvance(
        QString(200, QLatin1Char('w')) + QStringLiteral(".txt"));
    QTRY_VERIFY(bar->maximum() > 0);
    // the whole name, check box included, can be brought into view
    QVERIFY(bar->maximum() + preview()->viewport()->width() >= nameWidth);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
