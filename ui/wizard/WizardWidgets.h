// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QStringList>

#include <cstddef>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// Widget pieces the wizard's pages share. Positions and limits count code
// points, as the engine does; Qt counts UTF-16 units, so they are converted
// here at the widget boundary.
namespace quillon::wizard {

std::size_t codePointIndex(const QString& text, qsizetype utf16Index);
qsizetype utf16Index(const QString& text, std::size_t codePointIndex);

/// The read-only edit that shows the sample name. Its selection outlives the
/// focus (the user selects, then picks a radio button, then OK), and it
/// reports each click once the click has placed the caret. By keyboard it is
/// reached by Tab without losing its selection, and Space at the caret counts
/// as a click there.
class SampleEdit final : public QLineEdit {
    Q_OBJECT
public:
    SampleEdit(const char* name, QWidget* parent);

signals:
    void clicked();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

enum class TypingRule { FileNameCharacters, DigitsOnly };

/// An edit the user types into: typed characters filtered by kind, at most
/// maxLength code points typed or pasted. Unlike setMaxLength this leaves the
/// program's own writes whole.
QLineEdit* typingEdit(const char* name, int maxLength, TypingRule filter, QWidget* parent);

/// A drop-down that also takes typed text; while typed text stands no item
/// is selected (index -1), until the user picks one.
QComboBox* editableCombo(const char* name, const QStringList& items, int index, QWidget* parent);

/// The wizard's highlight: the error strip and the controls a check names.
QColor highlightColour();
/// palette with the highlight as background, and dark text that reads on it
/// whatever the user's theme.
QPalette highlightPalette(QPalette palette);

struct PageButtons {
    QPushButton* ok = nullptr;
    QPushButton* clear = nullptr;
};

/// Ends a page's column with its foot line and, at the right, CL then OK.
/// The buttons take no focus, so the sample edits keep their selection.
PageButtons addPageFoot(QVBoxLayout* column, const QString& foot, const char* okName,
                        const char* clearName);

/// A page's column of controls, headed by its description line (wrapped)
/// when there is one.
QVBoxLayout* pageColumn(QWidget* page, const QString& description);

/// A group box of the page, titled, with column as its inner layout.
QWidget* sampleGroup(const QString& title, QWidget* page, QVBoxLayout*& column);

/// A label of the page's text with a component name of its own.
QLabel* pageLabel(const QString& text, QWidget* parent, const char* name = nullptr);

/// The texts and component names of a question whether a position counts
/// from the beginning or the end of the names.
struct SideChoice {
    QString question;
    QString beginning;
    QString end;
    const char* beginningName;
    const char* endName;
};

/// Adds the question (wrapped) and its two radio buttons to column, the
/// first checked; returns that first button.
QRadioButton* addSideChoice(QVBoxLayout* column, QWidget* parent, const SideChoice& choice);

} // namespace quillon::wizard
