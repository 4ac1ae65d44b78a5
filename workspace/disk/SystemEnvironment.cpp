// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/disk/SystemEnvironment.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quillon {

std::int64_t SystemEnvironment::nanosecondsNow() const {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

long SystemEnvironment::processId() const {
    return static_cast<long>(::getpid());
}

const char* SystemEnvironment::variable(std::string_view name) const {
    return std::getenv(std::string(name).c_str());
}

std::uint32_t SystemEnvironment::userId() const {
    return static_cast<std::uint32_t>(::getuid());
}

std::vector<std::string> SystemEnvironment::machineIds() const {
    std::vector<std::string> ids;
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        std::ifstream in(path);
        std::string id;
        if (in >> id)
            ids.push_back(std::move(id));
    }
    return ids;
}

std::string SystemEnvironment::hostName() const {
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0)
        return {};
    return host;
}

const Environment& systemEnvironment() {
    static const SystemEnvironment real;
    return real;
}

} // namespace quillon
