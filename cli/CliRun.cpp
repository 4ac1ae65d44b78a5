// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRun.h"

#include "cli/CliApply.h"
#include "cli/CliHistory.h"
#include "cli/CliTags.h"
#include "cli/CliUndo.h"
#include "cli/ExitCode.h"
#include "cli/FolderPath.h"
#include "cli/PressMessages.h"
#include "cli/Problem.h"
#include "cli/RenameReport.h"
#include "cli/ReportOutput.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"
#include "workspace/UndoHistory.h"
#include "workspace/Workspace.h"

#include <optional>

#include <ostream>

namespace quillon::cli {

namespace {

const char* reasonText(ConflictReason reason) {
    switch (reason) {
    case ConflictReason::Duplicate:
        return "duplicate";
    case ConflictReason::InvalidName:
        return "invalid name";
    case ConflictReason::HeldOutsideList:
        return "held by a file outside the list";
    case ConflictReason::HeldByUnchangedFile:
        return "held by a listed file that keeps its name";
    case ConflictReason::FolderReadOnly:
        return "the folder cannot be written";
    }
    return "";
}

bool isJson(const CliOptions& options) {
    return options.output == OutputFormat::Json;
}

void tellConflicts(const RenameReport& report, std::ostream& err) {
    for (const ReportConflict& conflict : *report.conflicts)
        err << "quillon-cli: will fail: " << shellQuoted(report.oldNames[conflict.index]) << " -> "
            << shellQuoted(report.newNames[conflict.index]) << " (" << conflict.reason << ")\n";
}

// The dry run meets what saving would and exits as --apply would: 3 where
// saving would be refused (with the same message), 4 where some renames
// would fail.
int dryRun(Workspace& workspace, const CliOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<SaveNotice> refusal;
    const std::vector<SaveConflict> conflicts = workspace.saveConflicts(options.undoFile, refusal);
    RenameReport report = takeReport(workspace, options.folder);
    report.conflicts.emplace();
    for (const SaveConflict& conflict : conflicts) {
        report.conflicts->push_back(
            {conflict.index, report.newNames.decoded(conflict.index), reasonText(conflict.reason)});
    }
    // An empty list is no conflict: the dry run already says nothing would change.
    if (refusal && refusal->kind != SaveNoticeKind::NoFiles)
        report.refusal =
            Problem{ProblemKind::RefusedSave, saveNoticeText(*refusal), refusal->error};
    writeReport(report, options.output, out, err);
    if (report.refusal) {
        err << problemLine(*report.refusal);
        return exitStatus(ExitCode::RefusedSave);
    }
    if (options.output == OutputFormat::Text)
        tellConflicts(report, err);
    return exitStatus(report.conflicts->empty() ? ExitCode::Success : ExitCode::RenamesFailed);
}

LoadResult load(Workspace& workspace, const CliOptions& options) {
    switch (options.sort) {
    case SortOrder::Date:
        return workspace.loadByDate(options.folder, options.mask);
    case SortOrder::Taken:
        return workspace.loadInOrder(options.folder, options.mask, ReloadOrder::Taken);
    case SortOrder::Modified:
        return workspace.loadInOrder(options.folder, options.mask, ReloadOrder::Modified);
    case SortOrder::Natural:
        return workspace.loadInOrder(options.folder, options.mask, ReloadOrder::Natural);
    case SortOrder::Name:
        break;
    }
    return workspace.load(options.folder, options.mask);
}

int stoppedReading(std::ostream& err) {
    err << "Stopped while reading the files; nothing was renamed.\n";
    return stoppedStatus(stopSignal());
}

// The presses in order; stops at a refusal, and at a stop while fields are
// read (the caller asks fieldReadingStopped).
std::optional<Problem> runPresses(Workspace& workspace, const CliOptions& options) {
    for (std::size_t i = 0; i < options.presses.size(); ++i) {
        if (const auto refusal = workspace.apply(options.presses[i])) {
            const std::string which =
                options.presses.size() > 1 ? "press " + std::to_string(i + 1) + ": " : "";
            return Problem{ProblemKind::RefusedPress, which + refusalLine(*refusal), 0};
        }
        if (workspace.fieldReadingStopped())
            return std::nullopt;
        // Nothing here takes a press back; the copy would only hold memory.
        workspace.dropUndo();
    }
    return std::nullopt;
}

} // namespace

int runCli(const CliOptions& asGiven, FileSystem& fs, std::ostream& out, std::ostream& err) {
    // The history names folders that may be gone; it resolves them itself.
    if (asGiven.history)
        return runHistory(fs, asGiven, out, err);
    CliOptions options = asGiven;
    options.folder = absolutePath(asGiven.folder);
    // Checked before anything else, so that a missing folder is never
    // mistaken for a busy one or an empty one.
    if (const int error = folderAccessError(options.folder)) {
        reportProblem({ProblemKind::Unreadable,
                       "cannot read folder " + quotedForTerminal(asGiven.folder), error},
                      options.folder, isJson(options), out, err);
        return exitStatus(ExitCode::Usage);
    }
    if (options.undo)
        return runUndo(fs, options, out, err);
    Workspace workspace(fs);
    const std::string historyFolder = UndoHistory::defaultDirectory();
    std::optional<UndoHistory> history;
    if (options.apply && !historyFolder.empty()) {
        history.emplace(fs, historyFolder);
        workspace.setHistory(&*history);
    }
    workspace.setCaseMode(options.caseMode, options.smartOptions);
    workspace.setCaseScope(options.caseScope);
    MediaFieldSource fields;
    workspace.setFieldSource(&fields);
    workspace.setStopRequest([] { return stopSignal() != 0; });
    const LoadResult loaded = load(workspace, options);
    if (workspace.fieldReadingStopped())
        return stoppedReading(err);
    if (!loaded.ok()) {
        reportProblem({ProblemKind::Unreadable,
                       "cannot read folder " + quotedForTerminal(asGiven.folder), loaded.error},
                      options.folder, isJson(options), out, err);
        return exitStatus(ExitCode::Usage);
    }
    if (options.tags)
        return runTags(workspace, options, out, err);
    if (const auto problem = runPresses(workspace, options)) {
        reportProblem(*problem, options.folder, isJson(options), out, err);
        return exitStatus(ExitCode::RefusedPress);
    }
    if (workspace.fieldReadingStopped())
        return stoppedReading(err);
    if (options.apply)
        return runApply(workspace, options, out, err);
    return dryRun(workspace, options, out, err);
}

} // namespace quillon::cli
