// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/FileSystem.h"

namespace quillon::test {

/// Hands every call to another file system; tests override the calls they
/// want to disturb.
class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& disk)
        : m_disk(disk) {}

    int readFolder(const std::string& f, FolderListing& out) override {
        return m_disk.readFolder(f, out);
    }
    int statEntry(const std::string& f, const std::string& n, EntryStatus& out) override {
        return m_disk.statEntry(f, n, out);
    }
    int renameNoReplace(const std::string& f, std::string_view from, std::string_view to) override {
        return m_disk.renameNoReplace(f, from, to);
    }
    int createFile(const std::string& f, std::string_view n, std::string_view c) override {
        return m_disk.createFile(f, n, c);
    }
    int removeFile(const std::string& f, std::string_view n) override {
        return m_disk.removeFile(f, n);
    }
    int renameDirect(const std::string& f, std::string_view from, std::string_view to) override {
        return m_disk.renameDirect(f, from, to);
    }
    int readRegularFile(const std::string& f, std::string_view n, std::size_t limit,
                        std::string& out) override {
        return m_disk.readRegularFile(f, n, limit, out);
    }
    std::int64_t regularFileSize(const std::string& f, std::string_view n) override {
        return m_disk.regularFileSize(f, n);
    }
    int entryIdentity(const std::string& f, std::string_view n, std::uint64_t& id) override {
        return m_disk.entryIdentity(f, n, id);
    }
    int writeFileAtomically(const std::string& f, std::string_view n, std::string_view c,
                            bool replace, FileAccess access = FileAccess::Shared) override {
        return m_disk.writeFileAtomically(f, n, c, replace, access);
    }
    int folderIdentity(const std::string& f, FolderIdentity& out) override {
        return m_disk.folderIdentity(f, out);
    }
    int lockFolder(const std::string& f) override { return m_disk.lockFolder(f); }
    void unlockFolder(const std::string& f) override { m_disk.unlockFolder(f); }
    int createFolders(const std::string& path) override { return m_disk.createFolders(path); }
    std::unique_ptr<FolderWatch> watchFolder(const std::string& f) override {
        return m_disk.watchFolder(f);
    }

protected:
    FileSystem& m_disk;
};

} // namespace quillon::test
