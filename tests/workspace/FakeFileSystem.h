// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/FileSystem.h"

#include <deque>
#include <map>
#include <set>
#include <string>

namespace quillon::test {

/// An in-memory folder with failure injection.
class FakeFileSystem final : public FileSystem {
public:
    struct File {
        EntryType listedType = EntryType::Regular;
        bool isFolder = false;
        std::int64_t creationTime = 0;
    };

    void addFile(const std::string& name, std::int64_t creationTime = 0) {
        m_files[name] = Entry{File{EntryType::Regular, false, creationTime}, name};
    }
    void addFolder(const std::string& name) {
        m_files[name] = Entry{File{EntryType::Directory, true, 0}, {}};
    }
    void add(const std::string& name, File file) { m_files[name] = Entry{file, name}; }
    /// Quillon's undo script, as an earlier save left it.
    void addUndoScript();
    /// A file with the given content.
    void addWithContent(const std::string& name, std::string content) {
        m_files[name] = Entry{File{}, std::move(content)};
    }
    void remove(const std::string& name) { m_files.erase(name); }
    bool has(const std::string& name) const { return m_files.count(name) != 0; }
    /// The content of name; a file added by addFile holds its first name.
    std::string contentOf(const std::string& name) const;
    /// Every name, sorted by bytes.
    std::vector<std::string> names() const;

    /// errno value the next readFolder returns (0: none).
    int failRead = 0;
    /// What folderWritable answers (EROFS: a read-only mount).
    int readOnly = 0;
    int statCalls = 0;
    int folderReadings = 0;
    /// Per old name, what the next rename attempts of it return before the
    /// disk is asked (one value per attempt; 0 lets the attempt through).
    std::map<std::string, std::deque<int>> renameFailures;
    /// What the next createFile calls return before writing (0 writes).
    std::deque<int> createFailures;
    /// Every call that changes the disk, as "rename a > b", "create a",
    /// "remove a", in order, failed ones included.
    std::vector<std::string> log;

    int readFolder(const std::string& folder, FolderListing& out) override;
    int statEntry(const std::string& folder, const std::string& name, EntryStatus& out) override;
    int renameNoReplace(const std::string& folder, std::string_view from,
                        std::string_view to) override;
    int createFile(const std::string& folder, std::string_view name,
                   std::string_view content) override;
    int removeFile(const std::string& folder, std::string_view name) override;
    int renameDirect(const std::string& folder, std::string_view from,
                     std::string_view to) override;
    int readRegularFile(const std::string& folder, std::string_view name, std::size_t limit,
                        std::string& out) override;
    std::int64_t regularFileSize(const std::string& folder, std::string_view name) override;
    /// A number per entry, kept by renames.
    int entryIdentity(const std::string& folder, std::string_view name,
                      std::uint64_t& identity) override;
    /// Logged as "write NAME"; takes its failures from createFailures.
    int writeFileAtomically(const std::string& folder, std::string_view name,
                            std::string_view content, bool replace,
                            FileAccess access = FileAccess::Shared) override;
    int folderWritable(const std::string&) override { return readOnly; }
    /// folder as given, with stableIdentities.
    int folderIdentity(const std::string& folder, FolderIdentity& out) override;
    /// Whether the fake disk's entry identities count (as on ext4) or not
    /// (as on FAT).
    bool stableIdentities = false;
    /// The device the one folder is on.
    std::uint64_t device = 7;
    int lockFolder(const std::string& folder) override;
    void unlockFolder(const std::string& folder) override;
    /// Logged as "create folders PATH"; the one folder always exists.
    int createFolders(const std::string& path) override;

    /// Folders whose lock is held.
    std::set<std::string> locked;

private:
    struct Entry {
        File file;
        std::string content;
        std::uint64_t identity = ++nextIdentity();
    };
    static std::uint64_t& nextIdentity() {
        static std::uint64_t next = 0;
        return next;
    }
    std::map<std::string, Entry> m_files;
};

} // namespace quillon::test
