// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameTable.h"

#include <bit>
#include <functional>

namespace quillon {

namespace {

std::uint32_t tagOf(std::size_t hash) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
}

} // namespace

NameTable::NameTable(const NameList& names)
    : m_names(names)
    // At most half full, so probe runs stay short.
    , m_slots(std::bit_ceil(names.size() * 2 + 2), kEmpty) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t hash = std::hash<std::string_view>{}(names[i]);
        std::uint64_t& slot = m_slots[slotOf(names[i], hash)];
        if (slot == kEmpty)
            slot = (std::uint64_t{tagOf(hash)} << 32) | i;
    }
}

// The slot holding name, or the empty slot where it would go. A name is
// compared only where the upper half of its hash matches: with a million
// names each look into the list is a miss of the cache.
std::size_t NameTable::slotOf(std::string_view name, std::size_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    std::size_t s = hash & mask;
    while (m_slots[s] != kEmpty &&
           (static_cast<std::uint32_t>(m_slots[s] >> 32) != tag || m_names[entryOf(s)] != name))
        s = (s + 1) & mask;
    return s;
}

std::size_t NameTable::find(std::string_view name) const {
    const std::size_t s = slotOf(name, std::hash<std::string_view>{}(name));
    return m_slots[s] == kEmpty ? kNone : entryOf(s);
}

} // namespace quillon
