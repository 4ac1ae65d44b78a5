// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRun.h"

#include "cli/CliApply.h"
#include "cli/CliHistory.h"
#include "cli/CliTags.h"
#include "cli/CliUndo.h"
#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/PathGroups.h"
#include "cli/PressMessages.h"
#include "cli/Problem.h"
#include "cli/RenameReport.h"
#include "cli/ReportOutput.h"
#include "cli/SaveMessages.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"
#include "workspace/Workspace.h"
#include "workspace/history/UndoHistory.h"

#include <algorithm>
#include <memory>
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
    case ConflictReason::NameTooLong:
        return "longer than the file system allows";
    }
    return "";
}

bool isJson(const CliOptions& options) {
    return options.output == OutputFormat::Json;
}

// Names are shown with their folder where several folders are in play.
void tellConflicts(const RenameReport& report, bool withFolder, std::ostream& err) {
    const std::string folder = withFolder ? report.folder + "/" : std::string();
    for (const ReportConflict& conflict : *report.conflicts)
        err << "quillon-cli: will fail: "
            << shellQuoted(folder + std::string(report.oldNames[conflict.index])) << " -> "
            << shellQuoted(folder + std::string(report.newNames[conflict.index])) << " ("
            << conflict.reason << ")\n";
}

// The dry run meets what saving would and exits as --apply would: 3 where
// saving would be refused (with the same message), 4 where some renames
// would fail.
RenameReport dryReport(Workspace& workspace, const CliOptions& options) {
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
    return report;
}

int dryStatus(const RenameReport& report) {
    if (report.refusal)
        return exitStatus(ExitCode::RefusedSave);
    return exitStatus(report.conflicts->empty() ? ExitCode::Success : ExitCode::RenamesFailed);
}

