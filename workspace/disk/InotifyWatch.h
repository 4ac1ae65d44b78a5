// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/FolderWatch.h"

#include <cstdint>
#include <memory>

namespace quillon {

/// A FolderWatch through Linux's inotify.
class InotifyWatch final : public FolderWatch {
public:
    /// A watch on folder, or nullptr where the kernel gives none (no
    /// folder, too many watches).
    static std::unique_ptr<FolderWatch> create(const std::string& folder);
    ~InotifyWatch() override;
    InotifyWatch(const InotifyWatch&) = delete;
    InotifyWatch& operator=(const InotifyWatch&) = delete;

    bool takeChanges(std::vector<std::string>& names) override;

private:
    InotifyWatch(int fd, std::string folder, std::uint64_t device, std::uint64_t inode);
    bool stillThere() const;

    int m_fd;
    std::string m_folder;
    std::uint64_t m_device;
    std::uint64_t m_inode;
    bool m_lost = false;
};

} // namespace quillon
