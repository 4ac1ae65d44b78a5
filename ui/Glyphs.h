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
    /// Scope toggles: green disc with a white letter while the part is
    /// included, red disc with a white F while it is excluded.
    ScopeNamesOn,
    ScopeExtensionsOn,
    ScopeOff,
};

QIcon glyphIcon(Glyph glyph, int size = 16);

} // namespace quillon
