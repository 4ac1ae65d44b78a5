// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/FolderFromOutside.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/widgets/FolderTree.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

using namespace quillon;

// The folder the command-line argument and drops lead to.
class FoldersFromOutsideTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lookUpFolder_data();
    void lookUpFolder();
    void fileArgumentOpensItsFolderWithOnlyIt();
    void selectionListsExactlyItsFiles();
    void selectionFromSeveralFoldersTellsWhatIsLeftOut();
    void missingArgumentIsToldThenTheDefaultOpens();
    void droppedFolderLoads_data();
    void droppedFolderLoads();
    void dropOfNoLocalFileIsRefused();

private:
    void createFile(const QString& path);
    void start(const QByteArray& argument);
    void startOn(const QList<QByteArray>& paths);
    QByteArray pathOf(const QByteArray& relative) const;
    QString selectedFolder() const;
    QStringList previewNames() const;
    void drop(const QList<QUrl>& urls);

    std::unique_ptr<QTemporaryDir> m_dir;
    PosixFileSystem m_disk;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
    QTimer m_answerer;
};

void FoldersFromOutsideTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    for (const QString& folder : {QStringLiteral("album"), QStringLiteral(".hidden")}) {
        QVERIFY(QDir(m_dir->path()).mkpath(folder));
        createFile(folder + QStringLiteral("/B.mp3"));
        createFile(folder + QStringLiteral("/A.mp3"));
    }
    createFile(QStringLiteral("Top.txt"));
    // Answers every message box with OK and keeps its text.
    m_messages.clear();
    m_answerer.setInterval(10);
    connect(&m_answerer, &QTimer::timeout, this, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            m_messages << box->text();
            box->accept();
        }
    });
    m_answerer.start();
}

void FoldersFromOutsideTest::cleanup() {
    m_answerer.stop();
    m_answerer.disconnect();
    m_window.reset();
    m_dir.reset();
}

