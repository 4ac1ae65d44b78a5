#include "cli/CliApply.h"

#include "cli/ErrnoName.h"
#include "cli/ExitCode.h"
#include "cli/ProgressLine.h"
#include "cli/RenameReport.h"
#include "cli/ReportOutput.h"
#include "cli/TextWriter.h"

#include "engine/Utf8.h"
#include "workspace/Workspace.h"

#include <cstring>
#include <ostream>

namespace quillon::cli {

namespace {

// The window's failure box spreads its message over lines; a report wants
// one. The quoted name at its start keeps its own characters.
std::string oneLine(NameView message, NameView oldName) {
    Name quotedName = U"\"";
    quotedName += oldName;
    quotedName += U"\"";
    const std::size_t keep = message.starts_with(quotedName) ? quotedName.size() : 0;
    Name line(message);
    for (std::size_t i = keep; i < line.size(); ++i)
        if (line[i] == U'\n')
            line[i] = U' ';
    return encodeName(line);
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
        ReportEntry& entry = report.entries[index];
        if (!entry.failure)
            entry.failure = RenameError{"not tried", 0};
    }
}

} // namespace

int runApply(Workspace& workspace, const CliOptions& options, std::ostream& out,
             std::ostream& err) {
    // The report is taken before saving: afterwards the lists hold the
    // folder as read again.
    RenameReport report = reportOf(workspace, options.folder);
    ProgressLine progress(err, ProgressLine::onTerminal(), report.entries.size());
    bool told = false;

    SaveCallbacks ask;
    ask.tell = [&](MessageKind, NameView text) {
        progress.clear();
        err << escapedLines(text) << '\n';
        told = true;
    };
    ask.confirm = [&](bool& createUndoFile) {
        createUndoFile = options.undoFile;
        return true;
    };
    ask.renameFailed = [&](const quillon::RenameFailure& failure) {
        progress.clear();
        ReportEntry& entry = report.entries[failure.index];
        entry.failure = RenameError{oneLine(failure.message, entry.oldName), failure.error};
        err << failureLine(*entry.failure);
        return options.onError == OnError::Abort ? RenameFailureChoice::Abort
                                                 : RenameFailureChoice::Skip;
    };
    ask.progress = [&](int percent) {
        progress.update(report.entries.size() * static_cast<std::size_t>(percent) / 100);
    };

    const SaveResult result = workspace.save(options.mask, ask);
    progress.clear();
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
