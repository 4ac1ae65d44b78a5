// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/GlyphButton.h"

#include <QEvent>

#include <algorithm>

namespace quillon {

namespace {

constexpr int kDesignedSize = 15;

} // namespace

GlyphButton::GlyphButton(Glyph glyph, QWidget* parent)
    : QToolButton(parent)
    , m_glyph(glyph) {
    drawGlyph();
}

int GlyphButton::glyphSize(const QFontMetrics& font) {
    return std::max(kDesignedSize, font.height());
}

void GlyphButton::changeEvent(QEvent* event) {
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        drawGlyph();
}

void GlyphButton::drawGlyph() {
    const int size = glyphSize(fontMetrics());
    setIconSize(QSize(size, size));
    setIcon(glyphIcon(m_glyph, size, palette()));
}

} // namespace quillon
