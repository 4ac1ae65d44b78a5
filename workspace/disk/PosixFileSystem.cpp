// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/disk/PosixFileSystem.h"

#include "workspace/disk/InotifyWatch.h"
#include "workspace/disk/ProgressReporter.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace quillon {

namespace {

EntryType typeOf(unsigned char dtype) {
    switch (dtype) {
    case DT_REG:
        return EntryType::Regular;
    case DT_DIR:
        return EntryType::Directory;
    case DT_LNK:
        return EntryType::Symlink;
    case DT_UNKNOWN:
        return EntryType::Unknown;
    default:
        return EntryType::Other;
    }
}

void joinPath(std::string& path, const std::string& folder, std::string_view name) {
    path = folder;
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    path += name;
}

std::string joinPath(const std::string& folder, std::string_view name) {
    std::string path;
    joinPath(path, folder, name);
    return path;
}

// renameat2 answers these where the file system (or an old FUSE server)
// offers no RENAME_NOREPLACE, and linkat where it has no hard links.
bool noReplaceUnsupported(int err) {
    return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}
bool linksUnsupported(int err) {
    return err == EPERM || err == EOPNOTSUPP || err == ENOSYS || err == EMLINK;
}

// Each takes names relative to dir: the folder's own descriptor where the
// save holds one, which spares the kernel a path walk per rename, else
// AT_FDCWD with whole paths.
int renameAtomicNoReplace(int dir, const char* from, const char* to) {
    return ::renameat2(dir, from, dir, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
}

int renameByLink(int dir, const char* from, const char* to) {
    if (::linkat(dir, from, dir, to, 0) != 0)
        return errno;
    if (::unlinkat(dir, from, 0) == 0)
        return 0;
    // Two names for one file would let a later step delete it under the other.
    const int err = errno;
    ::unlinkat(dir, to, 0);
    return err;
}

// Without RENAME_NOREPLACE and without hard links, rename(2) is only safe
// onto a name we hold ourselves: the exclusive create fails for any existing
// entry, and the rename then replaces nothing but our own empty file.
int renameOntoReservation(int dir, const char* from, const char* to) {
    struct stat source {};
    if (::fstatat(dir, from, &source, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    const int fd = ::openat(dir, to, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    struct stat reserved {};
    const bool known = ::fstat(fd, &reserved) == 0;
    ::close(fd);
    if (::renameat(dir, from, dir, to) == 0)
        return 0;
    const int err = errno;
    struct stat now {};
    if (known && ::fstatat(dir, to, &now, AT_SYMLINK_NOFOLLOW) == 0 &&
        now.st_dev == reserved.st_dev && now.st_ino == reserved.st_ino && now.st_size == 0)
        ::unlinkat(dir, to, 0);
    return err;
}

// A folder's size on disk bounds the bytes of its names on the common file
// systems (entry headers and free room count too); room reserved and never
// written costs no memory. Where it says less, the list grows as it must;
// a size far beyond any real folder (some FUSE file systems report one) is
// not trusted.
void reserveForFolder(int fd, FolderListing& out) {
    constexpr std::size_t kLeastEntryBytes = 32;
    constexpr std::size_t kMostReservedBytes = std::size_t{128} << 20;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0)
        return;
    const auto bytes = std::min(static_cast<std::size_t>(st.st_size), kMostReservedBytes);
    out.names.reserve(bytes / kLeastEntryBytes, bytes);
    out.types.reserve(bytes / kLeastEntryBytes);
}

bool listedExactly(const std::string& folder, std::string_view name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return true; // unknown: assume a different file holds the name
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (name == entry->d_name) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

int writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Some FUSE servers and special file systems keep no cache to flush.
bool flushUnsupported(int err) {
    return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP || err == EROFS;
}

int flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int err = ::fsync(fd) == 0 || flushUnsupported(errno) ? 0 : errno;
    ::close(fd);
    return err;
}

// FAT and exFAT number inodes as they are read into memory, and a FUSE
// server may do as it likes: a file's number there says nothing a day later.
bool keepsIdentities(decltype(statfs::f_type) type) {
    constexpr decltype(type) kFat = 0x4d44;
    constexpr decltype(type) kExfat = 0x2011BAB0;
    constexpr decltype(type) kFuse = 0x65735546;
    constexpr decltype(type) kSmb = 0x517B;
    constexpr auto kCifs = static_cast<decltype(type)>(0xFF534D42);
    constexpr auto kSmb2 = static_cast<decltype(type)>(0xFE534D42);
    return type != kFat && type != kExfat && type != kFuse && type != kSmb && type != kCifs &&
           type != kSmb2;
}

// One pass over folder's entries. With keep, only the entries it accepts
// are held: the folder's size then says nothing of the room they need.
int listFolder(const std::string& folder, FolderListing& out, const ListingCount& listed,
               const ListingFilter& keep, bool withIdentities) {
    out = {};
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (!keep)
        reserveForFolder(fd, out);
    // Closed also when listed throws to abandon the listing.
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(fd), &::closedir);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        return err;
    }
    int err = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) {
            err = errno;
            break;
        }
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
            continue;
        if (keep && !keep(n))
            continue;
        out.names.add(n);
        out.types.push_back(typeOf(entry->d_type));
        if (withIdentities)
            out.identities.push_back(entry->d_ino);
        if (listed && out.names.size() % kProgressGrain == 0)
            listed(out.names.size());
    }
    // Every caller holds a listing only while it works with it: a copy to
    // fit would cost as much as the names.
    if (err)
        out = {};
    return err;
}

} // namespace

