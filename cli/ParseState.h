// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quillon::cli {

/// The clean-up check boxes that options set for one press. Those left unset
/// take their defaults at the end, as --window-defaults may come last.
struct CleanUpChoice {
    std::optional<bool> charToSpaces;
    std::optional<bool> deleteExtraSpaces;
};

/// The command line as parsed so far; the options' actions write into it.
struct ParseState {
    CliOptions options;
    /// Set by --help and --version: parsing stops there.
    std::optional<InfoRequest> info;
    /// The press being built.
    ReplaceSettings press;
    /// Its clean-up check boxes as options set them, and those of the
    /// presses ended before it, index-paired with options.presses.
    CleanUpChoice cleanUp;
    std::vector<CleanUpChoice> cleanUps;
    /// --window-defaults: Smart case and the two clean-ups unless options say
    /// otherwise.
    bool windowDefaults = false;
    /// --case was given.
    bool caseGiven = false;
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
