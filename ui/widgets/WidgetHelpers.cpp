// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/WidgetHelpers.h"

#include "ui/widgets/GlyphButton.h"
#include "ui/widgets/LongListView.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/ScreenFit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

#include <QHash>
#include <QRegularExpression>

namespace quillon {

QString translated(const char* context, std::string_view message) {
    const QByteArray source(message.data(), static_cast<qsizetype>(message.size()));
    return QCoreApplication::translate(context, source.constData());
}

namespace {

// The caption of a control as a reader says it: without mnemonic marks.
QString spoken(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return caption.replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

QString ownCaption(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return spoken(button->text());
    return {};
}

// Labels name the fields they are buddies of.
QHash<const QWidget*, QString> buddyCaptions(const QWidget* root) {
    QHash<const QWidget*, QString> captions;
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        if (label->buddy())
            captions.insert(label->buddy(), spoken(label->text()).remove(QLatin1Char(':')));
    }
    return captions;
}

bool isControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QProgressBar*>(widget);
}

// A control known only by its tooltip is named by the tooltip's first
// sentence; the whole tooltip is read out as its description, on request.
void nameAfterTooltip(QWidget* widget) {
    const QString tooltip = spoken(widget->toolTip());
    if (tooltip.isEmpty())
        return;
    QString name = tooltip.section(QStringLiteral(". "), 0, 0);
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    widget->setAccessibleName(name);
    if (name.size() + 1 < tooltip.size() && widget->accessibleDescription().isEmpty())
        widget->setAccessibleDescription(tooltip);
}

} // namespace

QToolButton* imageButton(const char* name, Glyph glyph, QWidget* parent, bool focusable) {
    auto* button = named(new GlyphButton(glyph, parent), name);
    button->setAutoRaise(true);
    button->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    // A transparent frame keeps the size the same with and without focus.
    button->setStyleSheet(
        QStringLiteral("QToolButton { border: 1px solid transparent; padding: 0px; }"
                       "QToolButton:focus { border: 1px solid palette(highlight); }"));
    return button;
}

void styleCaptionGroup(QGroupBox* group) {
    const QPalette pal = group->palette();
    const QColor window = pal.color(QPalette::Window);
    const QColor caption = readableColour(QColor(0, 70, 213), window, pal);
    // The frame is drawn by the style sheet too: a style left to draw it
    // under a sheet's margin puts its line lower than the sheet lays out
    // the contents, right through the first row.
    const QColor frame = isDarkPalette(pal) ? window.lighter(180) : window.darker(140);
    group->setStyleSheet(QStringLiteral("QGroupBox { font-weight: normal; margin-top: 1.1em; "
                                        "border: 1px solid %2; border-radius: 2px; "
                                        "padding-top: 2px; }"
                                        "QGroupBox::title { color: %1; "
                                        "subcontrol-origin: margin; left: 6px; }")
                             .arg(caption.name(), frame.name()));
    group->setProperty("captionColour", caption);
}

bool setChecks(std::initializer_list<std::pair<QCheckBox*, bool>> boxes) {
    bool changed = false;
    for (const auto& [box, on] : boxes) {
        changed = changed || box->isChecked() != on;
        box->setChecked(on);
    }
    return changed;
}

void fitWidthTo(QLineEdit* edit, const QString& sample) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    const QSize text(edit->fontMetrics().horizontalAdvance(sample), edit->fontMetrics().height());
    const QMargins margins = edit->textMargins();
    const QSize inner = text + QSize(margins.left() + margins.right() + 8, 0);
    edit->setFixedWidth(
        edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, inner, edit).width());
}

void nameControlsForScreenReaders(QWidget* root) {
    const QHash<const QWidget*, QString> buddies = buddyCaptions(root);
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!isControl(widget) || !widget->accessibleName().isEmpty())
            continue;
        // The edit of a drop-down is read when it has the focus: it goes by
        // the box's name.
        if (const auto* box = qobject_cast<const QComboBox*>(widget->parentWidget());
            box && box->lineEdit() == widget) {
            widget->setAccessibleName(box->accessibleName());
            continue;
        }
        QString name = ownCaption(widget);
        if (name.isEmpty())
            name = buddies.value(widget);
        if (name.isEmpty())
            nameAfterTooltip(widget);
        else
            widget->setAccessibleName(name);
    }
}

void showPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QStringLiteral("Quillon"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    fitToTitle(box);
    box.exec();
}

// The window manager cuts a title wider than its box ("Q… n" over a short
// message): the box is kept as wide as its title and the title bar's buttons.
void fitToTitle(QMessageBox& box) {
    const int width = titleWidth(box);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void centerOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void keepPlaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

QListView* uniformListView(const char* name, QWidget* parent) {
    auto* view = named(new LongListView(parent), name);
    // Scrolling by rows walks every row's place at each change of geometry,
    // a million of them after each relayout; by pixels it is one height.
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTextElideMode(Qt::ElideNone);
    view->setWordWrap(false);
    return view;
}

} // namespace quillon
