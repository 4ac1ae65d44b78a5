// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"
#include "workspace/record/UndoRecord.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class NameTable;

class FileSystem;

/// Why a new name cannot be had as the preview shows it.
enum class ConflictReason : std::uint8_t {
    /// Another entry has the same new name; saving refuses.
    Duplicate,
    /// No file may have the name; saving refuses.
    InvalidName,
    /// A file that is not listed holds the name; that rename will fail.
    HeldOutsideList,
    /// A listed file whose name does not change holds it; that rename will fail.
    HeldByUnchangedFile,
    /// The folder cannot be written (a read-only mount, no permission); that
    /// rename will fail.
    FolderReadOnly,
    /// The new name is longer than the folder's file system allows
    /// (ENAMETOOLONG); that rename will fail.
    NameTooLong,
};

/// A new name that saving cannot give as it stands.
struct SaveConflict {
    std::size_t index = 0;
    ConflictReason reason = ConflictReason::Duplicate;
};

/// What one step of a save does.
enum class StepRole : std::uint8_t {
    /// The entry's file from its old to its new name.
    Whole,
    /// First step of a cycle: the entry's file from its old name to a free
    /// temporary name, so that the next file of the cycle can take it.
    ToTemporary,
    /// Last step of a cycle: from the temporary name to the new name.
    FromTemporary,
};

/// One rename of a save, in the order the save carries them out.
struct RenameStep {
    std::size_t entry = 0;
    StepRole role = StepRole::Whole;
    std::string_view from;
    std::string_view to;
    /// A change of letter case only (Whole steps outside cycles): the
    /// temporary name it goes through where the disk ignores case; empty for
    /// other renames.
    std::string_view caseTemporary;
};

/// Steps of a plan that are taken back together (see UndoUnitKind): a
/// chain, a change of letter case only, or a cycle.
struct PlanUnit {
    UndoUnitKind kind = UndoUnitKind::Chain;
    std::size_t firstStep = 0;
    std::size_t steps = 0;
};

/// The renames of a save, ordered so that whenever only listed files stand
/// in the way, every target is free when its turn comes: a file waits until
/// the listed file holding its new name has moved, and cycles (swaps,
/// rotations) go through a temporary name. Nothing is ever renamed over
/// another file; a target held otherwise is left for the rename to fail on.
struct SavePlan {
    std::vector<RenameStep> steps;
    /// The steps in units, in the same order.
    std::vector<PlanUnit> units;
    /// Entries whose name changes, ascending.
    std::vector<std::size_t> changing;
    /// Names the disk must hold apart from the listed ones (temporary names),
    /// in one buffer that the steps view.
    NameList temporaries;
};

/// How the folder's disk compares names.
enum class NameCase : std::uint8_t {
    /// Not known (no name to tell by): compared as bytes, and a change of
    /// letter case only is ready to go through a temporary name.
    Unknown,
    /// Names differ by letter case: compared as bytes.
    Exact,
    /// The disk ignores letter case (FAT, exFAT, CIFS): names are compared
    /// as it compares them, so a swap that also changes case is a cycle.
    Folded,
};

/// A name as a disk that compares names by nameCase sees it: the name
/// itself, or (in scratch) its simple case folding where the disk ignores case.
std::string_view nameKey(std::string_view name, NameCase nameCase, std::string& scratch);
/// nameKey of every name, index-paired: the list itself where names are
/// compared as bytes, a folded copy only where the disk ignores letter case.
/// Refers to names, which must outlive it.
class NameKeys final {
public:
    NameKeys(const NameList& names, NameCase nameCase);
    NameKeys(const NameKeys&) = delete;
    NameKeys& operator=(const NameKeys&) = delete;

    const NameList& list() const { return m_list; }
    std::string_view operator[](std::size_t i) const { return m_list[i]; }

private:
    NameList m_folded;
    const NameList& m_list;
};

/// Asks the disk how folder compares names: a listed name with a letter is
/// looked up in another case.
NameCase folderNameCase(FileSystem& fs, const std::string& folder, const NameList& entries);
/// folderNameCase for a listing not held whole: lettered is its first entry
/// with a letter (empty where none has one), listed says whether a name is
/// an entry.
NameCase folderNameCaseBy(FileSystem& fs, const std::string& folder, std::string_view lettered,
                          const std::function<bool(std::string_view)>& listed);
/// Whether name holds an ASCII letter, which another case can spell apart.
bool hasLetter(std::string_view name);

/// The new names no save can give: duplicates (compared byte for byte,
/// every entry of each group) and invalid names among those that change.
/// Ascending by index; empty when saving may go on.
std::vector<SaveConflict> refusedNames(const NameList& oldNames, const NameList& newNames);

/// Targets held by files other than listed ones that move away first, by
/// the folder's listing (entries the list holds may be left out). Ascending
/// by index. exactIndex, where given, is a NameTable over oldNames itself,
/// used where names compare as bytes instead of building another.
std::vector<SaveConflict> heldNames(const NameList& oldNames, const NameList& newNames,
                                    const NameList& folderEntries,
                                    NameCase nameCase = NameCase::Unknown,
                                    const NameTable* exactIndex = nullptr);

/// Orders the renames (see SavePlan). oldNames and newNames must outlive
/// the plan; folderEntries keeps temporary names clear of names the folder
/// already holds; tag makes temporary names unique to this run.
SavePlan planSave(const NameList& oldNames, const NameList& newNames, const NameList& folderEntries,
                  long tag, NameCase nameCase = NameCase::Unknown);

} // namespace quillon
