// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "ui/mainwindow/PresetsMenu.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace quillon;
using namespace quillon::test;

// A preset saved in the window drives the command line to the names the
// window's press gives, and choosing it writes the controls back.
class PresetsTest final : public QObject, public MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void savedPresetGivesTheCommandLineTheWindowsNames();
    void choosingAPresetWritesEveryControl();
    void menuListsPresets();
    void numberingEqualNamesIsAKeptOption();
    void nameBoxIsAsWideAsItsTitle();

private:
    void setUpControls();
    PresetsMenu* presets() const { return m_window->findChild<PresetsMenu*>(); }
    QStringList windowChanges() const;

    QTemporaryDir m_config;
};

void PresetsTest::init() {
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    setUpFolder();
    for (const char* name : {"01 my_song.mp3", "02 your%20song.MP3", "03 notes.txt", "readme"})
        createFile(QString::fromLatin1(name));
    startWindow();
}

void PresetsTest::cleanup() {
    tearDown();
    QDir(m_config.path() + QStringLiteral("/quillon")).removeRecursively();
}

// A mask, a pattern, a finishing step, a case mode and an option, as a user sets them.
void PresetsTest::setUpControls() {
    child<QLineEdit>("FileMaskEdit")->setText(QStringLiteral("*.mp3"));
    m_window->load();
    settle();
    child<QLineEdit>("Replace_From")->setText(QStringLiteral("song"));
    child<QLineEdit>("Replace_To")->setText(QStringLiteral("tune"));
    child<QCheckBox>("Replace_DelDigits")->click();
    child<QRadioButton>("Case_FirstLetters")->click();
    settle();
}

QStringList PresetsTest::windowChanges() const {
    QStringList out;
    const QAbstractItemModel* folder = child<QListView>("FileList_Folder")->model();
    const QStringList preview = previewNames();
    for (int row = 0; row < preview.size(); ++row) {
        const QString old = folder->index(row, 0).data(Qt::DisplayRole).toString();
        if (old != preview[row])
            out << old + QStringLiteral(" -> ") + preview[row];
    }
    return out;
}

void PresetsTest::savedPresetGivesTheCommandLineTheWindowsNames() {
    setUpControls();
    QVERIFY(presets()->saveAs(QStringLiteral("Songs")));
    m_window->applyOperation();
    settle();
    const QStringList window = windowChanges();
    QCOMPARE(window.size(), 2);

    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI_PATH),
              {QStringLiteral("--preset"), QStringLiteral("Songs"), m_dir->path()});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, window);
}

void PresetsTest::choosingAPresetWritesEveryControl() {
    setUpControls();
    child<QCheckBox>("Replace_Insert")->click();
    child<QLineEdit>("Replace_InsertFrom")->setText(QStringLiteral("0"));
    child<QLineEdit>("Replace_InsertString")->setText(QStringLiteral(" (live)"));
    child<QAbstractButton>("Replace_Button_Ext_Off")->click(); // both parts
    child<QCheckBox>("Case_Smart_Commas")->setChecked(true);
    child<QCheckBox>("Replace_Regex")->click();
    const Preset saved = presets()->currentSettings();
    QVERIFY(presets()->saveAs(QStringLiteral("Live")));

    // Everything back to other values, then the preset.
    child<QLineEdit>("FileMaskEdit")->setText(QStringLiteral("*.*"));
    child<QLineEdit>("Replace_From")->clear();
    child<QLineEdit>("Replace_To")->clear();
    child<QCheckBox>("Replace_DelDigits")->click();
    child<QCheckBox>("Replace_Insert")->click();
    child<QCheckBox>("Replace_Regex")->click();
    child<QAbstractButton>("Replace_Button_FN_On")->click(); // extensions only
    child<QRadioButton>("Case_None")->click();
    settle();
    QVERIFY(presetText(presets()->currentSettings()) != presetText(saved));
    const QStringList before = previewNames();

    // Through the window's setters: no control is clicked on the user's behalf.
    int clicks = 0;
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
        QObject::connect(button, &QAbstractButton::clicked, m_window.get(),
                         [&clicks] { ++clicks; });
    presets()->choose(QStringLiteral("Live"));
    settle();
    QCOMPARE(clicks, 0);
    QCOMPARE(QString::fromStdString(presetText(presets()->currentSettings())),
             QString::fromStdString(presetText(saved)));
    // Written, not applied: "OK" is the next step, and the names wait for it.
    QVERIFY(child<QPushButton>("Replace_Button")->isEnabled());
    QCOMPARE(child<QListView>("FileBox_Preview")->model()->rowCount(), before.size());
}

// Ticked from the keyboard, it numbers the names a press makes equal and
// goes into the preset with the rest of the group.
void PresetsTest::numberingEqualNamesIsAKeptOption() {
    child<QLineEdit>("FileMaskEdit")->setText(QStringLiteral("*.mp3"));
    m_window->load();
    settle();
    child<QRadioButton>("Case_Lower")->click();
    settle();
    child<QLineEdit>("Replace_From")->setText(QStringLiteral("*"));
    child<QLineEdit>("Replace_To")->setText(QStringLiteral("Same"));
    auto* numbering = child<QCheckBox>("Replace_NumberEqualNames");
    QVERIFY(!numbering->isChecked());
    QVERIFY(numbering->focusPolicy() & Qt::TabFocus);
    numbering->setFocus();
    QTest::keyClick(numbering, Qt::Key_Space);
    QVERIFY(numbering->isChecked());
    m_window->applyOperation();
    settle();
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("same.mp3"), QStringLiteral("same (2).mp3")}));
    QVERIFY(presets()->currentSettings().settings.numberDuplicates);

    QVERIFY(presets()->saveAs(QStringLiteral("Bursts")));
    numbering->click();
    presets()->choose(QStringLiteral("Bursts"));
    settle();
    QVERIFY(numbering->isChecked());
}

void PresetsTest::menuListsPresets() {
    QVERIFY(presets()->saveAs(QStringLiteral("B & B")));
    QVERIFY(presets()->saveAs(QStringLiteral("A")));
    auto* menu = m_window->findChild<QMenu*>(QStringLiteral("MainMenu_File_Presets"));
    QVERIFY(menu);
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("Save Current Settings As…"), QStringLiteral("A"),
                                 QStringLiteral("B && B"), QStringLiteral("Manage Presets…")}));
}

void PresetsTest::nameBoxIsAsWideAsItsTitle() {
    int width = 0;
    int title = 0;
    QTimer::singleShot(0, m_window.get(), [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(box);
        width = box->width();
        title = box->fontMetrics().horizontalAdvance(box->windowTitle());
        box->reject();
    });
    m_window->findChild<QAction*>(QStringLiteral("MainMenu_File_Presets_SaveAs"))->trigger();
    QVERIFY2(width > title, qPrintable(QStringLiteral("%1 <= %2").arg(width).arg(title)));
}

QTEST_MAIN(PresetsTest)
#include "PresetsTest.moc"
