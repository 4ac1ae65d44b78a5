// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/widgets/Glyphs.h"

#include <QToolButton>

namespace quillon {

/// A small image button whose glyph follows the user's palette and grows
/// with the font, drawn again whenever either changes.
class GlyphButton final : public QToolButton {
    Q_OBJECT
public:
    GlyphButton(Glyph glyph, QWidget* parent);

    /// The glyph's side in pixels for font: the designed 15 at small text,
    /// a line of text at larger sizes.
    static int glyphSize(const QFontMetrics& font);

protected:
    void changeEvent(QEvent* event) override;

private:
    void drawGlyph();

    Glyph m_glyph;
};

} // namespace quillon
