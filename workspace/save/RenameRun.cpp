// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save/RenameRun.h"

#include "engine/Utf8.h"
#include "workspace/disk/FileSystem.h"
#include "workspace/record/UndoScript.h"

#include <algorithm>
#include <cerrno>

namespace quillon {

RenameRun::RenameRun(FileSystem& fs, const std::string& folder, const NameList& oldNames,
                     const SavePlan& plan, const NameList& entries, const SaveCallbacks& ask)
    : m_fs(fs)
    , m_folder(folder)
    , m_oldNames(oldNames)
    , m_plan(plan)
    , m_entries(entries)
    , m_ask(ask)
    , m_steps(plan.steps.size(), StepState::NotTried)
    , m_units(plan.units.size(), UnitState::AsBefore) {}

int RenameRun::rename(std::string_view from, std::string_view to, bool toOwnName) {
    return toOwnName ? m_fs.renameToOwnName(m_folder, from, to)
                     : m_fs.renameDirect(m_folder, from, to);
}

bool RenameRun::listed(std::string_view name) {
    if (!m_listed)
        m_listed.emplace(m_entries);
    return m_listed->find(name) != NameTable::kNone;
}

// Where the disk ignores case, the new spelling finds the file itself; no
// listed file holds it, so the rename goes through the temporary name the
// record already names. stuck: the file stays under that name.
int RenameRun::renameCaseOnly(const RenameStep& step, bool& stuck) {
    int err = rename(step.from, step.to);
    if (err != EEXIST || listed(step.to))
        return err;
    if ((err = rename(step.from, step.caseTemporary, true)) != 0)
        return err;
    // The new spelling is the file's own name, just left: where the disk
    // cannot refuse to replace in one call, a look stands in for reserving
    // it, which would leave an empty file under the user's name if killed.
    if ((err = rename(step.caseTemporary, step.to, true)) != 0)
        stuck = rename(step.caseTemporary, step.from) != 0;
    return err;
}

bool RenameRun::carryOut(std::size_t stepIndex, bool& stuck) {
    const RenameStep& step = m_plan.steps[stepIndex];
    for (;;) {
        const int err = step.caseTemporary.empty()
                            ? rename(step.from, step.to, step.role == StepRole::ToTemporary)
                            : renameCaseOnly(step, stuck);
        if (err == 0) {
            m_steps[stepIndex] = StepState::Done;
            return true;
        }
        m_steps[stepIndex] = StepState::Failed;
        if (stuck)
            return false;
        const RenameFailureChoice choice =
            m_ask.renameFailed
                ? m_ask.renameFailed({step.entry, err, decodeName(m_oldNames[step.entry])})
                : RenameFailureChoice::Skip;
        if (choice == RenameFailureChoice::Retry)
            continue;
        m_aborted = m_aborted || choice == RenameFailureChoice::Abort;
        return false;
    }
}

void RenameRun::advance() {
    const std::size_t count = m_oldNames.size();
    if (count >= 2) {
        const int percent = static_cast<int>(m_unit * 100 / (count - 1));
        if (percent != m_shownPercent && m_ask.progress)
            m_ask.progress(percent);
        m_shownPercent = percent;
    }
    ++m_unit;
}

void RenameRun::runChain(const PlanUnit& unit) {
    for (std::size_t s = unit.firstStep; s < unit.firstStep + unit.steps && !m_aborted; ++s) {
        bool stuck = false;
        carryOut(s, stuck);
        advance();
    }
}

void RenameRun::runCaseOnly(std::size_t unitIndex) {
    const PlanUnit& unit = m_plan.units[unitIndex];
    bool stuck = false;
    const bool done = carryOut(unit.firstStep, stuck);
    if (done || stuck)
        m_units[unitIndex] = UnitState::Changed;
    advance();
}

bool RenameRun::rollBack(const PlanUnit& unit, std::size_t doneSteps) {
    bool ok = true;
    for (std::size_t k = doneSteps; k > 0; --k) {
        const std::size_t s = unit.firstStep + k - 1;
        const RenameStep& step = m_plan.steps[s];
        // The way back of a step, so the names are crossed.
        // NOLINTNEXTLINE(readability-suspicious-call-argument)
        if (ok && rename(step.to, step.from) == 0)
            m_steps[s] = StepState::TakenBack;
        else
            ok = false;
    }
    return ok;
}

// A cycle that cannot close would leave a file under its temporary name:
// its renames are taken back, newest first.
void RenameRun::runCycle(std::size_t unitIndex) {
    const PlanUnit& unit = m_plan.units[unitIndex];
    std::size_t done = 0;
    for (; done < unit.steps; ++done) {
        bool stuck = false;
        if (m_aborted || !carryOut(unit.firstStep + done, stuck))
            break;
    }
    if (done == unit.steps) {
        m_units[unitIndex] = UnitState::Changed;
    } else {
        if (!rollBack(unit, done))
            m_units[unitIndex] = UnitState::Changed;
        for (std::size_t s = unit.firstStep; s < unit.firstStep + unit.steps; ++s) {
            if (m_plan.steps[s].role != StepRole::FromTemporary)
                m_rolledBack.push_back(m_plan.steps[s].entry);
        }
    }
    for (std::size_t k = 1; k < unit.steps; ++k)
        advance();
}

void RenameRun::tally(SaveResult& result) {
    std::vector<bool> completed(m_oldNames.size(), false);
    for (std::size_t s = 0; s < m_plan.steps.size(); ++s) {
        const RenameStep& step = m_plan.steps[s];
        if (step.role != StepRole::ToTemporary)
            completed[step.entry] = m_steps[s] == StepState::Done;
    }
    for (const std::size_t i : m_plan.changing) {
        if (completed[i])
            ++result.renamed;
        else
            result.notRenamed.push_back(i);
    }
    result.aborted = m_aborted;
    std::sort(m_rolledBack.begin(), m_rolledBack.end());
    result.rolledBack = std::move(m_rolledBack);
}

void RenameRun::run(SaveResult& result) {
    // Names that stay move the bar as if renamed onto themselves.
    for (std::size_t i = 0; i < m_oldNames.size(); ++i) {
        if (m_plan.changing.empty() ||
            !std::binary_search(m_plan.changing.begin(), m_plan.changing.end(), i))
            advance();
    }
    for (std::size_t u = 0; u < m_plan.units.size() && !m_aborted; ++u) {
        if (!result.stopped && m_ask.shouldStop && m_ask.shouldStop())
            result.stopped = true;
        if (result.stopped)
            break;
        switch (m_plan.units[u].kind) {
        case UndoUnitKind::Chain:
            runChain(m_plan.units[u]);
            break;
        case UndoUnitKind::CaseOnly:
            runCaseOnly(u);
            break;
        case UndoUnitKind::Cycle:
            runCycle(u);
            break;
        }
    }
    tally(result);
}

bool RenameRun::changedAnything() const {
    return std::find(m_steps.begin(), m_steps.end(), StepState::Done) != m_steps.end() ||
           std::find(m_units.begin(), m_units.end(), UnitState::Changed) != m_units.end();
}

namespace {

// The moves that take steps [first, end) back: newest first, each from the
// new name to the old one.
std::uint64_t stepIdentity(const RecordIdentities& identities, std::size_t step) {
    return step < identities.steps.size() ? identities.steps[step] : 0;
}

void addMovesBack(UndoScriptWriter& writer, const SavePlan& plan,
                  const RecordIdentities& identities, std::size_t first, std::size_t end) {
    for (std::size_t s = end; s > first; --s) {
        writer.addName(plan.steps[s - 1].to, stepIdentity(identities, s - 1));
        writer.addName(plan.steps[s - 1].from);
    }
}

void addWholeUnit(UndoScriptWriter& writer, const SavePlan& plan,
                  const RecordIdentities& identities, std::size_t u) {
    const PlanUnit& unit = plan.units[u];
    const RenameStep& first = plan.steps[unit.firstStep];
    writer.startUnit(unit.kind, identities.cycles[u]);
    if (unit.kind != UndoUnitKind::CaseOnly) {
        addMovesBack(writer, plan, identities, unit.firstStep, unit.firstStep + unit.steps);
        return;
    }
    writer.addName(first.to, stepIdentity(identities, unit.firstStep));
    writer.addName(first.from);
    writer.addName(first.caseTemporary);
}

} // namespace

void RenameRun::writeRecord(UndoScriptWriter& writer, const RecordIdentities& identities) const {
    for (std::size_t u = m_plan.units.size(); u > 0; --u) {
        const PlanUnit& unit = m_plan.units[u - 1];
        if (unit.kind != UndoUnitKind::Chain) {
            if (m_units[u - 1] == UnitState::Changed)
                addWholeUnit(writer, m_plan, identities, u - 1);
            continue;
        }
        // The runs of renames that happened, newest first.
        std::size_t end = unit.firstStep + unit.steps;
        while (end > unit.firstStep) {
            std::size_t start = end;
            while (start > unit.firstStep && m_steps[start - 1] == StepState::Done)
                --start;
            if (start < end) {
                writer.startUnit(UndoUnitKind::Chain);
                addMovesBack(writer, m_plan, identities, start, end);
            }
            end = start == end ? end - 1 : start;
        }
    }
}

void writePlannedRecord(UndoScriptWriter& writer, const SavePlan& plan,
                        const RecordIdentities& identities) {
    for (std::size_t u = plan.units.size(); u > 0; --u)
        addWholeUnit(writer, plan, identities, u - 1);
}

} // namespace quillon
