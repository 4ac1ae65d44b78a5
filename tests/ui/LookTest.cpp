// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "ui/help/HelpWindow.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/wizard/WizardDialog.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

using namespace quillon;

// How the main window looks and answers the keyboard under the user's
// fonts, themes and screen readers. Run once more with QT_SCALE_FACTOR=2.
class LookTest final : public QObject, private test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionsFitAtEveryFontSize_data();
    void captionsFitAtEveryFontSize();
    void windowFitsASmallScreenAtLargeText_data();
    void windowFitsASmallScreenAtLargeText();
    void groupContentsStayInsideTheirFrames_data();
    void groupContentsStayInsideTheirFrames();
    void replaceGroupStaysPutWhateverShows();
    void captionsReadUnderEveryPalette_data();
    void captionsReadUnderEveryPalette();
    void glyphsStandOutUnderEveryPaletteAndGrowWithText_data();
    void glyphsStandOutUnderEveryPaletteAndGrowWithText();
    void arrowKeysInTheTreeDoNotLoad();
    void enterInTheTreeLoadsWithoutPressingOk();
    void everyControlHasANameAndFieldsTheirLabels();
    void scopeTogglesWorkByKeyboard();
    void desktopShortcutsRunTheirCommands();
    void menuBarOpensByLetterAndWalksWithArrows();
    void escapeClosesTheAssistantsAndTheOptionsPanel();
    void positionBoxesSayWhichBoxTheyBelongTo();
    void screenReadersMeetNoNamelessPart();
    void examplesRunByKeyboardAndReadAsButtons();
    void namesAreShortAndSayWhatExamplesDo();
    void screenReadersMeetTheWindowNamedEditsAndNoHiddenControls();

private:
    void createSubfolderFile(const QString& folder, const QString& name);
    void activate() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    QPoint placeOf(const char* name) const {
        return child<QWidget>(name)->mapTo(m_window.get(), QPoint(0, 0));
    }

    QFont m_font;
    QPalette m_palette;
};

namespace {

QPalette highContrastPalette() {
    QPalette contrast;
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        contrast.setColor(role, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        contrast.setColor(role, Qt::white);
    contrast.setColor(QPalette::Link, Qt::yellow);
    return contrast;
}

QString captionOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return {};
}

// Widgets with a caption of their own, shown in the window.
QList<QWidget*> captioned(QWidget* window) {
    QList<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isVisibleTo(window) && !captionOf(w).isEmpty() && !w->isWindow())
            out << w;
    }
    return out;
}

// The colour a widget's text is painted on: the nearest filled ancestor's.
QColor backgroundOf(const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return widget->palette().color(QPalette::Window);
}

// pixel as it shows over background.
QColor blend(const QColor& pixel, const QColor& background) {
    const float a = pixel.alphaF();
    return QColor::fromRgbF(pixel.redF() * a + background.redF() * (1 - a),
                            pixel.greenF() * a + background.greenF() * (1 - a),
                            pixel.blueF() * a + background.blueF() * (1 - a));
}

// The frame lines a group box paints itself, found in its picture drawn
// without its children: the outermost lines right of the title and halfway
// down.
QRect drawnFrame(QGroupBox* group) {
    QImage own(group->size(), QImage::Format_ARGB32);
    group->render(&own, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const int x = (group->width() + group->fontMetrics().horizontalAdvance(group->title())) / 2;
    const int y = group->height() / 2;
    const QRgb background = own.pixel(x, 0);
    int top = -1;
    int bottom = -1;
    int left = -1;
    int right = -1;
    for (int row = 0; row < own.height(); ++row) {
        if (own.pixel(x, row) != background) {
            top = top < 0 ? row : top;
            bottom = row;
        }
    }
    for (int column = 0; column < own.width(); ++column) {
        if (own.pixel(column, y) != background) {
            left = left < 0 ? column : left;
            right = column;
        }
    }
    return {QPoint(left, top), QPoint(right, bottom)};
}

QColor textColourOf(const QWidget* widget) {
    const QVariant caption = widget->property("captionColour");
    if (caption.isValid())
        return caption.value<QColor>();
    return widget->palette().color(widget->foregroundRole());
}

// Room for the caption, whatever the kind of control.
int roomNeeded(const QWidget* widget) {
    const QString text = captionOf(widget).remove(QLatin1Char('&'));
    const int advance = widget->fontMetrics().horizontalAdvance(text);
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget))
        return widget->sizeHint().width();
    if (qobject_cast<const QGroupBox*>(widget))
        return advance + 6;
    return advance;
}

} // namespace

