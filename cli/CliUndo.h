// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"
#include "cli/PathGroups.h"
#include "cli/Problem.h"
#include "cli/RenameReport.h"
#include "workspace/undo/UndoLastSave.h"

#include <optional>

#include <iosfwd>

namespace quillon {
class FileSystem;
class UndoHistory;
} // namespace quillon

namespace quillon::cli {

/// --undo: takes back the last save into options.folder from the undo script
/// Quillon left there, prints the result (JSON with options.json) and
/// returns the exit status: Success when every file came back,
/// RenamesFailed naming on err what did not, Usage when the folder holds no
/// undo script of Quillon's, RefusedSave while another save holds the folder.
int runUndo(FileSystem& fs, const CliOptions& options, std::ostream& out, std::ostream& err);

/// One folder taken back, before anything is printed on standard output.
struct UndoneFolder {
    UndoResult result;
    /// Each rename taken back, from its new name to its old one.
    RenameReport report;
    /// Why nothing was taken back.
    std::optional<Problem> refusal;
};

/// The undo of runUndo for options.folder; tells on err what did not come back.
UndoneFolder undoFolder(FileSystem& fs, const CliOptions& options, UndoHistory* history,
                        std::ostream& err);

/// "Renamed back 3 of 3 files." and a line break.
std::string undoneLine(const UndoResult& result);

/// The exit status of one folder's undo.
int undoneStatus(const UndoneFolder& done);

/// --undo for the folders of groups, each before the folders below it;
/// with -r, each folder's subfolders are listed once it is back (a save
/// may have renamed them) and taken back where they hold a save. Where the
/// command line names one folder only, as runUndo.
int runUndoFolders(FileSystem& fs, const CliOptions& options,
                   const std::vector<FolderGroup>& groups, std::ostream& out, std::ostream& err);

} // namespace quillon::cli
