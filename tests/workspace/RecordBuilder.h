// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/record/UndoRecord.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace quillon::test {

/// One unit written as its kind, identity and names.
struct UnitSpec {
    UndoUnitKind kind = UndoUnitKind::Chain;
    std::vector<std::string> names;
    std::uint64_t identity = 0;
};

inline UndoRecord recordOf(bool planned, std::initializer_list<UnitSpec> units,
                           std::string saveId = "1") {
    UndoRecord record;
    record.planned = planned;
    record.saveId = std::move(saveId);
    for (const UnitSpec& unit : units) {
        record.startUnit(unit.kind, unit.identity);
        for (const std::string& name : unit.names)
            record.addName(name);
    }
    return record;
}

} // namespace quillon::test