void LookTest::init() {
    m_font = QApplication::font();
    m_palette = QApplication::palette();
    setUpFolder();
    for (const char* n : {"Alpha song.mp3", "beta Song.mp3", "gamma.txt"})
        createFile(QString::fromUtf8(n));
}

void LookTest::cleanup() {
    tearDown();
    QApplication::setFont(m_font);
    QApplication::setPalette(m_palette);
}

void LookTest::createSubfolderFile(const QString& folder, const QString& name) {
    QVERIFY(QDir(m_dir->path()).mkpath(folder));
    createFile(folder + QLatin1Char('/') + name);
}

void LookTest::captionsFitAtEveryFontSize_data() {
    QTest::addColumn<int>("points");
    for (int points = 8; points <= 14; ++points)
        QTest::newRow(qPrintable(QStringLiteral("%1 pt").arg(points))) << points;
}

void LookTest::captionsFitAtEveryFontSize() {
    QFETCH(int, points);
    QFont font = m_font;
    font.setPointSize(points);
    QApplication::setFont(font);
    startWindow();
    // The smallest the window goes, with the Smart options open.
    m_window->resize(m_window->minimumSize());
    child<QToolButton>("Case_Smart_Extra_FakeButton")->click();
    QApplication::processEvents();
    for (QWidget* w : captioned(m_window.get())) {
        const auto* label = qobject_cast<const QLabel*>(w);
        if (label && label->wordWrap())
            continue;
        QVERIFY2(roomNeeded(w) <= w->width(),
                 qPrintable(w->objectName() + QLatin1Char(' ') + captionOf(w)));
        QVERIFY2(w->fontMetrics().height() <= w->height(), qPrintable(captionOf(w)));
    }
    QVERIFY(m_window->height() >= 480 && m_window->width() >= 640);

    // Every paragraph of the help gets the height its width needs.
    m_window->openHelp();
    auto* picture = m_window->findChild<QLabel*>(QStringLiteral("Help_Picture"));
    QVERIFY(picture);
    QTRY_VERIFY(picture->isVisible());
    QVERIFY(picture->height() >= picture->heightForWidth(picture->width()));
}

void LookTest::windowFitsASmallScreenAtLargeText_data() {
    QTest::addColumn<int>("points");
    for (const int points : {9, 14, 20})
        QTest::newRow(qPrintable(QStringLiteral("%1 pt").arg(points))) << points;
}

// A screen of 640 x 480 (logical) pixels holds the window at any size of
// text: the lists shrink, the groups scroll, and "OK" can be reached.
void LookTest::windowFitsASmallScreenAtLargeText() {
    QFETCH(int, points);
    QFont font = m_font;
    font.setPointSize(points);
    QApplication::setFont(font);
    startWindow();
    const QSize screen(640, 480);
    QVERIFY(m_window->minimumSize().boundedTo(screen) == m_window->minimumSize());
    QVERIFY(m_window->minimumSizeHint().boundedTo(screen) == m_window->minimumSizeHint());
    QVERIFY(m_window->layout()->totalMinimumSize().boundedTo(screen) ==
            m_window->layout()->totalMinimumSize());
    m_window->resize(screen);
    QTRY_COMPARE(m_window->size(), screen);
    QApplication::processEvents();

    // The strip's controls lie inside the window.
    for (const char* name : {"mainmenu1", "ReloadFromDisk_Button2", "SaveToDisk_Button2",
                             "DisplayPreview_CB", "FileMaskEdit", "FileMaskEdit_ClearFakeButton"}) {
        const QRect place(placeOf(name), child<QWidget>(name)->size());
        QVERIFY2(m_window->rect().contains(place), name);
    }
    QVERIFY(child<QWidget>("FileBox_Preview")->height() > 0);
    // The bottom groups scroll to the button that matters most.
    auto* bottom = child<QScrollArea>("Panel1");
    auto* ok = child<QWidget>("Replace_Button");
    bottom->ensureWidgetVisible(ok);
    const QRect okPlace(ok->mapTo(bottom->viewport(), QPoint(0, 0)), ok->size());
    QVERIFY(bottom->viewport()->rect().contains(okPlace));
}

