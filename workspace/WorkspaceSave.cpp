// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/Workspace.h"

#include "engine/Utf8.h"
#include "workspace/NameTable.h"
#include "workspace/NotReadyScope.h"
#include "workspace/ProgressReporter.h"
#include "workspace/SaveChecks.h"
#include "workspace/SavePlan.h"
#include "workspace/UndoScript.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <unistd.h>

namespace quillon {

namespace {

// Everything one save works from, fixed before the first question: a modal
// box lets events run, and the lists may not change under the loop.
// The lists as they stand: nothing changes them while a save runs.
struct SaveInput {
    std::string folder;
    const NameList& oldNames;
    const NameList& newNames;
};

void tellUser(const SaveCallbacks& ask, SaveNoticeKind kind, NameView name = {}, int error = 0) {
    if (ask.tell)
        ask.tell(SaveNotice{kind, Name(name), error});
}

// What the folder holds under the undo script's exact name.
enum class ScriptSlot : std::uint8_t { Free, Ours, Foreign };

ScriptSlot scriptSlot(FileSystem& fs, const std::string& folder, const NameList& entries) {
    for (const std::string_view e : entries) {
        if (e == kUndoScriptName)
            return folderHoldsUndoScript(fs, folder) ? ScriptSlot::Ours : ScriptSlot::Foreign;
    }
    return ScriptSlot::Free;
}

std::string plannedRecordText(const SavePlan& plan) {
    std::size_t bytes = 0;
    for (const RenameStep& s : plan.steps)
        bytes += s.from.size() + s.to.size() + s.caseTemporary.size() + s.marker.size();
    UndoScriptWriter writer(true, plan.steps.size(), bytes);
    std::for_each(plan.steps.rbegin(), plan.steps.rend(), [&writer](const RenameStep& s) {
        writer.addNewestFirst(s.from, s.to, s.caseTemporary, s.marker);
    });
    return writer.finish();
}

// A rename carried out. The names view the lists and the plan, which
// outlive the run: a million renames copy no name.
struct DoneStep {
    std::string_view from;
    std::string_view to;
};

// Carries out a plan step by step, keeping what really happened for the
// undo record.
class RenameRun final {
public:
    RenameRun(FileSystem& fs, const SaveInput& in, const SavePlan& plan, const NameList& entries,
              const SaveCallbacks& ask)
        : m_fs(fs)
        , m_in(in)
        , m_plan(plan)
        , m_entries(entries)
        , m_ask(ask)
        , m_completed(in.oldNames.size(), false) {
        m_done.reserve(plan.steps.size());
    }

    void run(SaveResult& result);
    const std::vector<DoneStep>& done() const { return m_done; }
    /// Removes the cycle markers; once the record no longer needs them.
    void removeMarkers();

private:
    int rename(std::string_view from, std::string_view to, bool toOwnName = false);
    int renameCaseOnly(const RenameStep& step);
    int attempt(const RenameStep& step);
    bool carryOut(const RenameStep& step);
    void rollBackCycle();
    void runStep(const RenameStep& step);
    void advance();
    bool stopWanted(SaveResult& result);
    bool listed(std::string_view name);

