// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillon::test {

/// What a finished program left behind.
struct ProgramResult {
    /// The exit status, or -1 when the program did not exit normally.
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs program with args (raw bytes, no shell in between) and collects its
/// standard output and standard error apart.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args);

} // namespace quillon::test
