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

/// What a program reads and where its standard output goes, where a test
/// wants more than the defaults.
struct ProgramStreams {
    /// Standard input.
    std::string input;
    /// A file that standard output goes to ("/dev/full"); empty: collected.
    std::string outputFile;
    /// Set in the program's environment ("TERM=dumb").
    std::vector<std::string> environment;
};

/// Runs program with args (raw bytes, no shell in between) and collects its
/// standard output and standard error apart.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const ProgramStreams& streams = {});

} // namespace quillon::test
