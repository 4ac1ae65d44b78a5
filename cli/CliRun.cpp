#include "cli/CliRun.h"

#include "cli/CliApply.h"
#include "cli/CliUndo.h"
#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/RenameReport.h"
#include "cli/SaveMessages.h"
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
    RenameReport report = reportOf(workspace, options.folder);
    std::optional<SaveNotice> refusal;
    const std::vector<SaveConflict> conflicts = workspace.saveConflicts(options.undoFile, refusal);
    report.conflicts.emplace();
    for (const SaveConflict& c : conflicts) {
        const ReportEntry& entry = report.entries[c.index];
        report.conflicts->push_back({c.index, entry.newName, reasonText(c.reason)});
    }
    out << (options.json ? toJson(report) : dryRunText(report));
    // An empty list is no conflict: the dry run already says nothing would change.
    if (refusal && refusal->kind != SaveNoticeKind::NoFiles) {
        err << saveNoticeText(*refusal) << '\n';
        return exitStatus(ExitCode::RefusedSave);
    }
    if (!options.json) {
        for (const ReportConflict& c : *report.conflicts)
            err << "Will fail: " << encodeName(report.entries[c.index].oldName) << " -> "
                << encodeName(c.name) << " (" << c.reason << ")\n";
    }
    return exitStatus(ExitCode::Success);
}

} // namespace

int runCli(const CliOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
    if (options.undo)
        return runUndo(fs, options, out, err);
    Workspace workspace(fs);
    workspace.setCaseMode(options.caseMode, options.smartOptions);
    const LoadResult loaded = options.sort == SortOrder::Date
                                  ? workspace.loadByDate(options.folder, options.mask)
                                  : workspace.load(options.folder, options.mask);
    if (!loaded.ok()) {
        err << "quillon-cli: cannot read folder \"" << options.folder
            << "\": " << std::strerror(loaded.error) << '\n';
        return exitStatus(ExitCode::Usage);
    }

    for (const ReplaceSettings& press : options.presses) {
        if (const auto refusal = workspace.apply(press)) {
            err << refusalMessage(*refusal) << '\n';
            return exitStatus(ExitCode::RefusedPress);
        }
    }

    if (options.apply)
        return runApply(workspace, options, out, err);

    return dryRun(workspace, options, out, err);
}

} // namespace quillon::cli
