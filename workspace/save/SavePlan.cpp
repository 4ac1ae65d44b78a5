// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save/SavePlan.h"

#include "engine/UnicodeCase.h"
#include "engine/Utf8.h"
#include "workspace/disk/FileSystem.h"
#include "workspace/names/NameTable.h"
#include "workspace/save/SaveChecks.h"

#include <algorithm>
#include <optional>

namespace quillon {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// For each entry that changes, the changing entry whose old name it takes
// (kNone when the target holds no such file), and the reverse.
struct Waits {
    std::vector<std::size_t> waitsFor;
    std::vector<std::size_t> waitedBy;
};

// A name as the disk compares it: folded where it ignores case.
std::string_view keyOf(std::string_view name, NameCase nameCase, std::string& scratch) {
    if (nameCase != NameCase::Folded)
        return name;
    scratch.clear();
    bool ascii = true;
    for (const char c : name) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        scratch.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    if (!ascii)
        scratch = encodeName(foldSimple(decodeName(name)));
    return scratch;
}

NameList foldedKeys(const NameList& names, NameCase nameCase) {
    NameList out;
    if (nameCase != NameCase::Folded)
        return out;
    out.reserve(names.size(), names.byteSize());
    std::string scratch;
    for (const std::string_view name : names)
        out.add(keyOf(name, nameCase, scratch));
    return out;
}

Waits waitsOf(const NameList& oldNames, const NameList& newNames,
              const std::vector<std::size_t>& changing, NameCase nameCase) {
    // A name listed twice (two patterns of the mask) is one file on disk: its
    // first entry stands for it.
    const NameKeys oldKeys(oldNames, nameCase);
    const NameTable oldIndex(oldKeys.list());
    Waits w{std::vector<std::size_t>(oldNames.size(), kNone),
            std::vector<std::size_t>(oldNames.size(), kNone)};
    std::string scratch;
    for (const std::size_t i : changing) {
        const std::size_t j = oldIndex.find(keyOf(newNames[i], nameCase, scratch));
        // A change of letter case only waits for nobody.
        if (j == NameTable::kNone || j == i)
            continue;
        if (oldNames[j] == newNames[j] || w.waitedBy[j] != kNone)
            continue;
        w.waitsFor[i] = j;
        w.waitedBy[j] = i;
    }
    return w;
}

// Temporary names all begin so; only folder entries that do can collide.
constexpr std::string_view kTemporaryPrefix = "_Quillon ";
constexpr std::size_t kNoUnit = static_cast<std::size_t>(-1);

NameList entriesWithPrefix(const NameList& entries, std::string_view prefix) {
    NameList out;
    for (const std::string_view e : entries) {
        if (e.starts_with(prefix))
            out.add(e);
    }
    return out;
}

class Planner final {
public:
    Planner(const NameList& oldNames, const NameList& newNames, const NameList& folderEntries,
            long tag, NameCase nameCase)
        : m_nameCase(nameCase)
        , m_old(oldNames)
        , m_new(newNames)
        , m_ownKind(entriesWithPrefix(folderEntries, kTemporaryPrefix))
        , m_taken(m_ownKind)
        , m_tag(tag) {}

    SavePlan run();

private:
    /// Where a step takes a temporary name that is still to be placed.
    struct TemporaryUse {
        std::size_t step = 0;
        std::string_view RenameStep::*field = nullptr;
        std::size_t temporary = 0;
    };

    /// Makes a temporary name of kind and returns its number.
    std::size_t temporaryName(std::string_view kind);
    /// Has field of the step added next view temporary number; the views are
    /// placed once planning is done, as the buffer grows until then.
    void useNext(std::string_view RenameStep::*field, std::size_t number);
    void placeTemporaries();
    void addWhole(std::size_t i, bool inCycle = false);
    void startUnit(UndoUnitKind kind);
    void endUnit();
    void addChainEndingAt(std::size_t i, std::vector<bool>& done, const Waits& w);
    void addCycleThrough(std::size_t x, std::vector<bool>& done, const Waits& w);

