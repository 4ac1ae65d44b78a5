// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/workspace/ForwardingFileSystem.h"
#include "ui/dialogs/RenameDialog.h"
#include "ui/dialogs/SaveConfirmDialog.h"
#include "ui/dialogs/UserQuestions.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/widgets/FolderTree.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

using namespace quillon;

namespace {

// Holds the save at one rename until the test lets it go, so the test can
// cancel while renames are done and others are still to come.
class HeldRenames final : public test::ForwardingFileSystem {
public:
    HeldRenames(FileSystem& disk, int heldRename)
        : ForwardingFileSystem(disk)
        , m_heldRename(heldRename) {}

    int renameNoReplace(const std::string& f, std::string_view from, std::string_view to) override {
        holdIfDue();
        return m_disk.renameNoReplace(f, from, to);
    }
    int renameDirect(const std::string& f, std::string_view from, std::string_view to) override {
        holdIfDue();
        return m_disk.renameDirect(f, from, to);
    }
    int renameToOwnName(const std::string& f, std::string_view from, std::string_view to) override {
        holdIfDue();
        return m_disk.renameToOwnName(f, from, to);
    }
    bool holding() const {
        const std::lock_guard lock(m_mutex);
        return m_holding;
    }
    void release() {
        {
            const std::lock_guard lock(m_mutex);
            m_released = true;
        }
        m_wake.notify_all();
    }

private:
    void holdIfDue() {
        std::unique_lock lock(m_mutex);
        if (++m_renames != m_heldRename)
            return;
        m_holding = true;
        m_wake.wait(lock, [this] { return m_released; });
    }

    const int m_heldRename;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_renames = 0;
    bool m_holding = false;
    bool m_released = false;
};

// Answers instead of the user and looks at the window while it asks.
// Which threads called each file system about one folder, and how many
// renames each did there.
struct DiskThreads {
    std::mutex mutex;
    std::string folder;
    std::map<const FileSystem*, std::set<std::thread::id>> threads;
    std::map<const FileSystem*, int> renames;
    int twins = 0;
};

// Logs its calls into DiskThreads; its twin logs there too, over a twin of
// the disk it forwards to.
class LoggedDisk final : public test::ForwardingFileSystem {
public:
    LoggedDisk(std::unique_ptr<FileSystem> disk, std::shared_ptr<DiskThreads> log)
        : ForwardingFileSystem(*disk)
        , m_own(std::move(disk))
        , m_log(std::move(log)) {}

    std::unique_ptr<FileSystem> makeTwin() const override {
        note(m_log->folder, false);
        const std::lock_guard lock(m_log->mutex);
        ++m_log->twins;
        return std::make_unique<LoggedDisk>(m_disk.makeTwin(), m_log);
    }
    int readFolder(const std::string& f, FolderListing& out) override {
        note(f, false);
        return m_disk.readFolder(f, out);
    }
    int statEntry(const std::string& f, const std::string& n, EntryStatus& out) override {
        note(f, false);
        return m_disk.statEntry(f, n, out);
    }
    int readRegularFile(const std::string& f, std::string_view n, std::size_t limit,
                        std::string& out) override {
        note(f, false);
        return m_disk.readRegularFile(f, n, limit, out);
    }
    int lockFolder(const std::string& f) override {
        note(f, false);
        return m_disk.lockFolder(f);
    }
    int renameNoReplace(const std::string& f, std::string_view from, std::string_view to) override {
        note(f, true);
        return m_disk.renameNoReplace(f, from, to);
    }
    int renameDirect(const std::string& f, std::string_view from, std::string_view to) override {
        note(f, true);
        return m_disk.renameDirect(f, from, to);
    }
    int renameToOwnName(const std::string& f, std::string_view from, std::string_view to) override {
        note(f, true);
        return m_disk.renameToOwnName(f, from, to);
    }

private:
    void note(const std::string& folder, bool rename) const {
        const std::lock_guard lock(m_log->mutex);
        if (folder != m_log->folder)
            return;
        m_log->threads[this].insert(std::this_thread::get_id());
        if (rename)
            ++m_log->renames[this];
    }

    std::unique_ptr<FileSystem> m_own;
    std::shared_ptr<DiskThreads> m_log;
};

class StandIn final : public UserQuestions {
public:
    explicit StandIn(QWidget* window)
        : m_window(window) {}

