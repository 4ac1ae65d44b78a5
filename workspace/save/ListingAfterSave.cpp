// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save/ListingAfterSave.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon {

std::optional<FolderListing> listingAfterRenames(const FolderListing& before,
                                                 std::span<const RenameStep> steps) {
    const std::size_t count = before.names.size();
    std::vector<std::string_view> current(before.names.begin(), before.names.end());
    std::unordered_map<std::string_view, std::size_t> where;
    where.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        where.emplace(current[i], i);
    for (const RenameStep& step : steps) {
        const auto found = where.find(step.from);
        if (found == where.end())
            return std::nullopt;
        const std::size_t entry = found->second;
        where.erase(found);
        // A step never lands on a name the folder holds: the plan leaves
        // such a target for the rename to fail on, and a failed save is
        // read again.
        if (!where.emplace(step.to, entry).second)
            return std::nullopt;
        current[entry] = step.to;
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
