// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"
#include "workspace/names/NameRules.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class Environment;

/// How the renames of one unit of a save are taken back.
enum class UndoUnitKind : std::uint8_t {
    /// Renames where each freed the name the next one took: taken back as a
    /// whole, so the one free old name tells how far a run got.
    Chain,
    /// A change of letter case only, which may have gone through a temporary
    /// name where the disk ignores case.
    CaseOnly,
    /// A swap or rotation through a temporary name. Before and after it the
    /// folder holds the same names; only the file identity tells which of
    /// the two states the folder is in.
    Cycle,
};

/// One unit of an undo record. Its names sit in UndoRecord::names:
/// Chain and Cycle as moves (new name, old name) in the order they are taken
/// back, each freeing the old name of the next; a Cycle's first move goes to
/// its temporary name and its last comes from it. CaseOnly as new name, old
/// name, temporary name.
struct UndoUnit {
    UndoUnitKind kind = UndoUnitKind::Chain;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    /// Cycle only: the identity (inode number) of the file that went
    /// through the temporary name.
    std::uint64_t identity = 0;

    /// Moves of a Chain or Cycle.
    std::size_t moves() const { return count / 2; }
    /// Files the unit renamed: a Cycle's file that went through the
    /// temporary name moved twice.
    std::size_t files() const;
};

/// Who made a save, and where: a record that says so is the user's own
/// even when the history could not keep it.
struct SaveOrigin {
    /// The user's number; kNoUser where the record does not say.
    std::uint32_t user = kNoUser;
    /// The machine's identifier (lower-case hex), empty where unknown.
    std::string machine;

    static constexpr std::uint32_t kNoUser = 0xFFFFFFFF;
    bool known() const { return user != kNoUser && !machine.empty(); }
    bool operator==(const SaveOrigin&) const = default;
};

/// The user and machine env tells: the first machine identifier that is one
/// (see isMachineId), or else the host name in hex.
SaveOrigin currentOrigin(const Environment& env);

/// What a save leaves to take its renames back: units newest first, as
/// they are taken back.
struct UndoRecord {
    /// Written before the first rename: some units may never have been
    /// carried out. Rewritten afterwards, it holds only units that were.
    bool planned = false;
    /// The save's identifier, shared by the folder's record and the user's
    /// history entry of the same save.
    std::string saveId;
    NameList names;
    std::vector<UndoUnit> units;
    /// The device of the folder the save renamed in; 0 when the record keeps
    /// no file identities (an older record, or a disk that makes them up).
    std::uint64_t device = 0;
    /// Who made the save and where; unknown in older records.
    SaveOrigin origin;
    /// At the index of each move's new name (a change of case: of its first
    /// name), the identity of the file the save left under it; 0 elsewhere
    /// and where unknown. Empty when the record keeps none.
    std::vector<std::uint64_t> identities;

    /// Starts a unit; the names added next belong to it.
    void startUnit(UndoUnitKind kind, std::uint64_t identity = 0);
    /// Adds one name to the unit started last; fileIdentity: see identities.
    void addName(std::string_view name, std::uint64_t fileIdentity = 0);
    /// The identity recorded for name k of unit, or 0.
    std::uint64_t identityOf(const UndoUnit& unit, std::size_t k) const {
        const std::size_t at = unit.first + k;
        return at < identities.size() ? identities[at] : 0;
    }
    /// Name k of unit.
    std::string_view name(const UndoUnit& unit, std::size_t k) const {
        return names[unit.first + k];
    }
    /// Files renamed by all units.
    std::size_t files() const;
};

/// Why unit breaks the rules of a record Quillon writes (names that leave
/// the folder or name the record, own names out of their place, moves that
/// do not link up), or nothing when it keeps them.
std::optional<std::string> unitProblem(const UndoRecord& record, const UndoUnit& unit);

/// The most bytes a record for a folder holding entries can take: each file
/// at most one move from its name to an old one of the longest kind, fully
/// quoted, and Quillon's own text. A larger file is no record of this
/// folder, whatever it says.
std::size_t recordByteLimit(const NameList& entries);

/// A machine identifier as a record keeps it: 1 to 128 of [0-9a-f].
bool isMachineId(std::string_view id);

/// A save identifier as Quillon makes them: 1 to 64 of [0-9A-Za-z.-].
bool isValidSaveId(std::string_view id);

} // namespace quillon
