// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/names/NameList.h"
#include "workspace/names/NameTable.h"
#include "workspace/save/SaveCallbacks.h"
#include "workspace/save/SavePlan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

class FileSystem;
class UndoScriptWriter;

/// The file identities a save's record keeps.
struct RecordIdentities {
    /// By unit: each cycle's file identity (0 for other units).
    std::vector<std::uint64_t> cycles;
    /// By step: the identity of the file the step renames; empty where the
    /// disk gives none that lasts.
    std::vector<std::uint64_t> steps;
};

/// Carries out a save plan unit by unit: a failed rename asks the user, a
/// cycle that cannot close is rolled back, and a stop is heeded only
/// between units, so no file is left under a temporary name. It keeps what
/// really happened for the undo record.
class RenameRun final {
public:
    /// oldNames index the failures told to the user; entries, the folder's
    /// listing, tells a case-only rename that the disk refused why.
    RenameRun(FileSystem& fs, const std::string& folder, const NameList& oldNames,
              const SavePlan& plan, const NameList& entries, const SaveCallbacks& ask);

    void run(SaveResult& result);

    /// True when any rename happened that the record must take back.
    bool changedAnything() const;
    /// Writes the units that left the folder changed, newest first; a chain
    /// broken by a failed rename as the runs of renames that happened.
    void writeRecord(UndoScriptWriter& writer, const RecordIdentities& identities) const;

private:
    /// What became of one step.
    enum class StepState : std::uint8_t { NotTried, Done, Failed, TakenBack };
    /// Where a unit stands once the run is over.
    enum class UnitState : std::uint8_t {
        /// Every file of it has the name it had before (or it was never tried).
        AsBefore,
        /// Some or all of its renames happened.
        Changed,
    };

    [[nodiscard]] int rename(std::string_view from, std::string_view to, bool toOwnName = false);
    [[nodiscard]] int renameCaseOnly(const RenameStep& step, bool& stuck);
    bool listed(std::string_view name);
    /// Tries a step until it succeeds or the user skips or aborts.
    bool carryOut(std::size_t stepIndex, bool& stuck);
    void runChain(const PlanUnit& unit);
    void runCaseOnly(std::size_t unitIndex);
    void runCycle(std::size_t unitIndex);
    /// Takes the renames of a cycle back, newest first; false when one of
    /// them failed and the cycle stays part way.
    bool rollBack(const PlanUnit& unit, std::size_t doneSteps);
    void advance();
    void tally(SaveResult& result);

    FileSystem& m_fs;
    const std::string& m_folder;
    const NameList& m_oldNames;
    const SavePlan& m_plan;
    const NameList& m_entries;
    /// m_entries as a set, made on first need: only a refused case-only
    /// rename asks, and a million names take a while to hash.
    std::optional<NameTable> m_listed;
    const SaveCallbacks& m_ask;
    std::vector<StepState> m_steps;
    std::vector<UnitState> m_units;
    std::vector<std::size_t> m_rolledBack;
    bool m_aborted = false;
    std::size_t m_unit = 0;
    int m_shownPercent = 0;
};

/// Writes every unit of plan, newest first, as if all of it happened: the
/// record that stands while the renames run.
void writePlannedRecord(UndoScriptWriter& writer, const SavePlan& plan,
                        const RecordIdentities& identities);

} // namespace quillon