    NameCase m_nameCase;
    const NameList& m_old;
    const NameList& m_new;
    NameList m_ownKind;
    NameTable m_taken;
    long m_tag;
    unsigned m_counter = 0;
    std::vector<TemporaryUse> m_uses;
    std::string m_nameScratch;
    SavePlan m_plan;
};

std::size_t Planner::temporaryName(std::string_view kind) {
    for (;;) {
        const std::string_view name = ownNameInto(m_nameScratch, kind, m_tag, m_counter++);
        if (m_taken.find(name) == NameTable::kNone) {
            m_plan.temporaries.add(name);
            return m_plan.temporaries.size() - 1;
        }
    }
}

void Planner::useNext(std::string_view RenameStep::*field, std::size_t number) {
    m_uses.push_back({m_plan.steps.size(), field, number});
}

void Planner::placeTemporaries() {
    for (const TemporaryUse& use : m_uses)
        m_plan.steps[use.step].*use.field = m_plan.temporaries[use.temporary];
}

void Planner::startUnit(UndoUnitKind kind) {
    m_plan.units.push_back({kind, m_plan.steps.size(), 0});
}

void Planner::endUnit() {
    PlanUnit& unit = m_plan.units.back();
    unit.steps = m_plan.steps.size() - unit.firstStep;
}

// A change of letter case only is a unit of its own, as its way back may
// take a temporary name; inside a cycle the files differ by more than case.
void Planner::addWhole(std::size_t i, bool inCycle) {
    // Where the disk keeps case apart, no temporary name is ever needed.
    const bool caseOnly =
        !inCycle && m_nameCase != NameCase::Exact && sameNameIgnoringCase(m_old[i], m_new[i]);
    if (caseOnly) {
        if (!m_plan.units.empty() && m_plan.units.back().steps == kNoUnit)
            endUnit();
        startUnit(UndoUnitKind::CaseOnly);
        useNext(&RenameStep::caseTemporary, temporaryName("case"));
    } else if (!inCycle && (m_plan.units.empty() || m_plan.units.back().steps != kNoUnit)) {
        startUnit(UndoUnitKind::Chain);
        m_plan.units.back().steps = kNoUnit;
    }
    m_plan.steps.push_back({i, StepRole::Whole, m_old[i], m_new[i], {}});
    if (caseOnly)
        endUnit();
}

// The entry whose target is free (or held by a file that stays) goes first,
// then the one waiting for its old name, and so on up the chain.
void Planner::addChainEndingAt(std::size_t i, std::vector<bool>& done, const Waits& w) {
    for (std::size_t k = i; k != kNone; k = w.waitedBy[k]) {
        addWhole(k);
        done[k] = true;
    }
    if (m_plan.units.back().steps == kNoUnit)
        endUnit();
}

void Planner::addCycleThrough(std::size_t x, std::vector<bool>& done, const Waits& w) {
    const std::size_t temporary = temporaryName("swap");
    startUnit(UndoUnitKind::Cycle);
    useNext(&RenameStep::to, temporary);
    m_plan.steps.push_back({x, StepRole::ToTemporary, m_old[x], {}, {}});
    done[x] = true;
    for (std::size_t k = w.waitedBy[x]; k != x; k = w.waitedBy[k]) {
        addWhole(k, true);
        done[k] = true;
    }
    useNext(&RenameStep::from, temporary);
    m_plan.steps.push_back({x, StepRole::FromTemporary, {}, m_new[x], {}});
    endUnit();
}

SavePlan Planner::run() {
    for (std::size_t i = 0; i < m_old.size(); ++i) {
        if (m_old[i] != m_new[i])
            m_plan.changing.push_back(i);
    }
    const Waits w = waitsOf(m_old, m_new, m_plan.changing, m_nameCase);
    m_plan.steps.reserve(m_plan.changing.size() + 16);
    // Room for a case-only temporary name per rename, which a save of
    // case changes only takes; unused room costs no memory.
    m_plan.temporaries.reserve(m_plan.changing.size(), m_plan.changing.size() * 40);
    m_uses.reserve(m_plan.changing.size());
    std::vector<bool> done(m_old.size(), false);
    for (const std::size_t i : m_plan.changing) {
        if (w.waitsFor[i] == kNone)
            addChainEndingAt(i, done, w);
    }
    // What is left waits in a circle: every entry of it on the next.
    for (const std::size_t i : m_plan.changing) {
        if (!done[i])
            addCycleThrough(i, done, w);
    }
    placeTemporaries();
    return std::move(m_plan);
}

} // namespace

