// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillon {

/// The distinct names of a NameList, each by the first entry that holds it,
/// in an open-addressing table of entry numbers and hash tags: sixteen to
/// thirty-two bytes a name where a node-based hash set costs fifty, and no
/// allocation per name.
class NameTable final {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit NameTable(const NameList& names);

    /// The first entry that holds name, or kNone.
    std::size_t find(std::string_view name) const;
    /// For entry i: the first entry holding the same name (i itself when
    /// none comes before it).
    std::size_t firstOf(std::size_t i) const { return find(m_names[i]); }

private:
    /// A slot holds the upper half of its name's hash above the entry number.
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};

    std::size_t slotOf(std::string_view name, std::size_t hash) const;
    std::size_t entryOf(std::size_t slot) const { return m_slots[slot] & 0xFFFFFFFF; }

    const NameList& m_names;
    std::vector<std::uint64_t> m_slots;
};

} // namespace quillon