    FileSystem& m_fs;
    const SaveInput& m_in;
    const SavePlan& m_plan;
    const NameList& m_entries;
    /// m_entries as a set, made on first need: only a refused case-only
    /// rename asks, and a million names take a while to hash.
    std::optional<NameTable> m_listed;
    const SaveCallbacks& m_ask;
    std::vector<bool> m_completed;
    std::vector<DoneStep> m_done;
    bool m_aborted = false;
    /// A file of a cycle waits under its temporary name.
    bool m_inTemporary = false;
    /// A step of the cycle under way failed: the rest of it is passed over.
    bool m_cycleBroken = false;
    /// Where the cycle under way begins in m_done, and its entries.
    std::size_t m_cycleStart = 0;
    std::vector<std::size_t> m_cycleEntries;
    std::vector<std::size_t> m_rolledBack;
    std::vector<std::string_view> m_markers;
    /// The cycle under way has its marker (the last of m_markers).
    bool m_cycleMarked = false;
    std::size_t m_unit = 0;
    int m_shownPercent = 0;
};

int RenameRun::rename(std::string_view from, std::string_view to, bool toOwnName) {
    const int err = toOwnName ? m_fs.renameToOwnName(m_in.folder, from, to)
                              : m_fs.renameDirect(m_in.folder, from, to);
    if (err == 0)
        m_done.push_back({from, to});
    return err;
}

// Where the disk ignores case, the new spelling finds the file itself; no
// listed file holds it, so the rename goes through the temporary name the
// record already names.
int RenameRun::renameCaseOnly(const RenameStep& step) {
    int err = m_fs.renameDirect(m_in.folder, step.from, step.to);
    if (err == 0) {
        m_done.push_back({step.from, step.to});
        return 0;
    }
    if (err != EEXIST || listed(step.to))
        return err;
    if ((err = rename(step.from, step.caseTemporary, true)) != 0)
        return err;
    if ((err = rename(step.caseTemporary, step.to)) != 0)
        rename(step.caseTemporary, step.from);
    return err;
}

bool RenameRun::listed(std::string_view name) {
    if (!m_listed)
        m_listed.emplace(m_entries);
    return m_listed->find(name) != NameTable::kNone;
}

int RenameRun::attempt(const RenameStep& step) {
    if (!step.caseTemporary.empty())
        return renameCaseOnly(step);
    return rename(step.from, step.to, step.role == StepRole::ToTemporary);
}

bool RenameRun::carryOut(const RenameStep& step) {
    for (;;) {
        const int err = attempt(step);
        if (err == 0)
            return true;
        const RenameFailureChoice choice =
            m_ask.renameFailed
                ? m_ask.renameFailed({step.entry, err, decodeName(m_in.oldNames[step.entry])})
                : RenameFailureChoice::Skip;
        if (choice == RenameFailureChoice::Retry)
            continue;
        m_aborted = m_aborted || choice == RenameFailureChoice::Abort;
        return false;
    }
}

// A cycle that cannot close would leave a file under its temporary name:
// its renames are taken back, newest first, and the record keeps both ways.
void RenameRun::rollBackCycle() {
    // First the marker: a cycle taken back must not look finished.
    if (m_cycleMarked && m_fs.removeFile(m_in.folder, m_markers.back()) == 0)
        m_markers.pop_back();
    m_cycleMarked = false;
    for (std::size_t k = m_done.size(); k > m_cycleStart; --k) {
        const DoneStep step = m_done[k - 1];
        rename(step.to, step.from);
    }
    for (const std::size_t entry : m_cycleEntries) {
        m_completed[entry] = false;
        m_rolledBack.push_back(entry);
    }
    m_inTemporary = false;
    m_cycleBroken = true;
}

void RenameRun::advance() {
    const std::size_t count = m_in.oldNames.size();
    if (count >= 2) {
        const int percent = static_cast<int>(m_unit * 100 / (count - 1));
        if (percent != m_shownPercent && m_ask.progress)
            m_ask.progress(percent);
        m_shownPercent = percent;
    }
    ++m_unit;
}

bool RenameRun::stopWanted(SaveResult& result) {
    if (m_inTemporary || m_cycleBroken)
        return false;
    if (!result.stopped && m_ask.shouldStop && m_ask.shouldStop())
        result.stopped = true;
    return result.stopped || m_aborted;
}

void RenameRun::runStep(const RenameStep& step) {
    if (step.role == StepRole::ToTemporary) {
        m_cycleStart = m_done.size();
        m_cycleEntries.assign(1, step.entry);
        m_cycleMarked = false;
        m_inTemporary = !m_aborted && carryOut(step);
        m_cycleBroken = !m_inTemporary;
        return;
    }
    const bool inCycle = m_inTemporary || m_cycleBroken;
    if (m_cycleBroken) {
        if (step.role == StepRole::Whole)
            m_rolledBack.push_back(step.entry);
        m_cycleBroken = step.role != StepRole::FromTemporary;
        return;
    }
    if (m_aborted)
        return;
    if (!step.marker.empty() && m_fs.createFile(m_in.folder, step.marker, {}) == 0) {
        m_markers.push_back(step.marker);
        m_cycleMarked = true;
    }
    const bool ok = carryOut(step);
    m_completed[step.entry] = ok;
    if (inCycle)
        m_cycleEntries.push_back(step.entry);
    if (inCycle && (!ok || m_aborted))
        rollBackCycle();
    if (step.role == StepRole::FromTemporary)
        m_inTemporary = m_cycleBroken = false;
    if (!m_aborted)
        advance();
}

void RenameRun::removeMarkers() {
    for (const std::string_view marker : m_markers)
        m_fs.removeFile(m_in.folder, marker);
    m_markers.clear();
}

void RenameRun::run(SaveResult& result) {
    // Names that stay move the bar as if renamed onto themselves.
    for (std::size_t i = 0; i < m_in.oldNames.size(); ++i) {
        if (m_in.oldNames[i] == m_in.newNames[i])
            advance();
    }
    for (const RenameStep& step : m_plan.steps) {
        if (stopWanted(result))
            break;
        runStep(step);
    }
    for (const std::size_t i : m_plan.changing) {
        if (m_completed[i])
            ++result.renamed;
        else
            result.notRenamed.push_back(i);
    }
    result.aborted = m_aborted;
    std::sort(m_rolledBack.begin(), m_rolledBack.end());
    result.rolledBack = std::move(m_rolledBack);
}

// text keeps the record's buffer for the rewrite, whose pages it then spares.
bool writePlannedRecord(FileSystem& fs, const std::string& folder, ScriptSlot slot,
                        bool writeScript, const SavePlan& plan, const SaveCallbacks& ask,
                        SaveResult& result, std::string& text) {
    if (!writeScript) {
        // An old script names renames of an earlier save; it goes either way.
        if (slot == ScriptSlot::Ours)
            fs.removeFile(folder, kUndoScriptName);
        return true;
    }
    // A file of the user's under the script's name is never replaced.
    if (slot != ScriptSlot::Foreign)
        text = plannedRecordText(plan);
    const int err =
        slot == ScriptSlot::Foreign
            ? EEXIST
            : fs.writeFileAtomically(folder, kUndoScriptName, text, slot == ScriptSlot::Ours);
    if (err == 0)
        return true;
    tellUser(ask, SaveNoticeKind::UndoFileNotWritten, {}, err);
    result.status = SaveStatus::UndoFileFailed;
    return false;
}

// The record written first also names renames that never happened; run as
// it is, a line of it could find an unrelated file under a new name.
bool rewriteRecord(FileSystem& fs, const std::string& folder, const std::vector<DoneStep>& done,
                   const SaveCallbacks& ask, std::string& text) {
    if (done.empty())
        return fs.removeFile(folder, kUndoScriptName) == 0;
    std::size_t bytes = 0;
    for (const DoneStep& s : done)
        bytes += s.from.size() + s.to.size();
    UndoScriptWriter writer(false, done.size(), bytes, std::move(text));
    std::for_each(done.rbegin(), done.rend(),
                  [&writer](const DoneStep& s) { writer.addNewestFirst(s.from, s.to); });
    text = writer.finish();
    const int err = fs.writeFileAtomically(folder, kUndoScriptName, text, true);
    if (err != 0)
        tellUser(ask, SaveNoticeKind::UndoFileNotRewritten, {}, err);
    return err == 0;
}

} // namespace

std::optional<SaveNoticeKind> Workspace::saveListsRefusal() const {
    if (m_folder.names.empty())
        return SaveNoticeKind::NoFiles;
    if (m_preview.size() != m_folder.names.size())
        return SaveNoticeKind::ListsOutOfStep;
    if (!m_previewReady)
        return SaveNoticeKind::NotReady;
    return std::nullopt;
}

std::optional<SaveNotice> Workspace::newNamesRefusal() const {
    const NameList& names = m_preview.names;
    // Compared as bytes: two names that encode alike are one name on disk.
    if (const auto pair = firstDuplicate(names))
        return SaveNotice{SaveNoticeKind::DuplicateName, names.decoded(pair->first), 0};
    for (std::size_t i = 0; i < names.size(); ++i) {
        // A file that keeps its name (a user's file under the script's name
        // in some case) is no new name.
        if (!isValidNewName(names[i]) && names[i] != m_folder.names[i])
            return SaveNotice{SaveNoticeKind::InvalidName, names.decoded(i), 0};
    }
    return std::nullopt;
}

std::vector<SaveConflict> Workspace::saveConflicts(bool createUndoFile,
                                                   std::optional<SaveNotice>& refusal) {
    refusal.reset();
    if (const auto lists = saveListsRefusal()) {
        refusal = SaveNotice{*lists, {}, 0};
        return {};
    }
    refusal = newNamesRefusal();
    const NameList& oldNames = m_folder.names;
    const NameList& newNames = m_preview.names;
    std::vector<SaveConflict> conflicts = refusedNames(oldNames, newNames);
    FolderListing listing;
    if (m_fs.readFolder(m_folder.directory, listing) != 0)
        listing = {};
    const NameList& entries = listing.names;
    const auto held = heldNames(oldNames, newNames, entries);
    conflicts.insert(conflicts.end(), held.begin(), held.end());
    std::stable_sort(
        conflicts.begin(), conflicts.end(),
        [](const SaveConflict& a, const SaveConflict& b) { return a.index < b.index; });
    if (!refusal && createUndoFile &&
        scriptSlot(m_fs, m_folder.directory, entries) == ScriptSlot::Foreign)
        refusal = SaveNotice{SaveNoticeKind::UndoFileNotWritten, {}, EEXIST};
    return conflicts;
}

SaveResult Workspace::save(NameView mask, const SaveCallbacks& ask) {
    SaveResult result;
    std::optional<SaveNotice> refusal;
    if (const auto lists = saveListsRefusal())
        refusal = SaveNotice{*lists, {}, 0};
    else
        refusal = newNamesRefusal();
    if (refusal) {
        tellUser(ask, refusal->kind, refusal->name);
        return result;
    }
    bool createUndoFile = true;
    if (!ask.confirm || !ask.confirm(createUndoFile)) {
        result.status = SaveStatus::Cancelled;
        return result;
    }
    const std::string folder = m_folder.directory;
    if (m_fs.lockFolder(folder) != 0) {
        tellUser(ask, SaveNoticeKind::FolderBusy);
        result.status = SaveStatus::Busy;
        return result;
    }
    saveLocked(createUndoFile, ask, result);
    m_fs.unlockFolder(folder);
    if (result.status == SaveStatus::Saved)
        result.reloadError = reload(folder, mask).error;
    return result;
}

void Workspace::saveLocked(bool createUndoFile, const SaveCallbacks& ask, SaveResult& result) {
    const SaveInput in{m_folder.directory, m_folder.names, m_preview.names};

    // Each part before the first rename takes a second or more at a million
    // entries: a window hears each one end.
    const std::size_t count = in.oldNames.size();
    std::optional<ProgressStage> preparing(std::in_place, m_progress, WorkStage::Preparing, count);
    FolderListing listing;
    if (m_fs.readFolder(in.folder, listing) != 0)
        listing = {};
    preparing->advance(count / 3);
    const NameList& entries = listing.names;
    const SavePlan plan = planSave(in.oldNames, in.newNames, entries, ::getpid());
    const ScriptSlot slot = scriptSlot(m_fs, in.folder, entries);
    const bool writeScript = createUndoFile && !plan.steps.empty();
    preparing->advance(count / 3 * 2);
    std::string recordText;
    if (!writePlannedRecord(m_fs, in.folder, slot, writeScript, plan, ask, result, recordText))
        return;
    preparing->advance(count);
    preparing.reset();

    dropUndo();
    RenameRun run(m_fs, in, plan, entries, ask);
    {
        NotReadyScope notReady(m_previewReady);
        if (ask.renaming)
            ask.renaming(true);
        run.run(result);
        if (ask.renaming)
            ask.renaming(false);
    }
    // The record written first needs the cycle markers for as long as it stands.
    if (!writeScript || rewriteRecord(m_fs, in.folder, run.done(), ask, recordText))
        run.removeMarkers();
    result.status = SaveStatus::Saved;
}

bool Workspace::hasUndoRecord() {
    return !m_folder.directory.empty() && folderHoldsUndoScript(m_fs, m_folder.directory);
}

UndoResult Workspace::undoLastSave(NameView mask, const SaveCallbacks& ask) {
    const std::string folder = m_folder.directory;
    dropUndo();
    UndoResult result;
    {
        NotReadyScope notReady(m_previewReady);
        result = quillon::undoLastSave(m_fs, folder, ask);
    }
    if (result.status == UndoStatus::Undone)
        result.reloadError = reload(folder, mask).error;
    return result;
}

void Workspace::renameEntry(std::size_t index, NameView name, bool updateCase) {
    if (index >= m_preview.size())
        return;
    dropUndo();
    if (updateCase) {
        NotReadyScope notReady(m_previewReady);
        setPreviewName(index, applyCaseMode(name, m_caseMode, m_smartOptions));
    } else {
        setPreviewName(index, name);
    }
    if (m_observer)
        m_observer->previewNamesChanged();
}

} // namespace quillon