std::vector<SaveConflict> refusedNames(const NameList& oldNames, const NameList& newNames) {
    const NameTable table(newNames);
    std::vector<bool> repeated(newNames.size(), false);
    for (std::size_t i = 0; i < newNames.size(); ++i) {
        if (const std::size_t first = table.firstOf(i); first != i)
            repeated[first] = repeated[i] = true;
    }
    std::vector<SaveConflict> out;
    for (std::size_t i = 0; i < newNames.size(); ++i) {
        if (repeated[i])
            out.push_back({i, ConflictReason::Duplicate});
        else if (oldNames[i] != newNames[i] && !isValidNewName(newNames[i]))
            out.push_back({i, ConflictReason::InvalidName});
    }
    return out;
}

std::vector<SaveConflict> heldNames(const NameList& oldNames, const NameList& newNames,
                                    const NameList& folderEntries, NameCase nameCase,
                                    const NameTable* exactIndex) {
    const NameKeys oldKeys(oldNames, nameCase);
    const NameKeys diskKeys(folderEntries, nameCase);
    std::optional<NameTable> built;
    const NameTable& oldIndex =
        exactIndex && nameCase != NameCase::Folded ? *exactIndex : built.emplace(oldKeys.list());
    const NameTable onDisk(diskKeys.list());
    std::vector<SaveConflict> out;
    std::string scratch;
    for (std::size_t i = 0; i < newNames.size(); ++i) {
        if (oldNames[i] == newNames[i])
            continue;
        const std::string_view key = keyOf(newNames[i], nameCase, scratch);
        if (const std::size_t j = oldIndex.find(key); j != NameTable::kNone) {
            if (j != i && oldNames[j] == newNames[j])
                out.push_back({i, ConflictReason::HeldByUnchangedFile});
        } else if (onDisk.find(key) != NameTable::kNone) {
            out.push_back({i, ConflictReason::HeldOutsideList});
        }
    }
    return out;
}

SavePlan planSave(const NameList& oldNames, const NameList& newNames, const NameList& folderEntries,
                  long tag, NameCase nameCase) {
    return Planner(oldNames, newNames, folderEntries, tag, nameCase).run();
}

std::string_view nameKey(std::string_view name, NameCase nameCase, std::string& scratch) {
    return keyOf(name, nameCase, scratch);
}

NameKeys::NameKeys(const NameList& names, NameCase nameCase)
    : m_folded(foldedKeys(names, nameCase))
    , m_list(nameCase == NameCase::Folded ? m_folded : names) {}

bool hasLetter(std::string_view name) {
    return name.find_first_of(kLetters) != std::string_view::npos;
}

NameCase folderNameCase(FileSystem& fs, const std::string& folder, const NameList& entries) {
    const auto lettered = std::find_if(entries.begin(), entries.end(), hasLetter);
    if (lettered == entries.end())
        return NameCase::Unknown;
    // One look-up: a table over the listing would cost more than the scan.
    return folderNameCaseBy(fs, folder, *lettered, [&](std::string_view name) {
        return std::find(entries.begin(), entries.end(), name) != entries.end();
    });
}

NameCase folderNameCaseBy(FileSystem& fs, const std::string& folder, std::string_view lettered,
                          const std::function<bool(std::string_view)>& listed) {
    const std::size_t letter = lettered.find_first_of(kLetters);
    if (letter == std::string_view::npos)
        return NameCase::Unknown;
    std::string other(lettered);
    other[letter] ^= 0x20;
    if (listed(other))
        return NameCase::Exact; // both spellings are entries of their own
    std::uint64_t identity = 0;
    return fs.entryIdentity(folder, other, identity) == 0 ? NameCase::Folded : NameCase::Exact;
}

} // namespace quillon
