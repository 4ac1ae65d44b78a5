// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace quillon {
class Workspace;
}

namespace quillon::cli {

/// --apply: renames the files of workspace's folder list to its preview
/// names as the window's "Save" does (duplicate and name checks, the undo
/// script unless options.undoFile is false, options.onError for each failed
/// rename), prints the result (JSON with options.json) and returns the exit
/// status: Success, RefusedSave or RenamesFailed.
int runApply(Workspace& workspace, const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace quillon::cli
