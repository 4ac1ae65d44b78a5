// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/history/UndoHistory.h"

#include "workspace/disk/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace quillon {

namespace {

constexpr std::string_view kFirstLine = "Quillon history entry 2\n";
// Entries written before the folder's identity was kept; still read.
constexpr std::string_view kFirstLineOfOne = "Quillon history entry 1\n";
constexpr std::string_view kSuffix = ".save";
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
// A header holds one path (at most 4096 bytes, each escaped to 4 at worst)
// and a few short lines; list() reads no more than this of each file.
constexpr std::size_t kHeaderLimit = std::size_t{20} * 1024;
constexpr std::size_t kLongestFolder = 4096;
// An entry whose size has not been asked for yet.
constexpr std::uint64_t kUnknownSize = UINT64_MAX;
constexpr std::size_t kLongestSaveId = 256;
// Far beyond the record of any real folder (a million renames take tens of
// megabytes); a file claiming more is damaged, and refused unread.
constexpr std::uint64_t kLongestRecord = std::uint64_t{256} << 20;

// "20261208T135612.123456789Z-0000004242-0000000007-0123456789abcdef.save":
// time, process, counter and the folder's key. Entries written before the
// key was added lack it and are still read.
constexpr std::string_view kNameShape =
    "DDDDDDDDTDDDDDD.DDDDDDDDDZ-DDDDDDDDDD-DDDDDDDDDD-HHHHHHHHHHHHHHHH.save";
constexpr std::string_view kNameShapeOfOne =
    "DDDDDDDDTDDDDDD.DDDDDDDDDZ-DDDDDDDDDD-DDDDDDDDDD.save";
constexpr std::size_t kKeyAt = kNameShapeOfOne.size() - 5 + 1;
constexpr std::size_t kKeyLength = 16;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f');
}

bool hasShape(std::string_view name, std::string_view shape) {
    if (name.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool ok = shape[i] == 'D'   ? isDigit(name[i])
                        : shape[i] == 'H' ? isHexDigit(name[i])
                                          : name[i] == shape[i];
        if (!ok)
            return false;
    }
    return true;
}

bool isEntryFileName(std::string_view name) {
    return hasShape(name, kNameShape) || hasShape(name, kNameShapeOfOne);
}

// The folder's key in an entry's name; empty in the older names.
std::string_view keyOfName(std::string_view name) {
    return name.size() == kNameShape.size() ? name.substr(kKeyAt, kKeyLength) : std::string_view();
}

// Empty for a time the name cannot spell (before 1970).
std::string entryFileName(std::int64_t savedAtNanoseconds, long pid, unsigned counter,
                          std::string_view key) {
    if (savedAtNanoseconds < 0 || pid < 0)
        return {};
    const std::time_t seconds = savedAtNanoseconds / kNanosecondsPerSecond;
    std::tm utc{};
    if (!::gmtime_r(&seconds, &utc))
        return {};
    char name[80];
    std::snprintf(name, sizeof name, "%04d%02d%02dT%02d%02d%02d.%09lldZ-%010ld-%010u",
                  utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                  utc.tm_sec, static_cast<long long>(savedAtNanoseconds % kNanosecondsPerSecond),
                  pid, counter);
    std::string out = name + ('-' + std::string(key)) + std::string(kSuffix);
    return isEntryFileName(out) ? out : std::string();
}

// 64-bit FNV-1a of the folder's identity, written as 16 hex digits.
std::string folderKey(const FolderIdentity& folder, std::string_view path) {
    const std::string identity = folder.device != 0 || folder.inode != 0
                                     ? std::to_string(folder.device) + ':' +
                                           std::to_string(folder.inode) + ':' +
                                           std::to_string(folder.birth)
                                     : std::string(path);
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : identity) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(hash));
    return out;
}

// The UTC time an entry's name begins with, in seconds since the epoch.
std::int64_t secondsOfName(std::string_view name) {
    std::tm utc{};
    const std::string text(name.substr(0, 15));
    if (!::strptime(text.c_str(), "%Y%m%dT%H%M%S", &utc))
        return 0;
    return static_cast<std::int64_t>(::timegm(&utc));
}

// One counter for the whole process: two histories on one folder must not
// pick the same name within one nanosecond.
unsigned nextCounter() {
    static std::atomic<unsigned> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed);
}

