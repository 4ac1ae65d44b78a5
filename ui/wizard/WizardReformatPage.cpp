// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardReformatPage.h"

#include "ui/models/NameText.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/WidgetHelpers.h"
#include "ui/wizard/WizardLogic.h"
#include "ui/wizard/WizardWidgets.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>

namespace quillon {

using namespace wizard;

namespace {

const QColor kNavy(0, 0, 128);

void paintNavy(QWidget* widget) {
    QPalette pal = widget->palette();
    const QColor navy = readableColour(kNavy, pal.color(QPalette::Base), pal);
    pal.setColor(QPalette::WindowText, navy);
    pal.setColor(QPalette::Text, navy);
    pal.setColor(QPalette::ButtonText, navy);
    widget->setPalette(pal);
}

void highlight(QWidget* control, bool on) {
    if (!control)
        return;
    // The control's own palette (navy text for some) comes back afterwards.
    const char* const normal = "normalPalette";
    if (!control->property(normal).isValid())
        control->setProperty(normal, control->palette());
    const auto own = control->property(normal).value<QPalette>();
    control->setPalette(on ? highlightPalette(own) : own);
}

// Keeps the error strip over the top edge of its group box.
class StripPlacer final : public QObject {
public:
    StripPlacer(QWidget* strip, QObject* parent)
        : QObject(parent)
        , m_strip(strip) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const auto* group = static_cast<QWidget*>(watched);
            m_strip->setGeometry(0, 0, group->width(), m_strip->sizeHint().height());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_strip;
};

} // namespace

struct WizardReformatPage::Example {
    std::array<const char*, 4> current;
    int currentField3;
    std::array<const char*, 4> wanted;
    std::array<int, 3> wantedFields;
};

WizardReformatPage::WizardReformatPage(MainWindowAccess& mainWindow, QWidget* parent)
    : WizardPage(mainWindow, parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(2);
    column->addWidget(pageLabel(tr("The Reformat feature allows you to swap file "
                                   "names' fields. Fields can be titles, artists' "),
                                this));
    column->addWidget(pageLabel(tr("names, and so on, and they are separated with "
                                   "delimiters (Hyphens, etc)."),
                                this));
    column->addLayout(buildExamples());
    column->addWidget(buildGroup());
    column->addLayout(buildHelpLine());
    watchForErrorEnd();
    // NOLINTBEGIN(modernize-raw-string-literal): the translation keys on this text
    addFoot(column, tr("Click on OK when done to fill out the \"Replace\" and \"With\" boxes."),
            "W_Reformat_OKButton", "W_Reformat_ClearButton");
    // NOLINTEND(modernize-raw-string-literal)
}

QLayout* WizardReformatPage::buildExamples() {
    auto* examples = new QHBoxLayout;
    examples->setSpacing(12);
    examples->addWidget(pageLabel(tr("Click on the examples:"), this));
    auto* underscoreExample =
        named(new ClickLabel(tr("Title _ Artist ==> Artist - Title"), this), "Label26");
    connect(underscoreExample, &ClickLabel::clicked, this,
            &WizardReformatPage::underscoreExampleClicked);
    auto* parenthesesExample =
        named(new ClickLabel(tr("Title (Artist) ==> Artist - Title"), this), "Label27");
    connect(parenthesesExample, &ClickLabel::clicked, this,
            &WizardReformatPage::parenthesesExampleClicked);
    examples->addWidget(underscoreExample);
    examples->addWidget(parenthesesExample);
    examples->addStretch(1);
    return examples;
}

QWidget* WizardReformatPage::buildGroup() {
    auto* group = named(new QGroupBox(tr("Reformat"), this), "W_Reformat_GroupBox");
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 3);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(0);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    // Eight boxes share the caption "Delimiter": readers say which one it is.
    auto delimiterEdit = [&](const char* name, const QString& spoken, int row, int col) {
        QLabel* above = pageLabel(tr("Delimiter"), group);
        above->setFont(small);
        grid->addWidget(above, row - 1, col);
        QLineEdit* edit = typingEdit(name, 10, TypingRule::FileNameCharacters, group);
        edit->setFixedWidth(40);
        edit->setAccessibleName(spoken);
        grid->addWidget(edit, row, col);
        return edit;
    };
    auto fieldLabel = [&](const QString& caption, int row, int col) {
        QLabel* label = pageLabel(caption, group);
        label->setAlignment(Qt::AlignCenter);
        paintNavy(label);
        grid->addWidget(label, row, col);
    };
    auto combo = [&](const char* name, const QString& spoken, const QStringList& items, int index,
                     int row, int col) {
        QComboBox* box = editableCombo(name, items, index, group);
        box->setAccessibleName(spoken);
        box->setFixedWidth(70);
        paintNavy(box);
        grid->addWidget(box, row, col);
        return box;
    };
    // The row captions may wrap: the rows are the widest part of the wizard.
    auto rowCaption = [&](const QString& caption, int row) {
        QLabel* label = pageLabel(caption, group);
        label->setWordWrap(true);
        grid->addWidget(label, row - 1, 0, 2, 1);
    };
    rowCaption(tr("Current format:"), 1);
    static constexpr const char* kCurrentNames[] = {"W_Reformat_CurrEdit1", "W_Reformat_CurrEdit2",
                                                    "W_Reformat_CurrEdit3", "W_Reformat_CurrEdit4"};
    static constexpr const char* kNewNames[] = {"W_Reformat_NewEdit1", "W_Reformat_NewEdit2",
                                                "W_Reformat_NewEdit3", "W_Reformat_NewEdit4"};
    static constexpr const char* kComboNames[] = {"W_Reformat_NewCombo1", "W_Reformat_NewCombo2",
                                                  "W_Reformat_NewCombo3"};
    for (int i = 0; i < 4; ++i)
        m_currEdits[i] = delimiterEdit(kCurrentNames[i],
                                       tr("Current format: delimiter %1").arg(i + 1), 1, 1 + 2 * i);
    fieldLabel(tr("Field 1"), 1, 2);
    fieldLabel(tr("Field 2"), 1, 4);
    m_currCombo2 = combo("W_Reformat_CurrCombo2", tr("Current format: third field"),
                         {tr("Field 3"), tr("(None)")}, 1, 1, 6);
    rowCaption(tr("New format:"), 3);
    for (int i = 0; i < 4; ++i)
        m_newEdits[i] =
            delimiterEdit(kNewNames[i], tr("New format: delimiter %1").arg(i + 1), 3, 1 + 2 * i);
    const QStringList fields{tr("Field 1"), tr("Field 2"), tr("Field 3")};
    const QStringList fieldsOrNone = fields + QStringList{tr("(None)")};
    const int newDefaults[] = {1, 0, 3};
    for (int i = 0; i < 3; ++i)
        m_newCombos[i] = combo(kComboNames[i], tr("New format: field %1").arg(i + 1),
                               i == 2 ? fieldsOrNone : fields, newDefaults[i], 3, 2 + 2 * i);
    grid->setColumnStretch(8, 1);

