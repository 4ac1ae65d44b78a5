// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace quillon {

/// The small image buttons' pictures, drawn as vectors so they stay crisp on
/// high-density screens.
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

QIcon glyphIcon(Glyph glyph, int size = 16);

} // namespace quillon
