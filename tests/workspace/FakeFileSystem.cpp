#include "FakeFileSystem.h"

#include <cerrno>

namespace quillon::test {

int FakeFileSystem::readFolder(const std::string&, std::vector<RawEntry>& out) {
    out.clear();
    if (failRead)
        return failRead;
    // Listing order differs from name order, as on a real disk.
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it)
        out.push_back(RawEntry{it->first, it->second.listedType});
    return 0;
}

int FakeFileSystem::statEntry(const std::string&, const std::string& name, EntryStatus& out) {
    ++statCalls;
    const auto it = m_files.find(name);
    if (it == m_files.end())
        return ENOENT;
    out.isFolder = it->second.isFolder;
    out.creationTime = it->second.creationTime;
    return 0;
}

} // namespace quillon::test