    m_errPanel = pageLabel({}, group, "W_Reformat_ErrPanel");
    m_errPanel->setAlignment(Qt::AlignCenter);
    m_errPanel->setAutoFillBackground(true);
    m_errPanel->hide();
    group->installEventFilter(new StripPlacer(m_errPanel, group));
    return group;
}

QLayout* WizardReformatPage::buildHelpLine() {
    auto* helpRow = new QHBoxLayout;
    helpRow->setSpacing(4);
    helpRow->addWidget(pageLabel(
        tr("If you need to swap more than three fields, close this window and click on"), this));
    auto* helpIcon = new QLabel(this);
    helpIcon->setPixmap(glyphIcon(Glyph::Help, 14).pixmap(14, 14));
    helpRow->addWidget(helpIcon);
    helpRow->addStretch(1);
    return helpRow;
}

void WizardReformatPage::watchForErrorEnd() {
    // Only these changes end an error display; the other boxes keep it.
    for (QLineEdit* edit : {m_currEdits[1], m_currEdits[2], m_newEdits[3]})
        connect(edit, &QLineEdit::textChanged, this, &WizardReformatPage::clearHighlights);
    for (QComboBox* box : {m_currCombo2, m_newCombos[0], m_newCombos[1], m_newCombos[2]})
        connect(box, &QComboBox::currentIndexChanged, this, &WizardReformatPage::clearHighlights);
}

void WizardReformatPage::ok() {
    ReformatPage page;
    for (int i = 0; i < 4; ++i) {
        page.current[i] = toName(m_currEdits[i]->text());
        page.wanted[i] = toName(m_newEdits[i]->text());
    }
    page.currentField3 = m_currCombo2->currentIndex();
    for (int i = 0; i < 3; ++i)
        page.wantedFields[i] = m_newCombos[i]->currentIndex();
    const auto outcome = composeReformat(page);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        for (const std::string_view name : refusal->highlight)
            highlight(findChild<QWidget*>(
                          QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))),
                      true);
        showRefusal(translated("quillon::wizard", refusal->message));
        return;
    }
    const auto& result = std::get<ReformatResult>(outcome);
    writePatterns(toQString(result.find), toQString(result.replaceWith));
}

void WizardReformatPage::clear() {
    clearHighlights();
    for (QLineEdit* edit : m_currEdits)
        edit->clear();
    m_currCombo2->setCurrentIndex(1);
    for (QLineEdit* edit : m_newEdits)
        edit->clear();
    m_newCombos[0]->setCurrentIndex(1);
    m_newCombos[1]->setCurrentIndex(0);
    m_newCombos[2]->setCurrentIndex(3);
    writePatterns(QString(), QString());
}

void WizardReformatPage::colourErrorStrip() {
    m_errPanel->setPalette(highlightPalette(m_errPanel->palette()));
}

void WizardReformatPage::showRefusal(const QString& message) {
    colourErrorStrip();
    m_errPanel->setText(message);
    m_errPanel->show();
    m_errPanel->raise();
}

void WizardReformatPage::clearHighlights() {
    m_errPanel->hide();
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_currEdits[1], m_currEdits[2], m_currEdits[3], m_currCombo2, m_newEdits[3],
             m_newCombos[0], m_newCombos[1], m_newCombos[2]})
        highlight(control, false);
}

void WizardReformatPage::applyExample(const Example& example) {
    for (int i = 0; i < 4; ++i) {
        m_currEdits[i]->setText(QString::fromUtf8(example.current[i]));
        m_newEdits[i]->setText(QString::fromUtf8(example.wanted[i]));
    }
    m_currCombo2->setCurrentIndex(example.currentField3);
    for (int i = 0; i < 3; ++i)
        m_newCombos[i]->setCurrentIndex(example.wantedFields[i]);
}

void WizardReformatPage::showUnderscoreExample() {
    applyExample({{"", " _ ", "", ""}, 1, {"", " - ", "", ""}, {1, 0, 3}});
}

void WizardReformatPage::showParenthesesExample() {
    applyExample({{"", " (", ")", ""}, 1, {"", " - ", "", ""}, {1, 0, 3}});
}

} // namespace quillon
