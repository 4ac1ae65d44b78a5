// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/AboutDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/wizard/WizardDialog.h"
#include "ui/wizard/WizardTagsPage.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace quillon;

namespace {

// Stands in for the main window: the controls the assistants write through
// its access, named as the main window's, and an "OK" whose enabled state
// follows the pattern boxes the way the main window's change handling does.
class StandIn final : public QWidget, public MainWindowAccess {
public:
    StandIn() {
        auto* column = new QVBoxLayout(this);
        for (const char* name : {"Replace_From", "Replace_To", "Replace_TrimFrom",
                                 "Replace_TrimCount", "Replace_InsertFrom", "Replace_InsertString"})
            column->addWidget(named(new QLineEdit(this), name));
        for (const char* name : {"Replace_Trim", "Replace_Insert", "SourceIsPreview"})
            column->addWidget(named(new QCheckBox(this), name));
        for (const char* name : {"Replace_OptionsWizard", "HelpButton"})
            column->addWidget(named(new QToolButton(this), name));
        for (const char* name : {"MainMenu_View_Wizard", "MainMenu_Help_Help"})
            addAction(named(new QAction(this), name));
        ok = named(new QPushButton(QStringLiteral("OK"), this), "Replace_Button");
        column->addWidget(ok);
        for (const char* name : {"Replace_From", "Replace_To"})
            connect(edit(name), &QLineEdit::textChanged, this, &StandIn::enableOk);
        enableOk();
    }

    QLineEdit* edit(const char* name) const {
        return findChild<QLineEdit*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }
    QString text(const char* name) const { return edit(name)->text(); }
    QAbstractButton* button(const char* name) const {
        return findChild<QAbstractButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }
    QAction* action(const char* name) const {
        return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }

    WizardDialog* openWizard() {
        return WizardDialog::open(this, *this, wizard, [this] { return names; });
    }

    void setReplaceText(const QString& text) override { edit("Replace_From")->setText(text); }
    void setWithText(const QString& text) override { edit("Replace_To")->setText(text); }
    void setDeletePosition(const QString& text) override {
        edit("Replace_TrimFrom")->setText(text);
    }
    void setDeleteLength(const QString& text) override { edit("Replace_TrimCount")->setText(text); }
    void setDeleteChecked(bool checked) override { button("Replace_Trim")->setChecked(checked); }
    void setInsertPosition(const QString& text) override {
        edit("Replace_InsertFrom")->setText(text);
    }
    void setInsertText(const QString& text) override {
        edit("Replace_InsertString")->setText(text);
    }
    void setInsertChecked(bool checked) override { button("Replace_Insert")->setChecked(checked); }
    Scope scope() const override { return Scope::FileNamesOnly; }
    void setWizardOpenersEnabled(bool enabled) override {
        action("MainMenu_View_Wizard")->setEnabled(enabled);
        button("Replace_OptionsWizard")->setEnabled(enabled);
    }
    void setHelpOpenersEnabled(bool enabled) override {
        action("MainMenu_Help_Help")->setEnabled(enabled);
        button("HelpButton")->setEnabled(enabled);
    }

    std::vector<Name> names;
    QPointer<WizardDialog> wizard;
    QPointer<HelpWindow> help;
    QPushButton* ok = nullptr;

private:
    template <typename W>
    static W* named(W* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    }

    // "OK" is off while a pattern is incomplete: "/" or "*" without a With text.
    void enableOk() {
        const QString from = text("Replace_From");
        const bool pattern = from.contains(QLatin1Char('/')) || from.contains(QLatin1Char('*'));
        ok->setEnabled(pattern ? !text("Replace_To").isEmpty()
                               : !from.isEmpty() || text("Replace_To").isEmpty());
    }
};

// Closes the next modal message box and reports its text.
class MessageCatcher final : public QObject {
public:
    MessageCatcher() {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                format = box->textFormat();
                box->accept();
                m_timer.stop();
            }
        });
        m_timer.start();
    }
    QString text;
    Qt::TextFormat format = Qt::AutoText;

private:
    QTimer m_timer;
};

