// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "cli/ExitCode.h"
#include "cli/StopSignals.h"
#include "workspace/PosixFileSystem.h"

#include <iostream>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <string_view>
#include <vector>

using namespace quillon::cli;

namespace {

// A run holds a few large name buffers in turn (the listing, the sorted
// list, the preview). glibc otherwise raises its mmap threshold once the
// first is freed and serves the next from a heap it never gives back, so
// the peak would count each buffer that ever existed.
void returnLargeBuffersToTheSystem() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

} // namespace

int main(int argc, char** argv) {
    returnLargeBuffersToTheSystem();
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const ParseResult parsed = parseArguments(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        std::cerr << "quillon-cli: " << error->message
                  << "\nTry \"quillon-cli --help\" for the options.\n";
        return exitStatus(ExitCode::Usage);
    }
    if (const auto* info = std::get_if<InfoRequest>(&parsed)) {
        std::cout << (*info == InfoRequest::Help ? helpText() : versionText());
        return exitStatus(ExitCode::Success);
    }
    catchStopSignals();
    quillon::PosixFileSystem fs;
    return runCli(std::get<CliOptions>(parsed), fs, std::cout, std::cerr);
}
