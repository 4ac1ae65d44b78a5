// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save/SaveChecks.h"

#include "workspace/folder/FolderReader.h"
#include "workspace/names/NameTable.h"
#include "workspace/record/UndoRecord.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"

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

bool isUndoScriptNameIgnoringCase(std::string_view bytes) {
    // Nothing folds to "_" but "_" itself: most names are out at their first
    // byte, before any decoding.
    static_assert(kUndoScriptName[0] == '_');
    if (bytes.empty() || bytes.front() != kUndoScriptName[0])
        return false;
    static const Name folded = foldSimple(decodeName(kUndoScriptName));
    // Folding never more than triples a name's bytes or shrinks them below a third.
    const std::size_t length = std::string_view(kUndoScriptName).size();
    if (bytes.size() * 3 < length || bytes.size() > length * 3)
        return false;
    return foldSimple(decodeName(bytes)) == folded;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const auto p = static_cast<unsigned char>(a[i]);
        const auto q = static_cast<unsigned char>(b[i]);
        if (p >= 0x80 || q >= 0x80)
            break;
        if (toLowerAscii(p) != toLowerAscii(q))
            return false;
    }
    if (i == a.size() && i == b.size())
        return true;
    return foldSimple(decodeName(a.substr(i))) == foldSimple(decodeName(b.substr(i)));
}

bool isValidNewName(std::string_view bytes) {
    return isOneComponent(bytes) && !isUndoScriptNameIgnoringCase(bytes) &&
           ownNameKind(bytes) == OwnNameKind::None;
}

} // namespace quillon
