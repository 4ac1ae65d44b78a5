// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/Environment.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quillon::test {

// 2026-01-02 03:00:00 UTC and 7 ns, process 4242, user 1000 on machine
// "0a1b", HOME only; each value can be set otherwise.
class FixedEnvironment final : public Environment {
public:
    static constexpr std::int64_t kNow = 1'767'322'800'000'000'007;

    std::map<std::string, std::string, std::less<>> variables{{"HOME", "/home/fixed"}};
    long pid = 4242;
    std::uint32_t user = 1000;
    std::vector<std::string> machines{"0a1b"};
    std::string host = "fixed";

    std::int64_t nanosecondsNow() const override { return kNow; }
    long processId() const override { return pid; }
    const char* variable(std::string_view name) const override {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    }
    std::uint32_t userId() const override { return user; }
    std::vector<std::string> machineIds() const override { return machines; }
    std::string hostName() const override { return host; }
};

} // namespace quillon::test
