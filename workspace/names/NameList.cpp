// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameList.h"

#include "engine/Utf8.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace quillon {

namespace {

// Below this much unused space compacting would cost more than it frees.
constexpr std::size_t kCompactSlack = 4096;

} // namespace

std::string_view NameList::operator[](std::size_t i) const {
    const Slot s = m_slots[i];
    return std::string_view(m_bytes).substr(s.offset, s.length);
}

Name NameList::decoded(std::size_t i) const {
    return decodeName((*this)[i]);
}

void NameList::decodeInto(std::size_t i, Name& out) const {
    decodeNameInto((*this)[i], out);
}

void NameList::reserve(std::size_t count, std::size_t bytes) {
    m_slots.reserve(count);
    m_bytes.reserve(bytes);
}

NameList::Slot NameList::store(std::string_view bytes) {
    // Offsets are 32 bits wide; compacting first keeps only live names.
    if (m_bytes.size() + bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        compact();
        if (m_bytes.size() + bytes.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("NameList: names exceed 4 GiB");
    }
    const Slot s{static_cast<std::uint32_t>(m_bytes.size()),
                 static_cast<std::uint32_t>(bytes.size())};
    m_bytes.append(bytes);
    return s;
}

void NameList::add(std::string_view bytes) {
    m_slots.push_back(store(bytes));
}

void NameList::addEncoded(NameView name) {
    const std::size_t begin = m_bytes.size();
    appendEncoded(m_bytes, name);
    if (m_bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        const std::string bytes = m_bytes.substr(begin);
        m_bytes.resize(begin);
        add(bytes);
        return;
    }
    m_slots.push_back(
        {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(m_bytes.size() - begin)});
}

void NameList::set(std::size_t i, std::string_view bytes) {
    Slot& s = m_slots[i];
    // Case conversion mostly keeps the length: such names are rewritten where they stand.
    if (bytes.size() <= s.length) {
        m_bytes.replace(s.offset, bytes.size(), bytes);
        m_unused += s.length - bytes.size();
        s.length = static_cast<std::uint32_t>(bytes.size());
    } else {
        m_unused += s.length;
        // bytes may view this very buffer, which append can move.
        const std::string copy(bytes);
        m_slots[i] = store(copy);
    }
    if (m_unused > kCompactSlack && m_unused > m_bytes.size() / 2)
        compact();
}

void NameList::setEncoded(std::size_t i, NameView name) {
    std::string bytes;
    appendEncoded(bytes, name);
    set(i, bytes);
}

void NameList::erase(std::size_t i) {
    m_unused += m_slots[i].length;
    m_slots.erase(m_slots.begin() + static_cast<std::ptrdiff_t>(i));
}

void NameList::clear() {
    m_bytes.clear();
    m_slots.clear();
    m_unused = 0;
}

void NameList::shrinkToFit() {
    if (m_unused > 0)
        compact();
    m_bytes.shrink_to_fit();
    m_slots.shrink_to_fit();
}

void NameList::trim() {
    if (m_unused > kCompactSlack && m_unused > (m_bytes.size() - m_unused) / 4)
        compact();
}

void NameList::compact() {
    std::string bytes;
    // As much room as before: the names that outgrew their place will likely
    // do so again on the next pass.
    bytes.reserve(m_bytes.capacity());
    for (Slot& s : m_slots) {
        const auto offset = static_cast<std::uint32_t>(bytes.size());
        bytes.append(m_bytes, s.offset, s.length);
        s.offset = offset;
    }
    m_bytes = std::move(bytes);
    m_unused = 0;
}

NameList::Iterator NameList::begin() const {
    return Iterator(this, 0);
}

NameList::Iterator NameList::end() const {
    return Iterator(this, size());
}

bool operator==(const NameList& a, const NameList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

} // namespace quillon
