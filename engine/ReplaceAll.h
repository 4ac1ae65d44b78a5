// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

namespace quillon {

/// Replaces every from in text by to: left to right, non-overlapping, and
/// text that to produced is never searched again. An empty from replaces nothing.
Name replaceAll(NameView text, NameView from, NameView to);

/// replaceAll without regard to letter case: letters match when their simple
/// upper-case mappings are equal (so dotless "ı" matches "I", and the Kelvin
/// sign matches only itself). upperFrom must be toUpperSimple(from); the
/// characters outside the matches keep their case.
Name replaceAllIgnoringCase(NameView text, NameView upperFrom, NameView to);

/// replaceAll on text itself; returns whether anything was replaced.
bool replaceAllInPlace(Name& text, NameView from, NameView to);

/// text without the blanks (code points up to U+0020) at either end.
NameView trimBlanks(NameView text);

} // namespace quillon
