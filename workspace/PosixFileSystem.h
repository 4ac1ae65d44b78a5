#pragma once

#include "workspace/FileSystem.h"

namespace quillon {

/// The real disk, through POSIX calls on raw byte names.
class PosixFileSystem final : public FileSystem {
public:
    int readFolder(const std::string& folder, std::vector<RawEntry>& out) override;
    int statEntry(const std::string& folder, const std::string& name, EntryStatus& out) override;
};

} // namespace quillon
