// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/FolderPath.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace quillon::cli {

namespace {

std::string workingDirectory() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

} // namespace

std::string absolutePath(const std::string& path) {
    const std::string whole =
        !path.empty() && path.front() == '/' ? path : workingDirectory() + "/" + path;
    std::string out;
    std::size_t start = 0;
    while (start <= whole.size()) {
        const std::size_t end = std::min(whole.find('/', start), whole.size());
        const std::string_view part = std::string_view(whole).substr(start, end - start);
        if (!part.empty() && part != ".") {
            out += '/';
            out += part;
        }
        start = end + 1;
    }
    return out.empty() ? "/" : out;
}

int folderAccessError(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

} // namespace quillon::cli
