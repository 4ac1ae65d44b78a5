// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/FileSystem.h"

#include <cstdint>
#include <map>
#include <memory>

namespace quillon {

/// The real disk, through POSIX calls on raw byte names.
class PosixFileSystem final : public FileSystem {
public:
    /// How a rename keeps from replacing a file. Best starts with
    /// renameat2(RENAME_NOREPLACE) and steps down only where the file system
    /// refuses a way; the other values start lower, so tests can reach the
    /// fallbacks on any file system.
    enum class RenameMethod : std::uint8_t {
        Best,
        /// link the new name, then unlink the old one.
        LinkUnlink,
        /// Reserve the new name with an exclusive create, then rename onto
        /// that reservation only.
        Reservation,
    };

    PosixFileSystem() = default;
    explicit PosixFileSystem(RenameMethod method)
        : m_method(method) {}
    ~PosixFileSystem() override;
    PosixFileSystem(const PosixFileSystem&) = delete;
    PosixFileSystem& operator=(const PosixFileSystem&) = delete;

    std::unique_ptr<FileSystem> makeTwin() const override;

    int readFolder(const std::string& folder, FolderListing& out) override;
    int readFolderCounting(const std::string& folder, FolderListing& out,
                           const ListingCount& listed) override;
    int readFolderKeeping(const std::string& folder, FolderListing& out,
                          const ListingFilter& keep) override;
    int statEntry(const std::string& folder, const std::string& name, EntryStatus& out) override;
    int renameNoReplace(const std::string& folder, std::string_view from,
                        std::string_view to) override;
    int createFile(const std::string& folder, std::string_view name,
                   std::string_view content) override;
    int removeFile(const std::string& folder, std::string_view name) override;
    int renameDirect(const std::string& folder, std::string_view from,
                     std::string_view to) override;
    int renameToOwnName(const std::string& folder, std::string_view from,
                        std::string_view to) override;
    int readRegularFile(const std::string& folder, std::string_view name, std::size_t limit,
                        std::string& out) override;
    int readRegularFileInChunks(const std::string& folder, std::string_view name, std::size_t limit,
                                const std::function<bool(std::string_view)>& take) override;
    std::int64_t regularFileSize(const std::string& folder, std::string_view name) override;
    int entryIdentity(const std::string& folder, std::string_view name,
                      std::uint64_t& identity) override;
    int writeFileAtomically(const std::string& folder, std::string_view name,
                            std::string_view content, bool replace,
                            FileAccess access = FileAccess::Shared) override;
    int makeFolderPrivate(const std::string& folder) override;
    std::size_t longestName(const std::string& folder) override;
    int folderIdentity(const std::string& folder, FolderIdentity& out) override;
    int folderWritable(const std::string& folder) override;
    int lockFolder(const std::string& folder) override;
    void unlockFolder(const std::string& folder) override;
    int createFolders(const std::string& path) override;
    std::unique_ptr<FolderWatch> watchFolder(const std::string& folder) override;

private:
    int renameOnce(int dir, const char* from, const char* to);
    int renameOnce(const std::string& fromPath, const std::string& toPath);
    /// The open folder of the lock on folder, or AT_FDCWD.
    int lockedFolder(const std::string& folder) const;
    /// Puts the names of a rename in folder into m_fromPath and m_toPath and
    /// returns the folder they are relative to.
    int prepareRename(const std::string& folder, std::string_view from, std::string_view to);
    int renameThroughTemporary(const std::string& folder, std::string_view from,
                               std::string_view to);
    static bool isCaseOnlyRenameOfOneFile(const std::string& folder, std::string_view from,
                                          std::string_view to);

    RenameMethod m_method = RenameMethod::Best;
    /// The open folder of each lock held; closing it lets the lock go.
    std::map<std::string, int> m_locks;
    unsigned m_temporaryCounter = 0;
    // Reused for every rename of a save: 100,000 renames would otherwise
    // allocate two names or paths each.
    std::string m_fromPath;
    std::string m_toPath;
};

} // namespace quillon