void appendQuoted(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7e) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string headerText(const HistoryEntry& entry, std::uint64_t recordBytes) {
    std::string out(kFirstLine);
    out += "folder ";
    appendQuoted(out, entry.folder);
    out += "\nfolder-identity " + std::to_string(entry.folderDevice) + ' ' +
           std::to_string(entry.folderInode) + ' ' + std::to_string(entry.folderBirth);
    out += "\ntime " + std::to_string(entry.savedAtNanoseconds);
    out += "\nrenamed " + std::to_string(entry.renamed);
    out += "\nid ";
    appendQuoted(out, entry.saveId);
    out += "\nrecord " + std::to_string(recordBytes) + '\n';
    return out;
}

/// Reads a header back, strictly: any line out of place, any escape the
/// writer does not make and any number out of range ends the reading.
class HeaderReader final {
public:
    explicit HeaderReader(std::string_view text)
        : m_text(text) {}

    bool read(HistoryEntry& entry, std::uint64_t& recordBytes) {
        std::uint64_t time = 0;
        std::uint64_t birth = 0;
        const bool second = literal(kFirstLine);
        const bool ok = (second || literal(kFirstLineOfOne)) && literal("folder ") &&
                        quoted(entry.folder, kLongestFolder) &&
                        (!second || (literal("\nfolder-identity ") && number(entry.folderDevice) &&
                                     literal(" ") && number(entry.folderInode) && literal(" ") &&
                                     number(birth))) &&
                        literal("\ntime ") && number(time) && literal("\nrenamed ") &&
                        number(entry.renamed) && literal("\nid ") &&
                        quoted(entry.saveId, kLongestSaveId) && literal("\nrecord ") &&
                        number(recordBytes) && literal("\n");
        if (!ok || time > static_cast<std::uint64_t>(INT64_MAX) || entry.folder.empty() ||
            entry.folder.front() != '/' || recordBytes > kLongestRecord)
            return false;
        if (birth > static_cast<std::uint64_t>(INT64_MAX))
            return false;
        entry.savedAtNanoseconds = static_cast<std::int64_t>(time);
        entry.folderBirth = static_cast<std::int64_t>(birth);
        return true;
    }
    /// Bytes of the header read so far.
    std::size_t consumed() const { return m_at; }

private:
    bool literal(std::string_view expected) {
        if (m_text.substr(m_at, expected.size()) != expected)
            return false;
        m_at += expected.size();
        return true;
    }

    bool number(std::uint64_t& value) {
        value = 0;
        const std::size_t start = m_at;
        while (m_at < m_text.size() && isDigit(m_text[m_at])) {
            const auto digit = static_cast<std::uint64_t>(m_text[m_at] - '0');
            if (value > (UINT64_MAX - digit) / 10)
                return false;
            value = value * 10 + digit;
            ++m_at;
        }
        // No sign, no leading zero: each number has one spelling.
        return m_at > start && (m_at - start == 1 || m_text[start] != '0');
    }

    bool quoted(std::string& out, std::size_t longest) {
        out.clear();
        if (!literal("\""))
            return false;
        while (m_at < m_text.size() && out.size() <= longest) {
            const char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (c != '\\') {
                if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
                    return false;
                out += c;
            } else if (!escape(out)) {
                return false;
            }
        }
        return false;
    }

