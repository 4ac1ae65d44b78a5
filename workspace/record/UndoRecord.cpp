// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/record/UndoRecord.h"

#include "workspace/disk/Environment.h"

#include <algorithm>
#include <charconv>

namespace quillon {

namespace {

bool isUserName(std::string_view name) {
    return isOneComponent(name) && !isUndoScriptNameIgnoringCase(name) &&
           ownNameKind(name) == OwnNameKind::None;
}

std::optional<std::string> badName(const UndoUnit& unit, std::size_t k, const char* why) {
    (void)unit;
    return "name " + std::to_string(k + 1) + " " + why;
}

// Each move frees the name the next one takes: the new name of a move is
// the old name of the next, spelled alike or, where the disk ignores case,
// in another letter case.
bool movesLinkUp(const UndoRecord& record, const UndoUnit& unit, bool cyclic) {
    const std::size_t moves = unit.moves();
    for (std::size_t m = 0; m + 1 < moves; ++m) {
        if (!sameNameIgnoringCase(record.name(unit, 2 * m), record.name(unit, 2 * m + 3)))
            return false;
    }
    return !cyclic || record.name(unit, 2 * moves - 2) == record.name(unit, 1);
}

std::optional<std::string> chainProblem(const UndoRecord& record, const UndoUnit& unit) {
    if (unit.count < 2 || unit.count % 2 != 0)
        return "a chain of renames without whole pairs of names";
    for (std::size_t k = 0; k < unit.count; ++k) {
        if (!isUserName(record.name(unit, k)))
            return badName(unit, k, "is no name of a file in this folder");
    }
    if (!movesLinkUp(record, unit, false))
        return "renames that do not follow one another";
    return std::nullopt;
}

std::optional<std::string> cycleProblem(const UndoRecord& record, const UndoUnit& unit) {
    if (unit.count < 6 || unit.count % 2 != 0)
        return "a cycle of renames without whole pairs of names";
    if (unit.identity == 0)
        return "a cycle without the identity of its file";
    const std::size_t last = unit.count - 2;
    for (std::size_t k = 0; k < unit.count; ++k) {
        const bool temporary = k == 1 || k == last;
        const std::string_view name = record.name(unit, k);
        if (temporary ? ownNameKind(name) != OwnNameKind::Swap : !isUserName(name))
            return badName(unit, k,
                           temporary ? "is no temporary name of Quillon's"
                                     : "is no name of a file in this folder");
    }
    if (!movesLinkUp(record, unit, true))
        return "renames that do not close a cycle";
    return std::nullopt;
}

std::optional<std::string> caseProblem(const UndoRecord& record, const UndoUnit& unit) {
    if (unit.count != 3)
        return "a change of letter case without its three names";
    const std::string_view newName = record.name(unit, 0);
    const std::string_view oldName = record.name(unit, 1);
    if (!isUserName(newName))
        return badName(unit, 0, "is no name of a file in this folder");
    if (!isUserName(oldName))
        return badName(unit, 1, "is no name of a file in this folder");
    if (ownNameKind(record.name(unit, 2)) != OwnNameKind::Case)
        return badName(unit, 2, "is no temporary name of Quillon's");
    if (newName == oldName || !sameNameIgnoringCase(newName, oldName))
        return "a change of letter case between names that differ otherwise";
    return std::nullopt;
}

std::string hexOf(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes.substr(0, 64)) {
        out += kHex[static_cast<unsigned char>(c) >> 4];
        out += kHex[static_cast<unsigned char>(c) & 0xf];
    }
    return out;
}

} // namespace

bool isMachineId(std::string_view id) {
    return !id.empty() && id.size() <= 128 && std::ranges::all_of(id, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
}

std::size_t UndoUnit::files() const {
    switch (kind) {
    case UndoUnitKind::CaseOnly:
        return 1;
    case UndoUnitKind::Cycle:
        return moves() - 1;
    case UndoUnitKind::Chain:
        break;
    }
    return moves();
}

void UndoRecord::startUnit(UndoUnitKind kind, std::uint64_t identity) {
    units.push_back({kind, static_cast<std::uint32_t>(names.size()), 0, identity});
}

void UndoRecord::addName(std::string_view name, std::uint64_t fileIdentity) {
    names.add(name);
    ++units.back().count;
    if (fileIdentity != 0 || !identities.empty()) {
        identities.resize(names.size() - 1, 0);
        identities.push_back(fileIdentity);
    }
}

SaveOrigin currentOrigin(const Environment& env) {
    SaveOrigin origin;
    origin.user = env.userId();
    // The machine's identifier stays across reboots and renamed hosts; the
    // host name stands in where a system has none.
    for (const std::string& id : env.machineIds()) {
        if (isMachineId(id)) {
            origin.machine = id;
            return origin;
        }
    }
    origin.machine = hexOf(env.hostName());
    return origin;
}

std::size_t UndoRecord::files() const {
    std::size_t n = 0;
    for (const UndoUnit& unit : units)
        n += unit.files();
    return n;
}

std::optional<std::string> unitProblem(const UndoRecord& record, const UndoUnit& unit) {
    switch (unit.kind) {
    case UndoUnitKind::CaseOnly:
        return caseProblem(record, unit);
    case UndoUnitKind::Cycle:
        return cycleProblem(record, unit);
    case UndoUnitKind::Chain:
        break;
    }
    return chainProblem(record, unit);
}

std::size_t recordByteLimit(const NameList& entries) {
    constexpr std::size_t kOwnText = std::size_t{64} * 1024;
    constexpr std::size_t kPerFile = std::size_t{4} * 255 + 64;
    return kOwnText + 4 * entries.byteSize() + kPerFile * entries.size();
}

bool isValidSaveId(std::string_view id) {
    if (id.empty() || id.size() > 64)
        return false;
    return std::ranges::all_of(id, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '.' || c == '-';
    });
}

} // namespace quillon
