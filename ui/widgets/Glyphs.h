// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPalette>

namespace quillon {

/// The small image buttons' pictures, drawn as vectors so they stay crisp on
/// high-density screens, in colours that read on the palette's window colour.
enum class Glyph {
    Reload,
    Save,
    Clear,
    Options,
    Wizard,
    Help,
    /// Scope toggles: a disc with the part's letter (F for names, E for
    /// extensions), green and filled while the part is included, a red ring
    /// while it is excluded, so that the two differ in more than colour.
    ScopeNamesOn,
    ScopeExtensionsOn,
    ScopeNamesOff,
    ScopeExtensionsOff,
};

/// palette: the colours of the place the glyph is shown on; the designed
/// colours where they stand out from its window colour by 3:1 at least,
/// else colours of the palette that do.
QIcon glyphIcon(Glyph glyph, int size = 16, const QPalette& palette = QPalette());

/// The colour the glyphs draw their lines in on palette.
QColor glyphInk(const QPalette& palette);

} // namespace quillon
