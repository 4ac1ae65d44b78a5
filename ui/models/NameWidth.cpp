// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/NameWidth.h"

#include "ui/models/NameText.h"

namespace quillon {

NameWidth::NameWidth(const QFontMetrics& metrics)
    : m_metrics(metrics)
    , m_bmp(0x10000, -1) {}

int NameWidth::width(NameView name) {
    int total = 0;
    for (char32_t c : name) {
        if (c < 0x10000) {
            int& w = m_bmp[c];
            if (w < 0) {
                const bool escaped = c >= 0xDC80 && c <= 0xDCFF;
                w = m_metrics.horizontalAdvance(escaped ? QChar(QChar::ReplacementCharacter)
                                                        : QChar(static_cast<char16_t>(c)));
            }
            total += w;
        } else {
            total += m_metrics.horizontalAdvance(toQString(NameView(&c, 1)));
        }
    }
    return total;
}

} // namespace quillon
