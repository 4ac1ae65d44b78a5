// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApply.h"

#include "cli/ErrnoName.h"
#include "cli/ExitCode.h"
#include "cli/ProgressLine.h"
#include "cli/RenameReport.h"
#include "cli/ReportOutput.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"

#include "engine/Utf8.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace quillon::cli {

namespace {

// The window's failure box spreads its message over lines; a report wants
// one. The quoted name at its start keeps its own characters.
std::string oneLine(NameView oldName, int error) {
    std::string message = renameFailureText(oldName, error);
    const std::size_t quotedNameEnd = encodeName(oldName).size() + 2;
    std::replace(message.begin() + static_cast<std::ptrdiff_t>(quotedNameEnd), message.end(), '\n',
                 ' ');
    return message;
}

// "MESSAGE (ENAME: reason)" on one line, escaped for the terminal.
std::string failureLine(const RenameError& failure) {
    std::string line = escapedForTerminal(failure.message);
    if (failure.error != 0)
        line += " (" + errnoName(failure.error) + ": " + std::strerror(failure.error) + ")";
    return line + "\n";
}

// Entries that an abort left untried are failures too: their names did not
// change.
void markUntried(RenameReport& report, const SaveResult& result) {
    for (std::size_t index : result.notRenamed) {
        const bool rolledBack =
            std::binary_search(result.rolledBack.begin(), result.rolledBack.end(), index);
        report.failures.emplace(
            index, RenameError{rolledBack ? "left as it was: its cycle of renames could not close"
                                          : "not tried",
                               0});
    }
}

int stopped(const SaveResult& result, std::size_t total, std::ostream& err) {
    err << "Stopped after renaming " << result.renamed << " of " << total
        << " files; the undo file holds what was done.\n";
    return stoppedStatus(stopSignal());
}

} // namespace

int runApply(Workspace& workspace, const CliOptions& options, std::ostream& out,
             std::ostream& err) {
    // The report is taken before saving: afterwards the lists hold the
    // folder as read again.
    RenameReport report = reportOf(workspace, options.folder);
    ProgressLine progress(err, ProgressLine::onTerminal(), report.size());
    bool told = false;

    SaveCallbacks ask;
    ask.tell = [&](const SaveNotice& notice) {
        progress.clear();
        err << escapedLines(decodeName(saveNoticeText(notice))) << '\n';
        told = true;
    };
    ask.confirm = [&](bool& createUndoFile) {
        createUndoFile = options.undoFile;
        return true;
    };
    ask.renameFailed = [&](const quillon::RenameFailure& failure) {
        progress.clear();
        const RenameError& error =
            report.failures
                .insert_or_assign(
                    failure.index,
                    RenameError{oneLine(failure.oldName, failure.error), failure.error})
                .first->second;
        err << failureLine(error);
        return options.onError == OnError::Abort ? RenameFailureChoice::Abort
                                                 : RenameFailureChoice::Skip;
    };
    ask.progress = [&](int percent) {
        progress.update(report.size() * static_cast<std::size_t>(percent) / 100);
    };

    ask.shouldStop = [] {
        return stopSignal() != 0;
    };

    const SaveResult result = workspace.save(options.mask, ask);
    progress.clear();
    if (result.stopped)
        return stopped(result, report.size(), err);
    if (result.status != SaveStatus::Saved) {
        if (!told)
            err << "quillon-cli: nothing was saved\n";
        return exitStatus(ExitCode::RefusedSave);
    }
    markUntried(report, result);
    report.applied = true;
    report.renamed = result.renamed;
    writeReport(report, options.output, out, err);
    if (result.reloadError != 0)
        err << "quillon-cli: the folder could not be read again after saving\n";
    return exitStatus(result.notRenamed.empty() ? ExitCode::Success : ExitCode::RenamesFailed);
}

} // namespace quillon::cli
