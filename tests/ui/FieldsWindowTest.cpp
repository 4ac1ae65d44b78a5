// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "tests/metadata/MediaSamples.h"
#include "ui/wizard/WizardDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <thread>

using namespace quillon;

namespace {

// Every read waits until the test lets it go, so that a cancel surely
// comes while the fields are read.
class HeldFields final : public FieldSource {
public:
    std::atomic<bool> started{false};
    std::atomic<bool> released{false};

    std::unique_ptr<FolderFields> openFolder(const std::string&) override {
        return std::make_unique<Reader>(*this);
    }

private:
    class Reader final : public FolderFields {
    public:
        explicit Reader(HeldFields& source)
            : m_source(source) {}
        int identify(std::string_view, metadata::FileIdentity& out) const override {
            out = {1, 1, 1, true};
            return 0;
        }
        metadata::FileFields read(std::string_view, const metadata::FileIdentity&,
                                  FieldSet) const override {
            m_source.started = true;
            for (int wait = 0; wait < 5000 && !m_source.released; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            metadata::FileFields fields;
            fields.setText(Field::Artist, "Read");
            return fields;
        }

    private:
        HeldFields& m_source;
    };
};

} // namespace

// The window's side of names from inside the files: the press reads the
// tags, entries that lack a field say so, and the reload orders by date and
// by natural name order.
class FieldsWindowTest final : public QObject, private test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { setUpFolder(); }
    void cleanup() { tearDown(); }

    void tokensFillFromTagsAndMuteTheEntriesThatLackAField();
    void newOrdersReloadFromMenuAndPopup();
    void tagsPageShowsTheFirstCheckedFile();
    void cancelWhileReadingLeavesListsAndUndoAsTheyWere();
    void aHangingFileStopsNeitherThePressNorItsCancel();

private:
    void writeSong(const char* name, const test::SampleTags& tags) {
        QVERIFY(test::writeAudioSample(
            QFile::encodeName(m_dir->filePath(QString::fromUtf8(name))).toStdString(),
            test::AudioKind::Mp3Id3v2, tags));
    }
    void setModified(const char* name, int year) {
        QFile file(m_dir->filePath(QString::fromUtf8(name)));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(year, 6, 1), QTime(12, 0)),
                                 QFileDevice::FileModificationTime));
    }
    void press(const QString& from, const QString& to) {
        child<QLineEdit>("Replace_From")->setText(from);
        child<QLineEdit>("Replace_To")->setText(to);
        child<QPushButton>("Replace_Button")->click();
        settle();
    }
    QVariant rowData(int row, int role) const { return previewModel()->index(row, 0).data(role); }
    QAction* action(const char* name) const { return child<QAction>(name); }
};

void FieldsWindowTest::tokensFillFromTagsAndMuteTheEntriesThatLackAField() {
    test::SampleTags tags;
    tags.artist = "AC/DC";
    tags.title = "Back in Black";
    writeSong("one.mp3", tags);
    tags.artist.clear();
    tags.title = "No Artist";
    writeSong("two.mp3", tags);
    createFile(QStringLiteral("notes.txt"));
    startWindow();
    child<QCheckBox>("Replace_UpdateCase")->setChecked(false);
    child<QRadioButton>("Case_None")->click();
    settle();

    press(QStringLiteral("*"), QStringLiteral("<artist> - <title>"));
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("notes.txt"), QStringLiteral("AC-DC - Back in Black.mp3"),
                          QStringLiteral("two.mp3")}));
    const QBrush muted = QGuiApplication::palette().brush(QPalette::PlaceholderText);
    QCOMPARE(rowData(0, Qt::ForegroundRole).value<QBrush>(), muted);
    QVERIFY(!rowData(1, Qt::ForegroundRole).isValid());
    QCOMPARE(rowData(2, Qt::ForegroundRole).value<QBrush>(), muted);
    QVERIFY(rowData(0, Qt::ToolTipRole).toString().contains(QStringLiteral("<artist>, <title>")));
    const QString twoTip = rowData(2, Qt::ToolTipRole).toString();
    QVERIFY(twoTip.contains(QStringLiteral("<artist>")) &&
            !twoTip.contains(QStringLiteral("<title>")));
    QVERIFY(!rowData(1, Qt::ToolTipRole).isValid());
    auto* status = child<QLabel>("StatusLine");
    QVERIFY(status->isVisible());
    QVERIFY(status->text().contains(QStringLiteral(": 2.")));
    QVERIFY(status->text().contains(QStringLiteral("<artist>, <title>")));

    // Back to the disk's names: nothing kept a name for want of a field.
    child<QAction>("UpdatePreview")->trigger();
    settle();
    QVERIFY(!rowData(0, Qt::ForegroundRole).isValid());
    QVERIFY(!status->isVisible());
}

