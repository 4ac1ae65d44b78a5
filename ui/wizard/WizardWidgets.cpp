// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardWidgets.h"

#include "ui/widgets/KeyFilter.h"
#include "ui/widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace quillon::wizard {

namespace {

// What cannot stand in a file name, and the star, which would turn the
// composed text into a pattern.
QString invalidFileChars() {
    return notInFileNames() + QLatin1Char('*');
}

// Lets digits through and refuses every other printable character. Control
// keys pass: Backspace edits, and Enter must still reach the default button.
class CodePointLimit final : public QValidator {
public:
    CodePointLimit(int maxLength, QObject* parent)
        : QValidator(parent)
        , m_maxLength(maxLength) {}

    State validate(QString& input, int&) const override {
        return codePointIndex(input, input.size()) <= static_cast<std::size_t>(m_maxLength)
                   ? Acceptable
                   : Invalid;
    }

private:
    int m_maxLength;
};

} // namespace

std::size_t codePointIndex(const QString& text, qsizetype utf16Index) {
    utf16Index = std::clamp<qsizetype>(utf16Index, 0, text.size());
    std::size_t count = 0;
    for (qsizetype i = 0; i < utf16Index; ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++count;
    }
    return count;
}

qsizetype utf16Index(const QString& text, std::size_t codePointIndex) {
    qsizetype i = 0;
    for (std::size_t n = 0; n < codePointIndex && i < text.size(); ++n) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        i += pair ? 2 : 1;
    }
    return i;
}

SampleEdit::SampleEdit(const char* name, QWidget* parent)
    : QLineEdit(parent) {
    setObjectName(QString::fromLatin1(name));
    setReadOnly(true);
}

void SampleEdit::focusInEvent(QFocusEvent* event) {
    // A line edit selects all of its text when tabbed into; here that would
    // be a choice the user never made, and the Delete page would take it.
    const int start = selectionStart();
    const auto length = static_cast<int>(selectedText().size());
    const int caret = cursorPosition();
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::TabFocusReason && event->reason() != Qt::BacktabFocusReason)
        return;
    if (start >= 0)
        setSelection(start, length);
    else
        setCursorPosition(caret);
}

void SampleEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit clicked();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SampleEdit::focusOutEvent(QFocusEvent* event) {
    const int start = selectionStart();
    const auto length = static_cast<int>(selectedText().size());
    QLineEdit::focusOutEvent(event);
    if (start >= 0 && !hasSelectedText())
        setSelection(start, length);
}

void SampleEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

QLineEdit* typingEdit(const char* name, int maxLength, TypingRule filter, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new CodePointLimit(maxLength, edit));
    QObject* keys =
        filter == TypingRule::FileNameCharacters
            ? static_cast<QObject*>(
                  new KeyFilter(KeyRule{invalidFileChars(), {}, {}, {}, {}}, edit))
            : new KeyFilter(KeyRule{{}, QStringLiteral("0123456789"), {}, {}, {}}, edit);
    keys->setObjectName(filter == TypingRule::FileNameCharacters
                            ? QStringLiteral("Filter_ValidFileChars")
                            : QStringLiteral("Filter_NumbersOnly"));
    edit->installEventFilter(keys);
    return edit;
}

QComboBox* editableCombo(const char* name, const QStringList& items, int index, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    QLineEdit* edit = combo->lineEdit();
    QObject::connect(edit, &QLineEdit::textEdited, combo, [combo, edit](const QString& text) {
        if (combo->currentIndex() < 0)
            return;
        // Typing is no pick: the item goes without a change signal, and the
        // typed text and caret stay.
        const int caret = edit->cursorPosition();
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
        edit->setCursorPosition(caret);
    });
    return combo;
}

QColor highlightColour() {
    return {255, 255, 198};
}

QPalette highlightPalette(QPalette palette) {
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, highlightColour());
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Qt::black);
    return palette;
}

PageButtons addPageFoot(QVBoxLayout* column, const QString& foot, const char* okName,
                        const char* clearName) {
    QWidget* page = column->parentWidget();
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(foot, page), 1);
    PageButtons buttons{
        new QPushButton(QCoreApplication::translate("quillon::wizard", "OK"), page),
        new QPushButton(QCoreApplication::translate("quillon::wizard", "CL"), page)};
    buttons.ok->setObjectName(QString::fromLatin1(okName));
    buttons.clear->setObjectName(QString::fromLatin1(clearName));
    for (QPushButton* button : {buttons.clear, buttons.ok}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        // The designed 33 x 22, wider where a translation or larger text needs it.
        const QFontMetrics metrics = button->fontMetrics();
        button->setFixedSize(std::max(33, metrics.horizontalAdvance(button->text()) + 12),
                             std::max(22, metrics.height() + 6));
        row->addWidget(button);
    }
    column->addStretch(1);
    column->addLayout(row);
    return buttons;
}

QLabel* pageLabel(const QString& text, QWidget* parent, const char* name) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    return label;
}

QVBoxLayout* pageColumn(QWidget* page, const QString& description) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    if (!description.isEmpty()) {
        QLabel* line = pageLabel(description, page);
        line->setWordWrap(true);
        column->addWidget(line);
    }
    return column;
}

QWidget* sampleGroup(const QString& title, QWidget* page, QVBoxLayout*& column) {
    auto* group = new QGroupBox(title, page);
    column = new QVBoxLayout(group);
    column->setContentsMargins(6, 2, 6, 4);
    column->setSpacing(2);
    return group;
}

QRadioButton* addSideChoice(QVBoxLayout* column, QWidget* parent, const SideChoice& choice) {
    QLabel* question = pageLabel(choice.question, parent);
    question->setWordWrap(true);
    column->addWidget(question);
    auto* radios = new QHBoxLayout;
    auto* fromStart = named(new QRadioButton(choice.beginning, parent), choice.beginningName);
    fromStart->setChecked(true);
    radios->addWidget(fromStart);
    radios->addWidget(named(new QRadioButton(choice.end, parent), choice.endName));
    radios->addStretch(1);
    column->addLayout(radios);
    return fromStart;
}

} // namespace quillon::wizard