    void tell(QWidget*, MessageKind, const QString& text) override { told.append(text); }
    bool confirmSave(QWidget*, bool& createUndoFile) override {
        ++confirmations;
        createUndoFile = true;
        return true;
    }
    bool confirmUndoLastSave(QWidget*) override {
        ++undoConfirmations;
        return true;
    }
    RenameFailureChoice renameFailed(QWidget*, const QString& text) override {
        failures.append(text);
        progressShownWhileAsked =
            m_window->findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->isVisible() &&
            !m_window->findChild<QCheckBox*>(QStringLiteral("DisplayPreview_CB"))->isVisible();
        return RenameFailureChoice::Skip;
    }
    bool editName(QWidget*, QString& text, bool caseIsNone, bool& updateCase) override {
        shownText = text;
        shownCaseIsNone = caseIsNone;
        if (!confirmRename)
            return false;
        text = typed;
        updateCase = updateCaseAnswer && !caseIsNone;
        return true;
    }

    QStringList told;
    QStringList failures;
    int confirmations = 0;
    int undoConfirmations = 0;
    bool progressShownWhileAsked = false;
    bool confirmRename = true;
    bool updateCaseAnswer = true;
    QString typed;
    QString shownText;
    bool shownCaseIsNone = false;

private:
    QWidget* m_window;
};

} // namespace

class SaveTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void confirmationDialog();
    void renameDialogFillsOnceWithCaretAtTheEnd();
    void renameDialogFiltersAndLimitsTypedText();
    void failureBoxButtonsInOrderOkDefault();
    void windowSavesShowsProgressAndReloads();
    void renameFileTakesTheEditedNameOrNothing();
    void undoLastSaveBringsTheFilesBackAndIsOffWithoutARecord();
    void twoSavesComeBackInOrderThroughTheHistory();
    void cancelDuringALargeSaveLeavesARecordOfWhatWasRenamed();
    void inputDuringWorkIsNotReplayed();
    void theWorkerUsesAFileSystemOfItsOwn();

private:
    void createFile(const QString& name);
    void start(FileSystem* disk = nullptr);
    QListView* preview() const {
        return m_window->findChild<QListView*>(QStringLiteral("FileBox_Preview"));
    }
    QStringList previewNames() const;
    void settle() const { QTRY_VERIFY_WITH_TIMEOUT(!m_window->isWorking(), 120000); }

    std::unique_ptr<QTemporaryDir> m_dir;
    PosixFileSystem m_disk;
    std::unique_ptr<HeldRenames> m_held;
    std::unique_ptr<FileSystem> m_logged;
    std::unique_ptr<MainWindow> m_window;
    std::shared_ptr<StandIn> m_user;
};

void SaveTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void SaveTest::cleanup() {
    if (m_held)
        m_held->release(); // a failed check must not leave the worker waiting
    m_window.reset();
    m_held.reset();
    m_logged.reset();
    m_dir.reset();
}

void SaveTest::createFile(const QString& name) {
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(name.toUtf8());
}

void SaveTest::start(FileSystem* disk) {
    m_window =
        std::make_unique<MainWindow>(QFile::encodeName(m_dir->path()), disk ? *disk : m_disk);
    m_user = std::make_shared<StandIn>(m_window.get());
    m_window->setQuestions(m_user);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(m_window->state().started);
    QTRY_VERIFY(!m_window->isWorking());
}

QStringList SaveTest::previewNames() const {
    QStringList out;
    const QAbstractItemModel* model = preview()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out.append(model->index(row, 0).data().toString());
    return out;
}

