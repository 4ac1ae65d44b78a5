// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/Glyphs.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillon {

namespace {

void draw(QPainter& p, Glyph glyph, qreal s) {
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(40, 70, 140), s / 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (glyph) {
    case Glyph::Reload: {
        const QRectF r(s * 0.2, s * 0.2, s * 0.6, s * 0.6);
        p.drawArc(r, 60 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(s * 0.78, s * 0.12);
        head.lineTo(s * 0.78, s * 0.38);
        head.lineTo(s * 0.52, s * 0.34);
        head.closeSubpath();
        p.setBrush(pen.color());
        p.drawPath(head);
        break;
    }
    case Glyph::Save:
        p.setBrush(QColor(220, 228, 245));
        p.drawRoundedRect(QRectF(s * 0.15, s * 0.15, s * 0.7, s * 0.7), s * 0.06, s * 0.06);
        p.setBrush(pen.color());
        p.drawRect(QRectF(s * 0.3, s * 0.15, s * 0.4, s * 0.22));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.28, s * 0.55, s * 0.44, s * 0.3));
        break;
    case Glyph::Clear:
        pen.setColor(QColor(170, 40, 40));
        p.setPen(pen);
        p.drawLine(QPointF(s * 0.28, s * 0.28), QPointF(s * 0.72, s * 0.72));
        p.drawLine(QPointF(s * 0.72, s * 0.28), QPointF(s * 0.28, s * 0.72));
        break;
    case Glyph::Wizard:
        p.drawLine(QPointF(s * 0.2, s * 0.85), QPointF(s * 0.65, s * 0.4));
        p.setBrush(QColor(240, 190, 40));
        p.setPen(QPen(QColor(200, 140, 0), s / 14.0));
        p.drawEllipse(QPointF(s * 0.72, s * 0.3), s * 0.16, s * 0.16);
        break;
    case Glyph::Help: {
        p.setBrush(QColor(40, 70, 140));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        QFont font;
        font.setPixelSize(int(s * 0.7));
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Glyph::ScopeNamesOn:
    case Glyph::ScopeExtensionsOn:
    case Glyph::ScopeNamesOff:
    case Glyph::ScopeExtensionsOff: {
        const bool on = glyph == Glyph::ScopeNamesOn || glyph == Glyph::ScopeExtensionsOn;
        const bool extensions =
            glyph == Glyph::ScopeExtensionsOn || glyph == Glyph::ScopeExtensionsOff;
        const QColor red(200, 40, 40);
        p.setBrush(on ? QBrush(QColor(30, 160, 60)) : QBrush(Qt::white));
        p.setPen(on ? QPen(Qt::NoPen) : QPen(red, s / 9.0));
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        QFont font;
        font.setPixelSize(int(s * 0.62));
        font.setBold(true);
        p.setFont(font);
        p.setPen(on ? QColor(Qt::white) : red);
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter,
                   extensions ? QStringLiteral("E") : QStringLiteral("F"));
        break;
    }
    case Glyph::Options:
        p.setBrush(pen.color());
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(s * (0.25 + 0.25 * i), s * 0.5), s * 0.07, s * 0.07);
        break;
    }
}

} // namespace

QIcon glyphIcon(Glyph glyph, int size) {
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0, 3.0}) {
        QPixmap pixmap(QSize(size, size) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        draw(painter, glyph, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace quillon
