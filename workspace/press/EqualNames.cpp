// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/press/EqualNames.h"

#include "workspace/disk/FileSystem.h"
#include "workspace/names/NameTable.h"
#include "workspace/save/SaveChecks.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace quillon {

namespace {

// The names that files keep through the save: listed files whose name does
// not change, and files the list does not hold. A listed file that is
// renamed frees its name for the others.
NameList stayingKeys(const NameList& oldNames, const NameList& newNames,
                     const NameList& folderEntries, NameCase nameCase) {
    const NameKeys oldKeys(oldNames, nameCase);
    const NameTable listed(oldKeys.list());
    NameList staying;
    for (std::size_t i = 0; i < oldNames.size(); ++i) {
        if (oldNames[i] == newNames[i])
            staying.add(oldKeys[i]);
    }
    std::string scratch;
    for (const std::string_view entry : folderEntries) {
        const std::string_view key = nameKey(entry, nameCase, scratch);
        if (listed.find(key) == NameTable::kNone)
            staying.add(key);
    }
    return staying;
}

// "IMG 1.jpg" with 2 gives "IMG 1 (2).jpg"; a name without a name part
// (".profile") takes the number at its end.
std::string withNumber(std::string_view name, std::uint64_t number) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        dot = name.size();
    std::string out(name.substr(0, dot));
    out += " (" + std::to_string(number) + ")";
    out += name.substr(dot);
    return out;
}

// Hands out the numbers of one press: each numbered name is checked against
// every name that is taken, and each group of equal names goes on from the
// number its last member took.
class Numberer final {
public:
    Numberer(const NameTable& staying, const NameTable& newNames, NameCase nameCase)
        : m_staying(staying)
        , m_newNames(newNames)
        , m_nameCase(nameCase) {}

    std::string next(std::string_view plainKey, std::string_view name) {
        std::uint64_t& number = m_nextNumber.try_emplace(std::string(plainKey), 2).first->second;
        for (;; ++number) {
            std::string candidate = withNumber(name, number);
            std::string key(nameKey(candidate, m_nameCase, m_scratch));
            if (isTaken(key))
                continue;
            m_given.insert(std::move(key));
            ++number;
            return candidate;
        }
    }

private:
    bool isTaken(const std::string& key) const {
        return m_staying.find(key) != NameTable::kNone ||
               m_newNames.find(key) != NameTable::kNone || m_given.contains(key);
    }

    const NameTable& m_staying;
    const NameTable& m_newNames;
    NameCase m_nameCase;
    std::unordered_map<std::string, std::uint64_t> m_nextNumber;
    std::unordered_set<std::string> m_given;
    std::string m_scratch;
};

} // namespace

std::vector<NumberedName> numberEqualNames(const NameList& oldNames, const NameList& newNames,
                                           const NameList& folderEntries, NameCase nameCase) {
    const NameList stayingList = stayingKeys(oldNames, newNames, folderEntries, nameCase);
    const NameTable staying(stayingList);
    const NameKeys newKeys(newNames, nameCase);
    const NameTable newIndex(newKeys.list());
    Numberer numberer(staying, newIndex, nameCase);
    std::vector<NumberedName> out;
    for (std::size_t i = 0; i < newNames.size(); ++i) {
        if (oldNames[i] == newNames[i] || !isValidNewName(newNames[i]))
            continue;
        const std::string_view key = newKeys[i];
        const bool keepsPlainName =
            newIndex.firstOf(i) == i && staying.find(key) == NameTable::kNone;
        if (!keepsPlainName)
            out.push_back({i, numberer.next(key, newNames[i])});
    }
    return out;
}

std::vector<NumberedName> numberEqualNamesInFolder(FileSystem& fs, const std::string& folder,
                                                   const NameList& oldNames,
                                                   const NameList& newNames) {
    FolderListing listing;
    if (fs.readFolder(folder, listing) != 0)
        listing = {};
    return numberEqualNames(oldNames, newNames, listing.names,
                            folderNameCase(fs, folder, listing.names));
}

} // namespace quillon