template <typename T>
T* child(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no control named %s", name);
    return found;
}

// Waits for the window to hold the focus; a tool window shares its main
// window's activation, so isActiveWindow cannot tell them apart.
void focus(QWidget* window) {
    window->activateWindow();
    QTRY_COMPARE(QGuiApplication::focusWindow(), window->windowHandle());
}

void click(QWidget* window, const char* name) {
    QTest::mouseClick(child<QWidget>(window, name), Qt::LeftButton);
}

} // namespace

class AssistantsTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wizardIsSingleAndStartsFromDefaults();
    void reformatOkWritesBoxesAndOkFollows();
    void reformatErrorStripClearsOnlyOnItsControls();
    void typedDropDownTextLeavesNoItem();
    void deleteSelectionSurvivesRadioAndCountsCodePoints();
    void insertClickPlacesMarkerAndMessageKeepsIt();
    void samplesAndBoxesWorkByKeyboard();
    void numberPageFiltersKeysAndRefusesInABox();
    void extensionPageWritesTokenAndClearsBoxes();
    void enterPressesTheShownPagesOk();
    void helpExampleWritesExactlyItsPair();
    void aboutBoxClosesWithOk();
    void mainWindowOpensAndReleasesTheWizard();
    void tagsPageAddsFieldsAndWritesTheBoxes();

private:
    WizardDialog* openWizard();

    std::unique_ptr<StandIn> m_main;
};

void AssistantsTest::init() {
    m_main = std::make_unique<StandIn>();
    m_main->move(300, 200);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void AssistantsTest::cleanup() {
    m_main.reset();
}

WizardDialog* AssistantsTest::openWizard() {
    WizardDialog* wizard = m_main->openWizard();
    if (!QTest::qWaitForWindowExposed(wizard))
        qWarning("wizard not shown");
    return wizard;
}

void AssistantsTest::wizardIsSingleAndStartsFromDefaults() {
    WizardDialog* wizard = openWizard();
    auto* notebook = child<QTabWidget>(wizard, "W_TabbedNotebook1");
    QCOMPARE(notebook->count(), 6); // the five pages and Tags
    QCOMPARE(notebook->tabText(notebook->currentIndex()), QStringLiteral("Reformat"));
    QVERIFY(!m_main->action("MainMenu_View_Wizard")->isEnabled());
    QVERIFY(!m_main->button("Replace_OptionsWizard")->isEnabled());
    QCOMPARE(wizard->windowTitle(), QStringLiteral("Wizard"));
    QCOMPARE(wizard->pos(), m_main->frameGeometry().topLeft() + QPoint(-50, 70));
    QVERIFY(!wizard->isModal());

    child<QLineEdit>(wizard, "W_Reformat_CurrEdit1")->setText(QStringLiteral("x"));
    notebook->setCurrentIndex(0);
    QCOMPARE(m_main->openWizard(), wizard);
    QCOMPARE(m_main->findChildren<WizardDialog*>().size(), 1);

    wizard->close();
    QVERIFY(m_main->action("MainMenu_View_Wizard")->isEnabled());
    QVERIFY(m_main->button("Replace_OptionsWizard")->isEnabled());
    WizardDialog* second = openWizard();
    QTRY_COMPARE(m_main->findChildren<WizardDialog*>().size(), 1);
    QCOMPARE(m_main->wizard.data(), second);
    QVERIFY(child<QLineEdit>(second, "W_Reformat_CurrEdit1")->text().isEmpty());
    auto* notebook2 = child<QTabWidget>(second, "W_TabbedNotebook1");
    QCOMPARE(notebook2->tabText(notebook2->currentIndex()), QStringLiteral("Reformat"));
}

void AssistantsTest::reformatOkWritesBoxesAndOkFollows() {
    m_main->edit("Replace_From")->setText(QStringLiteral("/1/"));
    QVERIFY(!m_main->ok->isEnabled());
    WizardDialog* wizard = openWizard();
    QSignalSpy from(m_main->edit("Replace_From"), &QLineEdit::textChanged);
    QTest::mouseClick(child<QLabel>(wizard, "Label27"), Qt::LeftButton);
    QCOMPARE(from.count(), 0); // an example fills the page only
    click(wizard, "W_Reformat_OKButton");
    QCOMPARE(m_main->text("Replace_From"), QStringLiteral("/1/ (/2/)"));
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("/2/ - /1/"));
    QVERIFY(m_main->ok->isEnabled());

    click(wizard, "W_Reformat_ClearButton");
    QVERIFY(m_main->text("Replace_From").isEmpty());
    QVERIFY(m_main->text("Replace_To").isEmpty());
    QCOMPARE(child<QComboBox>(wizard, "W_Reformat_NewCombo1")->currentIndex(), 1);
    QCOMPARE(child<QComboBox>(wizard, "W_Reformat_NewCombo3")->currentIndex(), 3);
}

