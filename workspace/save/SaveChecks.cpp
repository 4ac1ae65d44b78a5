// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save/SaveChecks.h"

#include "workspace/names/NameTable.h"

namespace quillon {

std::optional<std::pair<std::size_t, std::size_t>> firstDuplicate(const NameList& names) {
    const NameTable table(names);
    // The earliest first occurrence that repeats, not the earliest repeat:
    // in a b b a the pair is (0, 3).
    std::optional<std::pair<std::size_t, std::size_t>> best;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::size_t first = table.firstOf(k);
        if (first != k && (!best || first < best->first))
            best = std::pair{first, k};
    }
    return best;
}

std::optional<std::pair<std::size_t, std::size_t>>
firstDuplicate(const std::vector<std::string_view>& names) {
    NameList list;
    for (const std::string_view name : names)
        list.add(name);
    return firstDuplicate(list);
}

} // namespace quillon
