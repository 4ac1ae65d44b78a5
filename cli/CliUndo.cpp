// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliUndo.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/Problem.h"
#include "cli/ProgressLine.h"
#include "cli/RenameReport.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"

#include "engine/Utf8.h"
#include "workspace/FileSystem.h"
#include "workspace/FolderReader.h"
#include "workspace/UndoHistory.h"
#include "workspace/UndoLastSave.h"

#include <iostream>
#include <optional>
#include <ostream>
#include <unistd.h>

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

// The words of an undo that did not run, and its kind.
Problem refusalOf(const UndoResult& result, const CliOptions& options) {
    const std::string record = quotedForTerminal(options.folder + "/" + kUndoScriptName);
    switch (result.status) {
    case UndoStatus::Busy:
        return {ProblemKind::RefusedSave, "another save or undo is running in this folder", 0};
    case UndoStatus::Refused:
        return {ProblemKind::Usage,
                record + " is not an undo record Quillon can take back (line " +
                    std::to_string(result.problem.line) + ": " + result.problem.reason +
                    "); nothing was renamed",
                0};
    case UndoStatus::Declined:
        return {ProblemKind::Usage,
                record + " is not in your history (made by another user or on another machine);" +
                    " nothing was renamed; check it, then pass --yes to take it back",
                0};
    case UndoStatus::NotQuillons:
        return {ProblemKind::Usage,
                quotedForTerminal(options.folder) +
                    " holds no undo file of Quillon's (a file of that name is not one)",
                0};
    case UndoStatus::NoRecord:
    case UndoStatus::Undone:
        break;
    }
    return {ProblemKind::Usage,
            quotedForTerminal(options.folder) + " holds no save to take back, in your history" +
                " or as an undo file of Quillon's",
            0};
}

int refusal(const UndoResult& result, const CliOptions& options, std::ostream& out,
            std::ostream& err) {
    const Problem problem = refusalOf(result, options);
    reportProblem(problem, options.folder, options.output == OutputFormat::Json, out, err);
    return exitStatus(problem.kind == ProblemKind::RefusedSave ? ExitCode::RefusedSave
                                                               : ExitCode::Usage);
}

// A record the history does not hold: taken with --yes, or when the user
// at a terminal says so.
bool confirmUnknown(const CliOptions& options, std::ostream& err) {
    if (options.trustRecord)
        return true;
    if (::isatty(STDIN_FILENO) == 0 || ::isatty(STDERR_FILENO) == 0)
        return false;
    err << "quillon-cli: the undo file in " << quotedForTerminal(options.folder)
        << " is not in your history (made by another user or on another machine). "
        << "Take its renames back? [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return answer == "y" || answer == "Y" || answer == "yes";
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
    ask.confirmUnknownRecord = [&] {
        return confirmUnknown(options, err);
    };
    const std::string historyFolder = UndoHistory::defaultDirectory();
    std::optional<UndoHistory> history;
    if (!historyFolder.empty())
        history.emplace(fs, historyFolder);
    const UndoResult result = undoLastSave(fs, options.folder, ask, history ? &*history : nullptr);
    progress.clear();
    if (result.status != UndoStatus::Undone)
        return refusal(result, options, out, err);
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
