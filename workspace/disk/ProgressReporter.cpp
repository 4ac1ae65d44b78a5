// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/disk/ProgressReporter.h"

#include <algorithm>
#include <limits>

namespace quillon {

namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

} // namespace

ProgressStage::ProgressStage(ProgressReporter* reporter, WorkStage stage, std::size_t total,
                             std::size_t grain)
    : m_reporter(total >= kProgressThreshold ? reporter : nullptr)
    , m_total(total)
    , m_grain(std::max<std::size_t>(grain, 1))
    , m_next(kNever) {
    if (!m_reporter)
        return;
    m_reporter->begin(stage, total);
    m_next = std::min(m_grain, total);
}

ProgressStage::~ProgressStage() {
    if (m_reporter)
        m_reporter->end();
}

void ProgressStage::report(std::size_t done) {
    done = std::min(done, m_total);
    m_reporter->step(done);
    m_next = done == m_total ? kNever : std::min(done + m_grain, m_total);
}

} // namespace quillon
