// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace quillon;

namespace {

// A few hundred names in a table of a few hundred slots: long probe runs that
// wrap around the end, so taking a name out has to move its neighbours back.
TEST(NameMapTest, FollowsAnOrderedMapThroughRenames) {
    std::vector<std::string> pool;
    for (int i = 0; i < 400; ++i)
        pool.push_back("track " + std::to_string(i) + (i % 3 == 0 ? ".MP3" : ".mp3"));
    pool.emplace_back(std::string(255, 'x'));
    pool.emplace_back("caf\xC3\xA9 \xFF.txt");
    NameMap names;
    std::map<std::string, std::uint64_t> expected;
    std::mt19937 random(34);
    for (int step = 0; step < 20000; ++step) {
        const std::string& from = pool[random() % pool.size()];
        const std::string& to = pool[random() % pool.size()];
        if (random() % 2 == 0) {
            names.set(from, step);
            expected[from] = step;
        } else {
            // A rename: the number goes with the file.
            const std::uint64_t value = names.erase(from);
            const auto it = expected.find(from);
            ASSERT_EQ(value, it == expected.end() ? 0 : it->second) << step;
            if (it != expected.end())
                expected.erase(it);
            names.set(to, value);
            expected[to] = value;
        }
        ASSERT_EQ(names.size(), expected.size()) << step;
    }
    for (const std::string& name : pool) {
        const std::uint64_t* found = names.find(name);
        const auto it = expected.find(name);
        ASSERT_EQ(found != nullptr, it != expected.end()) << name;
        if (found != nullptr) {
            EXPECT_EQ(*found, it->second) << name;
        }
    }
}

TEST(NameMapTest, EmptyAndMissingNames) {
    NameMap names;
    EXPECT_FALSE(names.contains("a"));
    EXPECT_EQ(names.erase("a"), 0U);
    names.set("", 5);
    EXPECT_EQ(names.size(), 0U);
    names.set("a", 7);
    names.set("A", 8);
    EXPECT_EQ(*names.find("a"), 7U);
    EXPECT_EQ(names.erase("a"), 7U);
    EXPECT_FALSE(names.contains("a"));
    EXPECT_TRUE(names.contains("A"));
}

} // namespace
