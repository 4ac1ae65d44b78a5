// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quillon::cli {

/// The command line as parsed so far; the options' actions write into it.
struct ParseState {
    CliOptions options;
    /// Set by --help and --version: parsing stops there.
    std::optional<InfoRequest> info;
    /// The press being built, from the window's defaults.
    ReplaceSettings press;
    /// Whether any option of the press was given, so that it runs.
    bool pressGiven = false;
    /// Options given that only go with --apply.
    std::vector<std::string_view> applyOnlyGiven;

    /// The press being built, marked to run.
    ReplaceSettings& changePress() {
        pressGiven = true;
        return press;
    }
    /// Presses "OK" with the press built so far, also when nothing was
    /// changed, and starts the next from the defaults.
    void endPress();
};

} // namespace quillon::cli
