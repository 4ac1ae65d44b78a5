// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/disk/SystemEnvironment.h"

#include <cstdlib>
#include <ctime>
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

const Environment& systemEnvironment() {
    static const SystemEnvironment real;
    return real;
}

} // namespace quillon
