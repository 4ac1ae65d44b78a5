// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ReaderPool.h"

namespace quillon::metadata {

namespace {

// More than the reading threads of any batch; beyond it, idle processes end.
constexpr std::size_t kMaxIdle = 8;

} // namespace

ReaderPool::ReaderPool(ReaderSettings settings)
    : m_settings(std::move(settings)) {}

std::unique_ptr<ReaderProcess> ReaderPool::borrow() {
    {
        const std::lock_guard lock(m_mutex);
        if (!m_idle.empty()) {
            std::unique_ptr<ReaderProcess> reader = std::move(m_idle.back());
            m_idle.pop_back();
            return reader;
        }
    }
    return std::make_unique<ReaderProcess>(m_settings);
}

void ReaderPool::giveBack(std::unique_ptr<ReaderProcess> reader) {
    const std::lock_guard lock(m_mutex);
    if (m_idle.size() < kMaxIdle)
        m_idle.push_back(std::move(reader));
}

} // namespace quillon::metadata
