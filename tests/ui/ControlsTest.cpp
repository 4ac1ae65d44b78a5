// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "ui/dialogs/UserQuestions.h"
#include "ui/models/ChangeMarks.h"
#include "ui/models/OldNewListModel.h"
#include "workspace/fields/FieldSource.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>

#include <stdexcept>

using namespace quillon;

namespace {

// A reader that breaks in a way no cancel explains.
class BrokenFields final : public FieldSource {
public:
    std::unique_ptr<FolderFields> openFolder(const std::string&) override {
        throw std::runtime_error("the reader broke");
    }
};

class ToldMessages final : public UserQuestions {
public:
    void tell(QWidget*, MessageKind, const QString& text) override { told << text; }
    QStringList told;
};

} // namespace

class ControlsTest final : public QObject, private test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init() {
        setUpFolder();
        for (const char* n : {"Alpha song.mp3", "beta Song.mp3", "gamma.txt"})
            createFile(QString::fromUtf8(n));
        startWindow();
    }
    void cleanup() { tearDown(); }

    void okEnabledFollowsTheSettings_data();
    void okEnabledFollowsTheSettings();
    void patternKindHidesScopeAndCaseSensitive_data();
    void patternKindHidesScopeAndCaseSensitive();
    void scopeTogglesFollowTheStateMachine();
    void positionBoxesFilterKeysAndTickTheirBox();
    void okRewritesCheckedEntriesAndEscapeUndoes();
    void refusalShowsItsMessageAndDisablesUndo();
    void caseModesRewriteCheckedEntriesOnly();
    void cancelledCaseSwitchPutsTheRadioBack();
    void mostFirstLettersFlipsTheOtherTwoOptions();
    void optionsPanelFloatsOverTheListsAtTheLowerLeft();
    void clearButtonEmptiesBothPatternBoxes();
    void tabGoesFromReplaceToWithAndClearButtonsHaveKeys();
    void typingDuringALoadLandsAndCommandsWaitOrAreOff();
    void changedRunsMarkWhatDiffers_data();
    void changedRunsMarkWhatDiffers();
    void oldAndNewNamesShowBothColumnsWithMarks();
    void failureOfACommandIsShownAndLeavesTheLists();
    void escapeClosesTheOptionsPanelOpenedByItsButton();
    void pictureButtonsAreReachedByKeyboard();
    void splitterClosesPastTheLeftEdgeAndReopens();
    void regularExpressionBoxRunsExpressionsAndRefusesBadOnes();

private:
    void setText(const char* box, const QString& text) { child<QLineEdit>(box)->setText(text); }
    void setChecked(const char* box, bool on) { child<QCheckBox>(box)->setChecked(on); }
    Scope checkedScope() const { return m_window->scope(); }
};

void ControlsTest::okEnabledFollowsTheSettings_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("charToSpaces");
    QTest::addColumn<bool>("trim");
    QTest::addColumn<QString>("trimCount");
    QTest::addColumn<bool>("ok");
    QTest::newRow("defaults") << ""
                              << "" << true << false << "" << true;
    QTest::newRow("no step, no pattern") << ""
                                         << "" << false << false << "" << false;
    QTest::newRow("plain pattern") << "a"
                                   << "" << false << false << "" << true;
    QTest::newRow("With text alone") << ""
                                     << "x" << true << false << "" << false;
    QTest::newRow("slash without With") << "/1/"
                                        << "" << true << false << "" << false;
    QTest::newRow("star text runs as regular but incomplete") << "a*b"
                                                              << "" << true << false << "" << false;
    QTest::newRow("slash with With") << "/1/ - /2/"
                                     << "/2/" << false << false << "" << true;
    QTest::newRow("Delete without Length") << "a"
                                           << "b" << true << true << "" << false;
    QTest::newRow("Delete ready") << "a"
                                  << "b" << true << true << "3" << true;
}

void ControlsTest::okEnabledFollowsTheSettings() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, charToSpaces);
    QFETCH(bool, trim);
    QFETCH(QString, trimCount);
    QFETCH(bool, ok);
    setChecked("Replace_DelExtraSpaces", false);
    setChecked("Replace_CharToSpaces", charToSpaces);
    setText("Replace_TrimFrom", QStringLiteral("1"));
    setText("Replace_TrimCount", trimCount);
    setChecked("Replace_Trim", trim);
    setText("Replace_From", from);
    setText("Replace_To", to);
    QCOMPARE(child<QPushButton>("Replace_Button")->isEnabled(), ok);
}

