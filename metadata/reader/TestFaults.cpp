// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/reader/TestFaults.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace quillon::metadata::reader {

namespace {

constexpr std::string_view kMarker = "QUILLON-TEST-FAULT:";

[[noreturn]] void hang() {
    for (;;) {
        // Spins as a parser in a loop would; the volatile read keeps it.
        static volatile int spin = 0;
        spin = spin + 1;
    }
}

void allocateWithoutEnd() {
    std::vector<std::unique_ptr<char[]>> blocks;
    for (;;) {
        blocks.emplace_back(new char[1U << 24]);
        std::memset(blocks.back().get(), 1, 1U << 24);
    }
}

} // namespace

bool testFaultsEnabled() {
    const char* value = std::getenv("QUILLON_READER_TEST_FAULTS");
    return value != nullptr && std::string_view(value) == "1";
}

void actOnTestFault(int fd) {
    char head[32] = {};
    const ssize_t n = ::pread(fd, head, sizeof head, 0);
    if (n <= 0)
        return;
    std::string_view text(head, static_cast<std::size_t>(n));
    if (!text.starts_with(kMarker))
        return;
    text.remove_prefix(kMarker.size());
    if (text.starts_with("crash"))
        __builtin_trap();
    if (text.starts_with("abort"))
        std::abort();
    if (text.starts_with("hang"))
        hang();
    if (text.starts_with("allocate"))
        allocateWithoutEnd();
    if (text.starts_with("open"))
        ::close(::open("/etc/hostname", O_RDONLY | O_CLOEXEC));
}

} // namespace quillon::metadata::reader
