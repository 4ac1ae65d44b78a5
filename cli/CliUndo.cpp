// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliUndo.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/ProgressLine.h"
#include "cli/RenameReport.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"

#include "engine/Utf8.h"
#include "workspace/FileSystem.h"
#include "workspace/FolderReader.h"
#include "workspace/UndoLastSave.h"

#include <ostream>

namespace quillon::cli {

namespace {

// The report of an undo: each rename taken back, as from its new name to
// its old one.
RenameReport undoReport(const std::string& folder, const UndoResult& result) {
    RenameReport report;
    report.folder = folder;
    report.applied = true;
    report.renamed = result.restored.size();
    for (const UndoStep& step : result.restored)
        report.add(step.to, step.from, true);
    for (const UndoStep& step : result.notRestored)
        report.add(step.to, step.from, true, RenameError{"not renamed back", 0});
    return report;
}

int refusal(const UndoResult& result, const CliOptions& options, std::ostream& err) {
    if (result.status == UndoStatus::Busy) {
        err << saveNoticeText(SaveNotice{SaveNoticeKind::FolderBusy, {}, 0}) << '\n';
        return exitStatus(ExitCode::RefusedSave);
    }
    if (result.status == UndoStatus::Refused) {
        err << "quillon-cli: " << quotedForTerminal(options.folder + "/" + kUndoScriptName)
            << " is not an undo record Quillon can take back (line " << result.problem.line << ": "
            << result.problem.reason << "); nothing was renamed\n";
        return exitStatus(ExitCode::Usage);
    }
    err << "quillon-cli: " << quotedForTerminal(options.folder)
        << " holds no undo file of Quillon's"
        << (result.status == UndoStatus::NotQuillons ? " (a file of that name is not one)" : "")
        << '\n';
    return exitStatus(ExitCode::Usage);
}

} // namespace

int runUndo(FileSystem& fs, const CliOptions& options, std::ostream& out, std::ostream& err) {
    std::size_t total = 0;
    ProgressLine progress(err, ProgressLine::onTerminal(), ProgressLine::kMinimumCount);
    SaveCallbacks ask;
    ask.progress = [&](int percent) {
        progress.update(static_cast<std::size_t>(percent));
    };
    ask.shouldStop = [] {
        return stopSignal() != 0;
    };
    const UndoResult result = undoLastSave(fs, options.folder, ask);
    progress.clear();
    if (result.status != UndoStatus::Undone)
        return refusal(result, options, err);
    total = result.restored.size() + result.notRestored.size();
    for (const UndoStep& s : result.notRestored)
        err << "Not renamed back: " << escapedForTerminal(s.to) << '\n';
    if (options.output == OutputFormat::Json) {
        writeJson(undoReport(options.folder, result), out);
    } else {
        err << "Renamed back " << result.restored.size() << " of " << total << " files";
        if (result.nothingToDo > 0)
            err << "; " << result.nothingToDo << " needed nothing (never renamed, or already back)";
        err << ".\n";
    }
    if (result.recordError != 0)
        err << "quillon-cli: the undo file could not be brought up to date\n";
    if (stopSignal() != 0) {
        err << "Stopped; " << result.notReached << " files were left in the undo file.\n";
        return stoppedStatus(stopSignal());
    }
    return exitStatus(result.notRestored.empty() ? ExitCode::Success : ExitCode::RenamesFailed);
}

} // namespace quillon::cli