int PosixFileSystem::readFolder(const std::string& folder, FolderListing& out) {
    return listFolder(folder, out, {}, {}, true);
}

int PosixFileSystem::readFolderCounting(const std::string& folder, FolderListing& out,
                                        const ListingCount& listed) {
    return listFolder(folder, out, listed, {}, false);
}

int PosixFileSystem::readFolderKeeping(const std::string& folder, FolderListing& out,
                                       const ListingFilter& keep) {
    return listFolder(folder, out, {}, keep, false);
}

int PosixFileSystem::statEntry(const std::string& folder, const std::string& name,
                               EntryStatus& out) {
    const std::string path = joinPath(folder, name);
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_BTIME | STATX_MTIME,
                &sx) != 0)
        return errno;
    out.creationTime = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : sx.stx_mtime.tv_sec;
    out.isFolder = S_ISDIR(sx.stx_mode);
    if (S_ISLNK(sx.stx_mode)) {
        struct stat target {};
        // A dangling link stays a (renamable) file.
        out.isFolder = ::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    }
    return 0;
}

int PosixFileSystem::renameOnce(int dir, const char* from, const char* to) {
    int err = 0;
    switch (m_method) {
    case RenameMethod::Best:
        err = renameAtomicNoReplace(dir, from, to);
        if (!noReplaceUnsupported(err))
            return err;
        [[fallthrough]];
    case RenameMethod::LinkUnlink:
        err = renameByLink(dir, from, to);
        if (!linksUnsupported(err))
            return err;
        [[fallthrough]];
    case RenameMethod::Reservation:
        break;
    }
    return renameOntoReservation(dir, from, to);
}

int PosixFileSystem::renameOnce(const std::string& fromPath, const std::string& toPath) {
    return renameOnce(AT_FDCWD, fromPath.c_str(), toPath.c_str());
}

int PosixFileSystem::lockedFolder(const std::string& folder) const {
    const auto it = m_locks.find(folder);
    return it == m_locks.end() ? AT_FDCWD : it->second;
}

// The names a rename of folder takes: bare where the lock holds the folder
// open, whole paths otherwise.
int PosixFileSystem::prepareRename(const std::string& folder, std::string_view from,
                                   std::string_view to) {
    const int dir = lockedFolder(folder);
    if (dir == AT_FDCWD) {
        joinPath(m_fromPath, folder, from);
        joinPath(m_toPath, folder, to);
    } else {
        m_fromPath = from;
        m_toPath = to;
    }
    return dir;
}

bool PosixFileSystem::isCaseOnlyRenameOfOneFile(const std::string& folder, std::string_view from,
                                                std::string_view to) {
    // Hard links and different files that the disk keeps apart by case must
    // never take part: only names equal without regard to case qualify.
    if (foldSimple(decodeName(from)) != foldSimple(decodeName(to)))
        return false;
    struct stat source {};
    struct stat target {};
    if (::lstat(joinPath(folder, from).c_str(), &source) != 0 ||
        ::lstat(joinPath(folder, to).c_str(), &target) != 0 || source.st_dev != target.st_dev)
        return false;
    if (source.st_ino == target.st_ino)
        return true;
    // FUSE servers may number each spelling apart; the folder's own listing
    // tells whether the new spelling is an entry of its own.
    return !listedExactly(folder, to);
}

