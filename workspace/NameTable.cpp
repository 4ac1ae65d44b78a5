// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/NameTable.h"

#include <bit>
#include <functional>

namespace quillon {

NameTable::NameTable(const NameList& names)
    : m_names(names)
    // At most half full, so probe runs stay short.
    , m_slots(std::bit_ceil(names.size() * 2 + 2), kEmpty) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::uint32_t& slot = m_slots[slotOf(names[i])];
        if (slot == kEmpty)
            slot = static_cast<std::uint32_t>(i);
    }
}

// The slot holding name, or the empty slot where it would go.
std::size_t NameTable::slotOf(std::string_view name) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t s = std::hash<std::string_view>{}(name)&mask;
    while (m_slots[s] != kEmpty && m_names[m_slots[s]] != name)
        s = (s + 1) & mask;
    return s;
}

std::size_t NameTable::find(std::string_view name) const {
    const std::uint32_t entry = m_slots[slotOf(name)];
    return entry == kEmpty ? kNone : entry;
}

} // namespace quillon
