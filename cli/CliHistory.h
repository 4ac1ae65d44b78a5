// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace quillon {
class FileSystem;
}

namespace quillon::cli {

/// --history: prints the saves the user's history holds, newest first (with
/// options.folder, only that folder's), as lines or as a JSON array; returns
/// the exit status (Usage where no history folder can be named).
int runHistory(FileSystem& fs, const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace quillon::cli