// The messages of a dry run on err, after its report.
void tellDryRun(const RenameReport& report, const CliOptions& options, bool withFolder,
                std::ostream& err) {
    if (report.refusal)
        err << problemLine(*report.refusal);
    else if (options.output == OutputFormat::Text)
        tellConflicts(report, withFolder, err);
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

ChosenOrder chosenOrder(SortOrder sort) {
    switch (sort) {
    case SortOrder::Date:
        return ChosenOrder::Created;
    case SortOrder::Taken:
        return ChosenOrder::Taken;
    case SortOrder::Modified:
        return ChosenOrder::Modified;
    case SortOrder::Natural:
        return ChosenOrder::Natural;
    case SortOrder::Name:
        break;
    }
    return ChosenOrder::Name;
}

// A folder listed as a whole, the files given one by one, or both: the
// listing and the files it left out (hidden ones, or those the mask does
// not match), in one order.
LoadResult loadGroup(Workspace& workspace, const FolderGroup& group, const CliOptions& options) {
    if (group.chosen.empty())
        return load(workspace, options);
    NameList names;
    if (group.listed) {
        const LoadResult listed = load(workspace, options);
        if (!listed.ok() || workspace.fieldReadingStopped())
            return listed;
        names = workspace.folderList().names;
    }
    for (const std::string& name : group.chosen)
        names.add(name);
    return workspace.loadChosen(options.folder, names, chosenOrder(options.sort));
}

int stoppedReading(std::ostream& err) {
    err << "Stopped while reading the files; nothing was renamed.\n";
    return stoppedStatus(stopSignal());
}

// The presses in order; stops at a refusal, and at a stop while fields are
// read (the caller asks fieldReadingStopped). shared holds one run of
// numbers per press when they go on across folders.
std::optional<Problem> runPresses(Workspace& workspace, const CliOptions& options,
                                  std::vector<SharedNumbering>* shared) {
    for (std::size_t i = 0; i < options.presses.size(); ++i) {
        if (const auto refusal =
                workspace.apply(options.presses[i], shared ? &(*shared)[i] : nullptr)) {
            const std::string which =
                options.presses.size() > 1 ? "press " + std::to_string(i + 1) + ": " : "";
            std::string line = which + refusalLine(*refusal);
            // The file it gave up on, where the reason says what was run.
            constexpr std::string_view kRun = "to run";
            if (const std::size_t at = line.find(kRun);
                *refusal == RefusalCode::ExpressionTooCostly && at != std::string::npos)
                line.insert(at + kRun.size(), " on " + quotedForTerminal(workspace.refusedName()));
            return Problem{ProblemKind::RefusedPress, line, 0};
        }
        if (workspace.fieldReadingStopped())
            return std::nullopt;
        // Nothing here takes a press back; the copy would only hold memory.
        workspace.dropUndo();
    }
    return std::nullopt;
}

/// One folder's list through the run.
struct FolderRun {
    CliOptions options; ///< with the folder set
    FolderGroup group;
    std::unique_ptr<Workspace> workspace;
};

/// Statuses above it tell a stop by a signal.
constexpr int kLastExitCode = static_cast<int>(ExitCode::RenamesFailed);

/// The status a run ends with when its folders end with these: the gravest.
int worse(int a, int b) {
    return std::max(a, b);
}

/// A run over the folders the PATHs reach: every list is loaded and pressed
/// before any is saved, so that a refusal anywhere renames nothing.
class Run final {
public:
    Run(FileSystem& fs, const CliOptions& options, std::vector<FolderGroup> groups,
        std::ostream& out, std::ostream& err);
    int run();

private:
    std::optional<int> loadAll();
    std::optional<int> pressAll();
    int dryRunAll();
    int applyAll();
    std::optional<int> checkAll();
    int applyOne(FolderRun& folder);
    void print(const RenameReport& report);
    int finish(int status);
    void fail(const Problem& problem, const std::string& folder) {
        reportProblem(problem, folder, isJson(m_options), m_out, m_err);
    }

    FileSystem& m_fs;
    const CliOptions& m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    std::vector<FolderRun> m_folders;
    std::optional<UndoHistory> m_history;
    MediaFieldSource m_fields;
    /// One run of the old single-folder output, or the form for several.
    bool m_many;
    std::optional<FoldersJson> m_json;
    RunTotals m_totals;
    /// A folder's names were printed under its heading.
    bool m_headed = false;
};

Run::Run(FileSystem& fs, const CliOptions& options, std::vector<FolderGroup> groups,
         std::ostream& out, std::ostream& err)
    : m_fs(fs)
    , m_options(options)
    , m_out(out)
    , m_err(err)
    , m_fields(options.readTimeout)
    , m_many(options.manyFolders()) {
    // Also without a folder for it: a save without an undo file is then
    // refused, as it could not be taken back.
    m_history.emplace(fs, UndoHistory::defaultDirectory());
    for (FolderGroup& group : groups) {
        FolderRun folder{options, std::move(group), nullptr};
        folder.options.folder = folder.group.folder;
        m_folders.push_back(std::move(folder));
    }
    m_totals.applied = options.apply;
}

std::optional<int> Run::loadAll() {
    for (FolderRun& folder : m_folders) {
        auto workspace = std::make_unique<Workspace>(m_fs);
        if (m_history)
            workspace->setHistory(&*m_history);
        workspace->setCaseMode(m_options.caseMode, m_options.smartOptions);
        workspace->setCaseScope(m_options.caseScope);
        workspace->setListFolders(m_options.includeFolders);
        // A refused press ends the run, and nothing takes a press back.
        workspace->setKeepPressUndo(false);
        workspace->setKeepOutsideEntries(true);
        // The report is taken before saving; nothing reads the lists after.
        workspace->setListAfterSave(false);
        workspace->setFieldSource(&m_fields);
        workspace->setStopRequest([] { return stopSignal() != 0; });
        const LoadResult loaded = loadGroup(*workspace, folder.group, folder.options);
        if (workspace->fieldReadingStopped())
            return stoppedReading(m_err);
        if (!loaded.ok()) {
            fail({ProblemKind::Unreadable,
                  "cannot read folder " + quotedForTerminal(folder.group.folder), loaded.error},
                 folder.group.folder);
            return exitStatus(ExitCode::Usage);
        }
        folder.workspace = std::move(workspace);
    }
    return std::nullopt;
}

std::optional<int> Run::pressAll() {
    std::vector<SharedNumbering> shared;
    if (m_options.numberAcross) {
        std::size_t entries = 0;
        for (const FolderRun& folder : m_folders)
            entries += folder.workspace->preview().size();
        shared.assign(m_options.presses.size(), SharedNumbering{entries, 0});
    }
    for (FolderRun& folder : m_folders) {
        if (const auto problem = runPresses(*folder.workspace, folder.options,
                                            m_options.numberAcross ? &shared : nullptr)) {
            Problem named = *problem;
            if (m_folders.size() > 1)
                named.message = quotedForTerminal(folder.group.folder) + ": " + named.message;
            fail(named, folder.group.folder);
            return exitStatus(ExitCode::RefusedPress);
        }
        if (folder.workspace->fieldReadingStopped())
            return stoppedReading(m_err);
    }
    return std::nullopt;
}

// Each folder's report as the output format asks; the old form where the
// command line names one folder only.
void Run::print(const RenameReport& report) {
    m_totals.add(report);
    if (!m_many) {
        writeReport(report, m_options.output, m_out, m_err);
        return;
    }
    switch (m_options.output) {
    case OutputFormat::Json:
        if (!m_json)
            m_json.emplace(m_out);
        m_json->add(report);
        return;
    case OutputFormat::NullSeparated:
        writeNullSeparatedPairs(report, m_out, true);
        return;
    case OutputFormat::Text:
        if (report.changingCount() == report.failedCount())
            return;
        if (m_folders.size() > 1)
            m_out << (m_headed ? "\n" : "") << folderHeading(report.folder);
        m_headed = true;
        writeChangeLines(report, m_out);
        m_out.flush();
        return;
    }
}

// The end of the output of several folders: JSON closed, totals said.
int Run::finish(int status) {
    if (!m_many)
        return status;
    if (m_options.output == OutputFormat::Json) {
        if (!m_json)
            m_json.emplace(m_out);
        m_json->finish(m_totals);
    } else if (m_options.output == OutputFormat::Text) {
        m_err << totalsLine(m_totals) << missingLine(m_totals.kept);
    }
    return status;
}

int Run::dryRunAll() {
    int status = exitStatus(ExitCode::Success);
    for (FolderRun& folder : m_folders) {
        const RenameReport report = dryReport(*folder.workspace, folder.options);
        folder.workspace.reset();
        print(report);
        tellDryRun(report, m_options, m_many, m_err);
        status = worse(status, dryStatus(report));
    }
    return finish(status);
}

// What saving would refuse, in any folder, before the first rename
// anywhere: duplicate or invalid new names, the undo file's place.
std::optional<int> Run::checkAll() {
    for (FolderRun& folder : m_folders) {
        std::optional<SaveNotice> refusal;
        folder.workspace->saveConflicts(m_options.undoFile, refusal);
        if (!refusal || refusal->kind == SaveNoticeKind::NoFiles)
            continue;
        fail({ProblemKind::RefusedSave,
              quotedForTerminal(folder.group.folder) + ": " + saveNoticeText(*refusal),
              refusal->error},
             folder.group.folder);
        return exitStatus(ExitCode::RefusedSave);
    }
    return std::nullopt;
}

int Run::applyOne(FolderRun& folder) {
    const PreviewList& preview = folder.workspace->preview();
    const NameList& names = folder.workspace->folderList().names;
    bool changes = false;
    for (std::size_t i = 0; i < names.size() && !changes; ++i)
        changes = names[i] != preview.names[i];
    // A folder where nothing changes is not locked, written or recorded.
    if (!changes) {
        RenameReport report = takeReport(*folder.workspace, folder.options.folder);
        report.applied = true;
        print(report);
        return exitStatus(ExitCode::Success);
    }
    const SavedList saved = saveList(*folder.workspace, folder.options, m_err);
    folder.workspace.reset();
    if (saved.refusal) {
        m_err << problemLine(
            {saved.refusal->kind,
             quotedForTerminal(folder.group.folder) + ": " + saved.refusal->message,
             saved.refusal->error});
        return exitStatus(ExitCode::RefusedSave);
    }
    print(saved.report);
    if (saved.result.stopped)
        return stoppedAfter(saved.result, saved.report.size(), m_err,
                            quotedForTerminal(folder.group.folder) + ": ");
    if (saved.result.reloadError != 0)
        m_err << problemLine({ProblemKind::Unreadable,
                              quotedForTerminal(folder.group.folder) +
                                  ": the folder could not be read again after saving",
                              saved.result.reloadError});
    return exitStatus(saved.result.notRenamed.empty() ? ExitCode::Success
                                                      : ExitCode::RenamesFailed);
}

int Run::applyAll() {
    if (!m_many && m_folders.size() == 1)
        return runApply(*m_folders.front().workspace, m_folders.front().options, m_out, m_err);
    if (const auto refused = checkAll())
        return *refused;
    int status = exitStatus(ExitCode::Success);
    for (std::size_t f = 0; f < m_folders.size(); ++f) {
        if (stopSignal() != 0) {
            m_err << "quillon-cli: stopped before saving " << m_folders.size() - f << " of "
                  << m_folders.size() << " folders; they were not renamed\n";
            finish(status);
            return stoppedStatus(stopSignal());
        }
        const int one = applyOne(m_folders[f]);
        // A stop during this folder's renames; one between two folders is
        // seen before the next.
        if (one > kLastExitCode) {
            finish(status);
            return one;
        }
        status = worse(status, one);
    }
    return finish(status);
}

int Run::run() {
    if (const auto ended = loadAll())
        return *ended;
    if (m_options.tags) {
        int status = exitStatus(ExitCode::Success);
        for (FolderRun& folder : m_folders)
            status = worse(status, runTags(*folder.workspace, folder.options, m_out, m_err));
        return status;
    }
    if (const auto ended = pressAll())
        return *ended;
    if (m_options.apply)
        return applyAll();
    if (!m_many && m_folders.size() == 1) {
        FolderRun& folder = m_folders.front();
        const RenameReport report = dryReport(*folder.workspace, folder.options);
        writeReport(report, m_options.output, m_out, m_err);
        tellDryRun(report, m_options, false, m_err);
        return dryStatus(report);
    }
    return dryRunAll();
}

// Every PATH that cannot be read is named; nothing is renamed.
int pathProblems(const std::vector<PathProblem>& problems, const CliOptions& options,
                 std::ostream& out, std::ostream& err) {
    reportProblem(problems.front().problem, problems.front().path, isJson(options), out, err);
    for (std::size_t i = 1; i < problems.size(); ++i)
        err << problemLine(problems[i].problem);
    return exitStatus(ExitCode::Usage);
}

} // namespace

int runCli(const CliOptions& asGiven, FileSystem& fs, std::istream& in, std::ostream& out,
           std::ostream& err) {
    // The history names folders that may be gone; it resolves them itself.
    if (asGiven.history)
        return runHistory(fs, asGiven, out, err);
    // Checked before anything else, so that a missing folder is never
    // mistaken for a busy one or an empty one.
    PathGroups paths = collectPaths(asGiven, in);
    if (!paths.problems.empty())
        return pathProblems(paths.problems, asGiven, out, err);
    if (asGiven.undo)
        return runUndoFolders(fs, asGiven, paths.groups, out, err);
    Run run(fs, asGiven, std::move(paths.groups), out, err);
    return run.run();
}

} // namespace quillon::cli
