// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameMap.h"

#include <bit>
#include <cstring>
#include <functional>
#include <utility>

namespace quillon {

namespace {

std::uint32_t hashOf(std::string_view name) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

} // namespace

void NameMap::reserve(std::size_t count) {
    // At most half full, so probe runs stay short.
    const std::size_t wanted = std::bit_ceil(count * 2 + 2);
    if (wanted <= m_slots.size())
        return;
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(wanted));
    for (const Slot& slot : old) {
        if (slot.data != nullptr)
            m_slots[slotOf({slot.data, slot.size}, slot.hash)] = slot;
    }
}

void NameMap::grow() {
    if (m_size + 1 > m_slots.size() / 2)
        reserve(m_size * 2 + 1);
}

std::size_t NameMap::slotOf(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t s = hash & mask;
    while (m_slots[s].data != nullptr &&
           (m_slots[s].hash != hash || m_slots[s].size != name.size() ||
            std::memcmp(m_slots[s].data, name.data(), name.size()) != 0))
        s = (s + 1) & mask;
    return s;
}

const std::uint64_t* NameMap::find(std::string_view name) const {
    if (m_slots.empty() || name.empty())
        return nullptr;
    const Slot& slot = m_slots[slotOf(name, hashOf(name))];
    return slot.data == nullptr ? nullptr : &slot.value;
}

bool NameMap::contains(std::string_view name) const {
    return find(name) != nullptr;
}

void NameMap::set(std::string_view name, std::uint64_t value) {
    if (name.empty())
        return;
    grow();
    const std::uint32_t hash = hashOf(name);
    Slot& slot = m_slots[slotOf(name, hash)];
    if (slot.data == nullptr) {
        slot = {name.data(), static_cast<std::uint32_t>(name.size()), hash, value};
        ++m_size;
    }
    slot.value = value;
}

// Deletes without tombstones: each later slot of the probe run that may move
// back to the freed one does, so every name stays reachable from its home.
std::uint64_t NameMap::erase(std::string_view name) {
    if (m_slots.empty() || name.empty())
        return 0;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t hole = slotOf(name, hashOf(name));
    if (m_slots[hole].data == nullptr)
        return 0;
    const std::uint64_t value = m_slots[hole].value;
    for (std::size_t s = (hole + 1) & mask; m_slots[s].data != nullptr; s = (s + 1) & mask) {
        const std::size_t home = m_slots[s].hash & mask;
        // Distances along the ring: the slot may fill the hole when its home
        // lies no later than the hole.
        if (((s - home) & mask) >= ((s - hole) & mask)) {
            m_slots[hole] = m_slots[s];
            hole = s;
        }
    }
    m_slots[hole] = Slot{};
    --m_size;
    return value;
}

} // namespace quillon