void LookTest::groupContentsStayInsideTheirFrames_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<QPalette>("palette");
    for (const int points : {8, 14})
        QTest::newRow(qPrintable(QStringLiteral("%1 pt").arg(points))) << points << m_palette;
    QTest::newRow("dark") << 9 << darkPalette();
}

// The first row of a group starts below its title and frame line, and the
// last ends above the frame's bottom line.
void LookTest::groupContentsStayInsideTheirFrames() {
    QFETCH(int, points);
    QFETCH(QPalette, palette);
    QFont font = m_font;
    font.setPointSize(points);
    QApplication::setFont(font);
    QApplication::setPalette(palette);
    startWindow();
    for (const char* name : {"Case_", "Replacement"}) {
        auto* group = child<QGroupBox>(name);
        const QRect frame = drawnFrame(group);
        QVERIFY2(frame.isValid(), name);
        for (QWidget* w : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisible())
                continue;
            const QRect place = w->geometry();
            QVERIFY2(frame.adjusted(1, 1, -1, -1).contains(place),
                     qPrintable(QStringLiteral("%1 at top %2, bottom %3; frame %4 to %5")
                                    .arg(w->objectName())
                                    .arg(place.top())
                                    .arg(place.bottom())
                                    .arg(frame.top())
                                    .arg(frame.bottom())));
        }
    }
}

void LookTest::replaceGroupStaysPutWhateverShows() {
    startWindow();
    const char* const watched[] = {"Replace_From",          "Replace_To",
                                   "Replace_OptionsWizard", "HelpButton",
                                   "Replace_TrimFrom",      "Replace_InsertString",
                                   "Replace_Button",        "Replace_DelExtraSpaces",
                                   "FileMaskEdit"};
    QList<QPoint> before;
    for (const char* name : watched)
        before << placeOf(name);
    const auto unmoved = [&](const char* step) {
        QApplication::processEvents();
        for (int i = 0; i < static_cast<int>(std::size(watched)); ++i)
            QVERIFY2(placeOf(watched[i]).x() == before[i].x(),
                     qPrintable(QString::fromLatin1(watched[i]) + QLatin1String(" after ") +
                                QLatin1String(step)));
    };
    for (const char* mode :
         {"Case_FirstLetters", "Case_Lower", "Case_Upper", "Case_None", "Case_Smart"}) {
        child<QRadioButton>(mode)->click();
        unmoved(mode);
    }
    child<QLineEdit>("Replace_From")->setText(QStringLiteral("*"));
    QVERIFY(child<QWidget>("Replace_FNExtPanel")->isHidden());
    unmoved("a pattern without scope");
    child<QLineEdit>("Replace_From")->setText(QStringLiteral("/1/"));
    unmoved("a slash");
    // While saving, the bar stands in for the check box.
    child<QWidget>("DisplayPreview_CB")->hide();
    child<QProgressBar>("ProgressBar")->show();
    unmoved("the progress bar");
}

void LookTest::captionsReadUnderEveryPalette_data() {
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("light") << QPalette(QColor(239, 239, 239));
    QTest::newRow("dark") << darkPalette();
    QTest::newRow("high contrast") << highContrastPalette();
}