void ControlsTest::patternKindHidesScopeAndCaseSensitive_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("scopeShown");
    QTest::newRow("star") << "*" << false;
    QTest::newRow("blanks around star") << " * " << false;
    QTest::newRow("star with text") << "a*" << true;
    QTest::newRow("slash") << "/1/" << false;
    QTest::newRow("plain") << "abc" << true;
}

void ControlsTest::patternKindHidesScopeAndCaseSensitive() {
    QFETCH(QString, from);
    QFETCH(bool, scopeShown);
    setText("Replace_From", from);
    QCOMPARE(!child<QWidget>("Replace_FNExtPanel")->isHidden(), scopeShown);
    QCOMPARE(child<QCheckBox>("Replace_Case")->isEnabled(), scopeShown);
}

void ControlsTest::scopeTogglesFollowTheStateMachine() {
    auto click = [this](const char* fnOrExt) {
        const QString pair = QString::fromLatin1(fnOrExt);
        for (const char* suffix : {"_On", "_Off"}) {
            auto* button =
                child<QToolButton>((pair + QLatin1String(suffix)).toLatin1().constData());
            if (!button->isHidden()) {
                button->click();
                return;
            }
        }
    };
    QCOMPARE(checkedScope(), Scope::FileNamesOnly);
    const struct {
        const char* button;
        Scope scope;
    } steps[] = {
        {"Replace_Button_FN", Scope::ExtensionsOnly}, // files -> extensions
        {"Replace_Button_FN", Scope::Both},           // extensions -> both
        {"Replace_Button_FN", Scope::ExtensionsOnly}, // both -> extensions
        {"Replace_Button_Ext", Scope::FileNamesOnly}, // extensions -> files
        {"Replace_Button_Ext", Scope::Both},          // files -> both
        {"Replace_Button_Ext", Scope::FileNamesOnly}, // both -> files
    };
    for (const auto& step : steps) {
        click(step.button);
        QCOMPARE(checkedScope(), step.scope);
        // exactly one image of each pair is shown
        QVERIFY(child<QWidget>("Replace_Button_FN_On")->isHidden() !=
                child<QWidget>("Replace_Button_FN_Off")->isHidden());
        QVERIFY(child<QWidget>("Replace_Button_Ext_On")->isHidden() !=
                child<QWidget>("Replace_Button_Ext_Off")->isHidden());
    }
}

void ControlsTest::positionBoxesFilterKeysAndTickTheirBox() {
    auto* count = child<QLineEdit>("Replace_TrimCount");
    QTest::keyClicks(count, QStringLiteral("a"));
    QVERIFY(!child<QCheckBox>("Replace_Trim")->isChecked());
    QTest::keyClicks(count, QStringLiteral("5"));
    QCOMPARE(count->text(), QStringLiteral("5"));
    QVERIFY(child<QCheckBox>("Replace_Trim")->isChecked());

    auto* pos = child<QLineEdit>("Replace_InsertFrom");
    QTest::keyClicks(pos, QStringLiteral("-2555"));
    QCOMPARE(pos->text(), QStringLiteral("-255"));
    QVERIFY(child<QCheckBox>("Replace_Insert")->isChecked());
    pos->clear();
    QTest::keyClicks(pos, QStringLiteral("1000"));
    QCOMPARE(pos->text(), QStringLiteral("100"));
    // editing keys are not typing: Backspace and Delete work in a full box
    QTest::keyClick(pos, Qt::Key_Backspace);
    QTest::keyClick(pos, Qt::Key_Home);
    QTest::keyClick(pos, Qt::Key_Delete);
    QCOMPARE(pos->text(), QStringLiteral("0"));

    // pasted text is not filtered; the press refuses it instead
    pos->setText(QStringLiteral("x9"));
    QCOMPARE(pos->text(), QStringLiteral("x9"));

    auto* from = child<QLineEdit>("Replace_From");
    // Linux names may hold all of these; "/" and "*" are pattern marks.
    QTest::keyClicks(from, QStringLiteral("a?b|c:<>\\\"/*"));
    QCOMPARE(from->text(), QStringLiteral("a?b|c:<>\\\"/*"));
    auto* insert = child<QLineEdit>("Replace_InsertString");
    QTest::keyClicks(insert, QStringLiteral("x/y:z"));
    QCOMPARE(insert->text(), QStringLiteral("xy:z"));
}

