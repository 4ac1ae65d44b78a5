// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/FolderWatch.h"
#include "workspace/disk/SystemEnvironment.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class FileSystem;
struct FolderListing;

/// One save kept in the user's history.
struct HistoryEntry {
    /// The entry's own file name inside the history folder; orders entries
    /// oldest first.
    std::string fileName;
    /// The folder the save renamed in, as an absolute path (raw bytes).
    std::string folder;
    /// The folder's device and inode at the save; 0 in entries written
    /// before they were kept, or where the disk did not say.
    std::uint64_t folderDevice = 0;
    std::uint64_t folderInode = 0;
    /// The folder's birth time in nanoseconds, 0 where unknown.
    std::int64_t folderBirth = 0;
    /// When the save ended, in nanoseconds since the epoch (UTC).
    std::int64_t savedAtNanoseconds = 0;
    /// Files the save renamed.
    std::uint64_t renamed = 0;
    /// The save's own identifier, also written into the folder's undo record.
    std::string saveId;
    /// Bytes of the entry file.
    std::uint64_t bytes = 0;

    /// savedAtNanoseconds in whole seconds.
    std::int64_t savedAtSeconds() const { return savedAtNanoseconds / 1'000'000'000; }
};

/// How much history is kept: at most maxEntries saves and maxBytes bytes,
/// the oldest going first, whatever their folder.
struct HistoryLimits {
    std::size_t maxEntries = 1000;
    std::uint64_t maxBytes = std::uint64_t{1} << 30;
};

/// The user's own record of saves ($XDG_STATE_HOME/quillon/history/): one
/// file per save, holding the folder, the time, the count and the undo
/// record as the folder received it. Unlike a record found in a folder, an
/// entry here was written by this user's Quillon, so it is the trusted
/// source for taking a save back. Every write goes through a temporary file,
/// flushed and renamed into place.
///
/// An entry file is a header of text lines, then the record byte for byte:
///
///     Quillon history entry 2
///     folder "/home/ann/Bilder \"2024\"\x0a"
///     folder-identity 2049 1837465 1733666000123456789
///     time 1733666592123456789
///     renamed 400
///     id "SAVE-ID"
///     record 123456
///     RECORD TEXT (123456 bytes)
///
/// The quoted texts escape '"' and '\' with a backslash and every byte
/// outside printable ASCII as \xHH, so any path survives. The folder
/// identity is its device, inode and birth time (0 where unknown); entries
/// of version 1 lack the line. Entry file names sort oldest first: UTC time to the
/// nanosecond, process id, a counter, and a key of the folder's identity
/// that lets a folder's entries be found without reading the others
/// ("20261208T135612.123456789Z-0000004242-0000000000-0123456789abcdef.save";
/// names of version 1 end before the key).
class UndoHistory final {
public:
    /// directory is the history folder itself; it is created on first write.
    /// env gives the process id that entry names carry.
    UndoHistory(FileSystem& fs, std::string directory,
                const Environment& env = systemEnvironment());
    ~UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    /// $XDG_STATE_HOME/quillon/history, or ~/.local/state/quillon/history
    /// where XDG_STATE_HOME is unset, empty or not absolute; empty when
    /// neither variable gives an absolute path.
    static std::string defaultDirectory(const Environment& env = systemEnvironment());

    const std::string& directory() const { return m_directory; }

    /// The folder as the history keeps it: resolved (links, "..", a relative
    /// path), or, for one that is gone, made absolute as written.
    static std::string resolvedFolder(const std::string& folder);

    /// Adds a save's record, then prunes by limits. folder must be absolute,
    /// and is best given resolved (realpath): list compares it byte for byte.
    /// Returns 0 or an errno value (EINVAL for a folder or time it cannot
    /// keep, EFBIG for a record beyond any limit); nothing is left behind on
    /// failure. entry receives what was written.
    /// Without limits, nothing is pruned.
    int add(const std::string& folder, std::int64_t savedAtNanoseconds, std::uint64_t renamed,
            std::string_view saveId, std::string_view recordText, HistoryEntry& entry,
            const std::optional<HistoryLimits>& limits = HistoryLimits{});

    /// 0 when an entry could be added, as far as the disk says without
    /// writing anything (ENOTDIR where a file stands in the way, EACCES,
    /// EROFS, ENOENT without a history folder).
    int writable();

    /// Every readable entry, oldest first; with a non-empty folder, only the
    /// saves of the folder that is there now (by device, inode and birth
    /// time, so a moved folder keeps its saves and a new one at an old path
    /// has none; by path too where the disk keeps no birth time),
    /// or of a folder that is gone, by its path (compared byte for byte).
    /// Files that are not whole entries are passed over; only the header of
    /// each file is read, and for a folder that is there only the headers of
    /// its entries (and of version 1 entries, compared by path).
    std::vector<HistoryEntry> list(const std::string& folder = {});

    /// The record text of entry (what add was given). EINVAL when the file
    /// no longer holds that entry whole; EFBIG, before anything is read,
    /// for an entry whose record would be larger than mostRecordBytes (what
    /// any record of its folder can take) or a fixed cap.
    int readRecord(const HistoryEntry& entry, std::string& recordText,
                   std::uint64_t mostRecordBytes = UINT64_MAX);

    /// Replaces entry's record with what is left of it (same file, folder,
    /// time and identifier; renamed and bytes updated). ENOENT when the
    /// entry is gone.
    int replaceRecord(HistoryEntry& entry, std::uint64_t renamed, std::string_view recordText);

    /// Forgets entry: its save was taken back.
    int remove(const HistoryEntry& entry);

    /// Removes the oldest entries beyond limits, by names and sizes alone,
    /// and the temporary files of writes that were killed an hour or more
    /// before the newest save.
    void prune(const HistoryLimits& limits);

private:
    int writeEntry(HistoryEntry& entry, std::string_view recordText, bool replace);
    bool readHeader(std::string_view name, HistoryEntry& entry, std::string& scratch);
    bool refreshEntries();
    bool watchSaysUnchanged();
    bool readEntries();
    void noteOwnChange(std::string_view name);
    void removeStaleTemporaries(std::int64_t newestSeconds);

    FileSystem& m_fs;
    const Environment& m_env;
    std::string m_directory;
    /// The entries by file name, oldest first, with their sizes (kUnknownSize
    /// until prune needs one): read from the disk, then kept up to date by
    /// this object's own changes for as long as m_watch reports no other.
    /// A run saving many folders reads the history folder once, not once
    /// per folder.
    std::map<std::string, std::uint64_t, std::less<>> m_entries;
    std::unique_ptr<FolderWatch> m_watch;
    /// Changes this object made to entries that m_watch has still to
    /// report, by name.
    std::map<std::string, int, std::less<>> m_ownChanges;
    /// Temporary files found by the last reading of the folder or reported
    /// by m_watch since.
    std::set<std::string, std::less<>> m_temporaries;
};

} // namespace quillon
