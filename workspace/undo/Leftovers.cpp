// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/undo/Leftovers.h"

#include "workspace/disk/FileSystem.h"
#include "workspace/folder/FolderReader.h"
#include "workspace/record/UndoScript.h"
#include "workspace/undo/UndoRun.h"

#include <unordered_set>

namespace quillon {

namespace {

// The units of the folder's record whose temporary name holds a file.
UndoRecord unitsWaiting(const UndoRecord& record,
                        const std::unordered_set<std::string_view>& waiting) {
    UndoRecord out;
    out.saveId = record.saveId;
    for (const UndoUnit& unit : record.units) {
        const std::size_t temporary = unit.kind == UndoUnitKind::Cycle      ? 1
                                      : unit.kind == UndoUnitKind::CaseOnly ? 2
                                                                            : unit.count;
        if (temporary >= unit.count || !waiting.contains(record.name(unit, temporary)))
            continue;
        out.startUnit(unit.kind, unit.identity);
        for (std::size_t k = 0; k < unit.count; ++k)
            out.addName(record.name(unit, k));
    }
    return out;
}

bool takeBackWaiting(FileSystem& fs, const std::string& folder, const NameList& entries,
                     const std::unordered_set<std::string_view>& waiting, const Environment& env) {
    std::string text;
    if (fs.readRegularFile(folder, kUndoScriptName, recordByteLimit(entries), text) != 0)
        return false;
    const auto record = parseUndoScript(text);
    if (!record)
        return false;
    const UndoRecord units = unitsWaiting(*record, waiting);
    if (units.units.empty())
        return false;
    UndoRun run(fs, folder, units, entries, env);
    UndoTally tally;
    UndoRecord rest;
    run.run({}, tally, rest);
    return true;
}

} // namespace

bool putRightLeftovers(FileSystem& fs, const std::string& folder, const NameList& entries,
                       bool bringBack, const Environment& env) {
    bool changed = false;
    std::unordered_set<std::string_view> waiting;
    for (const std::string_view name : entries) {
        const OwnNameKind kind = name.starts_with('_') ? ownNameKind(name) : OwnNameKind::None;
        const bool removable =
            kind == OwnNameKind::Record ||
            (kind == OwnNameKind::SwapDone && fs.regularFileSize(folder, name) == 0);
        if (removable && fs.regularFileSize(folder, name) >= 0)
            changed = fs.removeFile(folder, name) == 0 || changed;
        else if (bringBack && (kind == OwnNameKind::Swap || kind == OwnNameKind::Case))
            waiting.insert(name);
    }
    if (!waiting.empty())
        changed = takeBackWaiting(fs, folder, entries, waiting, env) || changed;
    return changed;
}

} // namespace quillon
