// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"
#include "cli/Problem.h"
#include "cli/RenameReport.h"
#include "workspace/save/SaveCallbacks.h"

#include <iosfwd>
#include <string_view>

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

/// One list saved, before anything is printed on standard output.
struct SavedList {
    /// The names as before saving, with the failures and the count renamed.
    RenameReport report;
    SaveResult result;
    /// Why saving was refused before any rename.
    std::optional<Problem> refusal;
};

/// The saving of runApply: tells each failed rename on err at once (with
/// the progress line) and returns what happened, for the caller to print.
SavedList saveList(Workspace& workspace, const CliOptions& options, std::ostream& err);

/// The line after a stop by signal, on err, and the exit status it gives;
/// folder, when given, leads the message ("\"/d\": ").
int stoppedAfter(const SaveResult& result, std::size_t total, std::ostream& err,
                 std::string_view folder = {});

} // namespace quillon::cli