    bool escape(std::string& out) {
        if (m_at < m_text.size() && (m_text[m_at] == '"' || m_text[m_at] == '\\')) {
            out += m_text[m_at++];
            return true;
        }
        if (m_text.substr(m_at, 1) != "x" || m_at + 3 > m_text.size())
            return false;
        const int high = hexValue(m_text[m_at + 1]);
        const int low = hexValue(m_text[m_at + 2]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        m_at += 3;
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

// The entry that the text of a file (whole, or its beginning) holds, when
// its header reads and the file's size is exactly header plus record.
bool parseEntry(std::string_view text, std::uint64_t fileBytes, HistoryEntry& entry,
                std::size_t& headerBytes) {
    HeaderReader reader(text);
    std::uint64_t recordBytes = 0;
    if (!reader.read(entry, recordBytes))
        return false;
    headerBytes = reader.consumed();
    entry.bytes = fileBytes;
    return headerBytes + recordBytes == fileBytes;
}

// writeFileAtomically's temporary: "_Quillon record PID-N.tmp".
bool isTemporaryName(std::string_view name) {
    constexpr std::string_view kPrefix = "_Quillon record ";
    constexpr std::string_view kTail = ".tmp";
    return name.size() > kPrefix.size() + kTail.size() && name.starts_with(kPrefix) &&
           name.ends_with(kTail);
}

bool isAbsoluteVariable(const char* value) {
    return value && value[0] == '/';
}

} // namespace

UndoHistory::UndoHistory(FileSystem& fs, std::string directory, const Environment& env)
    : m_fs(fs)
    , m_env(env)
    , m_directory(std::move(directory)) {}

UndoHistory::~UndoHistory() = default;

std::string UndoHistory::defaultDirectory(const Environment& env) {
    // A relative value is no place to keep state in: it would depend on
    // where the program happens to run, so it counts as unset.
    if (const char* state = env.variable("XDG_STATE_HOME"); isAbsoluteVariable(state))
        return std::string(state) + "/quillon/history";
    if (const char* home = env.variable("HOME"); isAbsoluteVariable(home))
        return std::string(home) + "/.local/state/quillon/history";
    return {};
}

int UndoHistory::add(const std::string& folder, std::int64_t savedAtNanoseconds,
                     std::uint64_t renamed, std::string_view saveId, std::string_view recordText,
                     HistoryEntry& entry, const std::optional<HistoryLimits>& limits) {
    if (m_directory.empty())
        return ENOENT;
    if (folder.empty() || folder.front() != '/' || folder.size() > kLongestFolder ||
        saveId.size() > kLongestSaveId)
        return EINVAL;
    if (recordText.size() > kLongestRecord)
        return EFBIG;
    if (const int err = m_fs.createFolders(m_directory))
        return err;
    // A folder made looser by hand, or by an older version, is the user's
    // alone again.
    if (const int err = m_fs.makeFolderPrivate(m_directory))
        return err;
    HistoryEntry written{{}, folder, 0, 0, 0, savedAtNanoseconds, renamed, std::string(saveId), 0};
    FolderIdentity identity;
    if (m_fs.folderIdentity(folder, identity) == 0) {
        written.folderDevice = identity.device;
        written.folderInode = identity.inode;
        written.folderBirth = identity.birth;
    }
    const std::string key = folderKey(identity, folder);
    int err = EEXIST;
    // Another process may have taken the name in the same nanosecond.
    for (int attempt = 0; attempt < 8 && err == EEXIST; ++attempt) {
        written.fileName = entryFileName(savedAtNanoseconds, m_env.processId(), nextCounter(), key);
        if (written.fileName.empty())
            return EINVAL;
        err = writeEntry(written, recordText, false);
    }
    if (err != 0)
        return err;
    entry = std::move(written);
    if (limits)
        prune(*limits);
    return 0;
}

int UndoHistory::writable() {
    if (m_directory.empty())
        return ENOENT;
    // The nearest folder of the path that exists decides.
    std::string path = m_directory;
    for (;;) {
        const int err = m_fs.folderWritable(path);
        const std::size_t slash = path.rfind('/');
        if (err != ENOENT || slash == 0 || slash == std::string::npos)
            return err;
        // Gone, or a link that leads nowhere, where no folder can be made.
        EntryStatus status;
        if (m_fs.statEntry(path.substr(0, slash), path.substr(slash + 1), status) == 0)
            return ENOTDIR;
        path.resize(slash);
    }
}

int UndoHistory::writeEntry(HistoryEntry& entry, std::string_view recordText, bool replace) {
    std::string content = headerText(entry, recordText.size());
    content += recordText;
    if (const int err = m_fs.writeFileAtomically(m_directory, entry.fileName, content, replace,
                                                 FileAccess::Private))
        return err;
    entry.bytes = content.size();
    m_entries.insert_or_assign(entry.fileName, entry.bytes);
    noteOwnChange(entry.fileName);
    return 0;
}

bool UndoHistory::readHeader(std::string_view name, HistoryEntry& entry, std::string& scratch) {
    const std::int64_t size = m_fs.regularFileSize(m_directory, name);
    if (size < 0 || m_fs.readRegularFile(m_directory, name, kHeaderLimit, scratch) != 0)
        return false;
    std::size_t headerBytes = 0;
    if (!parseEntry(scratch, static_cast<std::uint64_t>(size), entry, headerBytes))
        return false;
    entry.fileName = name;
    return true;
}

std::vector<HistoryEntry> UndoHistory::list(const std::string& folder) {
    std::vector<HistoryEntry> entries;
    if (!refreshEntries())
        return entries;
    // A folder that is there is known by its identity, and its entries by
    // the key in their names: only theirs are read. One that is gone is
    // known by its path alone.
    FolderIdentity identity;
    const bool known = !folder.empty() && m_fs.folderIdentity(folder, identity) == 0 &&
                       (identity.device != 0 || identity.inode != 0);
    const std::string key = known ? folderKey(identity, folder) : "";
    std::string header;
    // In the order of their names, which is the order of their saves.
    for (const auto& listed : m_entries) {
        const std::string_view name = listed.first;
        const std::string_view nameKey = keyOfName(name);
        if (known && !nameKey.empty() && nameKey != key)
            continue;
        HistoryEntry entry;
        if (!readHeader(name, entry, header))
            continue;
        const bool hasIdentity = entry.folderDevice != 0 || entry.folderInode != 0;
        const bool sameIdentity = entry.folderDevice == identity.device &&
                                  entry.folderInode == identity.inode &&
                                  entry.folderBirth == identity.birth;
        const bool ofFolder =
            folder.empty() ||
            (known && hasIdentity ? sameIdentity && (identity.birth != 0 || entry.folder == folder)
                                  : entry.folder == folder);
        if (ofFolder)
            entries.push_back(std::move(entry));
    }
    return entries;
}

int UndoHistory::readRecord(const HistoryEntry& entry, std::string& recordText,
                            std::uint64_t mostRecordBytes) {
    recordText.clear();
    if (!isEntryFileName(entry.fileName))
        return EINVAL;
    if (entry.bytes > kHeaderLimit + std::min(mostRecordBytes, kLongestRecord))
        return EFBIG;
    std::string text;
    // One byte more than the entry had: a file that grew is not that entry.
    const std::size_t limit = std::min<std::uint64_t>(entry.bytes, kHeaderLimit + kLongestRecord);
    if (const int err = m_fs.readRegularFile(m_directory, entry.fileName, limit + 1, text))
        return err;
    HistoryEntry found;
    std::size_t headerBytes = 0;
    if (!parseEntry(text, text.size(), found, headerBytes) || found.folder != entry.folder ||
        found.saveId != entry.saveId || found.savedAtNanoseconds != entry.savedAtNanoseconds)
        return EINVAL;
    // In place: a record of tens of megabytes is not copied.
    text.erase(0, headerBytes);
    recordText = std::move(text);
    return 0;
}

int UndoHistory::replaceRecord(HistoryEntry& entry, std::uint64_t renamed,
                               std::string_view recordText) {
    if (!isEntryFileName(entry.fileName))
        return EINVAL;
    if (recordText.size() > kLongestRecord)
        return EFBIG;
    if (m_fs.regularFileSize(m_directory, entry.fileName) < 0)
        return ENOENT;
    HistoryEntry updated = entry;
    updated.renamed = renamed;
    if (const int err = writeEntry(updated, recordText, true))
        return err;
    entry = std::move(updated);
    return 0;
}

int UndoHistory::remove(const HistoryEntry& entry) {
    // Only a name of the history's own shape: an entry is no way to delete
    // anything else.
    if (!isEntryFileName(entry.fileName))
        return EINVAL;
    const int err = m_fs.removeFile(m_directory, entry.fileName);
    if (err == 0)
        noteOwnChange(entry.fileName);
    if (err == 0 || err == ENOENT)
        m_entries.erase(entry.fileName);
    return err;
}

// By names and sizes alone: no entry is read. One bound holds for all
// folders alike, so that runs over thousands of folders cannot grow it; a
// folder whose save is pruned still has the record in the folder.
void UndoHistory::prune(const HistoryLimits& limits) {
    if (!refreshEntries())
        return;
    std::uint64_t bytes = 0;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->second == kUnknownSize) {
            const std::int64_t size = m_fs.regularFileSize(m_directory, it->first);
            if (size < 0) {
                it = m_entries.erase(it);
                continue;
            }
            it->second = static_cast<std::uint64_t>(size);
        }
        bytes += it->second;
        ++it;
    }
    if (!m_entries.empty())
        removeStaleTemporaries(secondsOfName(m_entries.rbegin()->first));
    // The names sort by the time of their save: the oldest go first.
    std::size_t count = m_entries.size();
    for (auto it = m_entries.begin();
         it != m_entries.end() && (count > limits.maxEntries || bytes > limits.maxBytes);) {
        const int err = m_fs.removeFile(m_directory, it->first);
        if (err != 0 && err != ENOENT) {
            ++it;
            continue;
        }
        if (err == 0)
            noteOwnChange(it->first);
        --count;
        bytes -= it->second;
        it = m_entries.erase(it);
    }
}

