// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameList.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;

namespace {

// Names at the edges of the byte buffer: nothing, the longest a disk allows,
// bytes that are not UTF-8, and four-byte characters.
const std::vector<std::string> kNames = {
    "",
    std::string(255, 'x'),
    "caf\xC3\xA9 \xFF\xFE.txt",
    "\xF0\x9F\x8E\xB5 song \xF0\x90\x80\x80.mp3",
    "\xC3",
    "plain.txt",
};

NameList listOf(const std::vector<std::string>& names) {
    NameList list;
    for (const std::string& n : names)
        list.add(n);
    return list;
}

std::vector<std::string> bytesOf(const NameList& list) {
    return {list.begin(), list.end()};
}

TEST(NameListTest, EntriesKeepTheirBytesAndDecodeLikeSingleNames) {
    const NameList list = listOf(kNames);
    ASSERT_EQ(list.size(), kNames.size());
    Name scratch = U"left over";
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        EXPECT_EQ(list[i], kNames[i]) << i;
        list.decodeInto(i, scratch);
        EXPECT_EQ(scratch, decodeName(kNames[i])) << i;
        EXPECT_EQ(encodeName(list.decoded(i)), kNames[i]) << i;
    }
}

TEST(NameListTest, EncodedNamesComeBackByteForByte) {
    NameList list;
    for (const std::string& n : kNames)
        list.addEncoded(decodeName(n));
    EXPECT_EQ(bytesOf(list), kNames);
}

// Every entry takes every other name in turn, shorter and longer, often
// enough that the buffer is compacted many times; the neighbours stay intact.
TEST(NameListTest, ReplacingNamesLeavesTheOthersIntact) {
    NameList list = listOf(kNames);
    std::vector<std::string> expected = kNames;
    for (int round = 0; round < 200; ++round) {
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::string& next = kNames[(i + static_cast<std::size_t>(round)) % kNames.size()];
            if (round % 3 == 0)
                list.setEncoded(i, decodeName(next));
            else
                list.set(i, next);
            expected[i] = next;
        }
        ASSERT_EQ(bytesOf(list), expected) << round;
    }
    list.set(0, list[1]); // a view of the list itself
    expected[0] = expected[1];
    list.shrinkToFit();
    EXPECT_EQ(bytesOf(list), expected);
}

TEST(NameListTest, ErasingAndCopyingKeepOrder) {
    NameList list = listOf(kNames);
    list.erase(0);
    list.erase(2);
    EXPECT_EQ(bytesOf(list),
              (std::vector<std::string>{kNames[1], kNames[2], kNames[4], kNames[5]}));
    const NameList copy = list;
    list.set(0, "changed");
    EXPECT_EQ(copy[0], kNames[1]);
    EXPECT_FALSE(copy == list);
    list.clear();
    EXPECT_TRUE(list.empty());
}

} // namespace
