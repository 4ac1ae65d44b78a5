// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

namespace quillon {

/// The order by name with numbers as numbers: runs of ASCII digits compare
/// by value (‹track 2› before ‹track 10›, ‹2› before ‹02› when equal), other
/// characters by their simple lower case as the name order compares them.
/// Names equal so far are ordered by their code points.
bool naturalLess(NameView a, NameView b);

} // namespace quillon
