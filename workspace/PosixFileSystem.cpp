#include "workspace/PosixFileSystem.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string joinPath(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    path += name;
    return path;
}

} // namespace

int PosixFileSystem::readFolder(const std::string& folder, std::vector<RawEntry>& out) {
    out.clear();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        return err;
    }
    int err = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            err = errno;
            break;
        }
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
            continue;
        out.push_back(RawEntry{n, typeOf(entry->d_type)});
    }
    ::closedir(dir);
    if (err)
        out.clear();
    return err;
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

} // namespace quillon
