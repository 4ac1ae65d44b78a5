// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeFileSystem.h"

#include "RecordBuilder.h"

#include "workspace/folder/FolderReader.h"
#include "workspace/record/UndoScript.h"

#include <cerrno>

namespace quillon::test {

std::string FakeFileSystem::contentOf(const std::string& name) const {
    const auto it = m_files.find(name);
    return it == m_files.end() ? std::string() : it->second.content;
}

std::vector<std::string> FakeFileSystem::names() const {
    std::vector<std::string> out;
    for (const auto& [name, file] : m_files)
        out.push_back(name);
    return out;
}

int FakeFileSystem::readFolder(const std::string&, FolderListing& out) {
    ++folderReadings;
    out = {};
    if (failRead)
        return failRead;
    // Listing order differs from name order, as on a real disk.
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
        out.names.add(it->first);
        out.types.push_back(it->second.file.listedType);
        out.identities.push_back(it->second.identity);
    }
    return 0;
}

int FakeFileSystem::statEntry(const std::string&, const std::string& name, EntryStatus& out) {
    ++statCalls;
    const auto it = m_files.find(name);
    if (it == m_files.end())
        return ENOENT;
    out.isFolder = it->second.file.isFolder;
    out.creationTime = it->second.file.creationTime;
    return 0;
}

int FakeFileSystem::renameNoReplace(const std::string&, std::string_view fromView,
                                    std::string_view toView) {
    const std::string from(fromView);
    const std::string to(toView);
    log.push_back("rename " + from + " > " + to);
    auto& failures = renameFailures[from];
    if (!failures.empty()) {
        const int err = failures.front();
        failures.pop_front();
        if (err != 0)
            return err;
    }
    const auto it = m_files.find(from);
    if (it == m_files.end())
        return ENOENT;
    if (from == to)
        return 0;
    if (m_files.count(to))
        return EEXIST;
    Entry entry = std::move(it->second);
    m_files.erase(it);
    m_files[to] = std::move(entry);
    return 0;
}

int FakeFileSystem::createFile(const std::string&, std::string_view nameView,
                               std::string_view content) {
    const std::string name(nameView);
    log.push_back("create " + name);
    if (!createFailures.empty()) {
        const int err = createFailures.front();
        createFailures.pop_front();
        if (err != 0)
            return err;
    }
    if (m_files.count(name))
        return EEXIST;
    m_files[name] = Entry{File{}, std::string(content)};
    return 0;
}

int FakeFileSystem::removeFile(const std::string&, std::string_view nameView) {
    const std::string name(nameView);
    log.push_back("remove " + name);
    const auto it = m_files.find(name);
    if (it == m_files.end())
        return ENOENT;
    if (it->second.file.isFolder)
        return EISDIR;
    m_files.erase(it);
    return 0;
}

void FakeFileSystem::addUndoScript() {
    addWithContent(kUndoScriptName,
                   undoScriptText(recordOf(false, {{UndoUnitKind::Chain, {"b", "a"}}})));
}

int FakeFileSystem::renameDirect(const std::string& folder, std::string_view from,
                                 std::string_view to) {
    return renameNoReplace(folder, from, to);
}

int FakeFileSystem::readRegularFile(const std::string&, std::string_view name, std::size_t limit,
                                    std::string& out) {
    const auto it = m_files.find(std::string(name));
    if (it == m_files.end())
        return ENOENT;
    if (it->second.file.isFolder)
        return EINVAL;
    out = it->second.content.substr(0, limit);
    return 0;
}

std::int64_t FakeFileSystem::regularFileSize(const std::string&, std::string_view name) {
    const auto it = m_files.find(std::string(name));
    if (it == m_files.end() || it->second.file.isFolder)
        return -1;
    return static_cast<std::int64_t>(it->second.content.size());
}

int FakeFileSystem::entryIdentity(const std::string&, std::string_view name,
                                  std::uint64_t& identity) {
    const auto it = m_files.find(std::string(name));
    if (it == m_files.end())
        return ENOENT;
    identity = it->second.identity;
    return 0;
}

int FakeFileSystem::writeFileAtomically(const std::string&, std::string_view nameView,
                                        std::string_view content, bool replace, FileAccess) {
    const std::string name(nameView);
    log.push_back("write " + name);
    if (!createFailures.empty()) {
        const int err = createFailures.front();
        createFailures.pop_front();
        if (err != 0)
            return err;
    }
    if (!replace && m_files.count(name))
        return EEXIST;
    m_files[name] = Entry{File{}, std::string(content)};
    return 0;
}

int FakeFileSystem::lockFolder(const std::string& folder) {
    return locked.insert(folder).second ? 0 : EWOULDBLOCK;
}

void FakeFileSystem::unlockFolder(const std::string& folder) {
    locked.erase(folder);
}

int FakeFileSystem::folderIdentity(const std::string&, FolderIdentity& out) {
    out = {device, 1, 0, stableIdentities};
    return 0;
}

int FakeFileSystem::createFolders(const std::string& path) {
    log.push_back("create folders " + path);
    return 0;
}

} // namespace quillon::test
