// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/disk/InotifyWatch.h"

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon {

namespace {

constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY;
// Reports after which the watch no longer speaks for the folder.
constexpr std::uint32_t kEnds =
    IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

bool identityOf(const std::string& folder, struct stat& st) {
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// False where a report ends the watch, or the reports cannot be read.
bool readReports(int fd, std::vector<std::string>& names) {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno == EAGAIN;
        const auto size = static_cast<std::size_t>(got);
        for (std::size_t at = 0; at + sizeof(inotify_event) <= size;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += sizeof event + event.len;
            if ((event.mask & kEnds) != 0)
                return false;
            // The name is padded with zero bytes to the report's length.
            if (event.len > 0)
                names.emplace_back(name, ::strnlen(name, event.len));
        }
    }
}

} // namespace

std::unique_ptr<FolderWatch> InotifyWatch::create(const std::string& folder) {
    struct stat before {};
    if (!identityOf(folder, before))
        return nullptr;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat after {};
    // The path is looked up twice; a folder put in its place between the
    // two would be watched under the other's identity.
    if (::inotify_add_watch(fd, folder.c_str(), kChanges | kEnds | IN_ONLYDIR) < 0 ||
        !identityOf(folder, after) || after.st_dev != before.st_dev ||
        after.st_ino != before.st_ino) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FolderWatch>(new InotifyWatch(fd, folder, before.st_dev, before.st_ino));
}

InotifyWatch::InotifyWatch(int fd, std::string folder, std::uint64_t device, std::uint64_t inode)
    : m_fd(fd)
    , m_folder(std::move(folder))
    , m_device(device)
    , m_inode(inode) {}

InotifyWatch::~InotifyWatch() {
    ::close(m_fd);
}

bool InotifyWatch::takeChanges(std::vector<std::string>& names) {
    if (!m_lost && !readReports(m_fd, names))
        m_lost = true;
    // A folder above it renamed or replaced sends no report to this one.
    return !m_lost && stillThere();
}

bool InotifyWatch::stillThere() const {
    struct stat now {};
    return identityOf(m_folder, now) && now.st_dev == m_device && now.st_ino == m_inode;
}

} // namespace quillon
