// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save/ListingAfterSave.h"

#include "workspace/names/NameTable.h"

#include <string_view>
#include <vector>

namespace quillon {

std::optional<FolderListing> listingAfterRenames(const FolderListing& before,
                                                 std::span<const RenameStep> steps,
                                                 std::size_t entries) {
    const std::size_t count = before.names.size();
    std::vector<std::string_view> current(before.names.begin(), before.names.end());
    // An entry's first step starts from its name as listed; its later
    // steps (out of a temporary name) from where the first one put it.
    const NameTable listed(before.names);
    std::vector<std::size_t> listingIndex(entries, NameTable::kNone);
    for (const RenameStep& step : steps) {
        if (step.entry >= entries)
            return std::nullopt;
        std::size_t& at = listingIndex[step.entry];
        if (at == NameTable::kNone)
            at = listed.find(step.from);
        if (at == NameTable::kNone || current[at] != step.from)
            return std::nullopt;
        current[at] = step.to;
    }
    FolderListing after;
    after.names.reserve(count, before.names.byteSize());
    for (const std::string_view name : current)
        after.names.add(name);
    after.types = before.types;
    after.identities = before.identities;
    return after;
}

} // namespace quillon
