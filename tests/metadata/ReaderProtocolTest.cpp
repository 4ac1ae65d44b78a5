// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ReaderProtocol.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quillon;
using namespace quillon::metadata;
using namespace quillon::metadata::reader;

namespace {

std::string record(unsigned field, std::string_view payload) {
    std::string r;
    r.push_back(static_cast<char>(field));
    r.push_back(static_cast<char>(payload.size() & 0xFF));
    r.push_back(static_cast<char>(payload.size() >> 8));
    r.append(payload);
    return r;
}

template <class T>
std::string bytes(const T& value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

constexpr unsigned kArtist = static_cast<unsigned>(Field::Artist);
constexpr unsigned kTrack = static_cast<unsigned>(Field::Track);
constexpr unsigned kTaken = static_cast<unsigned>(Field::Taken);

} // namespace

// What a reader sends back comes from a process that parsed hostile bytes:
// anything that is not exactly what a FileFields writes is refused whole.
TEST(ReaderProtocol, RecordsAreCheckedBeforeTheyBecomeFields) {
    const DateTime date{2004, 3, 5, 9, 7, 0};
    const DateTime month13{2004, 13, 5, 9, 7, 0};
    struct Case {
        const char* what;
        std::string records;
        bool accepted;
    };
    const Case cases[] = {
        {"none", "", true},
        {"a text", record(kArtist, "Ärzte"), true},
        {"an empty text", record(kArtist, ""), true},
        {"a number", record(kTrack, bytes(std::uint32_t{7})), true},
        {"a date", record(kTaken, bytes(date)), true},
        {"all three",
         record(kArtist, "A") + record(kTrack, bytes(std::uint32_t{1})) +
             record(kTaken, bytes(date)),
         true},
        {"an unknown field", record(kFieldCount, "x"), false},
        {"the same field twice", record(kArtist, "A") + record(kArtist, "B"), false},
        {"a length past the end", record(kArtist, "Artist").substr(0, 6), false},
        {"half a header", std::string("\x00\x01", 2), false},
        {"a number of two bytes", record(kTrack, "\x01\x00"), false},
        {"a date of the wrong size", record(kTaken, "2004"), false},
        {"an impossible date", record(kTaken, bytes(month13)), false},
        {"trailing bytes", record(kArtist, "A") + std::string(1, '\0'), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileFields fields;
        fields.setText(Field::Genre, "kept when refused");
        EXPECT_EQ(FileFields::fromRecords(c.records, fields), c.accepted);
        if (c.accepted)
            EXPECT_EQ(fields.records(), c.records);
        else
            EXPECT_EQ(fields.text(Field::Genre), "kept when refused");
    }
}

TEST(ReaderProtocol, ARequestBodyCarriesSizesAndExtensions) {
    const std::string longExtension(kMaxExtension + 1, 'x');
    const Job jobs[] = {{5, 1234, "mp3"}, {6, 0, ""}, {7, INT64_MAX, longExtension}};
    const std::string body = encodeRequestBody(jobs);
    std::vector<ReceivedJob> received;
    ASSERT_TRUE(decodeRequestBody(body, 3, received));
    EXPECT_EQ(received[0].size, 1234);
    EXPECT_EQ(received[0].extension, "mp3");
    EXPECT_EQ(received[1].extension, "");
    EXPECT_EQ(received[2].size, INT64_MAX);
    EXPECT_EQ(received[2].extension, ""); // too long to be a hint
    EXPECT_FALSE(decodeRequestBody(body, 2, received));
    EXPECT_FALSE(decodeRequestBody(body, 4, received));
    EXPECT_FALSE(decodeRequestBody(body.substr(0, body.size() - 1), 3, received));
}

TEST(ReaderProtocol, AReplyGivesEachFileItsFieldsOrItsUnreadableMark) {
    FileFields read;
    read.setText(Field::Title, "Title");
    FileFields unreadable;
    unreadable.setUnreadable();
    std::string body;
    appendReply(body, read);
    appendReply(body, unreadable);
    appendReply(body, FileFields{});

    std::vector<FileFields> out(3);
    ASSERT_TRUE(decodeReplyBody(body, out));
    EXPECT_EQ(out[0].text(Field::Title), "Title");
    EXPECT_FALSE(out[0].unreadable());
    EXPECT_TRUE(out[1].unreadable());
    EXPECT_TRUE(out[2].present().empty());
    EXPECT_FALSE(out[2].unreadable());

    std::vector<FileFields> tooMany(4);
    EXPECT_FALSE(decodeReplyBody(body, tooMany));
    std::vector<FileFields> tooFew(2);
    EXPECT_FALSE(decodeReplyBody(body, tooFew));
    std::string badStatus = body;
    badStatus[0] = 7;
    EXPECT_FALSE(decodeReplyBody(badStatus, out));
}
