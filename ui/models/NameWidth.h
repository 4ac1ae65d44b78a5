// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <QFontMetrics>

#include <vector>

namespace quillon {

/// Measures names in a font quickly enough for 100,000 entries: advances of
/// single characters are cached, so a name costs one table look-up per
/// character instead of a text layout. Kerning is ignored, which is well
/// within the margin a scroll range needs.
class NameWidth final {
public:
    explicit NameWidth(const QFontMetrics& metrics);

    int width(NameView name);

private:
    QFontMetrics m_metrics;
    std::vector<int> m_bmp; // -1: not measured yet
};

} // namespace quillon
