// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/FolderWatch.h"
#include "workspace/names/NameList.h"

#include <cerrno>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

/// What a folder listing already knows about an entry without a stat call.
enum class EntryType : std::uint8_t { Unknown, Regular, Directory, Symlink, Other };

/// The entries of a folder as the disk spells them (raw bytes, no folder
/// part), each with its type at the same index.
struct FolderListing {
    NameList names;
    std::vector<EntryType> types;
    /// The file identity (inode number) the listing gave each entry, at the
    /// same index; empty where the disk gives none.
    std::vector<std::uint64_t> identities;
};

/// What identifies a folder, and whether its entries keep their identity.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    /// When the folder was made, in nanoseconds since the epoch; 0 where the
    /// disk does not say. An inode number is given again once its folder is
    /// deleted: only the birth time tells the new folder from the old one.
    std::int64_t birth = 0;
    /// The listing's identities stay with a file across renames and
    /// remounts; not so on FAT, exFAT and FUSE, which make them up.
    bool stableEntries = false;
};

/// Who may read a file written whole, and whether it runs.
enum class FileAccess : std::uint8_t {
    /// Readable by all (0644 less the umask): presets.
    Shared,
    /// A script to run (0755 less the umask): the undo script only.
    Executable,
    /// The user's alone (0600): the history.
    Private,
};

/// Hears how many entries a listing holds so far.
using ListingCount = std::function<void(std::size_t listed)>;

/// Sees every entry of a listing and says whether the listing keeps it.
using ListingFilter = std::function<bool(std::string_view name)>;

/// The status of one entry, as far as listing needs it.
struct EntryStatus {
    /// A directory, or a symbolic link that leads to one.
    bool isFolder = false;
    /// Creation (birth) time of the entry itself in seconds since the epoch,
    /// UTC; the modification time where the file system records no birth time.
    std::int64_t creationTime = 0;
};

