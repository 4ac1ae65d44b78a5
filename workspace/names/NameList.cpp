// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameList.h"

#include "engine/Utf8.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>
#include <stdexcept>

namespace quillon {

namespace {

// Below this much unused space compacting would cost more than it frees.
constexpr std::size_t kCompactSlack = 4096;

} // namespace

const NameList::Data& NameList::data() const {
    static const Data kEmpty;
    return m_data ? *m_data : kEmpty;
}

NameList::Data& NameList::own() {
    // Another holder only ever reads the shared names, so the copy needs no lock.
    if (!m_data)
        m_data = std::make_shared<Data>();
    else if (m_data.use_count() > 1)
        m_data = std::make_shared<Data>(*m_data);
    else
        // The count is read without ordering: a holder on another thread that
        // let go of the names just now must have done its last reads before
        // this list writes into them.
        std::atomic_thread_fence(std::memory_order_acquire);
    return *m_data;
}

std::string_view NameList::operator[](std::size_t i) const {
    const Data& d = data();
    const Slot s = d.spans[i];
    return std::string_view(d.bytes).substr(s.offset, s.length);
}

Name NameList::decoded(std::size_t i) const {
    return decodeName((*this)[i]);
}

void NameList::decodeInto(std::size_t i, Name& out) const {
    decodeNameInto((*this)[i], out);
}

void NameList::reserve(std::size_t count, std::size_t bytes) {
    Data& d = own();
    d.spans.reserve(count);
    d.bytes.reserve(bytes);
}

NameList::Slot NameList::store(Data& d, std::string_view bytes) {
    // Offsets are 32 bits wide; compacting first keeps only live names.
    if (d.bytes.size() + bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        compact(d);
        if (d.bytes.size() + bytes.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("NameList: names exceed 4 GiB");
    }
    const Slot s{static_cast<std::uint32_t>(d.bytes.size()),
                 static_cast<std::uint32_t>(bytes.size())};
    d.bytes.append(bytes);
    return s;
}

void NameList::add(std::string_view bytes) {
    // bytes may view the names this list shares, which own() leaves as they are.
    Data& d = own();
    d.spans.push_back(store(d, bytes));
}

void NameList::addEncoded(NameView name) {
    Data& d = own();
    const std::size_t begin = d.bytes.size();
    appendEncoded(d.bytes, name);
    if (d.bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        const std::string bytes = d.bytes.substr(begin);
        d.bytes.resize(begin);
        add(bytes);
        return;
    }
    d.spans.push_back(
        {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(d.bytes.size() - begin)});
}

void NameList::set(std::size_t i, std::string_view bytes) {
    Data& d = own();
    Slot& s = d.spans[i];
    // Case conversion mostly keeps the length: such names are rewritten where they stand.
    if (bytes.size() <= s.length) {
        d.bytes.replace(s.offset, bytes.size(), bytes);
        d.unused += s.length - bytes.size();
        s.length = static_cast<std::uint32_t>(bytes.size());
    } else {
        d.unused += s.length;
        // bytes may view this very buffer, which append can move.
        const std::string copy(bytes);
        d.spans[i] = store(d, copy);
    }
    if (d.unused > kCompactSlack && d.unused > d.bytes.size() / 2)
        compact(d);
}

void NameList::setEncoded(std::size_t i, NameView name) {
    std::string bytes;
    appendEncoded(bytes, name);
    set(i, bytes);
}

void NameList::erase(std::size_t i) {
    Data& d = own();
    d.unused += d.spans[i].length;
    d.spans.erase(d.spans.begin() + static_cast<std::ptrdiff_t>(i));
}

void NameList::clear() {
    if (!m_data || m_data.use_count() > 1) {
        m_data.reset();
        return;
    }
    m_data->bytes.clear();
    m_data->spans.clear();
    m_data->unused = 0;
}

void NameList::shrinkToFit() {
    if (!m_data)
        return;
    Data& d = own();
    if (d.unused > 0)
        compact(d);
    d.bytes.shrink_to_fit();
    d.spans.shrink_to_fit();
}

void NameList::trim() {
    const Data& shared = data();
    if (shared.unused > kCompactSlack && shared.unused > (shared.bytes.size() - shared.unused) / 4)
        compact(own());
}

void NameList::compact(Data& d) {
    std::string bytes;
    // As much room as before: the names that outgrew their place will likely
    // do so again on the next pass.
    bytes.reserve(d.bytes.capacity());
    for (Slot& s : d.spans) {
        const auto offset = static_cast<std::uint32_t>(bytes.size());
        bytes.append(d.bytes, s.offset, s.length);
        s.offset = offset;
    }
    d.bytes = std::move(bytes);
    d.unused = 0;
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
