// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliUndo.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/PathGroups.h"
#include "cli/Problem.h"
#include "cli/ProgressLine.h"
#include "cli/RenameReport.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"

#include "engine/Utf8.h"
#include "workspace/disk/FileSystem.h"
#include "workspace/folder/FolderReader.h"
#include "workspace/history/UndoHistory.h"
#include "workspace/undo/UndoLastSave.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <ostream>
#include <unistd.h>
#include <utility>

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
        report.add(step.to, step.from, true,
                   RenameError{step.changed ? "changed since the save" : "not renamed back", 0});
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

UndoneFolder undoFolder(FileSystem& fs, const CliOptions& options, UndoHistory* history,
                        std::ostream& err) {
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
    UndoneFolder done;
    done.result = undoLastSave(fs, options.folder, ask, history);
    progress.clear();
    if (done.result.status != UndoStatus::Undone) {
        done.refusal = refusalOf(done.result, options);
        return done;
    }
    done.report = undoReport(options.folder, done.result);
    for (const UndoStep& s : done.result.notRestored)
        err << "Not renamed back: " << escapedForTerminal(s.to)
            << (s.changed ? " (changed since the save)\n" : "\n");
    if (done.result.recordError != 0)
        err << "quillon-cli: the undo file could not be brought up to date\n";
    return done;
}

std::string undoneLine(const UndoResult& result) {
    std::string line = "Renamed back " + std::to_string(result.restored.size()) + " of " +
                       std::to_string(result.restored.size() + result.notRestored.size()) +
                       " files";
    if (result.nothingToDo > 0)
        line += "; " + std::to_string(result.nothingToDo) +
                " needed nothing (never renamed, or already back)";
    return line + ".\n";
}

int undoneStatus(const UndoneFolder& done) {
    if (done.refusal)
        return exitStatus(done.refusal->kind == ProblemKind::RefusedSave ? ExitCode::RefusedSave
                                                                         : ExitCode::Usage);
    return exitStatus(done.result.notRestored.empty() ? ExitCode::Success
                                                      : ExitCode::RenamesFailed);
}

int runUndo(FileSystem& fs, const CliOptions& options, std::ostream& out, std::ostream& err) {
    const std::string historyFolder = UndoHistory::defaultDirectory();
    std::optional<UndoHistory> history;
    if (!historyFolder.empty())
        history.emplace(fs, historyFolder);
    const UndoneFolder done = undoFolder(fs, options, history ? &*history : nullptr, err);
    if (done.refusal) {
        reportProblem(*done.refusal, options.folder, options.output == OutputFormat::Json, out,
                      err);
        return undoneStatus(done);
    }
    if (options.output == OutputFormat::Json)
        writeJson(done.report, out);
    else
        err << undoneLine(done.result);
    if (stopSignal() != 0) {
        err << "Stopped; " << done.result.notReached << " files were left in the undo file.\n";
        return stoppedStatus(stopSignal());
    }
    return undoneStatus(done);
}

namespace {

/// Several folders taken back in turn, their output in the form for several.
class FoldersUndo final {
public:
    FoldersUndo(FileSystem& fs, const CliOptions& options, std::ostream& out, std::ostream& err)
        : m_fs(fs)
        , m_options(options)
        , m_err(err) {
        const std::string historyFolder = UndoHistory::defaultDirectory();
        if (!historyFolder.empty())
            m_history.emplace(fs, historyFolder);
        m_totals.applied = true;
        if (options.output == OutputFormat::Json)
            m_json.emplace(out);
    }

    /// Takes folder back, then (with -r) the folders below it; false after a stop.
    bool undoTree(const std::string& folder);
    int finish();

private:
    void tellRefusal(const std::string& folder, const Problem& refusal);

    FileSystem& m_fs;
    const CliOptions& m_options;
    std::ostream& m_err;
    std::optional<UndoHistory> m_history;
    std::optional<FoldersJson> m_json;
    RunTotals m_totals;
    std::vector<std::string> m_done;
    int m_status = 0;
    /// The first folder found without a save, and what it said.
    std::optional<std::pair<std::string, Problem>> m_nothing;
};

void FoldersUndo::tellRefusal(const std::string& folder, const Problem& refusal) {
    m_err << problemLine(refusal);
    if (m_json) {
        RenameReport report;
        report.folder = folder;
        report.applied = true;
        report.refusal = refusal;
        m_json->add(report);
    }
}

bool FoldersUndo::undoTree(const std::string& folder) {
    if (std::find(m_done.begin(), m_done.end(), folder) != m_done.end())
        return true;
    m_done.push_back(folder);
    CliOptions one = m_options;
    one.folder = folder;
    const UndoneFolder done = undoFolder(m_fs, one, m_history ? &*m_history : nullptr, m_err);
    // With -r, a folder without a save is simply left alone, unless no
    // folder of the run holds one.
    const bool nothingHere = done.refusal && done.result.status == UndoStatus::NoRecord;
    if (nothingHere && m_options.recursive) {
        if (!m_nothing)
            m_nothing = {folder, *done.refusal};
    } else if (done.refusal) {
        tellRefusal(folder, *done.refusal);
        m_status = std::max(m_status, undoneStatus(done));
    } else if (!done.refusal) {
        m_totals.add(done.report);
        if (m_json)
            m_json->add(done.report);
        else
            m_err << shellQuoted(folder) << ": " << undoneLine(done.result);
        m_status = std::max(m_status, undoneStatus(done));
    }
    if (stopSignal() != 0) {
        m_err << "Stopped; " << done.result.notReached << " files were left in the undo file.\n";
        return false;
    }
    if (!m_options.recursive)
        return true;
    int error = 0;
    const std::vector<std::string> below = subfolders(folder, m_options.hidden, error);
    if (error != 0) {
        tellRefusal(folder, {ProblemKind::Unreadable,
                             "cannot read folder " + quotedForTerminal(folder), error});
        m_status = std::max(m_status, exitStatus(ExitCode::Usage));
    }
    return std::all_of(below.begin(), below.end(),
                       [this](const std::string& path) { return undoTree(path); });
}

int FoldersUndo::finish() {
    if (m_totals.folders == 0 && m_status == 0 && m_nothing) {
        tellRefusal(m_nothing->first, m_nothing->second);
        m_status = exitStatus(ExitCode::Usage);
    }
    if (m_json)
        m_json->finish(m_totals);
    else
        m_err << "Renamed back " << m_totals.renamed << " files in " << m_totals.folders
              << (m_totals.folders == 1 ? " folder" : " folders") << ".\n";
    return stopSignal() != 0 ? stoppedStatus(stopSignal()) : m_status;
}

} // namespace

int runUndoFolders(FileSystem& fs, const CliOptions& options,
                   const std::vector<FolderGroup>& groups, std::ostream& out, std::ostream& err) {
    if (!options.manyFolders() && groups.size() == 1) {
        CliOptions one = options;
        one.folder = groups.front().folder;
        return runUndo(fs, one, out, err);
    }
    FoldersUndo undo(fs, options, out, err);
    for (const FolderGroup& group : groups) {
        if (!undo.undoTree(group.folder))
            break;
    }
    return undo.finish();
}

} // namespace quillon::cli
