// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRun.h"

#include "cli/CliApply.h"
#include "cli/CliTags.h"
#include "cli/CliUndo.h"
#include "cli/ExitCode.h"
#include "cli/RenameReport.h"
#include "cli/ReportOutput.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"
#include "engine/Refusals.h"
#include "engine/Utf8.h"
#include "workspace/Workspace.h"

#include <cstring>
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
    }
    return "";
}

// The dry run meets what saving would: it refuses (exit 3, the same message)
// exactly where --apply would, and names the renames that would fail.
int dryRun(Workspace& workspace, const CliOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<SaveNotice> refusal;
    const std::vector<SaveConflict> conflicts = workspace.saveConflicts(options.undoFile, refusal);
    RenameReport report = takeReport(workspace, options.folder);
    report.conflicts.emplace();
    for (const SaveConflict& conflict : conflicts) {
        report.conflicts->push_back(
            {conflict.index, report.newNames.decoded(conflict.index), reasonText(conflict.reason)});
    }
    writeReport(report, options.output, out, err);
    // An empty list is no conflict: the dry run already says nothing would change.
    if (refusal && refusal->kind != SaveNoticeKind::NoFiles) {
        err << escapedLines(decodeName(saveNoticeText(*refusal))) << '\n';
        return exitStatus(ExitCode::RefusedSave);
    }
    if (options.output == OutputFormat::Text) {
        for (const ReportConflict& conflict : *report.conflicts)
            err << "Will fail: " << escapedForTerminal(report.oldNames[conflict.index]) << " -> "
                << escapedForTerminal(report.newNames[conflict.index]) << " (" << conflict.reason
                << ")\n";
    }
    return exitStatus(ExitCode::Success);
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

} // namespace

int runCli(const CliOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
    if (options.undo)
        return runUndo(fs, options, out, err);
    Workspace workspace(fs);
    workspace.setCaseMode(options.caseMode, options.smartOptions);
    MediaFieldSource fields;
    workspace.setFieldSource(&fields);
    workspace.setStopRequest([] { return stopSignal() != 0; });
    const LoadResult loaded = load(workspace, options);
    if (workspace.fieldReadingStopped())
        return stoppedReading(err);
    if (!loaded.ok()) {
        err << "quillon-cli: cannot read folder " << quotedForTerminal(options.folder) << ": "
            << std::strerror(loaded.error) << '\n';
        return exitStatus(ExitCode::Usage);
    }

    if (options.tags)
        return runTags(workspace, options, out, err);

    for (const ReplaceSettings& press : options.presses) {
        if (const auto refusal = workspace.apply(press)) {
            err << refusalMessage(*refusal) << '\n';
            return exitStatus(ExitCode::RefusedPress);
        }
        if (workspace.fieldReadingStopped())
            return stoppedReading(err);
        // Nothing here takes a press back; the copy would only hold memory.
        workspace.dropUndo();
    }

    if (options.apply)
        return runApply(workspace, options, out, err);

    return dryRun(workspace, options, out, err);
}

} // namespace quillon::cli
