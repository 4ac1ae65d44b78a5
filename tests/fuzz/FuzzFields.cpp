// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fuzz/FuzzFields.h"

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace quillon::fuzz {

int memoryFile(std::string_view bytes) {
    const int fd = ::memfd_create("fuzz", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            ::close(fd);
            return -1;
        }
        written += static_cast<std::size_t>(n);
    }
    return fd;
}

void expectSame(const std::string& plain, const std::string& library) {
    if (plain == library)
        return;
    std::fprintf(stderr, "The plain reader gives:\n%s\nThe library gives:\n%s\n", plain.c_str(),
                 library.c_str());
    std::abort();
}

} // namespace quillon::fuzz
