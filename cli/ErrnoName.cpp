// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ErrnoName.h"

#include <cstring>

namespace quillon::cli {

std::string errnoName(int error) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
    if (const char* name = ::strerrorname_np(error))
        return name;
#endif
    return std::to_string(error);
}

} // namespace quillon::cli