void ControlsTest::okRewritesCheckedEntriesAndEscapeUndoes() {
    setChecked("Replace_UpdateCase", false);
    child<QRadioButton>("Case_None")->click();
    settle();
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("Alpha song.mp3"), QStringLiteral("beta Song.mp3"),
                          QStringLiteral("gamma.txt")}));
    auto* from = child<QLineEdit>("Replace_From");
    from->setFocus();
    QTest::keyClicks(from, QStringLiteral("song"));
    QTest::keyClicks(child<QLineEdit>("Replace_To"), QStringLiteral("Tune"));
    QTest::keyClick(from, Qt::Key_Return);
    settle();
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("Alpha Tune.mp3"), QStringLiteral("beta Tune.mp3"),
                          QStringLiteral("gamma.txt")}));
    auto* undo = child<QPushButton>("Replace_Undo_Button");
    QVERIFY(undo->isEnabled());
    QTest::keyClick(from, Qt::Key_Escape);
    settle();
    QCOMPARE(previewNames().first(), QStringLiteral("Alpha song.mp3"));
    QVERIFY(!undo->isEnabled());
}

void ControlsTest::refusalShowsItsMessageAndDisablesUndo() {
    setText("Replace_From", QStringLiteral("a"));
    setText("Replace_To", QStringLiteral("b"));
    child<QPushButton>("Replace_Button")->click();
    settle();
    QVERIFY(child<QPushButton>("Replace_Undo_Button")->isEnabled());
    const QStringList before = previewNames();

    setText("Replace_To", QStringLiteral("b/c"));
    QString message;
    answerNextMessageBox(&message);
    child<QPushButton>("Replace_Button")->click();
    settle();
    QTRY_VERIFY(!message.isEmpty());
    QCOMPARE(message, QStringLiteral("Regular replacement: The star (*) and\n"
                                     "slash (/) characters cannot be used."));
    QVERIFY(!child<QPushButton>("Replace_Undo_Button")->isEnabled());
    QCOMPARE(previewNames(), before);
}

void ControlsTest::caseModesRewriteCheckedEntriesOnly() {
    QCOMPARE(previewNames().first(), QStringLiteral("Alpha Song.mp3")); // Smart at start
    m_window->workspace().setChecked(1, false);
    child<QRadioButton>("Case_Upper")->click();
    settle();
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("ALPHA SONG.MP3"), QStringLiteral("Beta Song.mp3"),
                          QStringLiteral("GAMMA.TXT")}));
    QVERIFY(child<QToolButton>("Case_Smart_Extra_FakeButton")->isHidden());
    child<QRadioButton>("Case_None")->click();
    settle();
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("Alpha song.mp3"), QStringLiteral("Beta Song.mp3"),
                          QStringLiteral("gamma.txt")}));
    child<QRadioButton>("Case_Smart")->click();
    QVERIFY(!child<QToolButton>("Case_Smart_Extra_FakeButton")->isHidden());
}

// The switch waits behind a command at work (whose end the test does not
// let the window see before it cancels), so the cancel always finds it.
void ControlsTest::cancelledCaseSwitchPutsTheRadioBack() {
    const QStringList smart = previewNames();
    m_window->resetPreview();
    QVERIFY(m_window->isWorking());
    child<QRadioButton>("Case_Upper")->click();
    child<QPushButton>("CancelButton")->click();
    settle();
    QCOMPARE(previewNames(), smart);
    QVERIFY(child<QRadioButton>("Case_Smart")->isChecked());
    QVERIFY(!child<QToolButton>("Case_Smart_Extra_FakeButton")->isHidden());
    // The next switch runs as usual.
    child<QRadioButton>("Case_Upper")->click();
    settle();
    QCOMPARE(previewNames().first(), QStringLiteral("ALPHA SONG.MP3"));
    QVERIFY(child<QRadioButton>("Case_Upper")->isChecked());
}

