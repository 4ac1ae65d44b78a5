#include "ui/WidgetHelpers.h"

#include <QCoreApplication>
#include <QListView>
#include <QToolButton>

namespace quillon {

QString translated(const char* context, std::string_view message) {
    const QByteArray source(message.data(), static_cast<qsizetype>(message.size()));
    return QCoreApplication::translate(context, source.constData());
}

QToolButton* imageButton(const char* name, Glyph glyph, QWidget* parent) {
    auto* button = named(new QToolButton(parent), name);
    button->setIcon(glyphIcon(glyph));
    button->setIconSize(QSize(15, 15));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0px; }"));
    return button;
}

QListView* uniformListView(const char* name, QWidget* parent) {
    auto* view = named(new QListView(parent), name);
    view->setUniformItemSizes(true);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTextElideMode(Qt::ElideNone);
    view->setWordWrap(false);
    return view;
}

} // namespace quillon
