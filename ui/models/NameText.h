// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <QString>

namespace quillon {

/// A name as Qt text; escaped bytes travel as the lone surrogates
/// U+DC80..U+DCFF so that an edited name gives back the same bytes.
QString toQString(NameView name);
/// A name as the user sees it: escaped bytes show as U+FFFD.
QString toDisplayString(NameView name);
/// Back from Qt text; lone surrogates stay as they are.
Name toName(const QString& text);

} // namespace quillon