void AssistantsTest::reformatErrorStripClearsOnlyOnItsControls() {
    WizardDialog* wizard = openWizard();
    auto* strip = child<QLabel>(wizard, "W_Reformat_ErrPanel");
    auto* curr2 = child<QLineEdit>(wizard, "W_Reformat_CurrEdit2");
    auto* curr4 = child<QLineEdit>(wizard, "W_Reformat_CurrEdit4");
    const QColor normal = curr4->palette().color(QPalette::Base);
    const QColor highlight(255, 255, 198);
    QVERIFY(!strip->isVisible());

    curr2->setText(QStringLiteral("-"));
    curr4->setText(QStringLiteral("x"));
    click(wizard, "W_Reformat_OKButton"); // check 3
    QVERIFY(strip->isVisible());
    QCOMPARE(strip->text(),
             QStringLiteral("You must select \"Field 3\" if you want to specify a delimiter."));
    QCOMPARE(curr4->palette().color(QPalette::Base), highlight);
    QCOMPARE(child<QComboBox>(wizard, "W_Reformat_CurrCombo2")->palette().color(QPalette::Base),
             highlight);
    QVERIFY(m_main->text("Replace_From").isEmpty());

    curr4->clear(); // not a clearing control: the display stays, also through a good OK
    click(wizard, "W_Reformat_OKButton");
    QVERIFY(strip->isVisible());
    QCOMPARE(m_main->text("Replace_From"), QStringLiteral("/1/-/2/"));

    child<QComboBox>(wizard, "W_Reformat_NewCombo2")->setCurrentIndex(2);
    QVERIFY(!strip->isVisible());
    QCOMPARE(curr4->palette().color(QPalette::Base), normal);

    click(wizard, "W_Reformat_OKButton"); // check 5
    QVERIFY(strip->isVisible());
    QCOMPARE(child<QComboBox>(wizard, "W_Reformat_NewCombo2")->palette().color(QPalette::Base),
             highlight);
    QCOMPARE(child<QComboBox>(wizard, "W_Reformat_NewCombo1")->palette().color(QPalette::Base),
             normal);
    curr2->setText(QStringLiteral("+"));
    QVERIFY(!strip->isVisible());
}

void AssistantsTest::typedDropDownTextLeavesNoItem() {
    WizardDialog* wizard = openWizard();
    child<QLineEdit>(wizard, "W_Reformat_CurrEdit2")->setText(QStringLiteral("-"));
    auto* combo = child<QComboBox>(wizard, "W_Reformat_NewCombo1");
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Fi"));
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), QStringLiteral("Fi"));
    click(wizard, "W_Reformat_OKButton");
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("/0//1/"));

    // Picking an item again selects it.
    combo->setCurrentIndex(2);
    QCOMPARE(combo->currentText(), QStringLiteral("Field 3"));
}