void FoldersFromOutsideTest::createFile(const QString& path) {
    QFile file(m_dir->filePath(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void FoldersFromOutsideTest::start(const QByteArray& argument) {
    startOn(argument.isEmpty() ? QList<QByteArray>() : QList{argument});
}

void FoldersFromOutsideTest::startOn(const QList<QByteArray>& paths) {
    m_window = std::make_unique<MainWindow>(paths, m_disk);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(m_window->state().started);
    QTRY_VERIFY(!m_window->isWorking());
}

QByteArray FoldersFromOutsideTest::pathOf(const QByteArray& relative) const {
    return QFile::encodeName(m_dir->path()) + '/' + relative;
}

QString FoldersFromOutsideTest::selectedFolder() const {
    return m_window->findChild<FolderTree*>(QStringLiteral("ShellTree1"))->selectedPath();
}

QStringList FoldersFromOutsideTest::previewNames() const {
    const QAbstractItemModel* model =
        m_window->findChild<QListView*>(QStringLiteral("FileBox_Preview"))->model();
    QStringList out;
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data(Qt::EditRole).toString();
    return out;
}

void FoldersFromOutsideTest::drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(m_window->width() / 2.0, m_window->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &dropped);
    QCOMPARE(enter.isAccepted(), !urls.isEmpty() && urls.first().isLocalFile());
}

void FoldersFromOutsideTest::lookUpFolder_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("error");
    QTest::newRow("folder") << "album"
                            << "album" << 0;
    QTest::newRow("folder with a trailing slash") << "album/"
                                                  << "album" << 0;
    QTest::newRow("file") << "album/A.mp3"
                          << "album" << 0;
    QTest::newRow("file at the top") << "Top.txt"
                                     << "" << 0;
    QTest::newRow("missing") << "nothing here"
                             << "" << ENOENT;
    QTest::newRow("below a file") << "Top.txt/x"
                                  << "" << ENOTDIR;
}

void FoldersFromOutsideTest::lookUpFolder() {
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(int, error);
    const FolderLookup lookup = quillon::lookUpFolder(QFile::encodeName(m_dir->filePath(path)));
    QCOMPARE(lookup.error, error);
    if (error == 0)
        QCOMPARE(lookup.folder, QDir::cleanPath(m_dir->filePath(folder)));
    else
        QCOMPARE(lookup.failedPath, m_dir->filePath(path));
}

void FoldersFromOutsideTest::fileArgumentOpensItsFolderWithOnlyIt() {
    start(QFile::encodeName(m_dir->filePath(QStringLiteral("album/B.mp3"))));
    QCOMPARE(selectedFolder(), m_dir->filePath(QStringLiteral("album")));
    QCOMPARE(previewNames(), QStringList{QStringLiteral("B.mp3")});
    QCOMPARE(m_window->findChild<QLineEdit*>(QStringLiteral("FileMaskEdit"))->text(),
             QStringLiteral("B.mp3"));
    QVERIFY(m_messages.isEmpty());
}

// Names holding the mask's own characters, and bytes that are not UTF-8,
// list exactly as selected; their look-alikes stay out.
void FoldersFromOutsideTest::selectionListsExactlyItsFiles() {
    const QList<QByteArray> selected = {"a*.mp3", "b?.mp3", "c;d.mp3",
                                        "e\\",    "f.*",    "\xff\xfe.mp3"};
    const QList<QByteArray> others = {"ab.mp3", "bx.mp3", "c",     "d.mp3",
                                      "e",      "f",      "f.txt", "\xfe.mp3"};
    QList<QByteArray> paths;
    for (const QByteArray& name : selected + others) {
        const int fd = ::open(pathOf("album/" + name).constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
    }
    for (const QByteArray& name : selected)
        paths << pathOf("album/" + name);
    startOn(paths);
    QCOMPARE(selectedFolder(), m_dir->filePath(QStringLiteral("album")));
    // The names on disk, byte for byte (the preview shows them in Smart case).
    QStringList listed;
    const NameList& folder = m_window->workspace().folderList().names;
    for (std::size_t i = 0; i < folder.size(); ++i)
        listed << QString::fromLatin1(
            QByteArray(folder[i].data(), static_cast<qsizetype>(folder[i].size()))
                .toPercentEncoding());
    QStringList wanted;
    for (const QByteArray& name : selected)
        wanted << QString::fromLatin1(name.toPercentEncoding());
    listed.sort();
    wanted.sort();
    QCOMPARE(listed, wanted);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!m_window->findChild<QLabel*>(QStringLiteral("StatusLine"))->isVisible());
    // Qt's own removal passes over names that are not UTF-8.
    for (const QByteArray& name : selected + others)
        ::unlink(pathOf("album/" + name).constData());
}

void FoldersFromOutsideTest::selectionFromSeveralFoldersTellsWhatIsLeftOut() {
    startOn({pathOf("album/A.mp3"), pathOf("Top.txt"), pathOf("album/B.mp3"), pathOf("album")});
    QCOMPARE(selectedFolder(), m_dir->filePath(QStringLiteral("album")));
    QCOMPARE(previewNames(), (QStringList{QStringLiteral("A.mp3"), QStringLiteral("B.mp3")}));
    auto* status = m_window->findChild<QLabel*>(QStringLiteral("StatusLine"));
    QVERIFY(status->isVisible());
    QVERIFY2(status->text().contains(m_dir->filePath(QStringLiteral("Top.txt"))),
             qPrintable(status->text()));
    QVERIFY(!status->text().contains(QStringLiteral("B.mp3")));
    QVERIFY(m_messages.isEmpty());
}

void FoldersFromOutsideTest::missingArgumentIsToldThenTheDefaultOpens() {
    const QString missing = m_dir->filePath(QStringLiteral("gone"));
    start(QFile::encodeName(missing));
    QTRY_COMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(missing), qPrintable(m_messages.first()));
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString home = QDir(desktop).exists() ? desktop : QDir::homePath();
    QCOMPARE(selectedFolder(), QDir::cleanPath(home));
}

void FoldersFromOutsideTest::droppedFolderLoads_data() {
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<QString>("folder");
    QTest::newRow("folder") << "album"
                            << "album";
    QTest::newRow("file") << "album/A.mp3"
                          << "album";
    // The tree does not list hidden folders, but opens one asked for.
    QTest::newRow("hidden folder") << ".hidden"
                                   << ".hidden";
}

void FoldersFromOutsideTest::droppedFolderLoads() {
    QFETCH(QString, dropped);
    QFETCH(QString, folder);
    start(QFile::encodeName(m_dir->path()));
    QCOMPARE(previewNames(), QStringList{QStringLiteral("Top.txt")});
    drop({QUrl::fromLocalFile(m_dir->filePath(dropped))});
    QTRY_COMPARE(previewNames(), (QStringList{QStringLiteral("A.mp3"), QStringLiteral("B.mp3")}));
    QCOMPARE(selectedFolder(), m_dir->filePath(folder));
    QVERIFY(m_messages.isEmpty());
}

void FoldersFromOutsideTest::dropOfNoLocalFileIsRefused() {
    start(QFile::encodeName(m_dir->path()));
    drop({QUrl(QStringLiteral("https://example.org/album/"))});
    drop({});
    // A load the drops asked for would have been queued by now.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(selectedFolder(), m_dir->path());
    QVERIFY(m_messages.isEmpty());
}

QTEST_MAIN(FoldersFromOutsideTest)
#include "FoldersFromOutsideTest.moc"
