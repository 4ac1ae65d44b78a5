// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/press/UndoCopy.h"

namespace quillon {

void UndoCopy::start(std::size_t count, std::size_t bytes) {
    m_names.clear();
    m_names.reserve(count, bytes);
    m_where.assign(count, kNone);
}

void UndoCopy::clear() {
    m_names.clear();
    m_names.shrinkToFit();
    m_where = std::vector<std::uint32_t>();
}

void UndoCopy::remember(std::size_t i, std::string_view before) {
    if (i >= m_where.size() || m_where[i] != kNone)
        return;
    m_where[i] = static_cast<std::uint32_t>(m_names.size());
    m_names.add(before);
}

} // namespace quillon