void SaveTest::confirmationDialog() {
    bool createUndoFile = true;
    SaveConfirmDialog dialog(createUndoFile, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Confirm"));
    QVERIFY(dialog.windowFlags() & Qt::Tool);
    QVERIFY(
        !(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(dialog.findChild<QWidget*>(QStringLiteral("StaticText1"))->property("text").toString(),
             QStringLiteral("Do you want to rename these files?"));
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    QCOMPARE(box->text(), QStringLiteral("Create an undo file."));
    QVERIFY(box->isChecked());
    auto* yes = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
    auto* no = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
    QCOMPARE(yes->text(), QStringLiteral("Yes"));
    QCOMPARE(no->text(), QStringLiteral("No"));
    QVERIFY(yes->isDefault());

    box->click();
    QVERIFY(!createUndoFile);
    box->click();
    QVERIFY(createUndoFile);

    dialog.show();
    no->click();
    QCOMPARE(dialog.result(), SaveConfirmDialog::kNo);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void SaveTest::renameDialogFillsOnceWithCaretAtTheEnd() {
    const QString name = QStringLiteral("Song Name.mp3");
    RenameDialog dialog(name, false, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Rename"));
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("Rename_Edit"));
    QCOMPARE(edit->accessibleName(), QStringLiteral("New name"));
    QTRY_COMPARE(edit->text(), name);
    auto* update = dialog.findChild<QCheckBox*>(QStringLiteral("Rename_UpdateCase"));
    QCOMPARE(edit->text(), name);
    QCOMPARE(edit->cursorPosition(), name.size());
    QVERIFY(!edit->hasSelectedText());
    QVERIFY(edit->hasFocus());
    QVERIFY(update->isChecked() && update->isEnabled());
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("Rename_OK"))->isDefault());
    QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("OnStart"))->isVisible());

    QTest::keyClicks(edit, QStringLiteral(" x"));
    dialog.hide(); // away and back: what was typed stays
    dialog.show();
    QCOMPARE(edit->text(), name + QStringLiteral(" x"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.editedName(), name + QStringLiteral(" x"));

    RenameDialog none(name, true, nullptr);
    none.show();
    auto* noneUpdate = none.findChild<QCheckBox*>(QStringLiteral("Rename_UpdateCase"));
    QTRY_VERIFY(!noneUpdate->isEnabled());
    QVERIFY(!noneUpdate->isChecked() && !noneUpdate->isEnabled());
    QTest::keyClicks(none.findChild<QLineEdit*>(QStringLiteral("Rename_Edit")),
                     QStringLiteral("zz"));
    none.findChild<QPushButton*>(QStringLiteral("Rename_Cancel"))->click();
    QCOMPARE(none.result(), int(QDialog::Rejected));
    QCOMPARE(none.editedName(), name);
}

void SaveTest::renameDialogFiltersAndLimitsTypedText() {
    RenameDialog dialog(QString(), false, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("Rename_Edit"));
    // Only the slash cannot stand in a Linux file name.
    QTest::keyClicks(edit, QStringLiteral("a\\/:?\"<>|*b"));
    QCOMPARE(edit->text(), QStringLiteral("a\\:?\"<>|*b"));

    // Characters, not UTF-16 units: 254 emoji and one more fit, the rest not.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\xB5");
    QString long254;
    for (int i = 0; i < 254; ++i)
        long254 += emoji;
    RenameDialog full(long254, false, nullptr);
    full.show();
    auto* fullEdit = full.findChild<QLineEdit*>(QStringLiteral("Rename_Edit"));
    QTRY_COMPARE(fullEdit->text(), long254);
    QTest::keyClicks(fullEdit, QStringLiteral("xyz"));
    QCOMPARE(fullEdit->text(), long254 + QStringLiteral("x"));
    fullEdit->selectAll();
    fullEdit->insert(long254 + long254); // a paste keeps what fits
    QCOMPARE(fullEdit->text().size(), 255 * 2);

    // The program's own text is shown whole, even past the limit.
    const QString tooLong(300, QLatin1Char('n'));
    RenameDialog longer(tooLong, false, nullptr);
    longer.show();
    QTRY_COMPARE(longer.findChild<QLineEdit*>(QStringLiteral("Rename_Edit"))->text(), tooLong);
}

void SaveTest::failureBoxButtonsInOrderOkDefault() {
    const QString text = QStringLiteral("\"<b>x</b>\"\ncould not be renamed.");
    const auto box = makeRenameFailureBox(nullptr, text);
    QCOMPARE(box->windowTitle(), QStringLiteral("Quillon"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QList<QAbstractButton*> buttons = box->buttons();
    QCOMPARE(buttons.size(), 3);
    QStringList leftToRight;
    QList<QAbstractButton*> sorted = buttons;
    std::sort(sorted.begin(), sorted.end(), [](QAbstractButton* a, QAbstractButton* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    for (QAbstractButton* b : sorted)
        leftToRight.append(b->text());
    QCOMPARE(leftToRight,
             (QStringList{QStringLiteral("OK"), QStringLiteral("Abort"), QStringLiteral("Retry")}));
    QCOMPARE(box->defaultButton()->text(), QStringLiteral("OK"));
    QCOMPARE(box->escapeButton()->text(), QStringLiteral("OK"));
    sorted.at(1)->click();
    QCOMPARE(renameFailureChoice(*box), RenameFailureChoice::Abort);

    const auto plain = makeMessageBox(nullptr, MessageKind::Error, text);
    QCOMPARE(plain->textFormat(), Qt::PlainText);
    QCOMPARE(plain->icon(), QMessageBox::Critical);

    // A short message leaves the title whole, with room for the title bar's buttons.
    const auto shortOne = makeMessageBox(nullptr, MessageKind::Plain, QStringLiteral("No."));
    shortOne->show();
    QVERIFY(QTest::qWaitForWindowExposed(shortOne.get()));
    const QFontMetrics metrics(shortOne->font());
    QVERIFY(shortOne->width() >=
            metrics.horizontalAdvance(shortOne->windowTitle()) + 3 * metrics.height());
}

void SaveTest::windowSavesShowsProgressAndReloads() {
    createFile(QStringLiteral("a.txt"));
    createFile(QStringLiteral("b.txt"));
    createFile(QStringLiteral("c.txt"));
    createFile(QStringLiteral(".taken.txt")); // hidden: never listed
    start();
    m_window->findChild<QRadioButton*>(QStringLiteral("Case_Upper"))->click();
    settle();
    QCOMPARE(previewNames(), (QStringList{QStringLiteral("A.TXT"), QStringLiteral("B.TXT"),
                                          QStringLiteral("C.TXT")}));
    preview()->setCurrentIndex(preview()->model()->index(2, 0));
    m_user->typed = QStringLiteral(".taken.txt");
    m_user->updateCaseAnswer = false;
    m_window->renameSelectedEntry();

    m_window->save();
    settle();
    QCOMPARE(m_user->confirmations, 1);
    QCOMPARE(m_user->failures, (QStringList{QStringLiteral("\"c.txt\"\ncould not be renamed.")}));
    QVERIFY(m_user->progressShownWhileAsked);
    QVERIFY(!m_window->findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->isVisible());
    QVERIFY(m_window->findChild<QCheckBox*>(QStringLiteral("DisplayPreview_CB"))->isVisible());
    QCOMPARE(
        QDir(m_dir->path())
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
        (QStringList{QStringLiteral(".taken.txt"), QStringLiteral("A.TXT"), QStringLiteral("B.TXT"),
                     QStringLiteral("_Quillon - Click me to UNDO.sh"), QStringLiteral("c.txt")}));
    // Read again and shown in the selected case mode.
    QCOMPARE(previewNames(), (QStringList{QStringLiteral("A.TXT"), QStringLiteral("B.TXT"),
                                          QStringLiteral("C.TXT")}));
    QVERIFY(m_user->told.isEmpty());
}

// The load, the case switch and the save each work on a twin of the
// window's file system: no file system object is called from two threads,
// and the window's own renames nothing.
void SaveTest::theWorkerUsesAFileSystemOfItsOwn() {
    createFile(QStringLiteral("a.txt"));
    createFile(QStringLiteral("b.txt"));
    auto log = std::make_shared<DiskThreads>();
    log->folder = QFile::encodeName(m_dir->path()).toStdString();
    m_logged = std::make_unique<LoggedDisk>(std::make_unique<PosixFileSystem>(), log);
    start(m_logged.get());
    m_window->findChild<QRadioButton*>(QStringLiteral("Case_Upper"))->click();
    settle();
    m_window->save();
    settle();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("A.TXT"), QStringLiteral("B.TXT"),
                          QStringLiteral("_Quillon - Click me to UNDO.sh")}));

    const std::lock_guard lock(log->mutex);
    QVERIFY(log->twins >= 3);
    const std::thread::id windowThread = std::this_thread::get_id();
    int renames = 0;
    for (const auto& [disk, threads] : log->threads) {
        QCOMPARE(threads.size(), std::size_t{1});
        QCOMPARE(disk == m_logged.get(), *threads.begin() == windowThread);
        renames += log->renames[disk];
    }
    QCOMPARE(log->renames[m_logged.get()], 0);
    QVERIFY(renames >= 2);
}

void SaveTest::renameFileTakesTheEditedNameOrNothing() {
    createFile(QStringLiteral("a.txt"));
    createFile(QStringLiteral("b.txt"));
    start();
    preview()->setCurrentIndex(preview()->model()->index(1, 0));

    m_user->confirmRename = false;
    m_user->typed = QStringLiteral("ignored");
    m_window->renameSelectedEntry();
    QCOMPARE(m_user->shownText, QStringLiteral("B.txt")); // the Smart preview name
    QVERIFY(!m_user->shownCaseIsNone);
    QCOMPARE(previewNames(), (QStringList{QStringLiteral("A.txt"), QStringLiteral("B.txt")}));

    m_user->confirmRename = true;
    m_user->typed = QStringLiteral("tHE wHO - new NAME.MP3");
    m_window->renameSelectedEntry();
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("A.txt"), QStringLiteral("The Who - New Name.mp3")}));

    m_window->findChild<QRadioButton*>(QStringLiteral("Case_None"))->click();
    settle();
    preview()->setCurrentIndex(preview()->model()->index(0, 0));
    m_user->typed = QStringLiteral("mIxEd");
    m_window->renameSelectedEntry();
    QVERIFY(m_user->shownCaseIsNone);
    QCOMPARE(previewNames().at(0), QStringLiteral("mIxEd"));
    QVERIFY(!m_window->findChild<QPushButton*>(QStringLiteral("Replace_Undo_Button"))->isEnabled());
}

