// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/Workspace.h"

#include "engine/Utf8.h"
#include "workspace/NotReadyScope.h"
#include "workspace/disk/ProgressReporter.h"
#include "workspace/history/UndoHistory.h"
#include "workspace/names/NameTable.h"
#include "workspace/record/UndoScript.h"
#include "workspace/save/ListingAfterSave.h"
#include "workspace/save/RenameRun.h"
#include "workspace/save/SaveChecks.h"
#include "workspace/save/SavePlan.h"
#include "workspace/undo/Leftovers.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <optional>
#include <unistd.h>

namespace quillon {

namespace {

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

// The entries of a folder that a list does not hold, and what a check
// needs of the others, from one pass that never holds the list's names
// again: at a million files they are tens of megabytes.
struct OutsideEntries {
    /// The entries, as kept by the load or else read now.
    const NameList& names() const { return kept ? *kept : listing.names; }

    FolderListing listing;
    const NameList* kept = nullptr;
    /// The first entry with a letter, which tells how the folder compares names.
    std::string lettered;
    bool scriptListed = false;
};

// From what the load kept, where it did: the folder is not listed again.
OutsideEntries keptOutsideEntries(const FolderList& folder, const NameTable& index) {
    OutsideEntries out;
    out.kept = &*folder.outside;
    for (const NameList* names : {out.kept, &folder.names}) {
        const auto lettered = std::find_if(names->begin(), names->end(), hasLetter);
        if (lettered != names->end()) {
            out.lettered = *lettered;
            break;
        }
    }
    out.scriptListed =
        index.find(kUndoScriptName) != NameTable::kNone ||
        std::find(out.kept->begin(), out.kept->end(), kUndoScriptName) != out.kept->end();
    return out;
}

OutsideEntries outsideEntries(FileSystem& fs, const FolderList& folder, const NameTable& index) {
    if (folder.outside)
        return keptOutsideEntries(folder, index);
    OutsideEntries out;
    const int err =
        fs.readFolderKeeping(folder.directory, out.listing, [&](std::string_view entry) {
            if (out.lettered.empty() && hasLetter(entry))
                out.lettered = entry;
            out.scriptListed = out.scriptListed || entry == kUndoScriptName;
            return index.find(entry) == NameTable::kNone;
        });
    // An unreadable folder is checked as an empty one.
    if (err != 0)
        out = {};
    return out;
}

NameCase outsideNameCase(FileSystem& fs, const std::string& folder, const OutsideEntries& outside,
                         const NameTable& listed) {
    if (outside.lettered.empty())
        return NameCase::Unknown;
    return folderNameCaseBy(fs, folder, outside.lettered, [&](std::string_view name) {
        const NameList& entries = outside.names();
        return listed.find(name) != NameTable::kNone ||
               std::find(entries.begin(), entries.end(), name) != entries.end();
    });
}

// What saving refuses for the new names, given their conflicts (ascending by
// index): the first name that repeats, else the first invalid one. Names
// are compared as bytes, as the disk does; the smallest index marked as
// repeated is the earliest first occurrence of a name that repeats (in
// a b b a, the a). A file that keeps its name, say a user's file under the
// script's name, is no new name and never invalid.
std::optional<SaveNotice> refusalOfNames(const std::vector<SaveConflict>& conflicts,
                                         const NameList& newNames) {
    const std::pair<ConflictReason, SaveNoticeKind> order[] = {
        {ConflictReason::Duplicate, SaveNoticeKind::DuplicateName},
        {ConflictReason::InvalidName, SaveNoticeKind::InvalidName}};
    for (const auto& [reason, kind] : order) {
        const auto first =
            std::find_if(conflicts.begin(), conflicts.end(),
                         [r = reason](const SaveConflict& c) { return c.reason == r; });
        if (first != conflicts.end())
            return SaveNotice{kind, newNames.decoded(first->index), 0};
    }
    return std::nullopt;
}

// A save's identifier: the time it began and the process, which no other
// save of this machine shares.
std::string newSaveId(const Environment& env) {
    const std::int64_t nanoseconds = env.nanosecondsNow();
    const auto seconds = static_cast<std::time_t>(nanoseconds / 1'000'000'000);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char id[64];
    const std::size_t n = std::strftime(id, sizeof id, "%Y%m%dT%H%M%S", &utc);
    std::snprintf(id + n, sizeof id - n, ".%09ld-%ld",
                  static_cast<long>(nanoseconds % 1'000'000'000), env.processId());
    return id;
}

// The file identity of each cycle's first file, by unit: only it tells a
// cycle taken back from one never begun. A file that cannot be asked (it
// vanished) gets an identity no file has; its cycle cannot start anyway.
std::vector<std::uint64_t> cycleIdentities(FileSystem& fs, const std::string& folder,
                                           const SavePlan& plan) {
    std::vector<std::uint64_t> out(plan.units.size(), 0);
    for (std::size_t u = 0; u < plan.units.size(); ++u) {
        if (plan.units[u].kind != UndoUnitKind::Cycle)
            continue;
        const std::string_view name = plan.steps[plan.units[u].firstStep].from;
        if (fs.entryIdentity(folder, name, out[u]) != 0 || out[u] == 0)
            out[u] = ~std::uint64_t{0};
    }
    return out;
}

// The identity of the file each step renames, as the listing gives it: the
// way back moves a file only while its new name holds that same file. None
// where the disk makes identities up.
std::vector<std::uint64_t> stepIdentities(const FolderListing& listing, const NameList& oldNames,
                                          const SavePlan& plan) {
    std::vector<std::uint64_t> out;
    if (listing.identities.size() != listing.names.size() || plan.steps.empty())
        return out;
    const NameTable table(listing.names);
    out.reserve(plan.steps.size());
    for (const RenameStep& step : plan.steps) {
        const std::size_t at = table.find(oldNames[step.entry]);
        out.push_back(at == NameTable::kNone ? 0 : listing.identities[at]);
    }
    return out;
}

std::size_t planBytes(const SavePlan& plan) {
    std::size_t bytes = 0;
    for (const RenameStep& s : plan.steps)
        bytes += s.from.size() + s.to.size() + s.caseTemporary.size();
    return bytes;
}

// The folder's undo script through one save: the record written before the
// first rename, rewritten with what happened, or the one of the save before
// put back when this one changed nothing.
class SaveRecord final {
public:
    SaveRecord(FileSystem& fs, const std::string& folder, const SavePlan& plan,
               const FolderListing& listing, const NameList& oldNames, const SaveCallbacks& ask,
               const Environment& env)
        : m_fs(fs)
        , m_folder(folder)
        , m_plan(plan)
        , m_ask(ask)
        , m_recordLimit(recordByteLimit(listing.names))
        , m_saveId(newSaveId(env))
        , m_origin(currentOrigin(env)) {
        m_identities.cycles = cycleIdentities(fs, folder, plan);
        FolderIdentity here;
        if (fs.folderIdentity(folder, here) == 0 && here.stableEntries && here.device != 0) {
            m_identities.steps = stepIdentities(listing, oldNames, plan);
            if (!m_identities.steps.empty())
                m_device = here.device;
        }
    }

    /// Before the first rename; false stops the save.
    bool prepare(ScriptSlot slot, bool createUndoFile, SaveResult& result);
    /// The record as it stands while the renames run.
    const std::string& plannedText();
    /// After the renames; returns the record of what happened, empty when
    /// nothing did.
    const std::string& finish(const RenameRun& run);
    const std::string& saveId() const { return m_saveId; }

private:
    FileSystem& m_fs;
    const std::string& m_folder;
    const SavePlan& m_plan;
    const SaveCallbacks& m_ask;
    std::size_t m_recordLimit;
    std::string m_saveId;
    SaveOrigin m_origin;
    RecordIdentities m_identities;
    /// The folder's device while the record keeps file identities, else 0.
    std::uint64_t m_device = 0;
    bool m_written = false;
    /// The script of the save before, while this save may still change nothing.
    std::optional<std::string> m_previous;
    /// Kept for the rewrite, whose pages it then spares.
    std::string m_text;
};

bool SaveRecord::prepare(ScriptSlot slot, bool createUndoFile, SaveResult& result) {
    if (m_plan.steps.empty())
        return true; // nothing will change: the earlier way back stays
    if (!createUndoFile) {
        // An old script names renames of an earlier save that this one may
        // undermine; the user asked for no way back.
        if (slot == ScriptSlot::Ours)
            m_fs.removeFile(m_folder, kUndoScriptName);
        return true;
    }
    // A file of the user's under the script's name is never replaced.
    int err = EEXIST;
    if (slot != ScriptSlot::Foreign) {
        std::string previous;
        if (slot == ScriptSlot::Ours &&
            m_fs.readRegularFile(m_folder, kUndoScriptName, m_recordLimit, previous) == 0)
            m_previous = std::move(previous);
        err = m_fs.writeFileAtomically(m_folder, kUndoScriptName, plannedText(),
                                       slot == ScriptSlot::Ours, FileAccess::Executable);
    }
    if (err == 0) {
        m_written = true;
        return true;
    }
    tellUser(m_ask, SaveNoticeKind::UndoFileNotWritten, {}, err);
    result.status = SaveStatus::UndoFileFailed;
    return false;
}

const std::string& SaveRecord::plannedText() {
    if (m_text.empty()) {
        UndoScriptWriter writer(true, m_saveId, m_plan.units.size(), planBytes(m_plan), {},
                                m_device, m_origin);
        writePlannedRecord(writer, m_plan, m_identities);
        m_text = writer.finish();
    }
    return m_text;
}

// The record written first also names renames that never happened; run as
// it is, a line of it could find an unrelated file under a new name.
const std::string& SaveRecord::finish(const RenameRun& run) {
    int err = 0;
    if (!run.changedAnything()) {
        if (m_written)
            err = m_previous ? m_fs.writeFileAtomically(m_folder, kUndoScriptName, *m_previous,
                                                        true, FileAccess::Executable)
                             : m_fs.removeFile(m_folder, kUndoScriptName);
        m_text.clear();
    } else {
        UndoScriptWriter writer(false, m_saveId, m_plan.units.size(), planBytes(m_plan),
                                std::move(m_text), m_device, m_origin);
        run.writeRecord(writer, m_identities);
        m_text = writer.finish();
        if (m_written)
            err = m_fs.writeFileAtomically(m_folder, kUndoScriptName, m_text, true,
                                           FileAccess::Executable);
    }
    if (err != 0)
        tellUser(m_ask, SaveNoticeKind::UndoFileNotRewritten, {}, err);
    return m_text;
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
    return refusalOfNames(refusedNames(m_folder.names, m_preview.names), m_preview.names);
}

std::vector<SaveConflict> Workspace::saveConflicts(bool createUndoFile,
                                                   std::optional<SaveNotice>& refusal) {
    refusal.reset();
    if (const auto lists = saveListsRefusal()) {
        refusal = SaveNotice{*lists, {}, 0};
        return {};
    }
    const NameList& oldNames = m_folder.names;
    const NameList& newNames = m_preview.names;
    std::vector<SaveConflict> conflicts = refusedNames(oldNames, newNames);
    refusal = refusalOfNames(conflicts, newNames);
    // An entry the list holds never decides a name as held from outside:
    // the list's own index answers for it first.
    const NameTable listedIndex(oldNames);
    const OutsideEntries outside = outsideEntries(m_fs, m_folder, listedIndex);
    const auto held =
        heldNames(oldNames, newNames, outside.names(),
                  outsideNameCase(m_fs, m_folder.directory, outside, listedIndex), &listedIndex);
    conflicts.insert(conflicts.end(), held.begin(), held.end());
    // What saving would meet first on a read-only folder: the undo file,
    // or else every rename.
    const int writable = m_fs.get().folderWritable(m_folder.directory);
    if (writable != 0 && !refusal && createUndoFile)
        refusal = SaveNotice{SaveNoticeKind::UndoFileNotWritten, {}, writable};
    for (std::size_t i = 0; writable != 0 && i < oldNames.size(); ++i) {
        if (oldNames[i] != newNames[i])
            conflicts.push_back({i, ConflictReason::FolderReadOnly});
    }
    // What the rename would meet as ENAMETOOLONG.
    const std::size_t longest = m_fs.get().longestName(m_folder.directory);
    for (std::size_t i = 0; writable == 0 && i < oldNames.size(); ++i) {
        if (newNames[i].size() > longest && oldNames[i] != newNames[i])
            conflicts.push_back({i, ConflictReason::NameTooLong});
    }
    std::stable_sort(
        conflicts.begin(), conflicts.end(),
        [](const SaveConflict& a, const SaveConflict& b) { return a.index < b.index; });
    if (!refusal && createUndoFile && outside.scriptListed &&
        !folderHoldsUndoScript(m_fs, m_folder.directory))
        refusal = SaveNotice{SaveNoticeKind::UndoFileNotWritten, {}, EEXIST};
    // Without an undo file the history is the only way back.
    if (!refusal && !createUndoFile && m_history && m_preview.names != m_folder.names) {
        if (const int err = m_history->writable(); err != 0)
            refusal = SaveNotice{SaveNoticeKind::HistoryNotWritten, {}, err};
    }
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
    if (m_fs.get().lockFolder(folder) != 0) {
        tellUser(ask, SaveNoticeKind::FolderBusy);
        result.status = SaveStatus::Busy;
        return result;
    }
    std::optional<FolderListing> after;
    saveLocked(createUndoFile, ask, result, after);
    m_fs.get().unlockFolder(folder);
    if (result.status != SaveStatus::Saved)
        return result;
    if (!m_listAfterSave)
        clearLists();
    else if (after)
        showListing(*after, folder, mask);
    else
        result.reloadError = reload(folder, mask).error;
    return result;
}

void Workspace::saveLocked(bool createUndoFile, const SaveCallbacks& ask, SaveResult& result,
                           std::optional<FolderListing>& after) {
    const std::string& folder = m_folder.directory;
    // Each part before the first rename takes a second or more at a million
    // entries: a window hears each one end.
    const std::size_t count = m_folder.names.size();
    std::optional<ProgressStage> preparing(std::in_place, m_progress, WorkStage::Preparing, count);
    FolderListing listing;
    if (m_fs.get().readFolder(folder, listing) != 0)
        listing = {};
    if (putRightLeftovers(m_fs, folder, listing.names, true, *m_env) &&
        m_fs.get().readFolder(folder, listing) != 0)
        listing = {};
    preparing->advance(count / 3);
    const NameList& entries = listing.names;
    const NameCase nameCase = folderNameCase(m_fs, folder, entries);
    const SavePlan plan =
        planSave(m_folder.names, m_preview.names, entries, m_env->processId(), nameCase);
    SaveRecord record(m_fs, folder, plan, listing, m_folder.names, ask, *m_env);
    preparing->advance(count / 3 * 2);
    // The history entry goes first, as the folder's record does: a save that
    // cannot be kept there is known before anything moves.
    std::optional<HistoryEntry> kept;
    if (m_history && !plan.steps.empty()) {
        kept.emplace();
        result.historyError =
            m_history->add(UndoHistory::resolvedFolder(folder), m_env->nanosecondsNow(), 0,
                           record.saveId(), record.plannedText(), *kept, std::nullopt);
        if (result.historyError != 0) {
            kept.reset();
            if (!createUndoFile) {
                tellUser(ask, SaveNoticeKind::HistoryNotWritten, {}, result.historyError);
                result.status = SaveStatus::UndoFileFailed;
                return;
            }
        }
    }
    if (!record.prepare(scriptSlot(m_fs, folder, entries), createUndoFile, result)) {
        if (kept)
            m_history->remove(*kept);
        return;
    }
    preparing->advance(count);
    preparing.reset();

    dropUndo();
    RenameRun run(m_fs, folder, m_folder.names, plan, entries, ask);
    {
        NotReadyScope notReady(m_previewReady);
        if (ask.renaming)
            ask.renaming(true);
        run.run(result);
        if (ask.renaming)
            ask.renaming(false);
    }
    const std::string& done = record.finish(run);
    // The user's own copy, which no later save of the folder replaces.
    if (kept) {
        if (done.empty())
            m_history->remove(*kept);
        else if (const int err = m_history->replaceRecord(*kept, result.renamed, done))
            result.historyError = err;
        m_history->prune({});
    }
    result.status = SaveStatus::Saved;
    // Where names are kept byte for byte, a save that made every rename
    // knows the folder it leaves: its listing, taken under the lock, with
    // those renames, so the folder need not be read a third time.
    if (m_listAfterSave && nameCase == NameCase::Exact && savedWhole(result))
        after = listingAfterSave(listing, plan, folder);
}

bool Workspace::savedWhole(const SaveResult& result) {
    return result.notRenamed.empty() && result.rolledBack.empty() && !result.stopped &&
           !result.aborted;
}

std::optional<FolderListing> Workspace::listingAfterSave(const FolderListing& before,
                                                         const SavePlan& plan,
                                                         const std::string& folder) {
    std::optional<FolderListing> after =
        listingAfterRenames(before, plan.steps, m_folder.names.size());
    if (!after)
        return after;
    // The undo script is the one other name a save writes or removes.
    EntryStatus script;
    const bool onDisk = m_fs.get().statEntry(folder, std::string(kUndoScriptName), script) == 0;
    const auto listed = std::find(after->names.begin(), after->names.end(), kUndoScriptName);
    const auto at = static_cast<std::size_t>(std::distance(after->names.begin(), listed));
    if (onDisk && listed == after->names.end()) {
        after->names.add(kUndoScriptName);
        after->types.push_back(EntryType::Unknown);
        if (!after->identities.empty())
            after->identities.push_back(0);
    } else if (!onDisk && listed != after->names.end()) {
        after->names.erase(at);
        if (at < after->types.size())
            after->types.erase(after->types.begin() + static_cast<std::ptrdiff_t>(at));
        if (at < after->identities.size())
            after->identities.erase(after->identities.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return after;
}

bool Workspace::hasUndoRecord() {
    if (m_folder.directory.empty())
        return false;
    return folderHoldsUndoScript(m_fs, m_folder.directory) ||
           (m_history && !m_history->list(UndoHistory::resolvedFolder(m_folder.directory)).empty());
}

UndoResult Workspace::undoLastSave(NameView mask, const SaveCallbacks& ask) {
    const std::string folder = m_folder.directory;
    dropUndo();
    UndoResult result;
    {
        NotReadyScope notReady(m_previewReady);
        result = quillon::undoLastSave(m_fs, folder, ask, m_history, *m_env);
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
    // The entry has the name the user gave it, not one kept for want of a field.
    if (index < m_missing.size())
        m_missing[index] = MissingFields{};
    if (m_observer)
        m_observer->previewNamesChanged();
}

} // namespace quillon
