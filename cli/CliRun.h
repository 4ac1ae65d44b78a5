// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace quillon {
class FileSystem;
}

namespace quillon::cli {

/// Checks that every PATH (and those of --files-from, read from in for "-")
/// can be read, loads each folder's list, runs the presses of "OK" in order
/// on every list and either prints the dry run or saves (--apply) folder by
/// folder; returns the exit status. Paths may be given relative; reports
/// name folders absolute. Nothing is renamed after a refused press, in any
/// folder.
int runCli(const CliOptions& asGiven, FileSystem& fs, std::istream& in, std::ostream& out,
           std::ostream& err);

} // namespace quillon::cli