void SaveTest::undoLastSaveBringsTheFilesBackAndIsOffWithoutARecord() {
    createFile(QStringLiteral("a.txt"));
    createFile(QStringLiteral("b.txt"));
    start();
    auto* file = m_window->findChild<QMenu*>(QStringLiteral("MainMenu_File"));
    auto* undo = m_window->findChild<QAction*>(QStringLiteral("UndoLastSave1"));
    const auto entryEnabled = [&] {
        emit file->aboutToShow();
        return undo->isEnabled();
    };
    const auto onDisk = [&] {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    };
    QVERIFY(!entryEnabled());
    m_window->findChild<QRadioButton*>(QStringLiteral("Case_Upper"))->click();
    m_window->save(); // waits for the case switch
    settle();
    QCOMPARE(onDisk(), (QStringList{QStringLiteral("A.TXT"), QStringLiteral("B.TXT"),
                                    QStringLiteral("_Quillon - Click me to UNDO.sh")}));
    QVERIFY(entryEnabled());

    undo->trigger();
    settle();
    QCOMPARE(m_user->undoConfirmations, 1);
    QCOMPARE(onDisk(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    const QAbstractItemModel* folder =
        m_window->findChild<QListView*>(QStringLiteral("FileList_Folder"))->model();
    QCOMPARE(folder->index(0, 0).data().toString(), QStringLiteral("a.txt"));
    QVERIFY(m_user->told.isEmpty());
    QVERIFY(!entryEnabled());
}

// A second save replaces the folder's undo file; the user's history still
// holds the first, so "Undo Last Save" takes both back, newest first.
void SaveTest::twoSavesComeBackInOrderThroughTheHistory() {
    createFile(QStringLiteral("a.txt"));
    createFile(QStringLiteral("b.txt"));
    start();
    const auto onDisk = [&] {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    };
    const QString record = QStringLiteral("_Quillon - Click me to UNDO.sh");
    m_window->findChild<QRadioButton*>(QStringLiteral("Case_Upper"))->click();
    m_window->save();
    settle();
    m_window->findChild<QRadioButton*>(QStringLiteral("Case_FirstLetters"))->click();
    m_window->save();
    settle();
    QCOMPARE(onDisk(), (QStringList{QStringLiteral("A.txt"), QStringLiteral("B.txt"), record}));
    auto* undo = m_window->findChild<QAction*>(QStringLiteral("UndoLastSave1"));
    undo->trigger();
    settle();
    QCOMPARE(onDisk(), (QStringList{QStringLiteral("A.TXT"), QStringLiteral("B.TXT")}));
    undo->trigger();
    settle();
    QCOMPARE(m_user->undoConfirmations, 2);
    QCOMPARE(onDisk(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    QVERIFY(m_user->told.isEmpty());
}

// A save held at its fifth rename: the bar and its cancel button show, the
// commands are disabled, Escape stops the renaming after the rename at
// hand, and the undo record then takes back exactly the files that were
// renamed.
void SaveTest::cancelDuringALargeSaveLeavesARecordOfWhatWasRenamed() {
    const int count = 40;
    QStringList before;
    for (int i = 0; i < count; ++i) {
        before.append(QStringLiteral("song %1.txt").arg(i, 6, 10, QLatin1Char('0')));
        QFile file(m_dir->filePath(before.last()));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    m_held = std::make_unique<HeldRenames>(m_disk, 5);
    start(m_held.get());
    m_window->findChild<QRadioButton*>(QStringLiteral("Case_Upper"))->click();
    settle();
    auto* bar = m_window->findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
    m_window->save();
    // Some files renamed, most still to go.
    QTRY_VERIFY(m_held->holding());
    QTRY_VERIFY(m_window->findChild<QPushButton*>(QStringLiteral("CancelButton"))->isVisible());
    QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("Replace_Button"))->isEnabled());
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("Replace_From"))->isEnabled());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    m_held->release();
    settle();
    QVERIFY(!bar->isVisible());
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("Replace_Button"))->isEnabled());

    const QDir dir(m_dir->path());
    QStringList renamed = dir.entryList(QDir::Files, QDir::Name);
    renamed = renamed.filter(QStringLiteral("SONG"), Qt::CaseSensitive);
    QVERIFY2(!renamed.isEmpty() && renamed.size() < count,
             qPrintable(QString::number(renamed.size())));
    QVERIFY(dir.exists(QStringLiteral("_Quillon - Click me to UNDO.sh")));

    // The user is told how far it got and how to take it back, and sees the
    // folder as it is.
    QCOMPARE(m_user->told.size(), 1);
    const QString told = m_user->told.first();
    QVERIFY2(told.contains(QStringLiteral("%1 of %2 files were renamed")
                               .arg(QLocale().toString(renamed.size()), QLocale().toString(count))),
             qPrintable(told));
    QVERIFY(told.contains(QStringLiteral("File > \"Undo Last Save\"")));
    QVERIFY(!m_window->findChild<QCheckBox*>(QStringLiteral("DisplayPreview_CB"))->isChecked());
    const QAbstractItemModel* folder =
        m_window->findChild<QListView*>(QStringLiteral("FileList_Folder"))->model();
    QStringList shown;
    for (int row = 0; row < folder->rowCount(); ++row)
        shown << folder->index(row, 0).data(Qt::DisplayRole).toString();
    shown.sort();
    QStringList onDisk = dir.entryList(QDir::Files, QDir::Name);
    onDisk.removeAll(QStringLiteral("_Quillon - Click me to UNDO.sh"));
    onDisk.sort();
    QCOMPARE(shown, onDisk);

    m_window->undoLastSave();
    settle();
    QCOMPARE(dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name), before);
    QCOMPARE(m_user->told.size(), 1);
}