void ControlsTest::mostFirstLettersFlipsTheOtherTwoOptions() {
    auto* most = child<QCheckBox>("Case_Smart_MostLetters");
    auto* small = child<QCheckBox>("Case_Smart_SmallWords");
    auto* last = child<QCheckBox>("Case_Smart_MostLetters_LastField");
    child<QToolButton>("Case_Smart_Extra_FakeButton")->click();
    QVERIFY(child<QWidget>("Case_Extra_Panel")->isVisible());
    QVERIFY(small->isEnabled() && !last->isEnabled() && last->isHidden());
    most->click();
    QVERIFY(!small->isEnabled() && last->isEnabled() && !last->isHidden());
    most->click();
    QVERIFY(small->isEnabled() && !last->isEnabled() && last->isHidden());
    child<QToolButton>("Case_Smart_Extra_FakeButton")->click();
    QVERIFY(!child<QWidget>("Case_Extra_Panel")->isVisible());
}

void ControlsTest::optionsPanelFloatsOverTheListsAtTheLowerLeft() {
    m_window->resize(m_window->size() + QSize(120, 90));
    child<QToolButton>("Case_Smart_Extra_FakeButton")->click();
    const QRect panel = child<QWidget>("Case_Extra_Panel")->geometry();
    const QRect bottom = child<QWidget>("Panel1")->geometry();
    QCOMPARE(panel.left(), bottom.left() + 4);
    QCOMPARE(panel.bottom() + 1, bottom.top() + 14);
    QVERIFY(panel.top() >= child<QWidget>("FileBox_Preview")->geometry().top());
}

void ControlsTest::clearButtonEmptiesBothPatternBoxes() {
    setText("Replace_From", QStringLiteral("a*"));
    setText("Replace_To", QStringLiteral("b"));
    child<QToolButton>("Replace_ClearFromToBoxesFakeButton")->click();
    QVERIFY(child<QLineEdit>("Replace_From")->text().isEmpty());
    QVERIFY(child<QLineEdit>("Replace_To")->text().isEmpty());
    QVERIFY(child<QLineEdit>("Replace_From")->hasFocus());
    QVERIFY(child<QPushButton>("Replace_Button")->isEnabled());
}

// Typing "a", Tab, " b" puts the blank into "With:", never onto a button
// between the boxes; the clear buttons are reached by the keys their
// tooltips name.
void ControlsTest::tabGoesFromReplaceToWithAndClearButtonsHaveKeys() {
    auto* from = child<QLineEdit>("Replace_From");
    auto* to = child<QLineEdit>("Replace_To");
    m_window->activateWindow();
    from->setFocus();
    QTest::keyClicks(from, QStringLiteral("a"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), to);
    QTest::keyClicks(to, QStringLiteral(" b"));
    QCOMPARE(from->text(), QStringLiteral("a"));
    QCOMPARE(to->text(), QStringLiteral(" b"));

    for (const char* name :
         {"Replace_ClearFromToBoxesFakeButton", "FileMaskEdit_ClearFakeButton"}) {
        auto* clear = child<QToolButton>(name);
        QCOMPARE(clear->focusPolicy(), Qt::NoFocus);
        QVERIFY(!clear->shortcut().isEmpty());
        QVERIFY2(clear->toolTip().contains(clear->shortcut().toString(QKeySequence::NativeText)),
                 name);
    }
    QTest::keySequence(m_window.get(),
                       child<QToolButton>("Replace_ClearFromToBoxesFakeButton")->shortcut());
    QTRY_VERIFY(from->text().isEmpty() && to->text().isEmpty());
}

// While a command works the boxes take what is typed; what would change the
// lists the work replaces is off, and a press asked for meanwhile runs after.
void ControlsTest::typingDuringALoadLandsAndCommandsWaitOrAreOff() {
    auto* from = child<QLineEdit>("Replace_From");
    m_window->activateWindow();
    from->setFocus();
    m_window->load();
    QVERIFY(m_window->isWorking());
    QTest::keyClicks(from, QStringLiteral("song"));
    QTest::keyClicks(child<QLineEdit>("Replace_To"), QStringLiteral("tune"));
    QVERIFY(!previewModel()->flags(previewModel()->index(0, 0)).testFlag(Qt::ItemIsEnabled));
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("SelectAll1"))->isEnabled());
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("MainMenu_File_Save"))->isEnabled());
    QVERIFY(!child<QWidget>("ShellTree1")->isEnabled());
    QTest::keyClick(from, Qt::Key_Return);
    settle();
    QCOMPARE(from->text(), QStringLiteral("song"));
    QCOMPARE(previewNames().at(1).toLower(), QStringLiteral("beta tune.mp3"));
    QVERIFY(previewModel()->flags(previewModel()->index(0, 0)).testFlag(Qt::ItemIsUserCheckable));
    QVERIFY(child<QWidget>("ShellTree1")->isEnabled());
}

