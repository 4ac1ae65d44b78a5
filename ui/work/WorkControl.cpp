// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/work/WorkControl.h"

#include <algorithm>

namespace quillon {

namespace {

constexpr std::size_t kPercent = 100;

} // namespace

void WorkControl::begin(WorkStage, std::size_t total) {
    m_total = total;
    showPercent(total == 0 ? kOpenEnded : 0);
}

void WorkControl::step(std::size_t done) {
    if (m_abandonOnCancel && stopRequested())
        throw WorkAbandoned{};
    if (m_total > 0)
        showPercent(static_cast<int>(std::min(done, m_total) * kPercent / m_total));
}

} // namespace quillon
