// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/UndoLastSave.h"

#include "workspace/FileSystem.h"
#include "workspace/FolderReader.h"
#include "workspace/Leftovers.h"

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

UndoResult undoLocked(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask) {
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
    if ((result.status = readRecord(fs, folder, listing.names, found, result.problem)) !=
        UndoStatus::Undone)
        return result;
    UndoRun run(fs, folder, found.record, listing.names);
    UndoRecord rest;
    if (ask.renaming)
        ask.renaming(true);
    run.run(ask, result, rest);
    if (ask.renaming)
        ask.renaming(false);
    if (rest.units.empty()) {
        result.recordError = removeRecord(fs, folder, found.identity);
        return result;
    }
    result.recordError =
        fs.writeFileAtomically(folder, kUndoScriptName, undoScriptText(rest), true);
    return result;
}

} // namespace

UndoResult undoLastSave(FileSystem& fs, const std::string& folder, const SaveCallbacks& ask) {
    if (fs.lockFolder(folder) != 0) {
        UndoResult busy;
        busy.status = UndoStatus::Busy;
        return busy;
    }
    UndoResult result = undoLocked(fs, folder, ask);
    fs.unlockFolder(folder);
    return result;
}

} // namespace quillon