void ControlsTest::changedRunsMarkWhatDiffers_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QList<ChangedRun>>("runs");
    using Runs = QList<ChangedRun>;
    QTest::newRow("same") << "a.txt"
                          << "a.txt" << Runs{};
    QTest::newRow("both empty") << ""
                                << "" << Runs{};
    QTest::newRow("case only") << "ab cd.txt"
                               << "Ab Cd.txt" << Runs{{0, 1}, {3, 1}};
    QTest::newRow("inserted") << "song.mp3"
                              << "01 song.mp3" << Runs{{0, 3}};
    QTest::newRow("deleted") << "01 song.mp3"
                             << "song.mp3" << Runs{};
    QTest::newRow("replaced middle") << "a-b-c"
                                     << "a - b - c" << Runs{{1, 7}};
    QTest::newRow("all new") << "x"
                             << "yz" << Runs{{0, 2}};
    QTest::newRow("repeated letters") << "aaa"
                                      << "aaaa" << Runs{{3, 1}};
    // A character outside the basic plane is never split.
    QTest::newRow("surrogates") << QString::fromUtf8("\U0001F600a")
                                << QString::fromUtf8("\U0001F601a") << Runs{{0, 2}};
}

// The marks come from the names alone, cheaply enough for every painted row.
void ControlsTest::changedRunsMarkWhatDiffers() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QList<ChangedRun>, runs);
    QCOMPARE(changedRuns(before, after), runs);
}

