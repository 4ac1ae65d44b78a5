// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/names/NameList.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
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

// Each change to a copy leaves the list it was copied from, and the views
// that list handed out, as they were; and the other way round.
TEST(NameListTest, ACopySharesItsNamesUntilEitherChanges) {
    const struct {
        const char* change;
        std::function<void(NameList&)> apply;
        std::vector<std::string> after;
    } changes[] = {
        {"set shorter",
         [](NameList& l) { l.set(1, "y"); },
         {kNames[0], "y", kNames[2], kNames[3], kNames[4], kNames[5]}},
        {"set longer",
         [](NameList& l) { l.set(4, "a much longer name.txt"); },
         {kNames[0], kNames[1], kNames[2], kNames[3], "a much longer name.txt", kNames[5]}},
        {"set encoded",
         [](NameList& l) { l.setEncoded(0, U"\u00e9.txt"); },
         {"\xC3\xA9.txt", kNames[1], kNames[2], kNames[3], kNames[4], kNames[5]}},
        {"add",
         [](NameList& l) { l.add("new.txt"); },
         {kNames[0], kNames[1], kNames[2], kNames[3], kNames[4], kNames[5], "new.txt"}},
        {"add encoded",
         [](NameList& l) { l.addEncoded(U"n.txt"); },
         {kNames[0], kNames[1], kNames[2], kNames[3], kNames[4], kNames[5], "n.txt"}},
        {"add its own name",
         [](NameList& l) { l.add(l[1]); },
         {kNames[0], kNames[1], kNames[2], kNames[3], kNames[4], kNames[5], kNames[1]}},
        {"erase",
         [](NameList& l) { l.erase(1); },
         {kNames[0], kNames[2], kNames[3], kNames[4], kNames[5]}},
        {"clear", [](NameList& l) { l.clear(); }, {}},
        {"reserve", [](NameList& l) { l.reserve(100, 10000); }, kNames},
        {"shrink", [](NameList& l) { l.shrinkToFit(); }, kNames},
        {"compact",
         [](NameList& l) {
             for (int i = 0; i < 100; ++i)
                 l.set(1, std::string(200 + i % 2, 'z'));
             l.trim();
         },
         {kNames[0], std::string(201, 'z'), kNames[2], kNames[3], kNames[4], kNames[5]}},
    };
    for (const auto& c : changes) {
        for (const bool changeTheCopy : {true, false}) {
            SCOPED_TRACE(std::string(c.change) +
                         (changeTheCopy ? " in the copy" : " in the first"));
            NameList first = listOf(kNames);
            NameList copy = first;
            const std::string_view seen = (changeTheCopy ? first : copy)[3];
            c.apply(changeTheCopy ? copy : first);
            EXPECT_EQ(bytesOf(changeTheCopy ? copy : first), c.after);
            EXPECT_EQ(bytesOf(changeTheCopy ? first : copy), kNames);
            EXPECT_EQ(seen, kNames[3]);
        }
    }
}

// The thread that changes its copy never disturbs one that reads the list
// the copy came from (run under the sanitizers, a race shows there).
TEST(NameListTest, AListIsReadWhileItsCopyChangesOnAnotherThread) {
    NameList first;
    for (int i = 0; i < 20000; ++i)
        first.add("song " + std::to_string(i) + ".mp3");
    NameList copy = first;
    std::thread writer([&copy] {
        for (std::size_t i = 0; i < copy.size(); ++i)
            copy.set(i, "TUNE " + std::to_string(i) + ".MP3");
    });
    std::size_t read = 0;
    for (const std::string_view name : first)
        read += name.size();
    writer.join();
    EXPECT_EQ(first[19999], "song 19999.mp3");
    EXPECT_EQ(copy[19999], "TUNE 19999.MP3");
    EXPECT_GT(read, 0u);
}

} // namespace
