// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/undo/UndoRun.h"

#include "workspace/disk/FileSystem.h"

#include <algorithm>

#include <cerrno>

namespace quillon {

UndoRun::UndoRun(FileSystem& fs, const std::string& folder, const UndoRecord& record,
                 const NameList& entries, const Environment& env)
    : m_fs(fs)
    , m_env(env)
    , m_folder(folder)
    , m_record(record) {
    m_names.reserve(entries.size());
    for (const std::string_view e : entries)
        m_names.set(e, 0);
}

UndoRun::UndoRun(FileSystem& fs, const std::string& folder, const UndoRecord& record,
                 const FolderListing& listing, bool checkIdentities, const Environment& env)
    : m_fs(fs)
    , m_env(env)
    , m_folder(folder)
    , m_record(record)
    , m_checkIdentities(checkIdentities && !record.identities.empty() &&
                        listing.identities.size() == listing.names.size()) {
    const NameList& entries = listing.names;
    m_names.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        m_names.set(entries[i], m_checkIdentities ? listing.identities[i] : 0);
}

bool UndoRun::isRecordedFile(const UndoUnit& unit, std::size_t k) const {
    if (!m_checkIdentities)
        return true;
    const std::uint64_t recorded = m_record.identityOf(unit, k);
    const std::uint64_t* found = m_names.find(m_record.name(unit, k));
    return recorded == 0 || found == nullptr || *found == 0 || *found == recorded;
}

int UndoRun::move(std::string_view from, std::string_view to, bool ownName) {
    const int err =
        ownName ? m_fs.renameToOwnName(m_folder, from, to) : m_fs.renameDirect(m_folder, from, to);
    if (err == 0)
        m_names.set(to, m_names.erase(from));
    return err;
}

std::size_t UndoRun::firstFreeTarget(const UndoUnit& unit, std::size_t from) const {
    for (std::size_t m = from; m < unit.moves(); ++m) {
        if (!present(m_record.name(unit, 2 * m + 1)))
            return m;
    }
    return unit.moves();
}

std::size_t UndoRun::takeBack(const UndoUnit& unit, std::size_t start, bool& changed) {
    std::size_t m = start;
    changed = false;
    for (; m < unit.moves(); ++m) {
        const std::string_view newName = m_record.name(unit, 2 * m);
        const std::string_view oldName = m_record.name(unit, 2 * m + 1);
        if (!present(newName) || present(oldName))
            break;
        if (!isRecordedFile(unit, 2 * m)) {
            changed = true;
            break;
        }
        if (move(newName, oldName) != 0)
            break;
    }
    return m - start;
}

void UndoRun::tallyMoves(const UndoUnit& unit, std::size_t start, std::size_t end,
                         std::vector<UndoStep>& into) const {
    for (std::size_t m = start; m < end; ++m)
        into.push_back(
            {std::string(m_record.name(unit, 2 * m + 1)), std::string(m_record.name(unit, 2 * m))});
}

// The file that went through the temporary name counts once, from its new
// name to its old one.
void UndoRun::tallyCycle(const UndoUnit& unit, std::vector<UndoStep>& into) const {
    into.push_back(
        {std::string(m_record.name(unit, unit.count - 1)), std::string(m_record.name(unit, 0))});
    tallyMoves(unit, 1, unit.moves() - 1, into);
}

UndoRun::Outcome UndoRun::chain(const UndoUnit& unit, UndoTally& tally) {
    const std::size_t moves = unit.moves();
    const std::size_t start = firstFreeTarget(unit, 0);
    if (start == moves) {
        // Every old name is taken: all back (the first new name is free
        // again), or something else holds an old name.
        if (!present(m_record.name(unit, 2 * moves - 2)) || pending()) {
            tally.nothingToDo += moves;
            return Outcome::NothingToDo;
        }
        tallyMoves(unit, 0, moves, tally.notRestored);
        return Outcome::Failed;
    }
    bool changed = false;
    const std::size_t done = takeBack(unit, start, changed);
    tallyMoves(unit, start, start + done, tally.restored);
    tally.nothingToDo += start;
    if (start + done == moves)
        return done > 0 ? Outcome::Done : Outcome::NothingToDo;
    const std::size_t firstLeft = tally.notRestored.size();
    tallyMoves(unit, start + done, moves, tally.notRestored);
    tally.notRestored[firstLeft].changed = changed;
    if (done > 0)
        m_anyRestored = true;
    return Outcome::Failed;
}

bool UndoRun::sameIdentity(std::string_view name, std::uint64_t identity) {
    std::uint64_t found = 0;
    return present(name) && m_fs.entryIdentity(m_folder, name, found) == 0 && found == identity;
}

UndoRun::Outcome UndoRun::cycle(const UndoUnit& unit, UndoTally& tally) {
    const std::size_t moves = unit.moves();
    std::size_t start = 0;
    if (present(m_record.name(unit, 1))) {
        // Under way: a file waits under the temporary name.
        start = firstFreeTarget(unit, 1);
    } else if (!sameIdentity(m_record.name(unit, 0), unit.identity)) {
        // The same names are taken before and after a cycle: only the file
        // under the first file's old name can say it is back.
        if (sameIdentity(m_record.name(unit, unit.count - 1), unit.identity)) {
            tally.nothingToDo += unit.files();
            return Outcome::NothingToDo;
        }
        // Neither name holds that file: it was replaced (an editor saved it
        // anew), so nothing of the cycle may move.
        const std::size_t firstLeft = tally.notRestored.size();
        tallyCycle(unit, tally.notRestored);
        tally.notRestored[firstLeft].changed = true;
        return Outcome::Failed;
    }
    bool changed = false;
    const std::size_t done = takeBack(unit, start, changed);
    if (start + done == moves) {
        tallyCycle(unit, tally.restored);
        return Outcome::Done;
    }
    // Put back what this run moved, newest first: no file is left under the
    // temporary name by a cycle that cannot close.
    for (std::size_t m = start + done; m > start; --m) {
        // The way back of a move, so the names are crossed.
        // NOLINTNEXTLINE(readability-suspicious-call-argument)
        if (move(m_record.name(unit, 2 * m - 1), m_record.name(unit, 2 * m - 2)) != 0)
            break;
    }
    const std::size_t firstLeft = tally.notRestored.size();
    tallyCycle(unit, tally.notRestored);
    // The file of move m is tallied m-th; the last move's is the first's.
    const std::size_t stoppedAt = start + done;
    if (changed)
        tally.notRestored[firstLeft + (stoppedAt + 1 == moves ? 0 : stoppedAt)].changed = true;
    return Outcome::Failed;
}

bool UndoRun::isEmptyFile(std::string_view name) {
    return m_fs.regularFileSize(m_folder, name) == 0;
}

// Where the disk ignores case, the old spelling finds the file itself: it
// goes through a fresh temporary name.
UndoRun::Outcome UndoRun::caseThroughTemporary(const UndoUnit& unit) {
    const std::string_view newName = m_record.name(unit, 0);
    const std::string_view oldName = m_record.name(unit, 1);
    std::string temporary;
    do {
        ownNameInto(temporary, "case", m_env.processId(), m_counter++);
    } while (present(temporary));
    const std::string_view made = m_madeNames.emplace_back(std::move(temporary));
    if (move(newName, made, true) != 0)
        return Outcome::Failed;
    if (move(made, oldName, true) == 0)
        return Outcome::Done;
    // The way back from the temporary name, so the names are crossed.
    // NOLINTNEXTLINE(readability-suspicious-call-argument)
    (void)move(made, newName);
    return Outcome::Failed;
}

UndoRun::Outcome UndoRun::caseOnly(const UndoUnit& unit, UndoTally& tally) {
    const std::string_view newName = m_record.name(unit, 0);
    const std::string_view oldName = m_record.name(unit, 1);
    const std::string_view temporary = m_record.name(unit, 2);
    Outcome outcome = Outcome::Failed;
    bool changed = false;
    if (present(temporary) && present(oldName) && isEmptyFile(temporary)) {
        // Killed inside the first step: the file never left its old name,
        // and the empty file under Quillon's own temporary name reserved it.
        if (m_fs.removeFile(m_folder, temporary) == 0) {
            m_names.erase(temporary);
            outcome = Outcome::NothingToDo;
        }
    } else if (present(temporary)) {
        // Stopped between the two steps: the file is under the temporary name.
        if (!present(oldName) && move(temporary, oldName, true) == 0)
            outcome = Outcome::Done;
    } else if (!present(newName)) {
        if (present(oldName))
            outcome = Outcome::NothingToDo;
    } else if (present(oldName)) {
        if (pending())
            outcome = Outcome::NothingToDo;
    } else if (!isRecordedFile(unit, 0)) {
        changed = true;
    } else {
        const int err = move(newName, oldName);
        outcome = err == 0        ? Outcome::Done
                  : err == EEXIST ? caseThroughTemporary(unit)
                                  : Outcome::Failed;
    }
    if (outcome == Outcome::NothingToDo)
        ++tally.nothingToDo;
    else
        (outcome == Outcome::Done ? tally.restored : tally.notRestored)
            .push_back({std::string(oldName), std::string(newName), changed});
    return outcome;
}

void UndoRun::run(const SaveCallbacks& ask, UndoTally& tally, UndoRecord& rest) {
    const std::vector<UndoUnit>& units = m_record.units;
    rest.saveId = m_record.saveId;
    rest.device = m_record.device;
    rest.origin = m_record.origin;
    int shownPercent = 0;
    std::size_t u = 0;
    for (; u < units.size(); ++u) {
        if (ask.shouldStop && ask.shouldStop())
            break;
        const UndoUnit& unit = units[u];
        Outcome outcome = Outcome::Failed;
        switch (unit.kind) {
        case UndoUnitKind::Chain:
            outcome = chain(unit, tally);
            break;
        case UndoUnitKind::Cycle:
            outcome = cycle(unit, tally);
            break;
        case UndoUnitKind::CaseOnly:
            outcome = caseOnly(unit, tally);
            break;
        }
        if (outcome == Outcome::Done)
            m_anyRestored = true;
        if (outcome == Outcome::Failed) {
            rest.startUnit(unit.kind, unit.identity);
            for (std::size_t k = 0; k < unit.count; ++k)
                rest.addName(m_record.name(unit, k), m_record.identityOf(unit, k));
        }
        const auto percent = static_cast<int>((u + 1) * 100 / units.size());
        if (percent != shownPercent && ask.progress)
            ask.progress(percent);
        shownPercent = percent;
    }
    // Not reached after a stop: kept as they are.
    for (; u < units.size(); ++u) {
        const UndoUnit& unit = units[u];
        tally.notReached += unit.files();
        rest.startUnit(unit.kind, unit.identity);
        for (std::size_t k = 0; k < unit.count; ++k)
            rest.addName(m_record.name(unit, k), m_record.identityOf(unit, k));
    }
    // Once a rename came back, every older unit did happen.
    rest.planned = m_record.planned && !m_anyRestored;
}

} // namespace quillon
