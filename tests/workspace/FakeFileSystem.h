#pragma once

#include "workspace/FileSystem.h"

#include <map>
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
        m_files[name] = File{EntryType::Regular, false, creationTime};
    }
    void addFolder(const std::string& name) { m_files[name] = File{EntryType::Directory, true, 0}; }
    void add(const std::string& name, File file) { m_files[name] = file; }
    void remove(const std::string& name) { m_files.erase(name); }

    /// errno value the next readFolder returns (0: none).
    int failRead = 0;
    int statCalls = 0;

    int readFolder(const std::string& folder, std::vector<RawEntry>& out) override;
    int statEntry(const std::string& folder, const std::string& name, EntryStatus& out) override;

private:
    std::map<std::string, File> m_files;
};

} // namespace quillon::test
