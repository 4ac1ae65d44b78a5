// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ErrnoName.h"

#include <cerrno>
#include <string_view>
#include <utility>

namespace quillon::cli {

namespace {

#define QUILLON_ERRNO(name)                                                                        \
    std::pair<int, std::string_view> {                                                             \
        name, #name                                                                                \
    }

// What reading a folder and renaming in it can run into.
constexpr std::pair<int, std::string_view> kNames[] = {
    QUILLON_ERRNO(EPERM),     QUILLON_ERRNO(ENOENT),       QUILLON_ERRNO(EINTR),
    QUILLON_ERRNO(EIO),       QUILLON_ERRNO(ENXIO),        QUILLON_ERRNO(EBADF),
    QUILLON_ERRNO(EAGAIN),    QUILLON_ERRNO(ENOMEM),       QUILLON_ERRNO(EACCES),
    QUILLON_ERRNO(EFAULT),    QUILLON_ERRNO(EBUSY),        QUILLON_ERRNO(EEXIST),
    QUILLON_ERRNO(EXDEV),     QUILLON_ERRNO(ENODEV),       QUILLON_ERRNO(ENOTDIR),
    QUILLON_ERRNO(EISDIR),    QUILLON_ERRNO(EINVAL),       QUILLON_ERRNO(ENFILE),
    QUILLON_ERRNO(EMFILE),    QUILLON_ERRNO(ETXTBSY),      QUILLON_ERRNO(EFBIG),
    QUILLON_ERRNO(ENOSPC),    QUILLON_ERRNO(EROFS),        QUILLON_ERRNO(EMLINK),
    QUILLON_ERRNO(EILSEQ),    QUILLON_ERRNO(ENAMETOOLONG), QUILLON_ERRNO(ENOSYS),
    QUILLON_ERRNO(ENOTEMPTY), QUILLON_ERRNO(ELOOP),        QUILLON_ERRNO(EOPNOTSUPP),
    QUILLON_ERRNO(EDQUOT),    QUILLON_ERRNO(ESTALE),       QUILLON_ERRNO(ECANCELED),
};

#undef QUILLON_ERRNO

} // namespace

std::string errnoName(int error) {
    for (const auto& [value, name] : kNames)
        if (value == error)
            return std::string(name);
    return std::to_string(error);
}

} // namespace quillon::cli
