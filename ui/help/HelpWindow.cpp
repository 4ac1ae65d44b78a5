// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/HelpWindow.h"

#include "ui/mainwindow/MainWindowAccess.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/Palette.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quillon {

namespace {

struct Example {
    const char* name;
    const char* caption;
    const char* explanation;
    const char* from;
    const char* to;
};

constexpr Example kReformatExamples[] = {
    {"Replace_Replace_Help_Example101",
     QT_TRANSLATE_NOOP("quillon::HelpWindow", "Title - Artist ==> Artist - Title"), "", "/1/ - /2/",
     "/2/ - /1/"},
    {"Replace_Replace_Help_Example102",
     QT_TRANSLATE_NOOP("quillon::HelpWindow", "Title (Artist) ==> Artist - Title"), "", "/1/ (/2/)",
     "/2/ - /1/"},
    {"Replace_Replace_Help_Example103",
     QT_TRANSLATE_NOOP("quillon::HelpWindow", "Artist - Title ==> (Artist) Title"), "", "/1/ - /2/",
     "(/1/) /2/"},
    {"Replace_Replace_Help_Example104",
     QT_TRANSLATE_NOOP("quillon::HelpWindow", "Title (Album - Artist) ==> Artist - Album - Title"),
     "", "/1/ (/2/ - /3/)", "/3/ - /2/ - /1/"},
    {"Replace_Replace_Help_Example105",
     QT_TRANSLATE_NOOP("quillon::HelpWindow", "Title - Artist ==> Title"), "", "/1/ - /2/", "/1/"},
    {"Replace_Replace_Help_Example106",
     QT_TRANSLATE_NOOP("quillon::HelpWindow", "Title - Artist ==> Artist - \"Hello\" - Title"), "",
     "/1/ - /2/", "/2/ - Hello - /1/"},
    {"Replace_Replace_Help_Example107",
     QT_TRANSLATE_NOOP("quillon::HelpWindow", "Cats and Dogs ==> Dogs and Cats"), "", "/1/ and /2/",
     "/2/ and /1/"},
};

struct Subsection {
    const char* heading;
    Example examples[4];
    int count;
};

const Subsection kNumberingSubsections[] = {
    {QT_TRANSLATE_NOOP("quillon::HelpWindow", "File Numbering"),
     {{"Replace_Replace_Help_Example201", "/1/",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Start from one. Automatic padding."), "*", "/1/"},
      {"Replace_Replace_Help_Example202", "/n1/",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Start from one. No padding."), "*", "/n1/"},
      {"Replace_Replace_Help_Example203", "/001/",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Start from 001. Manual padding."), "*", "/001/"}},
     3},
    {QT_TRANSLATE_NOOP("quillon::HelpWindow", "Replacements"),
     {{"Replace_Replace_Help_Example211", "Text",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Replace file names by \"Text\"."), "*", "Text"},
      {"Replace_Replace_Help_Example212", "*      ",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Insert file names."), "*", "*"},
      {"Replace_Replace_Help_Example213", "/./",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Delete extensions."), "*", "/./"},
      {"Replace_Replace_Help_Example211Replace_Replace_Help_Example214", "/.txt/",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Replace extensions by \"txt\"."), "*", "/.txt/"}},
     4},
    {QT_TRANSLATE_NOOP("quillon::HelpWindow", "Examples"),
     {{"Replace_Replace_Help_Example221", "/1/ *",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Insert numbers before file names."), "*", "/1/ *"},
      {"Replace_Replace_Help_Example222", "Text /1/",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "Insert \"Text\" before numbers."), "*",
       "Text /1/"},
      {"Replace_Replace_Help_Example223", "Text - /1/ - *",
       QT_TRANSLATE_NOOP("quillon::HelpWindow", "\"Text\" - Numbers - File names."), "*",
       "Text - /1/ - *"}},
     3},
};

// The explanatory picture of the reformatting section, laid out as text.
constexpr const char* kPictureHtml = QT_TRANSLATE_NOOP(
    "quillon::HelpWindow",
    "<p>Each field of the file names must be entered as <span style='color:brown'>/n/</span>, "
    "where n is an integer from "
    "1 to 9. Delimiters must also be specified.</p>"
    "<p><span style='color:navy'>Current format:</span> The first field is "
    "<span style='color:brown'>/1/</span>, the second field is "
    "<span style='color:brown'>/2/</span>, and so on. <span style='color:brown'>/n/</span> "
    "may be abbreviated to a single slash. Hence, if the format is "
    "<span style='color:brown'>Title&nbsp;-&nbsp;Artist</span>, enter either "
    "<span style='color:brown'>/1/&nbsp;-&nbsp;/2/</span> or <span "
    "style='color:brown'>/&nbsp;-&nbsp;/</span> in "
    "the first box.</p>"
    "<p><span style='color:navy'>New format:</span> If you want "
    "<span style='color:brown'>Title&nbsp;-&nbsp;Artist</span> to become "
    "<span style='color:brown'>Artist&nbsp;-&nbsp;Title</span>, enter "
    "<span style='color:brown'>/2/&nbsp;-&nbsp;/1/</span> in the second box.</p>"
    "<p>You may also delete (e.g., enter <span style='color:brown'>/2/</span> instead of "
    "<span style='color:brown'>/2/&nbsp;-&nbsp;/1/</span>) or insert (e.g., enter "
    "<span style='color:brown'>/2/&nbsp;-&nbsp;Hello&nbsp;-&nbsp;/1/</span> instead of "
    "<span style='color:brown'>/2/&nbsp;-&nbsp;/1/</span>) fields.</p>");

QLabel* plain(const char* text, QWidget* parent) {
    auto* label = new QLabel(QCoreApplication::translate("quillon::HelpWindow", text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* heading(const char* text, QWidget* parent) {
    QLabel* label = plain(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The designed colours where they read on the background, else the theme's.
QColor navy(const QWidget* widget) {
    const QPalette& pal = widget->palette();
    return readableColour(QColor(0, 0, 128), pal.color(QPalette::Window), pal);
}

QColor brown(const QWidget* widget) {
    const QPalette& pal = widget->palette();
    return readableColour(QColor(165, 42, 42), pal.color(QPalette::Window), pal);
}

QLabel* subheading(const char* text, QWidget* parent) {
    QLabel* label = plain(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, navy(parent));
    label->setPalette(pal);
    return label;
}

QWidget* section(const char* name, QSize size, QWidget* parent, QVBoxLayout*& column) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    // At least the section's size; wider fonts widen it rather than cut lines.
    panel->setMinimumSize(size);
    column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(2);
    return panel;
}

} // namespace

HelpWindow::HelpWindow(QWidget* mainWindow, MainWindowAccess& access)
    : QDialog(mainWindow, Qt::Tool | Qt::WindowCloseButtonHint)
    , m_mainWindow(mainWindow)
    , m_access(&access) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(tr("HelpForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Replace_Replace_Help"));
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->verticalScrollBar()->setTracking(true);
    auto* content = new QWidget;
    content->setAutoFillBackground(true);
    applyDesignedBackground(content, QColor(255, 255, 244));
    auto* sections = new QVBoxLayout(content);
    sections->setContentsMargins(4, 4, 4, 4);
    sections->setSpacing(11);
    sections->addWidget(buildReformatSection(content));
    sections->addWidget(buildNumberingSection(content));
    // Resizable, so that the word-wrapped texts get the height their width
    // needs at every font size.
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    resize(353, 208);
    setFixedWidth(std::max(353, content->sizeHint().width() +
                                    scroll->verticalScrollBar()->sizeHint().width() + 4));

    // Openers go off as soon as the window exists, before any activation.
    disableOpeners();
}

HelpWindow* HelpWindow::open(QWidget* mainWindow, MainWindowAccess& access,
                             QPointer<HelpWindow>& instance) {
    // A closed window is only waiting for its deferred deletion (closing
    // trades the delete-on-close flag for a deleteLater).
    if (instance && !instance->testAttribute(Qt::WA_DeleteOnClose))
        instance = nullptr;
    if (!instance) {
        instance = new HelpWindow(mainWindow, access);
        if (const QScreen* screen = mainWindow ? mainWindow->screen() : qGuiApp->primaryScreen())
            instance->move(screen->availableGeometry().center() - instance->rect().center());
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

QWidget* HelpWindow::buildReformatSection(QWidget* parent) {
    QVBoxLayout* column = nullptr;
    QWidget* panel = section("Help_Panel2", {322, 301}, parent, column);
    column->addWidget(heading(QT_TR_NOOP("Reformatting File Names"), panel));
    QString html = tr(kPictureHtml);
    html.replace(QLatin1String("color:brown"), QLatin1String("color:") + brown(panel).name());
    html.replace(QLatin1String("color:navy"), QLatin1String("color:") + navy(panel).name());
    auto* picture = new QLabel(html, panel);
    picture->setObjectName(QStringLiteral("Help_Picture"));
    picture->setTextFormat(Qt::RichText);
    picture->setWordWrap(true);
    picture->setMinimumWidth(309);
    column->addWidget(picture);
    auto* examplesRow = new QHBoxLayout;
    examplesRow->addWidget(subheading(QT_TR_NOOP("Examples:"), panel));
    examplesRow->addWidget(
        plain(QT_TR_NOOP("Click on the examples below to fill out the boxes."), panel), 1);
    column->addLayout(examplesRow);
    for (const Example& example : kReformatExamples) {
        auto* label = new ClickLabel(tr(example.caption), panel);
        label->setObjectName(QString::fromLatin1(example.name));
        connect(label, &ClickLabel::clicked, this,
                [this, &example] { useExample(example.from, example.to); });
        column->addWidget(label);
        column->setAlignment(label, Qt::AlignLeft);
        label->setContentsMargins(16, 0, 0, 0);
    }
    column->addStretch(1);
    return panel;
}

QWidget* HelpWindow::buildNumberingSection(QWidget* parent) {
    QVBoxLayout* column = nullptr;
    QWidget* panel = section("Help_Panel3", {322, 249}, parent, column);
    column->addWidget(heading(QT_TR_NOOP("Numbering and File Name Replacement"), panel));
    column->addWidget(plain(
        QT_TR_NOOP("Enter an asterisk (*) in the first box. What follows must be entered"), panel));
    column->addWidget(plain(
        QT_TR_NOOP("in the second box. Click on the examples to fill out the boxes."), panel));
    for (const Subsection& part : kNumberingSubsections) {
        column->addWidget(subheading(part.heading, panel));
        auto* grid = new QGridLayout;
        grid->setContentsMargins(16, 0, 0, 0);
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(1);
        for (int i = 0; i < part.count; ++i) {
            const Example& example = part.examples[i];
            auto* label = new ClickLabel(tr(example.caption), panel);
            label->setObjectName(QString::fromLatin1(example.name));
            // The pattern alone says little when read out: what it does first.
            label->setAccessibleName(
                tr("%1 (%2)").arg(tr(example.explanation), tr(example.caption)));
            connect(label, &ClickLabel::clicked, this,
                    [this, &example] { useExample(example.from, example.to); });
            grid->addWidget(label, i, 0, Qt::AlignLeft);
            grid->addWidget(plain(example.explanation, panel), i, 1);
        }
        grid->setColumnStretch(1, 1);
        column->addLayout(grid);
    }
    column->addStretch(1);
    return panel;
}

void HelpWindow::useExample(const char* from, const char* to) {
    m_access->setReplaceText(QString::fromUtf8(from));
    m_access->setWithText(QString::fromUtf8(to));
}

void HelpWindow::disableOpeners() {
    setOpenersEnabled(false);
}

void HelpWindow::setOpenersEnabled(bool enabled) {
    m_access->setHelpOpenersEnabled(enabled);
}

void HelpWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        disableOpeners();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Closes like the close box; QDialog would only hide the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (event->isAccepted())
        setOpenersEnabled(true);
}

} // namespace quillon