void LookTest::captionsReadUnderEveryPalette() {
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    startWindow();
    child<QToolButton>("Case_Smart_Extra_FakeButton")->click();
    QApplication::processEvents();
    m_window->openWizard();
    m_window->openHelp();
    auto* wizard = m_window->findChild<WizardDialog*>();
    const QList<QWidget*> windows{m_window.get(), wizard, m_window->findChild<HelpWindow*>()};
    for (QWidget* window : windows) {
        QVERIFY(window);
        QTRY_VERIFY(window->isVisible());
        // Every page of the wizard, in turn.
        auto* pages = window == wizard ? wizard->findChild<QTabWidget*>() : nullptr;
        for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
            if (pages)
                pages->setCurrentIndex(page);
            for (QWidget* w : captioned(window)) {
                if (!w->isEnabled()) // greyed on purpose: nothing to read there
                    continue;
                const double ratio = contrastRatio(textColourOf(w), backgroundOf(w));
                QVERIFY2(ratio >= 4.5,
                         qPrintable(QStringLiteral("%1 %2 \"%3\": %4:1")
                                        .arg(window->objectName(), w->objectName(), captionOf(w))
                                        .arg(ratio, 0, 'f', 2)));
            }
        }
    }
}

void LookTest::glyphsStandOutUnderEveryPaletteAndGrowWithText_data() {
    captionsReadUnderEveryPalette_data();
}

// Lines and marks need 3:1 against their background. A glyph may carry
// decoration besides (the wizard's gold star), so a quarter of what it
// draws is asked to stand out.
void LookTest::glyphsStandOutUnderEveryPaletteAndGrowWithText() {
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    startWindow();
    const char* const glyphs[] = {"ReloadFromDisk_Button2",
                                  "SaveToDisk_Button2",
                                  "FileMaskEdit_ClearFakeButton",
                                  "Case_Smart_Extra_FakeButton",
                                  "Replace_ClearFromToBoxesFakeButton",
                                  "Replace_OptionsWizard",
                                  "HelpButton"};
    const auto check = [this](const char* name) {
        auto* button = child<QToolButton>(name);
        QVERIFY2(button->iconSize().height() >= button->fontMetrics().height(), name);
        const QImage picture = button->icon().pixmap(button->iconSize()).toImage();
        const QColor background = backgroundOf(button);
        int drawn = 0;
        int standing = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                if (pixel.alphaF() < 0.5)
                    continue;
                ++drawn;
                if (contrastRatio(blend(pixel, background), background) >= 3.0)
                    ++standing;
            }
        }
        QVERIFY2(
            drawn > 0 && standing * 4 >= drawn,
            qPrintable(
                QStringLiteral("%1: %2 of %3").arg(QLatin1String(name)).arg(standing).arg(drawn)));
    };
    for (const char* name : glyphs)
        check(name);
    // Larger text, larger glyphs, drawn again in the same colours.
    QFont large = m_font;
    large.setPointSize(16);
    QApplication::setFont(large);
    QApplication::processEvents();
    for (const char* name : glyphs)
        check(name);
}

void LookTest::arrowKeysInTheTreeDoNotLoad() {
    createSubfolderFile(QStringLiteral("Inner"), QStringLiteral("Inside.txt"));
    startWindow();
    activate();
    const QStringList outer = previewNames();
    auto* tree = child<QTreeView>("ShellTree1");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Right); // open the folder
    QTRY_VERIFY(tree->model()->rowCount(tree->currentIndex()) > 0);
    QTest::keyClick(tree, Qt::Key_Down); // onto its one subfolder
    QCOMPARE(tree->currentIndex().data().toString(), QStringLiteral("Inner"));
    // Nor once the moves' events have all run: the preview and "Undo" stay.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(previewNames(), outer);
    QVERIFY(!m_window->isWorking());
    QTest::keyClick(tree, Qt::Key_Return);
    QTRY_COMPARE(previewNames(), QStringList{QStringLiteral("Inside.txt")});
}

