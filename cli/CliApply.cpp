#include "cli/CliApply.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/ProgressLine.h"
#include "cli/RenameReport.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"

#include "engine/Utf8.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <ostream>

namespace quillon::cli {

int runApply(Workspace& workspace, const CliOptions& options, std::ostream& out,
             std::ostream& err) {
    // The report is taken before saving: afterwards the lists hold the
    // folder as read again.
    RenameReport report = reportOf(workspace, options.folder);
    ProgressLine progress(err, ProgressLine::onTerminal(), report.entries.size());
    bool told = false;

    SaveCallbacks ask;
    ask.tell = [&](const SaveNotice& notice) {
        progress.clear();
        err << saveNoticeText(notice) << '\n';
        told = true;
    };
    ask.confirm = [&](bool& createUndoFile) {
        createUndoFile = options.undoFile;
        return true;
    };
    ask.renameFailed = [&](const quillon::RenameFailure& failure) {
        progress.clear();
        const std::string message = renameFailureText(failure.oldName, failure.error);
        err << message << '\n';
        const ReportEntry& entry = report.entries[failure.index];
        report.failed.push_back(cli::RenameFailure{entry.oldName, entry.newName, message});
        return options.onError == OnError::Abort ? RenameFailureChoice::Abort
                                                 : RenameFailureChoice::Skip;
    };
    ask.progress = [&](int percent) {
        progress.update(report.entries.size() * static_cast<std::size_t>(percent) / 100);
    };
    ask.shouldStop = [] {
        return stopSignal() != 0;
    };

    const SaveResult result = workspace.save(options.mask, ask);
    progress.clear();
    if (result.stopped) {
        err << "Stopped after renaming " << result.renamed << " of " << report.entries.size()
            << " files; the undo file holds what was done.\n";
        return stoppedStatus(stopSignal());
    }
    if (result.status != SaveStatus::Saved) {
        if (!told)
            err << "quillon-cli: nothing was saved\n";
        return exitStatus(ExitCode::RefusedSave);
    }
    // Entries never tried after an abort are reported too.
    for (std::size_t index : result.notRenamed) {
        const ReportEntry& entry = report.entries[index];
        bool listed = false;
        for (const auto& f : report.failed)
            listed = listed || (f.oldName == entry.oldName && f.newName == entry.newName);
        const bool rolledBack =
            std::binary_search(result.rolledBack.begin(), result.rolledBack.end(), index);
        if (!listed)
            report.failed.push_back(cli::RenameFailure{
                entry.oldName, entry.newName,
                rolledBack ? "left as it was: its cycle of renames could not close" : "not tried"});
    }
    if (options.json) {
        out << toJson(report);
    } else {
        out << "Renamed " << result.renamed << " of " << report.entries.size() << " files";
        if (!result.notRenamed.empty())
            out << "; " << result.notRenamed.size() << " could not be renamed";
        out << ".\n";
    }
    if (result.reloadError != 0)
        err << "quillon-cli: the folder could not be read again after saving\n";
    return exitStatus(result.notRenamed.empty() ? ExitCode::Success : ExitCode::RenamesFailed);
}

} // namespace quillon::cli
