// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

/// What the workspace learns from the process it runs in besides the disk:
/// the wall clock, the process id, the user and machine, and the environment
/// variables. Passed in, so that tests can give fixed values;
/// SystemEnvironment is the real one.
class Environment {
public:
    virtual ~Environment() = default;
    /// The wall-clock time in nanoseconds since the epoch.
    virtual std::int64_t nanosecondsNow() const = 0;
    /// The process id, which tells this process's names from another's.
    virtual long processId() const = 0;
    /// The value of the variable name, or null when it is not set.
    virtual const char* variable(std::string_view name) const = 0;
    /// The (real) user id the process runs as.
    virtual std::uint32_t userId() const = 0;
    /// What the system keeps as the machine's identifier, most trusted
    /// first, as read and unchecked; none where it keeps none.
    virtual std::vector<std::string> machineIds() const = 0;
    /// The host name; empty where it is unknown.
    virtual std::string hostName() const = 0;
};

} // namespace quillon