void AssistantsTest::deleteSelectionSurvivesRadioAndCountsCodePoints() {
    m_main->names = {Name(U"a.txt"), Name(U"Hé😀day 01.mp3"), Name(U"b.txt")};
    WizardDialog* wizard = openWizard();
    child<QTabWidget>(wizard, "W_TabbedNotebook1")->setCurrentIndex(2);
    auto* sample = child<QLineEdit>(wizard, "W_Del_Edit");
    QCOMPARE(sample->text(), QString::fromUtf8("Hé😀day 01"));
    QCOMPARE(child<QLineEdit>(wizard, "W_Ins_Edit")->text(), sample->text());

    MessageCatcher nothing;
    click(wizard, "W_Del_OKButton");
    QCOMPARE(nothing.text, QStringLiteral("Select the substring with the mouse."));
    QVERIFY(m_main->text("Replace_TrimFrom").isEmpty());

    sample->setFocus();
    sample->setSelection(4, 3); // "day": UTF-16 index 4 is code point 3
    click(wizard, "W_Del_R2LCB");
    QCOMPARE(sample->selectedText(), QStringLiteral("day"));
    click(wizard, "W_Del_OKButton");
    QCOMPARE(m_main->text("Replace_TrimFrom"), QStringLiteral("-6"));
    QCOMPARE(m_main->text("Replace_TrimCount"), QStringLiteral("3"));
    QVERIFY(m_main->button("Replace_Trim")->isChecked());

    // Back from the main window the sample is read again.
    m_main->names.push_back(Name(U"longer name here.txt"));
    focus(m_main.get());
    focus(wizard);
    QCOMPARE(sample->text(), QStringLiteral("longer name here"));
    QVERIFY(!sample->hasSelectedText());

    sample->setSelection(0, 6);
    click(wizard, "W_Del_ClearButton");
    QVERIFY(m_main->text("Replace_TrimFrom").isEmpty());
    QVERIFY(m_main->text("Replace_TrimCount").isEmpty());
    QVERIFY(!m_main->button("Replace_Trim")->isChecked());
    QVERIFY(child<QRadioButton>(wizard, "W_Del_L2RCB")->isChecked());
    QVERIFY(!sample->hasSelectedText());
}

