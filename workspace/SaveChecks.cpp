// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/SaveChecks.h"

#include "workspace/FolderReader.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"

#include <unordered_map>

namespace quillon {

std::optional<std::pair<std::size_t, std::size_t>>
firstDuplicate(const std::vector<std::string_view>& names) {
    constexpr auto kNone = static_cast<std::size_t>(-1);
    struct Seen {
        std::size_t first;
        std::size_t second;
    };
    std::unordered_map<std::string_view, Seen> seen;
    seen.reserve(names.size());
    for (std::size_t k = 0; k < names.size(); ++k) {
        const auto [it, inserted] = seen.try_emplace(names[k], Seen{k, kNone});
        if (!inserted && it->second.second == kNone)
            it->second.second = k;
    }
    // The earliest first occurrence that repeats, not the earliest repeat:
    // in a b b a the pair is (0, 3).
    std::optional<std::pair<std::size_t, std::size_t>> best;
    for (const auto& [name, s] : seen) {
        if (s.second != kNone && (!best || s.first < best->first))
            best = std::pair{s.first, s.second};
    }
    return best;
}

bool isUndoScriptNameIgnoringCase(std::string_view bytes) {
    static const Name folded = foldSimple(decodeName(kUndoScriptName));
    // Folding never more than triples a name's bytes or shrinks them below a third.
    const std::size_t length = std::string_view(kUndoScriptName).size();
    if (bytes.size() * 3 < length || bytes.size() > length * 3)
        return false;
    return foldSimple(decodeName(bytes)) == folded;
}

bool isValidNewName(std::string_view bytes) {
    return !bytes.empty() && bytes != "." && bytes != ".." &&
           bytes.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos &&
           !isUndoScriptNameIgnoringCase(bytes);
}

} // namespace quillon
