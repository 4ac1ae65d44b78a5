// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "cli/CliPresets.h"
#include "cli/CliRun.h"
#include "cli/ExitCode.h"
#include "cli/OutputCheck.h"
#include "cli/Problem.h"
#include "cli/StopSignals.h"
#include "workspace/disk/PosixFileSystem.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
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

// A command line that does not parse may still have asked for JSON.
bool asksForJson(const std::vector<std::string_view>& args) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::find(args.begin(), end, "--json") != end;
}

int run(const std::vector<std::string_view>& args) {
    const ParseResult parsed = parseArguments(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        reportProblem({ProblemKind::Usage, error->message + "; see \"quillon-cli --help\"", 0},
                      std::nullopt, asksForJson(args), std::cout, std::cerr);
        return exitStatus(ExitCode::Usage);
    }
    if (const auto* info = std::get_if<InfoRequest>(&parsed)) {
        std::cout << (*info == InfoRequest::Help ? helpText() : versionText());
        return exitStatus(ExitCode::Success);
    }
    catchStopSignals();
    quillon::PosixFileSystem fs;
    // Neither usage error nor information: the options.
    const CliOptions& options = *std::get_if<CliOptions>(&parsed);
    if (!options.savePreset.empty()) {
        if (const auto error = savePreset(options, fs)) {
            reportProblem({ProblemKind::Usage, *error, 0}, std::nullopt,
                          options.output == OutputFormat::Json, std::cout, std::cerr);
            return exitStatus(ExitCode::Usage);
        }
        if (options.paths.empty() && !options.filesFrom)
            return exitStatus(ExitCode::Success);
    }
    return runCli(options, fs, std::cin, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    returnLargeBuffersToTheSystem();
    // A closed pipe is a write error to report, not a reason to vanish
    // without finishing the renames or saying what happened.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int status = run(args);
    return checkedOutput(status, std::cout, stdout, std::cerr);
}