/// The disk calls the workspace makes, behind one small interface so tests
/// can stand in a fake disk and inject failures. Every call returns 0 or an
/// errno value; names are raw bytes relative to the folder given.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    /// A file system of the same kind and settings with none of this one's
    /// state (locks held, names being built), for another thread; its locks
    /// keep saves apart from this one's as another process's would. Null
    /// where this kind keeps no such state and may be shared as it is.
    virtual std::unique_ptr<FileSystem> makeTwin() const { return nullptr; }

    /// Lists every entry of folder in one pass, "." and ".." left out.
    virtual int readFolder(const std::string& folder, FolderListing& out) = 0;

    /// As readFolder, telling listed (if set) the count now and then (every
    /// kProgressGrain entries where the disk is read): a folder of a million
    /// entries takes a while to list. Identities are left out where the disk
    /// is read: loading a folder has no use for them.
    virtual int readFolderCounting(const std::string& folder, FolderListing& out,
                                   const ListingCount& listed) {
        (void)listed;
        return readFolder(folder, out);
    }

    /// As readFolder, keeping only the entries keep accepts, without their
    /// identities: a check that needs few of a large folder's names never
    /// holds them all. keep sees every entry, in the disk's order.
    virtual int readFolderKeeping(const std::string& folder, FolderListing& out,
                                  const ListingFilter& keep);

    /// Status of folder/name; isFolder follows symbolic links, the creation
    /// time is that of the entry itself. A dangling link is no folder.
    virtual int statEntry(const std::string& folder, const std::string& name, EntryStatus& out) = 0;

    /// Renames folder/from to folder/to and never replaces an entry that
    /// already has the name to (EEXIST then). Identical names succeed
    /// without touching the disk; a change of letter case only also works
    /// where the file system ignores letter case.
    virtual int renameNoReplace(const std::string& folder, std::string_view from,
                                std::string_view to) = 0;

    /// Creates folder/name, which must not exist yet (not even as a symbolic
    /// link), executable (0755 less the umask), and writes content into it.
    /// A file that could not be written whole is removed again.
    virtual int createFile(const std::string& folder, std::string_view name,
                           std::string_view content) = 0;

    /// Deletes folder/name; a folder is never deleted.
    virtual int removeFile(const std::string& folder, std::string_view name) = 0;

    /// Renames like renameNoReplace but never through a temporary name: where
    /// the file system ignores letter case, a change of case only fails with
    /// EEXIST. Saving takes such renames in two steps of its own, so that its
    /// undo record names the temporary name before it is used.
    virtual int renameDirect(const std::string& folder, std::string_view from,
                             std::string_view to) = 0;

    /// Renames like renameDirect onto a name of Quillon's own making for
    /// this run (a temporary name, in a folder whose lock it holds), which no
    /// other program creates: where the disk cannot refuse to replace in one
    /// call, a look for the name just before the rename may stand in for
    /// reserving it with an empty file, which costs some FUSE servers more
    /// than the rename itself.
    virtual int renameToOwnName(const std::string& folder, std::string_view from,
                                std::string_view to) {
        return renameDirect(folder, from, to);
    }

    /// Reads at most limit bytes of folder/name into out. Only a regular file
    /// is read: a symbolic link gives ELOOP, anything else EINVAL.
    virtual int readRegularFile(const std::string& folder, std::string_view name, std::size_t limit,
                                std::string& out) = 0;

    /// As readRegularFile, handing the bytes to take a chunk at a time, so a
    /// large file need not be held whole; take returns false to stop there.
    virtual int readRegularFileInChunks(const std::string& folder, std::string_view name,
                                        std::size_t limit,
                                        const std::function<bool(std::string_view)>& take) {
        std::string all;
        const int err = readRegularFile(folder, name, limit, all);
        if (err == 0)
            take(all);
        return err;
    }

    /// Size of folder/name when it is a regular file (a link not followed),
    /// else -1.
    virtual std::int64_t regularFileSize(const std::string& folder, std::string_view name) = 0;

    /// The identity of the entry folder/name itself (a link not followed):
    /// its inode number, which a rename inside the folder keeps.
    virtual int entryIdentity(const std::string& folder, std::string_view name,
                              std::uint64_t& identity) = 0;

    /// Writes content into a fresh temporary file of folder, flushes it to
    /// the disk and renames it to name, then flushes the folder: after a
    /// crash name holds the old or the new content, each complete. Only with
    /// replace may it take the place of an existing entry (EEXIST otherwise).
    virtual int writeFileAtomically(const std::string& folder, std::string_view name,
                                    std::string_view content, bool replace,
                                    FileAccess access = FileAccess::Shared) = 0;

    /// Makes folder readable by the user alone (0700) where it is not.
    virtual int makeFolderPrivate(const std::string& folder) {
        (void)folder;
        return 0;
    }

    /// 0 when entries of folder can be created and renamed, as far as the
    /// disk says before trying (EROFS on a read-only mount, EACCES).
    virtual int folderWritable(const std::string& folder) {
        (void)folder;
        return 0;
    }

    /// The most bytes one name in folder may take (pathconf's
    /// _PC_NAME_MAX); 255, the usual limit, where the disk does not say.
    virtual std::size_t longestName(const std::string& folder) {
        (void)folder;
        return 255;
    }

    /// The device and inode of folder itself (links followed).
    virtual int folderIdentity(const std::string& folder, FolderIdentity& out) {
        (void)folder;
        out = {};
        return ENOSYS;
    }

    /// Takes the lock that keeps two saves out of one folder; EWOULDBLOCK
    /// while another holder has it. Held until unlockFolder.
    virtual int lockFolder(const std::string& folder) = 0;
    virtual void unlockFolder(const std::string& folder) = 0;

    /// Creates path and every missing folder above it, each readable by the
    /// user alone (0700); folders that exist already are left as they are.
    /// ENOTDIR when a part of path is no folder.
    virtual int createFolders(const std::string& path) = 0;

    /// A watch on the entries of folder, begun now; nullptr where the disk
    /// keeps none, and a caller then reads the folder again each time.
    virtual std::unique_ptr<FolderWatch> watchFolder(const std::string& folder) {
        (void)folder;
        return nullptr;
    }
};

} // namespace quillon
