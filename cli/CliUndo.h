// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace quillon {
class FileSystem;
}

namespace quillon::cli {

/// --undo: takes back the last save into options.folder from the undo script
/// Quillon left there, prints the result (JSON with options.json) and
/// returns the exit status: Success when every file came back,
/// RenamesFailed naming on err what did not, Usage when the folder holds no
/// undo script of Quillon's, RefusedSave while another save holds the folder.
int runUndo(FileSystem& fs, const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace quillon::cli
