#pragma once

#include <QIcon>

namespace quillon {

/// The small image buttons' pictures, drawn as vectors so they stay crisp on
/// high-density screens.
enum class Glyph { Reload, Save, Clear, Options };

QIcon glyphIcon(Glyph glyph, int size = 16);

} // namespace quillon