// The entries as they are on disk now: those kept, where the watch tells
// that only this object changed them, or read afresh.
bool UndoHistory::refreshEntries() {
    if (m_directory.empty())
        return false;
    if (m_watch && watchSaysUnchanged())
        return true;
    return readEntries();
}

bool UndoHistory::watchSaysUnchanged() {
    std::vector<std::string> changed;
    if (!m_watch->takeChanges(changed))
        return false;
    for (std::string& name : changed) {
        // A temporary file may be left by a write killed since; other
        // files are no entries.
        if (isTemporaryName(name)) {
            m_temporaries.insert(std::move(name));
            continue;
        }
        if (!isEntryFileName(name))
            continue;
        const auto own = m_ownChanges.find(name);
        if (own == m_ownChanges.end())
            return false;
        if (--own->second == 0)
            m_ownChanges.erase(own);
    }
    return true;
}

bool UndoHistory::readEntries() {
    // Watched before it is read, so that no change after the reading slips
    // past; one during it only costs another reading.
    m_watch = m_fs.watchFolder(m_directory);
    m_ownChanges.clear();
    m_temporaries.clear();
    FolderListing listing;
    if (m_fs.readFolder(m_directory, listing) != 0) {
        m_watch.reset();
        m_entries.clear();
        return false;
    }
    std::map<std::string, std::uint64_t, std::less<>> entries;
    for (std::size_t i = 0; i < listing.names.size(); ++i) {
        const std::string_view name = listing.names[i];
        const EntryType type = listing.types[i];
        if (isTemporaryName(name))
            m_temporaries.emplace(name);
        if ((type != EntryType::Regular && type != EntryType::Unknown) || !isEntryFileName(name))
            continue;
        // Sizes known already are kept: an entry's size changes only when
        // its record does, through this object or in a way the next
        // reading finds.
        const auto known = m_entries.find(name);
        entries.emplace(name, known != m_entries.end() ? known->second : kUnknownSize);
    }
    m_entries = std::move(entries);
    return true;
}