// Three photos whose name, natural, taken and modified orders all differ.
void FieldsWindowTest::newOrdersReloadFromMenuAndPopup() {
    const struct {
        const char* name;
        const char* taken;
        int modified;
    } photos[] = {{"x 1.jpg", "2005:01:01 10:00:00", 2030},
                  {"x 10.jpg", "2001:01:01 10:00:00", 2020},
                  {"x 2.jpg", "2009:01:01 10:00:00", 2010}};
    for (const auto& p : photos) {
        test::SamplePhoto photo;
        photo.dateTimeOriginal = p.taken;
        QVERIFY(test::writeJpegSample(
            QFile::encodeName(m_dir->filePath(QString::fromUtf8(p.name))).toStdString(), photo));
        setModified(p.name, p.modified);
    }
    createFile(QStringLiteral(".hidden.jpg"));
    startWindow();
    child<QRadioButton>("Case_None")->click();
    settle();
    const auto names = [](const char* a, const char* b, const char* c) {
        return QStringList{QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c)};
    };
    const QStringList byName = names("x 1.jpg", "x 10.jpg", "x 2.jpg");
    const QStringList byNumber = names("x 1.jpg", "x 2.jpg", "x 10.jpg");
    const QStringList byTaken = names("x 10.jpg", "x 1.jpg", "x 2.jpg");
    const QStringList byModified = names("x 2.jpg", "x 10.jpg", "x 1.jpg");
    const struct {
        const char* entry;
        const QStringList& order;
    } reloads[] = {
        {"MainMenu_File_Reload_Taken", byTaken},
        {"MainMenu_File_Reload_Modified", byModified},
        {"MainMenu_File_Reload_Natural", byNumber},
        {"SortbyFileName1", byName},
        {"FileBox_Preview_PopupMenu_ReloadSort_Taken", byTaken},
        {"FileBox_Preview_PopupMenu_ReloadSort_Modified", byModified},
        {"FileBox_Preview_PopupMenu_ReloadSort_Natural", byNumber},
    };
    for (const auto& r : reloads) {
        action(r.entry)->trigger();
        settle();
        QCOMPARE(previewNames(), r.order);
    }
}

void FieldsWindowTest::tagsPageShowsTheFirstCheckedFile() {
    createFile(QStringLiteral("a.txt"));
    test::SampleTags tags;
    tags.artist = "Ärzte";
    writeSong("b.mp3", tags);
    startWindow();
    m_window->workspace().setChecked(0, false);
    action("MainMenu_View_Wizard")->trigger();
    auto* wizard = m_window->findChild<WizardDialog*>();
    QVERIFY(wizard);
    auto* notebook = wizard->findChild<QTabWidget*>(QStringLiteral("W_TabbedNotebook1"));
    notebook->setCurrentIndex(notebook->count() - 1);
    auto* fields = wizard->findChild<QTreeWidget*>(QStringLiteral("W_Tags_Fields"));
    const QList<QTreeWidgetItem*> artist =
        fields->findItems(QStringLiteral("<artist>"), Qt::MatchExactly, 0);
    QCOMPARE(artist.size(), 1);
    QCOMPARE(artist.front()->text(1), QStringLiteral("Ärzte"));
    QVERIFY(wizard->findChild<QLabel*>(QStringLiteral("W_Tags_File"))
                ->text()
                .contains(QStringLiteral("b.mp3")));
}

void FieldsWindowTest::cancelWhileReadingLeavesListsAndUndoAsTheyWere() {
    for (const char* name : {"a.mp3", "b.mp3"})
        createFile(QString::fromUtf8(name));
    startWindow();
    child<QCheckBox>("Replace_UpdateCase")->setChecked(false);
    child<QRadioButton>("Case_None")->click();
    settle();
    press(QStringLiteral("a"), QStringLiteral("A"));
    const QStringList before = previewNames();
    QCOMPARE(before.front(), QStringLiteral("A.mp3"));
    auto* undo = child<QPushButton>("Replace_Undo_Button");
    QVERIFY(undo->isEnabled());

    HeldFields held;
    m_window->workspace().setFieldSource(&held);
    child<QLineEdit>("Replace_From")->setText(QStringLiteral("*"));
    child<QLineEdit>("Replace_To")->setText(QStringLiteral("<artist>"));
    child<QPushButton>("Replace_Button")->click();
    QTRY_VERIFY(held.started);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    held.released = true;
    settle();
    QCOMPARE(previewNames(), before);
    QVERIFY(undo->isEnabled());
    m_window->workspace().setFieldSource(nullptr);
}

// The files are read by the real reader processes; one file makes its
// reader hang for good.
void FieldsWindowTest::aHangingFileStopsNeitherThePressNorItsCancel() {
    qputenv("QUILLON_READER_TEST_FAULTS", "1");
    test::SampleTags tags;
    tags.artist = "AC/DC";
    writeSong("one.mp3", tags);
    test::writeFileBytes(
        QFile::encodeName(m_dir->filePath(QStringLiteral("two.mp3"))).toStdString(),
        "QUILLON-TEST-FAULT:hang\n");
    startWindow();
    child<QCheckBox>("Replace_UpdateCase")->setChecked(false);
    child<QRadioButton>("Case_None")->click();
    settle();

    MediaFieldSource shortDeadline(std::chrono::milliseconds(300));
    m_window->workspace().setFieldSource(&shortDeadline);
    press(QStringLiteral("*"), QStringLiteral("<artist>"));
    QCOMPARE(previewNames(), (QStringList{QStringLiteral("AC-DC.mp3"), QStringLiteral("two.mp3")}));
    QVERIFY(rowData(1, Qt::ToolTipRole).toString().contains(QStringLiteral("could not be read")));
    QVERIFY(child<QLabel>("StatusLine")->text().contains(QStringLiteral("could not be read")));

    // Only the cancel can end this reading before the test's own time runs out.
    child<QAction>("UpdatePreview")->trigger();
    settle();
    MediaFieldSource endless(std::chrono::hours(1));
    m_window->workspace().setFieldSource(&endless);
    child<QPushButton>("Replace_Button")->click();
    QVERIFY(m_window->isWorking());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    settle();
    QCOMPARE(previewNames(), (QStringList{QStringLiteral("one.mp3"), QStringLiteral("two.mp3")}));
    m_window->workspace().setFieldSource(nullptr);
    qunsetenv("QUILLON_READER_TEST_FAULTS");
}

QTEST_MAIN(FieldsWindowTest)
#include "FieldsWindowTest.moc"
