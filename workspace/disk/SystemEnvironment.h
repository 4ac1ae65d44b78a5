// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/Environment.h"

namespace quillon {

/// The process itself: clock_gettime, getpid and getenv.
class SystemEnvironment final : public Environment {
public:
    std::int64_t nanosecondsNow() const override;
    long processId() const override;
    const char* variable(std::string_view name) const override;
};

/// The one SystemEnvironment, for callers that are not handed another.
const Environment& systemEnvironment();

} // namespace quillon
