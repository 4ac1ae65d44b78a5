// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace quillon {
class FileSystem;
}

namespace quillon::cli {

/// Loads the folder, runs the presses of "OK" in order and either prints the
/// dry run or saves (--apply); returns the exit status. Nothing is renamed
/// after a refused press.
int runCli(const CliOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);

} // namespace quillon::cli
