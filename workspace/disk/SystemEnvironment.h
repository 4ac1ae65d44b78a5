// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/Environment.h"

namespace quillon {

/// The process itself: clock_gettime, getpid, getenv, getuid, the
/// machine-id files and gethostname.
class SystemEnvironment final : public Environment {
public:
    std::int64_t nanosecondsNow() const override;
    long processId() const override;
    const char* variable(std::string_view name) const override;
    std::uint32_t userId() const override;
    std::vector<std::string> machineIds() const override;
    std::string hostName() const override;
};

/// The one SystemEnvironment, for callers that are not handed another.
const Environment& systemEnvironment();

} // namespace quillon
