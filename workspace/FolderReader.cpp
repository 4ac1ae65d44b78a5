#include "workspace/FolderReader.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"
#include "workspace/Wildcard.h"

#include <algorithm>

namespace quillon {

namespace {

// Below this many entries a read is quick enough that a busy cursor would
// only flicker.
constexpr std::size_t kBusyThreshold = 100;

// 1980-01-01 00:00:00 and 2107-12-31 23:59:58 UTC, the range a DOS time stamp
// can express; creation times outside it are keyed at the nearest end.
constexpr std::int64_t kFirstKeyTime = 315532800;
constexpr std::int64_t kLastKeyTime = 4354819198;

class BusyScope final {
public:
    BusyScope(const BusyHandler& busy, std::size_t entries)
        : m_busy(entries >= kBusyThreshold && busy ? &busy : nullptr) {
        if (m_busy)
            (*m_busy)(true);
    }
    ~BusyScope() {
        if (m_busy)
            (*m_busy)(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    const BusyHandler* m_busy;
};

struct SortItem {
    std::int64_t minute = 0;
    Name lower;
    std::uint32_t entry = 0;
};

bool isFolder(FileSystem& fs, const std::string& folder, const RawEntry& entry) {
    switch (entry.type) {
    case EntryType::Directory:
        return true;
    case EntryType::Regular:
    case EntryType::Other:
        return false;
    case EntryType::Symlink:
    case EntryType::Unknown:
        break;
    }
    EntryStatus status;
    return fs.statEntry(folder, entry.name, status) == 0 && status.isFolder;
}

// Sorts the items and returns the decoded names in that order. Ties beyond
// the case-insensitive key fall back to the raw bytes so that names such as
// "a.txt" and "A.txt" always come in the same order.
std::vector<Name> sortedNames(std::vector<SortItem>& items, const std::vector<RawEntry>& entries,
                              std::vector<Name>& decoded) {
    std::sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
        if (a.minute != b.minute)
            return a.minute < b.minute;
        if (const int c = a.lower.compare(b.lower))
            return c < 0;
        return entries[a.entry].name < entries[b.entry].name;
    });
    std::vector<Name> names;
    names.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::uint32_t e = items[i].entry;
        // A name listed twice (two patterns) keeps its decoded copy for the
        // second time round.
        const bool again = i + 1 < items.size() && items[i + 1].entry == e;
        names.push_back(again ? decoded[e] : std::move(decoded[e]));
    }
    return names;
}

} // namespace

std::int64_t creationMinute(std::int64_t secondsSinceEpoch) {
    const std::int64_t t = std::clamp(secondsSinceEpoch, kFirstKeyTime, kLastKeyTime);
    return t / 60;
}

FolderReadResult readSortedByName(FileSystem& fs, const std::string& folder, NameView mask,
                                  const BusyHandler& busy) {
    FolderReadResult result;
    std::vector<RawEntry> entries;
    if ((result.error = fs.readFolder(folder, entries)) != 0)
        return result;
    BusyScope busyScope(busy, entries.size());

    const std::vector<WildcardPattern> patterns = splitMask(mask);
    std::vector<Name> decoded(entries.size());
    std::vector<SortItem> items;
    items.reserve(entries.size());
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const RawEntry& entry = entries[e];
        if (entry.name.empty() || entry.name.front() == '.')
            continue;
        Name name = decodeName(entry.name);
        const auto hits = std::count_if(patterns.begin(), patterns.end(),
                                        [&](const WildcardPattern& p) { return p.matches(name); });
        if (hits == 0 || isFolder(fs, folder, entry))
            continue;
        Name lower = toLowerSimple(name);
        for (auto h = hits; h > 1; --h)
            items.push_back(SortItem{0, lower, static_cast<std::uint32_t>(e)});
        items.push_back(SortItem{0, std::move(lower), static_cast<std::uint32_t>(e)});
        decoded[e] = std::move(name);
    }
    result.names = sortedNames(items, entries, decoded);
    return result;
}

FolderReadResult readSortedByDate(FileSystem& fs, const std::string& folder, NameView mask,
                                  const BusyHandler& busy) {
    FolderReadResult result;
    std::vector<RawEntry> entries;
    if ((result.error = fs.readFolder(folder, entries)) != 0)
        return result;
    BusyScope busyScope(busy, entries.size());

    const WildcardPattern pattern(mask);
    std::vector<Name> decoded(entries.size());
    std::vector<SortItem> items;
    items.reserve(entries.size());
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const RawEntry& entry = entries[e];
        if (entry.name == kUndoScriptName || entry.type == EntryType::Directory)
            continue;
        Name name = decodeName(entry.name);
        if (!pattern.matches(name))
            continue;
        EntryStatus status;
        if (fs.statEntry(folder, entry.name, status) != 0 || status.isFolder)
            continue;
        items.push_back(SortItem{creationMinute(status.creationTime), toLowerSimple(name),
                                 static_cast<std::uint32_t>(e)});
        decoded[e] = std::move(name);
    }
    result.names = sortedNames(items, entries, decoded);
    return result;
}

} // namespace quillon