int PosixFileSystem::renameThroughTemporary(const std::string& folder, std::string_view from,
                                            std::string_view to) {
    const std::string fromPath = joinPath(folder, from);
    const std::string toPath = joinPath(folder, to);
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A visible name: should the way back fail, the file stays in sight.
        char temporary[64];
        std::snprintf(temporary, sizeof temporary, "_Quillon case %ld-%u.tmp",
                      static_cast<long>(::getpid()), m_temporaryCounter++);
        const std::string temporaryPath = joinPath(folder, temporary);
        int err = renameOnce(fromPath, temporaryPath);
        if (err == EEXIST)
            continue;
        if (err != 0)
            return err;
        err = renameOnce(temporaryPath, toPath);
        if (err != 0)
            // The way back from the temporary name, so the arguments are crossed.
            // NOLINTNEXTLINE(readability-suspicious-call-argument)
            renameOnce(temporaryPath, fromPath);
        return err;
    }
    return EEXIST;
}

int PosixFileSystem::renameNoReplace(const std::string& folder, std::string_view from,
                                     std::string_view to) {
    if (from == to)
        return 0;
    const int dir = prepareRename(folder, from, to);
    const int err = renameOnce(dir, m_fromPath.c_str(), m_toPath.c_str());
    if (err == EEXIST && isCaseOnlyRenameOfOneFile(folder, from, to))
        return renameThroughTemporary(folder, from, to);
    return err;
}

int PosixFileSystem::createFile(const std::string& folder, std::string_view name,
                                std::string_view content) {
    const std::string path = joinPath(folder, name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0755);
    if (fd < 0)
        return errno;
    int err = writeAll(fd, content);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        ::unlink(path.c_str());
    return err;
}

int PosixFileSystem::removeFile(const std::string& folder, std::string_view name) {
    return ::unlink(joinPath(folder, name).c_str()) == 0 ? 0 : errno;
}

} // namespace quillon