void LookTest::enterInTheTreeLoadsWithoutPressingOk() {
    createSubfolderFile(QStringLiteral("Inner"), QStringLiteral("Inside.txt"));
    startWindow();
    activate();
    child<QLineEdit>("Replace_From")->setText(QStringLiteral("a"));
    child<QLineEdit>("Replace_To")->setText(QStringLiteral("b"));
    QVERIFY(child<QPushButton>("Replace_Button")->isEnabled());
    QSignalSpy ok(m_window.get(), &MainWindow::replaceRequested);
    auto* tree = child<QTreeView>("ShellTree1");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Right);
    QTRY_VERIFY(tree->model()->rowCount(tree->currentIndex()) > 0);
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Return);
    QTRY_COMPARE(previewNames(), QStringList{QStringLiteral("Inside.txt")});
    QCOMPARE(ok.count(), 0);
}

void LookTest::everyControlHasANameAndFieldsTheirLabels() {
    startWindow();
    for (QWidget* w : m_window->findChildren<QWidget*>()) {
        // The tree's header is never shown.
        const bool control =
            qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
            (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w)) ||
            qobject_cast<QComboBox*>(w);
        // Qt's own parts (the tool bar's overflow arrow) are named by Qt.
        if (control && !w->objectName().startsWith(QLatin1String("qt_")))
            QVERIFY2(!w->accessibleName().isEmpty(),
                     qPrintable(w->objectName() + QLatin1String(w->metaObject()->className())));
    }
    QCOMPARE(child<QWidget>("Replace_OptionsWizard")->accessibleName(), QStringLiteral("Wizard"));
    const struct {
        const char* caption;
        const char* field;
    } pairs[] = {{"Replace:", "Replace_From"}, {"With:", "Replace_To"}, {"Mask:", "FileMaskEdit"}};
    for (const auto& pair : pairs) {
        const QLabel* found = nullptr;
        for (const QLabel* label : m_window->findChildren<QLabel*>()) {
            if (label->text() == QString::fromLatin1(pair.caption))
                found = label;
        }
        QVERIFY(found);
        QCOMPARE(found->buddy(), child<QWidget>(pair.field));
    }
}

void LookTest::scopeTogglesWorkByKeyboard() {
    startWindow();
    activate();
    auto* namesOn = child<QToolButton>("Replace_Button_FN_On");
    auto* extensionsOff = child<QToolButton>("Replace_Button_Ext_Off");
    QVERIFY(namesOn->focusPolicy() & Qt::TabFocus);
    QVERIFY(child<QToolButton>("Case_Smart_Extra_FakeButton")->focusPolicy() & Qt::TabFocus);
    extensionsOff->setFocus();
    QTest::keyClick(extensionsOff, Qt::Key_Space);
    QCOMPARE(m_window->scope(), Scope::Both);
    // The pressed toggle hid; its partner carries on with the focus.
    QVERIFY(child<QToolButton>("Replace_Button_Ext_On")->hasFocus());
    // The two toggles look different in either state.
    QVERIFY(namesOn->icon().pixmap(15).toImage() != extensionsOff->icon().pixmap(15).toImage());
    QVERIFY(child<QToolButton>("Replace_Button_FN_Off")->icon().pixmap(15).toImage() !=
            extensionsOff->icon().pixmap(15).toImage());
}

void LookTest::desktopShortcutsRunTheirCommands() {
    startWindow();
    activate();
    child<QLineEdit>("Replace_From")->setFocus();
    createFile(QStringLiteral("delta.txt"));
    QTest::keyClick(m_window.get(), Qt::Key_F5);
    QTRY_COMPARE(previewModel()->rowCount(), 4); // reloaded from disk
    QTest::keyClick(m_window.get(), Qt::Key_F1);
    QTRY_VERIFY(m_window->findChild<QWidget*>(QStringLiteral("HelpForm")));
}