void AssistantsTest::samplesAndBoxesWorkByKeyboard() {
    m_main->names = {Name(U"Holiday 01.mp3")};
    WizardDialog* wizard = openWizard();
    focus(wizard);
    auto* notebook = child<QTabWidget>(wizard, "W_TabbedNotebook1");
    for (const char* name : {"W_Ins_Edit", "W_Ins_Edit_Str", "W_Del_Edit", "W_Number_Padding"})
        QVERIFY2(child<QWidget>(wizard, name)->focusPolicy() & Qt::TabFocus, name);

    // Insert: the caret moved by arrows, Space clicks there.
    notebook->setCurrentIndex(1);
    auto* sample = child<QLineEdit>(wizard, "W_Ins_Edit");
    sample->setFocus(Qt::TabFocusReason);
    QVERIFY(!sample->hasSelectedText());
    QTest::keyClick(sample, Qt::Key_Home);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(sample, Qt::Key_Right);
    QTest::keyClick(sample, Qt::Key_Space);
    QCOMPARE(sample->text(), QStringLiteral("Holiday// 01"));

    // Delete: a selection made by keyboard outlives Tab away and back.
    notebook->setCurrentIndex(2);
    auto* deleteSample = child<QLineEdit>(wizard, "W_Del_Edit");
    deleteSample->setFocus(Qt::TabFocusReason);
    QVERIFY(!deleteSample->hasSelectedText());
    QTest::keyClick(deleteSample, Qt::Key_End);
    QTest::keyClick(deleteSample, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(deleteSample, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(deleteSample->selectedText(), QStringLiteral("01"));
    child<QWidget>(wizard, "W_Del_R2LCB")->setFocus(Qt::TabFocusReason);
    deleteSample->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(deleteSample->selectedText(), QStringLiteral("01"));
}

void AssistantsTest::insertClickPlacesMarkerAndMessageKeepsIt() {
    m_main->names = {Name(U"Holiday 01.mp3")};
    WizardDialog* wizard = openWizard();
    child<QTabWidget>(wizard, "W_TabbedNotebook1")->setCurrentIndex(1);
    auto* sample = child<QLineEdit>(wizard, "W_Ins_Edit");
    sample->setCursorPosition(7);
    const QPoint afterHoliday = sample->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QTest::mouseClick(sample, Qt::LeftButton, {}, afterHoliday);
    QCOMPARE(sample->text(), QStringLiteral("Holiday// 01"));
    QCOMPARE(sample->selectedText(), QStringLiteral("//"));

    MessageCatcher noString;
    click(wizard, "Button1");
    QCOMPARE(noString.text, QStringLiteral("No string entered."));
    QCOMPARE(noString.format, Qt::PlainText);
    // Back from its own box the page keeps its marker.
    focus(wizard);
    QCOMPARE(sample->text(), QStringLiteral("Holiday// 01"));

    auto* string = child<QLineEdit>(wizard, "W_Ins_Edit_Str");
    string->setFocus();
    QTest::keyClicks(string, QStringLiteral("x*:/y"));
    QCOMPARE(string->text(), QStringLiteral("x:y")); // the star would make a pattern
    QCOMPARE(sample->selectedText(), QStringLiteral("//"));
    click(wizard, "Button1");
    QCOMPARE(m_main->text("Replace_InsertFrom"), QStringLiteral("8"));
    QCOMPARE(m_main->text("Replace_InsertString"), QStringLiteral("x:y"));
    QVERIFY(m_main->button("Replace_Insert")->isChecked());

    click(wizard, "W_Ins_ClearButton");
    QCOMPARE(sample->text(), QStringLiteral("Holiday 01"));
    QVERIFY(string->text().isEmpty());
    QVERIFY(!m_main->button("Replace_Insert")->isChecked());
    QVERIFY(m_main->text("Replace_InsertFrom").isEmpty());
}

void AssistantsTest::numberPageFiltersKeysAndRefusesInABox() {
    WizardDialog* wizard = openWizard();
    auto* start = child<QLineEdit>(wizard, "W_Number_Edit4");
    start->setFocus();
    start->selectAll();
    QTest::keyClicks(start, QStringLiteral("-a 0 07x9"));
    QCOMPARE(start->text(), QStringLiteral("0079")); // digits only, at most 4
    QTest::keyClick(start, Qt::Key_Backspace);
    QCOMPARE(start->text(), QStringLiteral("007"));

    auto* text1 = child<QLineEdit>(wizard, "W_Number_Edit1");
    text1->setFocus();
    QTest::keyClicks(text1, QStringLiteral("Trip <1>/*"));
    QCOMPARE(text1->text(), QStringLiteral("Trip <1>"));

    child<QComboBox>(wizard, "W_Number_Combo2")->setCurrentIndex(0);
    MessageCatcher once;
    click(wizard, "W_Number_OKButton");
    QCOMPARE(once.text,
             QStringLiteral("You may select \"Numbers\" and \"Old File Names\" only once."));
    QVERIFY(m_main->text("Replace_To").isEmpty());

    child<QComboBox>(wizard, "W_Number_Combo2")->setCurrentIndex(1);
    start->clear();
    child<QCheckBox>(wizard, "W_Number_Padding")->setChecked(false);
    click(wizard, "W_Number_OKButton");
    QCOMPARE(m_main->text("Replace_From"), QStringLiteral("*"));
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("Trip <1>/1/*"));
    QCOMPARE(start->text(), QStringLiteral("1"));
    QVERIFY(child<QCheckBox>(wizard, "W_Number_Padding")->isChecked());
}

void AssistantsTest::extensionPageWritesTokenAndClearsBoxes() {
    WizardDialog* wizard = openWizard();
    auto* extension = child<QLineEdit>(wizard, "W_Extension_Edit1");
    extension->setFocus();
    QTest::keyClicks(extension, QStringLiteral("m.p*g/"));
    QCOMPARE(extension->text(), QStringLiteral("m.pg"));
    click(wizard, "Button2");
    QCOMPARE(m_main->text("Replace_From"), QStringLiteral("*"));
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("/.m.pg/"));
    click(wizard, "Button3");
    QVERIFY(extension->text().isEmpty());
    QVERIFY(m_main->text("Replace_From").isEmpty());
    click(wizard, "Button2");
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("/./"));
}