void UndoHistory::noteOwnChange(std::string_view name) {
    if (m_watch)
        ++m_ownChanges[std::string(name)];
}

// A write killed half way leaves its temporary file, as large as the record
// it was writing, which no entry accounts for. One begun well before the
// newest save cannot belong to a write still running. Only those found by
// the last reading of the folder, or reported since, are looked at.
void UndoHistory::removeStaleTemporaries(std::int64_t newestSeconds) {
    constexpr std::int64_t kStaleAfterSeconds = 3600;
    for (const std::string& name : m_temporaries) {
        EntryStatus status;
        if (m_fs.regularFileSize(m_directory, name) >= 0 &&
            m_fs.statEntry(m_directory, name, status) == 0 &&
            status.creationTime < newestSeconds - kStaleAfterSeconds)
            m_fs.removeFile(m_directory, name);
    }
    m_temporaries.clear();
}

// The history keeps folders as the save resolved them; a folder named by
// another path (a link, "..", a relative path) is the same folder. One that
// is gone is compared as written, made absolute.
std::string UndoHistory::resolvedFolder(const std::string& folder) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(folder.c_str(), nullptr),
                                                               &std::free);
    if (resolved)
        return resolved.get();
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    if (error)
        return folder;
    std::string path = absolute.lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace quillon