void LookTest::menuBarOpensByLetterAndWalksWithArrows() {
    startWindow();
    activate();
    auto* bar = child<QMenuBar>("mainmenu1");
    QVERIFY(bar);
    const struct {
        const char* name;
        const char* title;
    } order[] = {{"MainMenu_File", "&File"},
                 {"MainMenu_View", "&View"},
                 {"MainMenu_Select", "&Select"},
                 {"MainMenu_Help", "&Help"}};
    QCOMPARE(bar->actions().size(), static_cast<qsizetype>(std::size(order)));
    QList<QMenu*> menus;
    for (int i = 0; i < static_cast<int>(std::size(order)); ++i) {
        QAction* entry = bar->actions().at(i);
        QCOMPARE(entry->menu()->objectName(), QLatin1String(order[i].name));
        QCOMPARE(entry->text(), QLatin1String(order[i].title));
        menus << entry->menu();
    }
    const auto onlyOpen = [&menus](int index) {
        for (int i = 0; i < menus.size(); ++i) {
            if (menus[i]->isVisible() != (i == index))
                return false;
        }
        return true;
    };
    QTest::keyClick(child<QWidget>("Replace_From"), Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(onlyOpen(1));
    QTest::keyClick(menus[1], Qt::Key_Right);
    QTRY_VERIFY(onlyOpen(2));
    QTest::keyClick(menus[2], Qt::Key_Left);
    QTRY_VERIFY(onlyOpen(1));
    QTest::keyClick(menus[1], Qt::Key_Left);
    QTRY_VERIFY(onlyOpen(0));
    QTest::keyClick(menus[0], Qt::Key_Escape);
    QTRY_VERIFY(onlyOpen(-1));
}

void LookTest::escapeClosesTheAssistantsAndTheOptionsPanel() {
    startWindow();
    activate();
    for (const char* opener : {"MainMenu_View_Wizard", "MainMenu_Help_Help"}) {
        m_window->findChild<QAction*>(QString::fromLatin1(opener))->trigger();
        QWidget* assistant = QApplication::activeWindow();
        QTRY_VERIFY((assistant = QApplication::activeWindow()) && assistant != m_window.get());
        const QPointer<QWidget> open = assistant;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY2(!open, opener); // closed and gone, its opener enabled again
        QVERIFY(m_window->findChild<QAction*>(QString::fromLatin1(opener))->isEnabled());
    }
    auto* options = child<QToolButton>("Case_Smart_Extra_FakeButton");
    options->click();
    auto* panel = child<QWidget>("Case_Extra_Panel");
    QVERIFY(panel->isVisible());
    child<QCheckBox>("Case_Smart_Hyphen")->setFocus();
    QTest::keyClick(child<QCheckBox>("Case_Smart_Hyphen"), Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
}

// Both position boxes are labelled "Pos:" on screen.
void LookTest::positionBoxesSayWhichBoxTheyBelongTo() {
    startWindow();
    const auto spoken = [this](const char* name) {
        return QAccessible::queryAccessibleInterface(child<QWidget>(name))->text(QAccessible::Name);
    };
    QCOMPARE(spoken("Replace_TrimFrom"), QStringLiteral("Delete position"));
    QCOMPARE(spoken("Replace_InsertFrom"), QStringLiteral("Insert position"));
}

// A screen reader says a control's name whenever it is met: a few words,
// the tooltip's sentences only when asked for its description; a pattern
// such as "/n1/" is read with what it does.
void LookTest::namesAreShortAndSayWhatExamplesDo() {
    startWindow();
    m_window->openHelp();
    auto* help = m_window->findChild<HelpWindow*>();
    QVERIFY(help);
    QTRY_VERIFY(help->isVisible());
    for (QWidget* w : m_window->findChildren<QWidget*>()) {
        // Texts are read as they stand; controls are named.
        if (qobject_cast<QLabel*>(w) && !qobject_cast<ClickLabel*>(w))
            continue;
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(w);
        const QString name = spoken->text(QAccessible::Name);
        QVERIFY2(name.size() <= 60, qPrintable(w->objectName() + QLatin1String(": ") + name));
        const QString tooltip = w->toolTip().simplified();
        if (!tooltip.contains(QLatin1String(". ")) || !w->isVisibleTo(m_window.get()))
            continue;
        QVERIFY2(name != tooltip, qPrintable(w->objectName()));
        QCOMPARE(spoken->text(QAccessible::Description).simplified(), tooltip);
    }
    QAccessibleInterface* wizardButton =
        QAccessible::queryAccessibleInterface(child<QWidget>("Replace_OptionsWizard"));
    QCOMPARE(wizardButton->text(QAccessible::Name), QStringLiteral("Wizard"));
    auto* example = help->findChild<ClickLabel*>(QStringLiteral("Replace_Replace_Help_Example202"));
    QVERIFY(example);
    QCOMPARE(QAccessible::queryAccessibleInterface(example)->text(QAccessible::Name),
             QStringLiteral("Start from one. No padding. (/n1/)"));
}

// The help window's examples and the wizard's two Reformat examples: each
// takes the focus, runs by Enter or Space, and is read as a button.
void LookTest::examplesRunByKeyboardAndReadAsButtons() {
    startWindow();
    m_window->openHelp();
    auto* help = m_window->findChild<HelpWindow*>();
    QVERIFY(help);
    QTRY_VERIFY(help->isVisible());
    m_window->openWizard();
    auto* wizard = m_window->findChild<WizardDialog*>();
    QVERIFY(wizard);
    QTRY_VERIFY(wizard->isVisible());
    QList<ClickLabel*> examples = help->findChildren<ClickLabel*>();
    QCOMPARE(examples.size(), 17);
    examples += wizard->findChildren<ClickLabel*>();
    QCOMPARE(examples.size(), 19);
    for (ClickLabel* example : examples) {
        QVERIFY(example->focusPolicy() & Qt::TabFocus);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(example);
        QCOMPARE(spoken->role(), QAccessible::Button);
        QVERIFY(spoken->text(QAccessible::Name).contains(example->text()));
        QVERIFY(spoken->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    const struct {
        QWidget* window;
        const char* example;
        Qt::Key key;
        const char* box;
        const char* text;
    } presses[] = {
        {help, "Replace_Replace_Help_Example101", Qt::Key_Space, "Replace_To", "/2/ - /1/"},
        {help, "Replace_Replace_Help_Example202", Qt::Key_Return, "Replace_To", "/n1/"},
        {wizard, "Label26", Qt::Key_Return, "W_Reformat_CurrEdit2", " _ "},
        {wizard, "Label27", Qt::Key_Space, "W_Reformat_CurrEdit2", " ("},
    };
    for (const auto& press : presses) {
        auto* example = press.window->findChild<ClickLabel*>(QLatin1String(press.example));
        QVERIFY2(example, press.example);
        example->setFocus();
        QTest::keyClick(example, press.key);
        QCOMPARE(m_window->findChild<QLineEdit*>(QLatin1String(press.box))
                     ? m_window->findChild<QLineEdit*>(QLatin1String(press.box))->text()
                     : QString(),
                 QLatin1String(press.text));
    }
    // Enter on a wizard example did not press the page's OK as well.
    QCOMPARE(child<QLineEdit>("Replace_From")->text(), QStringLiteral("*"));
}

void LookTest::screenReadersMeetTheWindowNamedEditsAndNoHiddenControls() {
    startWindow();
    activate();
    const auto spoken = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w);
    };
    QCOMPARE(spoken(m_window.get())->role(), QAccessible::Window);

    // The clear buttons are out of the Tab order (a blank typed after Tab
    // must not press them); a screen reader still finds and presses them.
    const struct {
        const char* before;
        const char* clear;
    } clears[] = {{"Replace_From", "Replace_ClearFromToBoxesFakeButton"},
                  {"FileMaskEdit", "FileMaskEdit_ClearFakeButton"}};
    for (const auto& pair : clears) {
        child<QWidget>(pair.before)->setFocus();
        QTest::keyClick(child<QWidget>(pair.before), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != child<QWidget>(pair.clear));
        QAccessibleInterface* button = spoken(child<QWidget>(pair.clear));
        QVERIFY(button && button->actionInterface());
        QVERIFY(button->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        QVERIFY(!button->text(QAccessible::Name).isEmpty());
    }
    child<QLineEdit>("Replace_From")->setText(QStringLiteral("a"));
    spoken(child<QWidget>("Replace_ClearFromToBoxesFakeButton"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(child<QLineEdit>("Replace_From")->text().isEmpty());

    // Hidden controls are not offered, whether hidden at the start or later.
    const auto checkHidden = [&] {
        for (QWidget* w : m_window->findChildren<QWidget*>()) {
            if (w->objectName().startsWith(QLatin1String("qt_")) || w->isVisibleTo(m_window.get()))
                continue;
            QVERIFY2(!spoken(w)->state().focusable, qPrintable(w->objectName()));
        }
    };
    checkHidden();
    // The commands without a control are actions: nothing to focus or press.
    QVERIFY(m_window->findChild<QAction*>(QStringLiteral("SaveToDisk_Button")));
    QVERIFY(!child<QWidget>("SaveToDisk_Button"));
    child<QRadioButton>("Case_Upper")->click();
    child<QToolButton>("Replace_Button_Ext_Off")->click();
    settle();
    checkHidden();
    QVERIFY(spoken(child<QWidget>("Replace_Button_Ext_On"))->state().focusable);
    child<QRadioButton>("Case_Smart")->click();
    settle();
    QVERIFY(spoken(child<QWidget>("Case_Smart_Extra_FakeButton"))->state().focusable);

    // Each edit of the wizard by a name of its own, never its group's.
    m_window->openWizard();
    auto* wizard = m_window->findChild<WizardDialog*>();
    QVERIFY(wizard);
    QStringList groups;
    for (const QGroupBox* group : wizard->findChildren<QGroupBox*>())
        groups << group->title();
    QStringList names;
    for (QWidget* w : wizard->findChildren<QWidget*>()) {
        const bool edit = qobject_cast<QComboBox*>(w) ||
                          (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parent()));
        if (!edit)
            continue;
        const QString name = spoken(w)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && !groups.contains(name) && !names.contains(name),
                 qPrintable(w->objectName() + QStringLiteral(": ") + name));
        names << name;
    }
    QVERIFY(names.size() >= 22); // the boxes of every page were met
}

namespace {

// What a screen reader meets under part and cannot call by name: a control
// it can focus without a name, and a drop-down named by the item it shows.
void collectNameless(QAccessibleInterface* part, QStringList& nameless) {
    if (!part || part->state().invisible)
        return;
    const QString name = part->text(QAccessible::Name);
    const bool byItem =
        part->role() == QAccessible::ComboBox && name == part->text(QAccessible::Value);
    if ((name.isEmpty() && part->state().focusable) || byItem)
        nameless << QStringLiteral("%1 \"%2\"")
                        .arg(part->object() ? part->object()->objectName() : QString(), name);
    for (int i = 0; i < part->childCount(); ++i)
        collectNameless(part->child(i), nameless);
}

} // namespace

// Walks what a screen reader meets in the window and in the wizard, as it
// would; the wizard's pages go by their tabs' names.
void LookTest::screenReadersMeetNoNamelessPart() {
    startWindow();
    m_window->openWizard();
    auto* wizard = m_window->findChild<WizardDialog*>();
    QVERIFY(wizard);
    QTRY_VERIFY(wizard->isVisible());
    for (QWidget* window : {static_cast<QWidget*>(m_window.get()), static_cast<QWidget*>(wizard)}) {
        QStringList nameless;
        collectNameless(QAccessible::queryAccessibleInterface(window), nameless);
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
    }
    auto* pages = wizard->findChild<QTabWidget*>(QStringLiteral("W_TabbedNotebook1"));
    for (int i = 0; i < pages->count(); ++i)
        QCOMPARE(QAccessible::queryAccessibleInterface(pages->widget(i))->text(QAccessible::Name),
                 pages->tabText(i));
    QAccessibleInterface* third = QAccessible::queryAccessibleInterface(
        wizard->findChild<QComboBox*>(QStringLiteral("W_Reformat_NewCombo3")));
    QCOMPARE(third->text(QAccessible::Name), QStringLiteral("New format: field 3"));
    QCOMPARE(third->text(QAccessible::Value), QStringLiteral("(None)"));
}

QTEST_MAIN(LookTest)
#include "LookTest.moc"