void AssistantsTest::enterPressesTheShownPagesOk() {
    WizardDialog* wizard = openWizard();
    auto* notebook = child<QTabWidget>(wizard, "W_TabbedNotebook1");
    notebook->setCurrentIndex(4);
    QVERIFY(child<QPushButton>(wizard, "Button2")->isDefault());
    QVERIFY(!child<QPushButton>(wizard, "W_Reformat_OKButton")->isDefault());
    auto* extension = child<QLineEdit>(wizard, "W_Extension_Edit1");
    extension->setFocus();
    QTest::keyClicks(extension, QStringLiteral("txt"));
    QTest::keyClick(extension, Qt::Key_Return);
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("/.txt/"));
    QCOMPARE(child<QPushButton>(wizard, "Button2")->focusPolicy(), Qt::NoFocus);
}

void AssistantsTest::helpExampleWritesExactlyItsPair() {
    m_main->edit("Replace_From")->setText(QStringLiteral("old"));
    m_main->edit("Replace_TrimFrom")->setText(QStringLiteral("2"));
    HelpWindow* help = HelpWindow::open(m_main.get(), *m_main, m_main->help);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QCOMPARE(help->windowTitle(), QStringLiteral("HelpForm"));
    QVERIFY(!m_main->action("MainMenu_Help_Help")->isEnabled());
    QVERIFY(!m_main->button("HelpButton")->isEnabled());
    QCOMPARE(HelpWindow::open(m_main.get(), *m_main, m_main->help), help);
    QCOMPARE(help->findChildren<QLabel*>(
                     QRegularExpression(QStringLiteral("^Replace_Replace_Help_Example\\d+$")))
                 .size(),
             16);

    QSignalSpy from(m_main->edit("Replace_From"), &QLineEdit::textChanged);
    QSignalSpy to(m_main->edit("Replace_To"), &QLineEdit::textChanged);
    QTest::mouseClick(child<QLabel>(help, "Replace_Replace_Help_Example104"), Qt::LeftButton);
    QCOMPARE(m_main->text("Replace_From"), QStringLiteral("/1/ (/2/ - /3/)"));
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("/3/ - /2/ - /1/"));
    auto* example214 =
        child<QLabel>(help, "Replace_Replace_Help_Example211Replace_Replace_Help_Example214");
    QCOMPARE(example214->text(), QStringLiteral("/.txt/"));
    QTest::mouseClick(example214, Qt::LeftButton);
    QCOMPARE(m_main->text("Replace_From"), QStringLiteral("*"));
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("/.txt/"));
    QCOMPARE(from.count(), 2);
    QCOMPARE(to.count(), 2);
    QCOMPARE(m_main->text("Replace_TrimFrom"), QStringLiteral("2"));
    QVERIFY(m_main->ok->isEnabled());

    help->close();
    QVERIFY(m_main->action("MainMenu_Help_Help")->isEnabled());
    QVERIFY(m_main->button("HelpButton")->isEnabled());
    QTRY_VERIFY(!m_main->help);
}

void AssistantsTest::aboutBoxClosesWithOk() {
    QString title;
    QString caption;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        caption = child<QLabel>(box, "Label1")->text();
        click(box, "OKButton");
    });
    QCOMPARE(AboutDialog::run(m_main.get()), int(QDialog::Accepted));
    QCOMPARE(title, QStringLiteral("About Quillon"));
    QCOMPARE(caption, QStringLiteral("Quillon 0.1.0"));
    QVERIFY(m_main->findChildren<AboutDialog*>().isEmpty());
}

void AssistantsTest::mainWindowOpensAndReleasesTheWizard() {
    m_main.reset();
    QTemporaryDir dir;
    PosixFileSystem disk;
    MainWindow window(QFile::encodeName(dir.path()), disk);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* entry = window.findChild<QAction*>(QStringLiteral("MainMenu_View_Wizard"));
    entry->trigger();
    const auto wizards = window.findChildren<WizardDialog*>();
    QCOMPARE(wizards.size(), 1);
    QVERIFY(!entry->isEnabled());
    QVERIFY(child<QLineEdit>(wizards.front(), "W_Del_Edit")->text().isEmpty());
    wizards.front()->close();
    QVERIFY(entry->isEnabled());
    window.findChild<QAction*>(QStringLiteral("MainMenu_Help_Help"))->trigger();
    QCOMPARE(window.findChildren<HelpWindow*>().size(), 1);
}

