// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/folder/FolderReader.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"
#include "workspace/names/Wildcard.h"
#include "workspace/record/UndoRecord.h"
#include "workspace/record/UndoScript.h"

#include <algorithm>
#include <bit>
#include <unordered_set>

namespace quillon {

namespace {

// 1980-01-01 00:00:00 and 2107-12-31 23:59:58 UTC, the range a DOS time stamp
// can express; creation times outside it are keyed at the nearest end.
constexpr std::int64_t kFirstKeyTime = 315532800;
constexpr std::int64_t kLastKeyTime = 4354819198;
static_assert(kFirstKeyTime >= 0 && kLastKeyTime / 60 <= UINT32_MAX);

// Sort keys live in one shared buffer, so sorting moves small plain items
// instead of strings and a folder costs no allocation per name.
// Minutes fit 32 bits (creationMinute clamps them), which keeps an item at
// 24 bytes: at a million entries the items are the largest thing a load
// holds beside the names.
struct SortItem {
    /// The key's first bytes as a big-endian number, zero-padded: most
    /// comparisons end here, without a look into the shared buffer, which
    /// a million names make slow to reach at random.
    std::uint64_t keyPrefix = 0;
    std::uint32_t minute = 0;
    std::uint32_t keyOffset = 0;
    std::uint32_t keyLength = 0;
    std::uint32_t entry = 0;
};
static_assert(sizeof(SortItem) == 24);

bool isFolder(FileSystem& fs, const std::string& folder, std::string_view name, EntryType type) {
    switch (type) {
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
    return fs.statEntry(folder, std::string(name), status) == 0 && status.isFolder;
}

// Appends c as UTF-8 bytes, surrogates included: byte order of such keys is
// exactly code point order, so keys compare with memcmp.
void appendKeyBytes(std::string& keys, char32_t c) {
    if (c < 0x80) {
        keys.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        keys.push_back(static_cast<char>(0xC0 | (c >> 6)));
        keys.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        keys.push_back(static_cast<char>(0xE0 | (c >> 12)));
        keys.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        keys.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        keys.push_back(static_cast<char>(0xF0 | (c >> 18)));
        keys.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        keys.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        keys.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The key of a name: its simple lowercase as key bytes. ASCII, most of most
// names, is lowered on the spot.
void appendKey(std::string& keys, const Name& name) {
    for (const char32_t c : name) {
        if (c < 0x80)
            keys.push_back(static_cast<char>(toLowerAscii(c)));
        else
            appendKeyBytes(keys, toLowerSimple(c));
    }
}

// Key bytes are never zero (no name holds U+0000), so padding with zeros
// orders short keys before their longer continuations, as the bytes do.
std::uint64_t keyPrefixOf(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
    return prefix;
}

// Progress of a sort counts its comparisons against an estimate: introsort
// makes about 1.5 n log2 n of them on names.
std::size_t comparisonEstimate(std::size_t n) {
    return n * static_cast<std::size_t>(std::bit_width(n)) * 3 / 2;
}

// The entries of items in their order; items is emptied and its memory
// returned.
std::vector<std::uint32_t> entryOrder(std::vector<SortItem>& items) {
    std::vector<std::uint32_t> order;
    order.reserve(items.size());
    for (const SortItem& item : items)
        order.push_back(item.entry);
    std::vector<SortItem>().swap(items);
    return order;
}

// Sorts the items and copies the names in that order; progress hears both
// as one stage. Ties beyond the case-insensitive key fall back to the raw
// bytes so that names such as "a.txt" and "A.txt" always come in the same
// order.
NameList sortedNames(std::vector<SortItem>& items, std::string& keys, const NameList& listed,
                     ProgressReporter* progress) {
    const auto key = [&keys](const SortItem& item) {
        return std::string_view(keys).substr(item.keyOffset, item.keyLength);
    };
    const std::size_t count = items.size();
    const std::size_t estimate = comparisonEstimate(count);
    // The estimate outgrows the threshold long before the entries do.
    ProgressStage sorting(count >= kProgressThreshold ? progress : nullptr, WorkStage::Sorting,
                          estimate + count);
    std::size_t compared = 0;
    std::sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
        sorting.advance(std::min(++compared, estimate));
        if (a.minute != b.minute)
            return a.minute < b.minute;
        if (a.keyPrefix != b.keyPrefix)
            return a.keyPrefix < b.keyPrefix;
        if (const int c = key(a).compare(key(b)))
            return c < 0;
        return listed[a.entry] < listed[b.entry];
    });
    // Assigning {} or an empty string would empty the keys and keep their
    // memory (a short string's move copies its characters).
    std::string().swap(keys);
    // Only the order is left to keep: a sixth of the items, gone before the
    // copy, which is the largest a load holds at once.
    const std::vector<std::uint32_t> order = entryOrder(items);
    std::size_t bytes = 0;
    for (const std::uint32_t entry : order)
        bytes += listed[entry].size();
    NameList names;
    names.reserve(count, bytes);
    for (std::size_t i = 0; i < count; ++i) {
        sorting.advance(estimate + i);
        names.add(listed[order[i]]);
    }
    sorting.advance(estimate + count);
    return names;
}

// Gives each entry that select keeps its sort items and key. select sees an
// entry's bytes and type and its name decoded, may set its minute key, and
// returns how many times the entry is listed (0: left out).
template <typename Select>
void collectItems(const FolderListing& listing, Select& select, std::vector<SortItem>& items,
                  std::string& keys, std::optional<NameList>& outside, ProgressReporter* progress) {
    const std::size_t count = listing.names.size();
    items.reserve(count);
    keys.reserve(listing.names.byteSize());
    Name name;
    ProgressStage reading(progress, WorkStage::Reading, count);
    for (std::size_t e = 0; e < count; ++e) {
        reading.advance(e);
        listing.names.decodeInto(e, name);
        std::int64_t minute = 0;
        const std::size_t copies = select(listing.names[e], listing.types[e], name, minute);
        if (copies == 0 && outside)
            outside->add(listing.names[e]);
        if (copies == 0)
            continue;
        const auto offset = static_cast<std::uint32_t>(keys.size());
        appendKey(keys, name);
        const auto length = static_cast<std::uint32_t>(keys.size() - offset);
        const std::uint64_t prefix = keyPrefixOf(std::string_view(keys).substr(offset));
        for (std::size_t c = 0; c < copies; ++c)
            items.push_back(SortItem{prefix, static_cast<std::uint32_t>(minute), offset, length,
                                     static_cast<std::uint32_t>(e)});
    }
    reading.advance(count);
}

// Lists folder. The listing's size is known only at its end, so its stage
// begins with the first count heard, which comes only for a large folder.
int listFolder(FileSystem& fs, const std::string& folder, FolderListing& listing,
               ProgressReporter* progress) {
    if (!progress)
        return fs.readFolderCounting(folder, listing, {});
    bool begun = false;
    const int err = fs.readFolderCounting(folder, listing, [&](std::size_t listed) {
        if (!begun)
            progress->begin(WorkStage::Listing, 0);
        begun = true;
        progress->step(listed);
    });
    if (begun)
        progress->end();
    return err;
}

// Sorts the entries of listing that select keeps.
template <typename Select>
FolderReadResult sortListing(const FolderListing& listing, ProgressReporter* progress,
                             bool keepOutside, Select select) {
    FolderReadResult result;
    if (keepOutside)
        result.outside.emplace();
    std::vector<SortItem> items;
    std::string keys;
    collectItems(listing, select, items, keys, result.outside, progress);
    result.names = sortedNames(items, keys, listing.names, progress);
    return result;
}

// Reads folder once and sorts the entries that select keeps.
template <typename Select>
FolderReadResult readSorted(FileSystem& fs, const std::string& folder, ProgressReporter* progress,
                            bool keepOutside, Select select) {
    FolderListing listing;
    if (const int err = listFolder(fs, folder, listing, progress); err != 0) {
        FolderReadResult failed;
        failed.error = err;
        if (keepOutside)
            failed.outside.emplace();
        return failed;
    }
    return sortListing(listing, progress, keepOutside, select);
}

// What a killed save or undo left under Quillon's own names is no file of
// the user's to list or rename; the next save or undo of the folder puts
// it right.
bool isOwnLeftover(std::string_view bytes) {
    return bytes.front() == '_' && ownNameKind(bytes) != OwnNameKind::None;
}

// What the name-sorted list keeps of an entry, and how many times.
struct NameSelection {
    FileSystem& fs;
    const std::string& folder;
    const std::vector<WildcardPattern>& patterns;
    bool withFolders = false;

    std::size_t operator()(std::string_view bytes, EntryType type, const Name& name,
                           std::int64_t& /*minute*/) const {
        if (bytes.empty() || bytes.front() == '.' || isOwnLeftover(bytes))
            return 0;
        const auto hits = std::count_if(patterns.begin(), patterns.end(),
                                        [&](const WildcardPattern& p) { return p.matches(name); });
        if (hits == 0 || (!withFolders && isFolder(fs, folder, bytes, type)))
            return 0;
        return static_cast<std::size_t>(hits);
    }
};

} // namespace

std::int64_t creationMinute(std::int64_t secondsSinceEpoch) {
    const std::int64_t t = std::clamp(secondsSinceEpoch, kFirstKeyTime, kLastKeyTime);
    return t / 60;
}

FolderReadResult readSortedByName(FileSystem& fs, const std::string& folder, NameView mask,
                                  ProgressReporter* progress, bool withFolders, bool keepOutside) {
    const std::vector<WildcardPattern> patterns = splitMask(mask);
    return readSorted(fs, folder, progress, keepOutside,
                      NameSelection{fs, folder, patterns, withFolders});
}

FolderReadResult sortListingByName(FileSystem& fs, const std::string& folder,
                                   const FolderListing& listing, NameView mask,
                                   ProgressReporter* progress, bool withFolders, bool keepOutside) {
    const std::vector<WildcardPattern> patterns = splitMask(mask);
    return sortListing(listing, progress, keepOutside,
                       NameSelection{fs, folder, patterns, withFolders});
}

FolderReadResult readSortedByDate(FileSystem& fs, const std::string& folder, NameView mask,
                                  ProgressReporter* progress, bool withFolders, bool keepOutside) {
    const WildcardPattern pattern(mask);
    return readSorted(fs, folder, progress, keepOutside,
                      [&](std::string_view bytes, EntryType type, const Name& name,
                          std::int64_t& minute) -> std::size_t {
                          if ((type == EntryType::Directory && !withFolders) ||
                              isOwnLeftover(bytes) ||
                              (bytes == kUndoScriptName && folderHoldsUndoScript(fs, folder)))
                              return 0;
                          if (!pattern.matches(name))
                              return 0;
                          EntryStatus status;
                          if (fs.statEntry(folder, std::string(bytes), status) != 0 ||
                              (status.isFolder && !withFolders))
                              return 0;
                          minute = creationMinute(status.creationTime);
                          return 1;
                      });
}

FolderReadResult readChosen(FileSystem& fs, const std::string& folder, const NameList& chosen,
                            bool byDate, ProgressReporter* progress) {
    std::unordered_set<std::string_view> wanted(chosen.begin(), chosen.end());
    return readSorted(
        fs, folder, progress, false,
        [&](std::string_view bytes, EntryType, const Name&, std::int64_t& minute) -> std::size_t {
            // Each entry once, also when chosen twice.
            if (wanted.erase(bytes) == 0 || isOwnLeftover(bytes))
                return 0;
            EntryStatus status;
            if (byDate && fs.statEntry(folder, std::string(bytes), status) == 0)
                minute = creationMinute(status.creationTime);
            return 1;
        });
}

} // namespace quillon
