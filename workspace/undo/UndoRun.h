// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/SystemEnvironment.h"
#include "workspace/names/NameList.h"
#include "workspace/names/NameMap.h"
#include "workspace/record/UndoRecord.h"
#include "workspace/save/SaveCallbacks.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class FileSystem;
struct FolderListing;

/// A file as a save renamed it (raw bytes): from its old name to its new one.
struct UndoStep {
    std::string from;
    std::string to;
    /// Not taken back because another file holds the new name now (a file
    /// saved anew by an editor, or a stranger's): only the file the save
    /// renamed ever goes back.
    bool changed = false;
};

/// What taking a record back did, counted in files.
struct UndoTally {
    /// Files taken back, newest first.
    std::vector<UndoStep> restored;
    /// Files that needed nothing: never renamed, or already back.
    std::size_t nothingToDo = 0;
    /// Files that did not come back, newest first.
    std::vector<UndoStep> notRestored;
    /// Files of units not yet tried when a stop was asked for.
    std::size_t notReached = 0;
};

/// Takes the units of a record back, newest first, each only from a state
/// the save left: the free old name of a chain or cycle tells how far the
/// save or an earlier run got, and a cycle whose names are all taken is
/// taken back only while the file identity says it is still as saved. So a
/// second run, or one after any stop, finishes what is left and never moves
/// a file that is already back. The folder's names are held in memory and
/// kept in step with every rename, so no unit asks the disk what is there.
///
/// Where the record keeps file identities and checkIdentities says they
/// still count (the folder is on the device the save saw), a file goes back
/// only while the name holds the very file the save renamed.
class UndoRun final {
public:
    /// env gives the process id that a fresh temporary name carries.
    UndoRun(FileSystem& fs, const std::string& folder, const UndoRecord& record,
            const NameList& entries, const Environment& env = systemEnvironment());
    UndoRun(FileSystem& fs, const std::string& folder, const UndoRecord& record,
            const FolderListing& listing, bool checkIdentities,
            const Environment& env = systemEnvironment());

    /// Stops between units only (a cycle is never left half way) when
    /// ask.shouldStop says so; rest receives the units still to be taken
    /// back, in the record's order.
    void run(const SaveCallbacks& ask, UndoTally& tally, UndoRecord& rest);

private:
    /// How one unit went.
    enum class Outcome : std::uint8_t { Done, NothingToDo, Failed };

    bool present(std::string_view name) const { return m_names.contains(name); }
    /// False when name holds a file other than the one the record says.
    bool isRecordedFile(const UndoUnit& unit, std::size_t k) const;
    /// ownName: to is a name of Quillon's making, or the file's own name in
    /// another letter case, just left (see FileSystem::renameToOwnName).
    int move(std::string_view from, std::string_view to, bool ownName = false);
    /// The first move of unit from `from` on whose old name is free, or the
    /// count of moves when none is.
    std::size_t firstFreeTarget(const UndoUnit& unit, std::size_t from) const;
    /// Takes moves from start on; returns how many came back. changed: it
    /// stopped at a name that holds another file than the save left there.
    std::size_t takeBack(const UndoUnit& unit, std::size_t start, bool& changed);
    Outcome chain(const UndoUnit& unit, UndoTally& tally);
    Outcome cycle(const UndoUnit& unit, UndoTally& tally);
    Outcome caseOnly(const UndoUnit& unit, UndoTally& tally);
    Outcome caseThroughTemporary(const UndoUnit& unit);
    bool isEmptyFile(std::string_view name);
    bool sameIdentity(std::string_view name, std::uint64_t identity);
    /// Records moves [start, end) of a chain as files taken back or not.
    void tallyMoves(const UndoUnit& unit, std::size_t start, std::size_t end,
                    std::vector<UndoStep>& into) const;
    void tallyCycle(const UndoUnit& unit, std::vector<UndoStep>& into) const;
    /// A record written before renaming: newest first, the units that never
    /// happened come before any that did.
    bool pending() const { return m_record.planned && !m_anyRestored; }

    FileSystem& m_fs;
    const Environment& m_env;
    const std::string& m_folder;
    const UndoRecord& m_record;
    /// Each name the folder holds, with its file's identity (0: unknown).
    NameMap m_names;
    bool m_checkIdentities = false;
    /// Names made during the run, which m_names views.
    std::deque<std::string> m_madeNames;
    bool m_anyRestored = false;
    unsigned m_counter = 0;
};

} // namespace quillon
