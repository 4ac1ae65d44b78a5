// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/FolderFiles.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon::metadata {

namespace {

bool isPlainName(std::string_view name) {
    return name.find('\0') == std::string_view::npos && name.find('/') == std::string_view::npos;
}

} // namespace

DateTime localDateTime(std::int64_t secondsSinceEpoch) {
    const auto t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm tm{};
    if (::localtime_r(&t, &tm) == nullptr)
        return {};
    return DateTime{
        static_cast<std::int16_t>(tm.tm_year + 1900), static_cast<std::uint8_t>(tm.tm_mon + 1),
        static_cast<std::uint8_t>(tm.tm_mday),        static_cast<std::uint8_t>(tm.tm_hour),
        static_cast<std::uint8_t>(tm.tm_min),         static_cast<std::uint8_t>(tm.tm_sec)};
}

// Rounded down, before 1970 too: the second a clock showed at that time.
DateTime localModified(const FileIdentity& identity) {
    constexpr std::int64_t kSecond = 1'000'000'000;
    const std::int64_t ns = identity.modifiedNs;
    return localDateTime(ns / kSecond - (ns % kSecond < 0 ? 1 : 0));
}

std::string lowerExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    std::string ext;
    if (dot == std::string_view::npos)
        return ext;
    for (const char c : name.substr(dot + 1))
        ext.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return ext;
}

FolderFiles::FolderFiles(const std::string& folder)
    : m_dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (m_dir < 0)
        m_error = errno;
}

FolderFiles::~FolderFiles() {
    if (m_dir >= 0)
        ::close(m_dir);
}

int FolderFiles::identify(std::string_view name, FileIdentity& out) const {
    if (m_dir < 0)
        return m_error;
    if (!isPlainName(name))
        return EINVAL;
    struct stat st {};
    if (::fstatat(m_dir, std::string(name).c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    out.inode = st.st_ino;
    out.size = st.st_size;
    out.modifiedNs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    out.regular = S_ISREG(st.st_mode);
    return 0;
}

int FolderFiles::openRegular(std::string_view name, const FileIdentity& identity) const {
    if (m_dir < 0 || !identity.regular || !isPlainName(name))
        return -1;
    const int fd = ::openat(m_dir, std::string(name).c_str(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    // The entry may have been swapped for a pipe, or another file, since it
    // was looked at.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_ino != identity.inode) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace quillon::metadata
