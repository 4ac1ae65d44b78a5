// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace quillon {
class FileSystem;
}

namespace quillon::cli {

/// Checks that the folder can be read, loads it, runs the presses of "OK" in
/// order and either prints the dry run or saves (--apply); returns the exit
/// status. The folder may be given relative; reports name it absolute.
/// Nothing is renamed after a refused press.
int runCli(const CliOptions& asGiven, FileSystem& fs, std::ostream& out, std::ostream& err);

} // namespace quillon::cli
