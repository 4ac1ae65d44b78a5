// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/undo/UndoLastSave.h"

#include "workspace/disk/FileSystem.h"
#include "workspace/folder/FolderReader.h"
#include "workspace/history/UndoHistory.h"
#include "workspace/undo/Leftovers.h"

#include <algorithm>

#include <cerrno>

namespace quillon {

namespace {

// The record in the folder, read and checked before anything is done; its
// identity lets the end remove this file and no other.
struct FolderRecord {
    UndoRecord record;
    std::uint64_t identity = 0;
};

UndoStatus readRecord(FileSystem& fs, const std::string& folder, const NameList& entries,
                      FolderRecord& out, UndoRecordProblem& problem) {
    const std::size_t limit = recordByteLimit(entries);
    if (const int err = fs.entryIdentity(folder, kUndoScriptName, out.identity);
        err == ENOENT || err == ENOTDIR)
        return UndoStatus::NoRecord;
    const std::int64_t size = fs.regularFileSize(folder, kUndoScriptName);
    if (size > 0 && static_cast<std::uint64_t>(size) > limit) {
        problem = {1, "larger than any record of this folder could be"};
        return UndoStatus::Refused;
    }
    // Streamed: the record is held once, as names, never also as text.
    UndoScriptReader reader;
    bool signature = false;
    bool first = true;
    const int err =
        fs.readRegularFileInChunks(folder, kUndoScriptName, limit, [&](std::string_view chunk) {
            if (first)
                signature = hasUndoScriptSignature(chunk);
            first = false;
            return signature && reader.feed(chunk);
        });
    if (err != 0 || !signature)
        return UndoStatus::NotQuillons;
    auto parsed = reader.finish(&problem);
    if (!parsed)
        return UndoStatus::Refused;
    out.record = std::move(*parsed);
    return UndoStatus::Undone;
}

// Only while the name still holds the record that was read.
int removeRecord(FileSystem& fs, const std::string& folder, std::uint64_t identity) {
    std::uint64_t now = 0;
    if (fs.entryIdentity(folder, kUndoScriptName, now) != 0 || now != identity)
        return 0;
    return fs.removeFile(folder, kUndoScriptName);
}

// A record's file identities count while the folder is on the device the
// save saw, and that disk keeps them.
bool identitiesCount(FileSystem& fs, const std::string& folder, const UndoRecord& record) {
    FolderIdentity here;
    return record.device != 0 && fs.folderIdentity(folder, here) == 0 && here.stableEntries &&
           here.device == record.device;
}

// Takes record back over the listing; rest receives what is left.
void takeBack(FileSystem& fs, const std::string& folder, const UndoRecord& record,
              const FolderListing& listing, const SaveCallbacks& ask, const Environment& env,
              UndoResult& result, UndoRecord& rest) {
    UndoRun run(fs, folder, record, listing, identitiesCount(fs, folder, record), env);
    if (ask.renaming)
        ask.renaming(true);
    run.run(ask, result, rest);
    if (ask.renaming)
        ask.renaming(false);
}

// The folder's record goes with what is left, or goes when nothing is.
int keepFolderRecord(FileSystem& fs, const std::string& folder, std::uint64_t identity,
                     const UndoRecord& rest) {
    if (rest.units.empty())
        return removeRecord(fs, folder, identity);
    return fs.writeFileAtomically(folder, kUndoScriptName, undoScriptText(rest), true,
                                  FileAccess::Executable);
}

bool anySaveId(const std::vector<HistoryEntry>& entries, std::string_view id) {
    return std::any_of(entries.begin(), entries.end(),
                       [id](const HistoryEntry& e) { return e.saveId == id; });
}

// The newest save of the history that still has something to take back;
// entries found all back already are forgotten on the way.
bool undoFromHistory(FileSystem& fs, const std::string& folder, FolderListing& listing,
                     UndoHistory& history, std::vector<HistoryEntry>& entries,
                     const FolderRecord* inFolder, const SaveCallbacks& ask, const Environment& env,
                     UndoResult& result) {
    while (!entries.empty()) {
        HistoryEntry entry = entries.back();
        entries.pop_back();
        std::string text;
        if (history.readRecord(entry, text, recordByteLimit(listing.names)) != 0)
            continue;
        auto record = parseUndoScript(text, &result.problem);
        text = {};
        if (!record)
            continue;
        UndoResult one;
        UndoRecord rest;
        takeBack(fs, folder, *record, listing, ask, env, one, rest);
        const bool allBackAlready =
            one.restored.empty() && one.notRestored.empty() && one.notReached == 0;
        const bool ofFolderRecord = inFolder && inFolder->record.saveId == record->saveId;
        if (rest.units.empty())
            history.remove(entry);
        else
            history.replaceRecord(entry, rest.files(), undoScriptText(rest));
        if (ofFolderRecord)
            result.recordError = keepFolderRecord(fs, folder, inFolder->identity, rest);
        if (allBackAlready && !entries.empty())
            continue;
        static_cast<UndoTally&>(result) = std::move(one);
        result.fromHistory = true;
        result.status = UndoStatus::Undone;
        return true;
    }
    return false;
}

UndoResult undoLocked(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask,
                      UndoHistory* history, const Environment& env) {
    UndoResult result;
    FolderListing listing;
    if (const int err = fs.readFolder(folder, listing); err != 0) {
        result.status =
            err == ENOENT || err == ENOTDIR ? UndoStatus::NoRecord : UndoStatus::NotQuillons;
        result.recordError = err;
        return result;
    }
    if (putRightLeftovers(fs, folder, listing.names, false) && fs.readFolder(folder, listing) != 0)
        listing = {};
    FolderRecord found;
    result.status = readRecord(fs, folder, listing.names, found, result.problem);
    const bool recordHere = result.status == UndoStatus::Undone;
    std::vector<HistoryEntry> entries;
    if (history)
        entries = history->list(UndoHistory::resolvedFolder(folder));
    // The history is the trusted source; a record here that it does not
    // hold was made elsewhere, unless it says it is this user's on this
    // machine (a save killed before its history entry, or one whose history
    // could not be written).
    const bool ownRecord = found.record.origin.known() && found.record.origin == currentOrigin(env);
    const bool unknown =
        recordHere && history && !ownRecord && !anySaveId(entries, found.record.saveId);
    if (!unknown && !entries.empty() &&
        undoFromHistory(fs, folder, listing, *history, entries, recordHere ? &found : nullptr, ask,
                        env, result))
        return result;
    if (!recordHere)
        return result;
    if (unknown && (!ask.confirmUnknownRecord || !ask.confirmUnknownRecord())) {
        result.status = UndoStatus::Declined;
        return result;
    }
    UndoRecord rest;
    takeBack(fs, folder, found.record, listing, ask, env, result, rest);
    result.recordError = keepFolderRecord(fs, folder, found.identity, rest);
    return result;
}

} // namespace

UndoResult undoLastSave(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask,
                        UndoHistory* history, const Environment& env) {
    if (fs.lockFolder(folder) != 0) {
        UndoResult busy;
        busy.status = UndoStatus::Busy;
        return busy;
    }
    UndoResult result = undoLocked(fs, folder, ask, history, env);
    fs.unlockFolder(folder);
    return result;
}

} // namespace quillon
