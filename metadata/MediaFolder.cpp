// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"

#include "metadata/ContentFields.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon::metadata {

namespace {

// Mirrors the file descriptor's lifetime, so that no path leaks one.
class OpenFile final {
public:
    OpenFile(int dir, const std::string& name)
        : m_fd(::openat(dir, name.c_str(),
                        O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {}
    ~OpenFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

std::string lowerExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    std::string ext;
    if (dot == std::string_view::npos)
        return ext;
    for (const char c : name.substr(dot + 1))
        ext.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return ext;
}

bool holdsNul(std::string_view name) {
    return name.find('\0') != std::string_view::npos;
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

MediaFolder::MediaFolder(const std::string& folder)
    : m_dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (m_dir < 0)
        m_error = errno;
}

MediaFolder::~MediaFolder() {
    if (m_dir >= 0)
        ::close(m_dir);
}

int MediaFolder::identify(std::string_view name, FileIdentity& out) const {
    if (m_dir < 0)
        return m_error;
    if (holdsNul(name) || name.find('/') != std::string_view::npos)
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

FileFields MediaFolder::read(std::string_view name, FieldSet wanted) const {
    FileIdentity identity;
    if (identify(name, identity) != 0)
        return {};
    return read(name, identity, wanted);
}

FileFields MediaFolder::read(std::string_view name, const FileIdentity& identity,
                             FieldSet wanted) const {
    FileFields fields;
    if (wanted.has(Field::Modified))
        fields.setDate(Field::Modified, localDateTime(identity.modifiedNs / 1'000'000'000 -
                                                      (identity.modifiedNs < 0 ? 1 : 0)));
    const bool audio = wanted.intersects(kAudioFields);
    const bool photo = wanted.intersects(kPhotoFields);
    if (!identity.regular || (!audio && !photo))
        return fields;
    const OpenFile file(m_dir, std::string(name));
    struct stat st {};
    // The entry may have been swapped for a pipe since it was looked at.
    if (file.fd() < 0 || ::fstat(file.fd(), &st) != 0 || !S_ISREG(st.st_mode))
        return fields;
    readContentFields(file.fd(), st.st_size, lowerExtension(name), wanted, fields);
    return fields;
}

} // namespace quillon::metadata
