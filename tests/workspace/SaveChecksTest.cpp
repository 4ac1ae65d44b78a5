// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save/SaveChecks.h"
#include "workspace/folder/FolderReader.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillon;

namespace {

using Pair = std::optional<std::pair<std::size_t, std::size_t>>;

// The scan the check must agree with: every i against every later j.
Pair quadraticFirstDuplicate(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i + 1 < names.size(); ++i)
        for (std::size_t j = i + 1; j < names.size(); ++j)
            if (names[i] == names[j])
                return std::pair{i, j};
    return std::nullopt;
}

std::vector<std::string_view> views(const std::vector<std::string>& names) {
    return {names.begin(), names.end()};
}

struct DuplicateRow {
    std::vector<std::string> names;
    Pair expected;
};

TEST(FirstDuplicate, FindsThePairOfTheEarliestRepeatedName) {
    const DuplicateRow rows[] = {
        {{}, std::nullopt},
        {{"a"}, std::nullopt},
        {{"a", "A"}, std::nullopt}, // letter case makes names different
        {{"a", "b", "b", "a"}, std::pair<std::size_t, std::size_t>{0, 3}},
        {{"x", "a", "b", "a", "a"}, std::pair<std::size_t, std::size_t>{1, 3}},
        {{"", "b", ""}, std::pair<std::size_t, std::size_t>{0, 2}},
        {{"caf\xC3\xA9", "cafe\xCC\x81", "caf\xC3\xA9"}, std::pair<std::size_t, std::size_t>{0, 2}},
    };
    for (const DuplicateRow& row : rows)
        EXPECT_EQ(firstDuplicate(views(row.names)), row.expected)
            << testing::PrintToString(row.names);
}

TEST(FirstDuplicate, AgreesWithTheQuadraticScanOnRandomLists) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> names(rng() % 12);
        for (auto& n : names)
            n = std::string(1, static_cast<char>('a' + rng() % 8));
        EXPECT_EQ(firstDuplicate(views(names)), quadraticFirstDuplicate(names))
            << testing::PrintToString(names);
    }
}

TEST(IsValidNewName, RefusesNamesThatAreNoFileOfThisFolder) {
    const std::pair<std::string, bool> rows[] = {
        {"", false},
        {".", false},
        {"..", false},
        {"a/b", false},
        {"/", false},
        {std::string("a\0b", 3), false},
        {kUndoScriptName, false},
        {"...", true},
        {".hidden", true},
        {"_QUILLON - CLICK ME TO UNDO.SH", false},
        {"_Quillon - Click me to UNDO.sh ", true},
        {"a\\b:c?*", true},
        {"\xFF\xFE", true},
        {" ", true},
    };
    for (const auto& [name, valid] : rows)
        EXPECT_EQ(isValidNewName(name), valid) << testing::PrintToString(name);
}

} // namespace