void AssistantsTest::tagsPageAddsFieldsAndWritesTheBoxes() {
    SelectedFileFields selected;
    selected.name = U"01 Back.mp3";
    selected.fields.setText(Field::Title, "Back\nin Black");
    selected.fields.setText(Field::Artist, "AC/DC");
    selected.fields.setDate(Field::Modified, {2024, 5, 6, 7, 8, 9});
    auto* wizard = WizardDialog::open(m_main.get(), *m_main, m_main->wizard, {},
                                      [&selected] { return selected; });
    QVERIFY(QTest::qWaitForWindowExposed(wizard));
    auto* notebook = child<QTabWidget>(wizard, "W_TabbedNotebook1");
    QCOMPARE(notebook->tabText(notebook->count() - 1), QStringLiteral("Tags"));
    notebook->setCurrentIndex(notebook->count() - 1);
    auto* fields = child<QTreeWidget>(wizard, "W_Tags_Fields");
    QVERIFY(!fields->accessibleName().isEmpty());
    QCOMPARE(fields->topLevelItemCount(), 3);
    const QStringList expected[] = {
        {QStringLiteral("<artist>"), QStringLiteral("AC/DC")},
        {QStringLiteral("<title>"), QStringLiteral("Back in Black")},
        {QStringLiteral("<modified>"), QStringLiteral("2024-05-06 07:08:09")}};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(fields->topLevelItem(row)->text(0), expected[row][0]);
        QCOMPARE(fields->topLevelItem(row)->text(1), expected[row][1]);
    }
    QVERIFY(child<QLabel>(wizard, "W_Tags_File")->text().contains(QStringLiteral("01 Back.mp3")));
    // The table takes the page's spare height, not an empty area under the
    // With row.
    QTRY_VERIFY(fields->isVisible());
    const int withBottom = child<QLineEdit>(wizard, "W_Tags_With")->geometry().bottom();
    QVERIFY(child<QWidget>(wizard, "W_Tags_OKButton")->geometry().top() - withBottom < 20);

    // A click, Space and Enter each add the field at the cursor; Enter does
    // not press OK.
    auto* with = child<QLineEdit>(wizard, "W_Tags_With");
    QTest::mouseClick(fields->viewport(), Qt::LeftButton, {},
                      fields->visualItemRect(fields->topLevelItem(0)).center());
    QTest::keyClicks(with, QStringLiteral(" - "));
    fields->setFocus();
    fields->setCurrentItem(fields->topLevelItem(1));
    QTest::keyClick(fields, Qt::Key_Space);
    with->setCursorPosition(0);
    fields->setCurrentItem(fields->topLevelItem(2));
    QTest::keyClick(fields, Qt::Key_Return);
    QCOMPARE(with->text(), QStringLiteral("<modified><artist> - <title>"));
    QVERIFY(m_main->text("Replace_From").isEmpty());

    click(wizard, "W_Tags_OKButton");
    QCOMPARE(m_main->text("Replace_From"), QStringLiteral("*"));
    QCOMPARE(m_main->text("Replace_To"), QStringLiteral("<modified><artist> - <title>"));
    click(wizard, "W_Tags_ClearButton");
    QVERIFY(with->text().isEmpty());
    QVERIFY(m_main->text("Replace_To").isEmpty());

    // Read again on each showing: no file checked any more.
    selected = {};
    notebook->setCurrentIndex(0);
    notebook->setCurrentIndex(notebook->count() - 1);
    QCOMPARE(fields->topLevelItemCount(), 0);
    QCOMPARE(child<QLabel>(wizard, "W_Tags_File")->text(), QStringLiteral("No file is selected."));
}

QTEST_MAIN(AssistantsTest)
#include "AssistantsTest.moc"