namespace quillon {

int PosixFileSystem::renameDirect(const std::string& folder, std::string_view from,
                                  std::string_view to) {
    if (from == to)
        return 0;
    const int dir = prepareRename(folder, from, to);
    return renameOnce(dir, m_fromPath.c_str(), m_toPath.c_str());
}

int PosixFileSystem::renameToOwnName(const std::string& folder, std::string_view from,
                                     std::string_view to) {
    if (from == to)
        return 0;
    const int dir = prepareRename(folder, from, to);
    const char* fromName = m_fromPath.c_str();
    const char* toName = m_toPath.c_str();
    if (m_method == RenameMethod::Best) {
        const int err = renameAtomicNoReplace(dir, fromName, toName);
        if (!noReplaceUnsupported(err))
            return err;
    } else if (m_method == RenameMethod::LinkUnlink) {
        const int err = renameByLink(dir, fromName, toName);
        if (!linksUnsupported(err))
            return err;
    }
    struct stat held {};
    if (::fstatat(dir, fromName, &held, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (::fstatat(dir, toName, &held, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return ::renameat(dir, fromName, dir, toName) == 0 ? 0 : errno;
}

int PosixFileSystem::readRegularFile(const std::string& folder, std::string_view name,
                                     std::size_t limit, std::string& out) {
    out.clear();
    return readRegularFileInChunks(folder, name, limit, [&out](std::string_view chunk) {
        out.append(chunk);
        return true;
    });
}

int PosixFileSystem::readRegularFileInChunks(const std::string& folder, std::string_view name,
                                             std::size_t limit,
                                             const std::function<bool(std::string_view)>& take) {
    // O_NONBLOCK: a FIFO planted under the name must not hang the listing.
    const int fd =
        ::open(joinPath(folder, name).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st {};
    int err = ::fstat(fd, &st) != 0 ? errno : (S_ISREG(st.st_mode) ? 0 : EINVAL);
    // No more than the caller may take: a header of a few hundred bytes
    // needs no megabyte cleared.
    std::vector<char> buffer(std::min(std::size_t{1} << 20, std::max<std::size_t>(limit, 1)));
    std::size_t read = 0;
    while (err == 0 && read < limit) {
        const ssize_t n = ::read(fd, buffer.data(), std::min(buffer.size(), limit - read));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = errno;
        if (n <= 0)
            break;
        read += static_cast<std::size_t>(n);
        if (!take(std::string_view(buffer.data(), static_cast<std::size_t>(n))))
            break;
    }
    ::close(fd);
    return err;
}

std::int64_t PosixFileSystem::regularFileSize(const std::string& folder, std::string_view name) {
    struct stat st {};
    if (::lstat(joinPath(folder, name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return st.st_size;
}

int PosixFileSystem::entryIdentity(const std::string& folder, std::string_view name,
                                   std::uint64_t& identity) {
    const int dir = lockedFolder(folder);
    const std::string path = dir == AT_FDCWD ? joinPath(folder, name) : std::string(name);
    struct stat st {};
    if (::fstatat(dir, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    identity = st.st_ino;
    return 0;
}

int PosixFileSystem::writeFileAtomically(const std::string& folder, std::string_view name,
                                         std::string_view content, bool replace,
                                         FileAccess access) {
    const mode_t mode = access == FileAccess::Executable ? 0755
                        : access == FileAccess::Private  ? 0600
                                                         : 0644;
    std::string temporaryPath;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char temporary[64];
        std::snprintf(temporary, sizeof temporary, "_Quillon record %ld-%u.tmp",
                      static_cast<long>(::getpid()), m_temporaryCounter++);
        temporaryPath = joinPath(folder, temporary);
        fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    mode);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    int err = writeAll(fd, content);
    if (err == 0 && ::fsync(fd) != 0 && !flushUnsupported(errno))
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0) {
        const std::string path = joinPath(folder, name);
        err = replace ? (::rename(temporaryPath.c_str(), path.c_str()) == 0 ? 0 : errno)
                      : renameOnce(temporaryPath, path);
    }
    if (err != 0) {
        ::unlink(temporaryPath.c_str());
        return err;
    }
    return flushFolder(folder);
}

PosixFileSystem::~PosixFileSystem() {
    for (const auto& [folder, fd] : m_locks)
        ::close(fd);
}

int PosixFileSystem::folderIdentity(const std::string& folder, FolderIdentity& out) {
    out = {};
    struct statx sx {};
    struct statfs fs {};
    if (::statx(AT_FDCWD, folder.c_str(), 0, STATX_INO | STATX_BTIME, &sx) != 0 ||
        ::statfs(folder.c_str(), &fs) != 0)
        return errno;
    out.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    out.inode = sx.stx_ino;
    if ((sx.stx_mask & STATX_BTIME) != 0)
        out.birth =
            static_cast<std::int64_t>(sx.stx_btime.tv_sec) * 1'000'000'000 + sx.stx_btime.tv_nsec;
    out.stableEntries = keepsIdentities(fs.f_type);
    return 0;
}

std::size_t PosixFileSystem::longestName(const std::string& folder) {
    constexpr std::size_t kUsual = 255;
    const long most = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return most > 0 ? static_cast<std::size_t>(most) : kUsual;
}

int PosixFileSystem::makeFolderPrivate(const std::string& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    if ((st.st_mode & 077) == 0)
        return 0;
    return ::chmod(folder.c_str(), st.st_mode & 0700) == 0 ? 0 : errno;
}

std::unique_ptr<FileSystem> PosixFileSystem::makeTwin() const {
    return std::make_unique<PosixFileSystem>(m_method);
}

int PosixFileSystem::folderWritable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

int PosixFileSystem::lockFolder(const std::string& folder) {
    if (m_locks.contains(folder))
        return EWOULDBLOCK;
    // A lock on the folder itself leaves nothing behind, also after a crash.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        // A file system without locks cannot keep two saves apart; saving
        // alone must still work there.
        if (err != EWOULDBLOCK)
            return 0;
        return err;
    }
    m_locks[folder] = fd;
    return 0;
}

void PosixFileSystem::unlockFolder(const std::string& folder) {
    const auto it = m_locks.find(folder);
    if (it == m_locks.end())
        return;
    ::close(it->second);
    m_locks.erase(it);
}

int PosixFileSystem::createFolders(const std::string& path) {
    if (path.empty())
        return ENOENT;
    // Each level in turn, from the top: mkdir -p.
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string part = path.substr(0, end);
        if (!part.empty() && part.back() != '/' && ::mkdir(part.c_str(), 0700) != 0) {
            const int err = errno;
            struct stat st {};
            if (err != EEXIST)
                return err;
            if (::stat(part.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
                return ENOTDIR;
        }
        if (end == std::string::npos)
            return 0;
    }
}

std::unique_ptr<FolderWatch> PosixFileSystem::watchFolder(const std::string& folder) {
    return InotifyWatch::create(folder);
}

} // namespace quillon
