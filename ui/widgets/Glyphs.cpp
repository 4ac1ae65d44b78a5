// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/Glyphs.h"

#include "ui/widgets/Palette.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillon {

namespace {

// Lines and small shapes need 3:1 against their background to be seen.
constexpr double kGraphicContrast = 3.0;

// designed where it stands out from the window colour; else the same hue
// mixed towards the palette's text colour until it does.
QColor inkFor(const QColor& designed, const QPalette& palette) {
    const QColor background = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    constexpr int kSteps = 4;
    for (int step = 0; step < kSteps; ++step) {
        const qreal t = static_cast<qreal>(step) / kSteps;
        const QColor mixed =
            QColor::fromRgbF(static_cast<float>(designed.redF() * (1 - t) + text.redF() * t),
                             static_cast<float>(designed.greenF() * (1 - t) + text.greenF() * t),
                             static_cast<float>(designed.blueF() * (1 - t) + text.blueF() * t));
        if (contrastRatio(mixed, background) >= kGraphicContrast)
            return mixed;
    }
    return text;
}

struct Colours {
    QColor ink;     // lines and marks
    QColor warning; // the clear cross
    QColor fill;    // inside shapes drawn with ink
    QColor inverse; // marks on a shape filled with ink
};

Colours coloursFor(const QPalette& palette) {
    return {glyphInk(palette), inkFor(QColor(170, 40, 40), palette), palette.color(QPalette::Base),
            palette.color(QPalette::Window)};
}

void draw(QPainter& p, Glyph glyph, qreal s, const Colours& colours) {
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colours.ink, s / 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
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
        p.setBrush(colours.fill);
        p.drawRoundedRect(QRectF(s * 0.15, s * 0.15, s * 0.7, s * 0.7), s * 0.06, s * 0.06);
        p.setBrush(pen.color());
        p.drawRect(QRectF(s * 0.3, s * 0.15, s * 0.4, s * 0.22));
        p.setBrush(colours.fill);
        p.drawRect(QRectF(s * 0.28, s * 0.55, s * 0.44, s * 0.3));
        break;
    case Glyph::Clear:
        pen.setColor(colours.warning);
        p.setPen(pen);
        p.drawLine(QPointF(s * 0.28, s * 0.28), QPointF(s * 0.72, s * 0.72));
        p.drawLine(QPointF(s * 0.72, s * 0.28), QPointF(s * 0.28, s * 0.72));
        break;
    case Glyph::Wizard:
        p.drawLine(QPointF(s * 0.2, s * 0.85), QPointF(s * 0.65, s * 0.4));
        // The star's gold fill is decoration; its outline carries the contrast.
        p.setBrush(QColor(240, 190, 40));
        p.setPen(QPen(pen.color(), s / 14.0));
        p.drawEllipse(QPointF(s * 0.72, s * 0.3), s * 0.16, s * 0.16);
        break;
    case Glyph::Help: {
        p.setBrush(pen.color());
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        QFont font;
        font.setPixelSize(int(s * 0.7));
        font.setBold(true);
        p.setFont(font);
        p.setPen(colours.inverse);
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

QColor glyphInk(const QPalette& palette) {
    return inkFor(QColor(40, 70, 140), palette);
}

QIcon glyphIcon(Glyph glyph, int size, const QPalette& palette) {
    const Colours colours = coloursFor(palette);
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0, 3.0}) {
        QPixmap pixmap(QSize(size, size) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        draw(painter, glyph, size, colours);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace quillon
