// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApply.h"

#include "cli/ExitCode.h"
#include "cli/Problem.h"
#include "cli/ProgressLine.h"
#include "cli/RenameReport.h"
#include "cli/ReportOutput.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"

#include "workspace/Workspace.h"

#include <algorithm>
#include <ostream>

namespace quillon::cli {

namespace {

// Entries that an abort or a stop left untried are failures too: their
// names did not change.
void markUntried(RenameReport& report, const SaveResult& result) {
    const char* untried = result.stopped ? "not tried: stopped by a signal" : "not tried";
    for (std::size_t index : result.notRenamed) {
        const bool rolledBack =
            std::binary_search(result.rolledBack.begin(), result.rolledBack.end(), index);
        report.failures.emplace(
            index,
            RenameError{
                rolledBack ? "left as it was: its cycle of renames could not close" : untried, 0});
    }
}

// What the user is told while saving: refusals wait for the end (where
// --json reports them too); trouble after renaming is said at once.
class SaveTeller final {
public:
    SaveTeller(ProgressLine& progress, std::ostream& err)
        : m_progress(progress)
        , m_err(err) {}

    void tell(const SaveNotice& notice) {
        if (notice.kind != SaveNoticeKind::UndoFileNotRewritten) {
            m_refusal = notice;
            return;
        }
        m_progress.clear();
        m_err << problemLine({ProblemKind::RefusedSave, saveNoticeText(notice), notice.error});
    }
    Problem refusal() const {
        if (!m_refusal)
            return {ProblemKind::RefusedSave, "nothing was saved", 0};
        return {ProblemKind::RefusedSave, saveNoticeText(*m_refusal), m_refusal->error};
    }

private:
    ProgressLine& m_progress;
    std::ostream& m_err;
    std::optional<SaveNotice> m_refusal;
};

} // namespace

// After the report, which lists the renames that happened.
int stoppedAfter(const SaveResult& result, std::size_t total, std::ostream& err,
                 std::string_view folder) {
    err << "quillon-cli: " << folder;
    if (result.renamed == 0)
        err << "stopped before the first rename: nothing was renamed and no undo "
               "file was left\n";
    else
        err << "stopped after renaming " << result.renamed << " of " << total
            << " files; the undo file holds what was done\n";
    return stoppedStatus(stopSignal());
}

SavedList saveList(Workspace& workspace, const CliOptions& options, std::ostream& err) {
    // The report is taken before saving: afterwards the lists hold the
    // folder as read again.
    SavedList saved{reportOf(workspace, options.folder), {}, std::nullopt};
    RenameReport& report = saved.report;
    ProgressLine progress(err, ProgressLine::onTerminal(), report.size());
    SaveTeller teller(progress, err);

    SaveCallbacks ask;
    ask.tell = [&teller](const SaveNotice& notice) {
        teller.tell(notice);
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
                    RenameError{renameFailureText(failure.oldName, failure.error), failure.error})
                .first->second;
        // Among several folders, a name alone would not say which file.
        const std::string where =
            options.manyFolders() ? quotedForTerminal(options.folder) + ": " : std::string();
        err << problemLine(
            {ProblemKind::RefusedSave, where + escapedForTerminal(error.message), error.error});
        return options.onError == OnError::Abort ? RenameFailureChoice::Abort
                                                 : RenameFailureChoice::Skip;
    };
    ask.progress = [&](int percent) {
        progress.update(report.size() * static_cast<std::size_t>(percent) / 100);
    };
    ask.shouldStop = [] {
        return stopSignal() != 0;
    };

    saved.result = workspace.save(options.mask, ask);
    progress.clear();
    const SaveResult& result = saved.result;
    if (result.status != SaveStatus::Saved) {
        saved.refusal = teller.refusal();
        return saved;
    }
    markUntried(report, result);
    report.applied = true;
    report.renamed = result.renamed;
    report.historyError = result.historyError;
    if (result.historyError != 0) {
        const std::string where =
            options.manyFolders() ? quotedForTerminal(options.folder) + ": " : std::string();
        err << problemLine({ProblemKind::RefusedSave,
                            where + "warning: the save could not be kept in your history; the "
                                    "undo file in the folder takes it back",
                            result.historyError});
    }
    return saved;
}

int runApply(Workspace& workspace, const CliOptions& options, std::ostream& out,
             std::ostream& err) {
    const SavedList saved = saveList(workspace, options, err);
    const RenameReport& report = saved.report;
    const SaveResult& result = saved.result;
    if (saved.refusal) {
        reportProblem(*saved.refusal, options.folder, options.output == OutputFormat::Json, out,
                      err);
        return exitStatus(ExitCode::RefusedSave);
    }
    writeReport(report, options.output, out, err);
    if (result.stopped)
        return stoppedAfter(result, report.size(), err);
    if (result.reloadError != 0)
        err << problemLine({ProblemKind::Unreadable,
                            "the folder could not be read again after saving", result.reloadError});
    return exitStatus(result.notRenamed.empty() ? ExitCode::Success : ExitCode::RenamesFailed);
}

} // namespace quillon::cli