void ControlsTest::oldAndNewNamesShowBothColumnsWithMarks() {
    auto* entry = m_window->findChild<QAction*>(QStringLiteral("MainMenu_View_OldAndNew"));
    QVERIFY(entry && entry->isCheckable() && !entry->isChecked());
    setChecked("Replace_UpdateCase", false);
    child<QRadioButton>("Case_None")->click();
    settle();
    setText("Replace_From", QStringLiteral("song"));
    setText("Replace_To", QStringLiteral("Tune"));
    child<QPushButton>("Replace_Button")->click();
    settle();
    entry->trigger();
    auto* view = child<QTreeView>("FileBox_OldAndNew");
    QVERIFY(view->isVisible());
    QVERIFY(!child<QWidget>("FileBox_Preview")->isVisible());
    QVERIFY(!child<QWidget>("DisplayPreview_CB")->isEnabled());
    const QAbstractItemModel* model = view->model();
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Alpha song.mp3"));
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Alpha Tune.mp3"));
    // "song" to "Tune": the shared "n" is no change.
    QCOMPARE(model->index(0, 1).data(OldNewListModel::kChangedRunsRole).value<QList<ChangedRun>>(),
             (QList<ChangedRun>{{6, 2}, {9, 1}}));
    QCOMPARE(model->index(0, 0).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Alpha song.mp3, renamed to Alpha Tune.mp3"));
    QCOMPARE(model->index(2, 1).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("gamma.txt"));
    QVERIFY(model->index(2, 1)
                .data(OldNewListModel::kChangedRunsRole)
                .value<QList<ChangedRun>>()
                .isEmpty());

    // The check boxes are the preview's own.
    QCOMPARE(model->index(1, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    QVERIFY(!model->index(1, 1).data(Qt::CheckStateRole).isValid());
    view->model()->setData(model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    QCOMPARE(previewModel()->index(1, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(),
             Qt::Unchecked);

    entry->trigger();
    QVERIFY(!view->isVisible());
    QVERIFY(child<QWidget>("FileBox_Preview")->isVisible());
    QVERIFY(child<QWidget>("DisplayPreview_CB")->isEnabled());
}

void ControlsTest::failureOfACommandIsShownAndLeavesTheLists() {
    const QStringList before = previewNames();
    auto told = std::make_shared<ToldMessages>();
    m_window->setQuestions(told);
    BrokenFields broken;
    m_window->workspace().setFieldSource(&broken);
    setText("Replace_From", QStringLiteral("*"));
    setText("Replace_To", QStringLiteral("<artist>"));
    child<QPushButton>("Replace_Button")->click();
    settle();
    m_window->workspace().setFieldSource(nullptr);
    QCOMPARE(told->told.size(), 1);
    QVERIFY2(told->told.first().contains(QStringLiteral("the reader broke")),
             qPrintable(told->told.first()));
    QCOMPARE(previewNames(), before);
    // The window goes on as ever.
    setText("Replace_To", QStringLiteral("x"));
    child<QPushButton>("Replace_Button")->click();
    settle();
    QCOMPARE(previewNames().first().toLower(), QStringLiteral("x.mp3"));
}

// A click leaves the focus on the button, outside the panel.
void ControlsTest::escapeClosesTheOptionsPanelOpenedByItsButton() {
    auto* button = child<QToolButton>("Case_Smart_Extra_FakeButton");
    m_window->activateWindow();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(child<QWidget>("Case_Extra_Panel")->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!child<QWidget>("Case_Extra_Panel")->isVisible());
    // Closed, Escape on the button is nothing of the panel's.
    QTest::keyClick(button, Qt::Key_Escape);
    QVERIFY(!child<QWidget>("Case_Extra_Panel")->isVisible());
}

// The picture buttons of the strip and the group take the keyboard's focus.
void ControlsTest::pictureButtonsAreReachedByKeyboard() {
    for (const char* name :
         {"Replace_OptionsWizard", "HelpButton", "ReloadFromDisk_Button2", "SaveToDisk_Button2"}) {
        auto* button = child<QToolButton>(name);
        QVERIFY2(button->focusPolicy() & Qt::TabFocus, name);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(button);
        QVERIFY2(spoken && spoken->state().focusable, name);
    }
}

void ControlsTest::splitterClosesPastTheLeftEdgeAndReopens() {
    auto* splitter = child<QWidget>("PanelSplitter");
    QCOMPARE(m_window->treeWidth(), 220);
    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(1, 5));
    QMouseEvent far(QEvent::MouseMove, QPointF(-400, 5), splitter->mapToGlobal(QPointF(-400, 5)),
                    Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(splitter, &far);
    QVERIFY(m_window->treeWidth() <= 0);
    QMouseEvent back(QEvent::MouseMove, QPointF(50, 5), splitter->mapToGlobal(QPointF(50, 5)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(splitter, &back);
    QCOMPARE(m_window->treeWidth(), 0); // stays shut for the rest of the drag
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(1, 5));
    QCOMPARE(m_window->treeWidth(), 1);

    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(1, 5));
    QApplication::sendEvent(splitter, &back);
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(1, 5));
    QCOMPARE(m_window->treeWidth(), 51);

    // resizing keeps the tree's width and gives the room to the lists
    auto* tree = child<QWidget>("ShellTree1");
    m_window->resize(m_window->width() + 200, m_window->height() + 50);
    QTRY_COMPARE(child<QWidget>("FileBox_Preview")->width(), m_window->width() - 51 - 3);
    QCOMPARE(tree->width(), 51);
}

void ControlsTest::regularExpressionBoxRunsExpressionsAndRefusesBadOnes() {
    auto* regex = child<QCheckBox>("Replace_Regex");
    QVERIFY(!regex->isChecked());
    QVERIFY(!regex->toolTip().isEmpty());
    setChecked("Replace_UpdateCase", false);
    child<QRadioButton>("Case_None")->click();
    settle();
    // "/" marks a pattern, and a pattern has no scope: unless it is an expression.
    setText("Replace_From", QStringLiteral("^(\\w+) (song)/?"));
    QVERIFY(child<QWidget>("Replace_FNExtPanel")->isHidden());
    regex->setChecked(true);
    QVERIFY(!child<QWidget>("Replace_FNExtPanel")->isHidden());
    QVERIFY(child<QCheckBox>("Replace_Case")->isEnabled());
    setText("Replace_To", QStringLiteral("$2 - $1"));
    child<QPushButton>("Replace_Button")->click();
    settle();
    QCOMPARE(previewNames(),
             (QStringList{QStringLiteral("song - Alpha.mp3"), QStringLiteral("Song - beta.mp3"),
                          QStringLiteral("gamma.txt")}));

    const QStringList before = previewNames();
    setText("Replace_From", QStringLiteral("(a|b"));
    QString message;
    answerNextMessageBox(&message);
    child<QPushButton>("Replace_Button")->click();
    settle();
    QTRY_VERIFY(!message.isEmpty());
    QVERIFY2(message.startsWith(QStringLiteral("Regular expression: The expression is not valid.\n"
                                               "At position ")) &&
                 message.contains(QStringLiteral("of the Replace text")),
             qPrintable(message));
    QCOMPARE(previewNames(), before);
}

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