// Clicks and keys given while a command works are dropped, not run once it
// has ended: a second save asked for by Ctrl+S, a reload by F5, a folder
// clicked in the tree.
void SaveTest::inputDuringWorkIsNotReplayed() {
    for (int i = 0; i < 2000; ++i)
        createFile(QStringLiteral("song %1.txt").arg(i));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("other")));
    start();
    auto* tree = m_window->findChild<QTreeView*>(QStringLiteral("ShellTree1"));
    const QModelIndex shown = tree->currentIndex();
    tree->expand(shown);
    QTRY_COMPARE(tree->model()->rowCount(shown), 1);
    const QModelIndex other = tree->model()->index(0, 0, shown);
    tree->scrollTo(other);
    const QPoint onOther = tree->visualRect(other).center();
    m_window->findChild<QRadioButton*>(QStringLiteral("Case_Upper"))->click();
    settle();

    m_window->save();
    QVERIFY(m_window->isWorking());
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(m_window.get(), Qt::Key_F5);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, onOther);
    settle();
    // Anything left in the queue would run now.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QVERIFY(!m_window->isWorking());
    QCOMPARE(m_user->confirmations, 1);
    QVERIFY(m_user->told.isEmpty()); // no "No files to save."
    QCOMPARE(static_cast<FolderTree*>(tree)->selectedPath(), m_dir->path());
    QCOMPARE(previewNames().first(), QStringLiteral("SONG 0.TXT"));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("SONG 0.TXT"))));
}

QTEST_MAIN(SaveTest)
#include "SaveTest.moc"
