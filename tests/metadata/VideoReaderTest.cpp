// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/metadata/VideoSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

using namespace quillon;
using namespace quillon::metadata;
using namespace quillon::test;

namespace {

// A zone three hours east of UTC, without daylight saving: a time kept in
// UTC shows three hours later.
class ZoneEastOfUtc final {
public:
    ZoneEastOfUtc() {
        if (const char* zone = std::getenv("TZ"))
            m_saved = zone;
        ::setenv("TZ", "<+03>-3", 1);
        ::tzset();
    }
    ~ZoneEastOfUtc() {
        if (m_saved)
            ::setenv("TZ", m_saved->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    ZoneEastOfUtc(const ZoneEastOfUtc&) = delete;
    ZoneEastOfUtc& operator=(const ZoneEastOfUtc&) = delete;

private:
    std::optional<std::string> m_saved;
};

std::string describe(const FileFields& f) {
    std::string out;
    if (f.has(Field::Taken)) {
        const DateTime d = f.date(Field::Taken);
        char text[40];
        std::snprintf(text, sizeof text, "%04d-%02u-%02u %02u:%02u:%02u; ", d.year,
                      unsigned{d.month}, unsigned{d.day}, unsigned{d.hour}, unsigned{d.minute},
                      unsigned{d.second});
        out += text;
    }
    if (f.has(Field::Width))
        out += std::to_string(f.number(Field::Width)) + "x";
    if (f.has(Field::Height))
        out += std::to_string(f.number(Field::Height));
    return out;
}

// 2021-05-01 08:20:30 UTC.
constexpr std::int64_t kUtc = 1619857230;

struct Case {
    const char* name;
    std::string bytes;
    const char* expected;
};

} // namespace

TEST(VideoReader, GivesTheDateAndSizeOfEachKind) {
    const ZoneEastOfUtc zone;
    const std::string apple = "2021-05-01T10:20:30+0200";
    const Case cases[] = {
        {"a.mp4", mp4Sample("mp42", 640, 480, kUtc), "2021-05-01 11:20:30; 640x480"},
        {"b.mp4", mp4Sample("isom", 640, 480, 0), "640x480"},
        {"c.mov", mp4Sample("qt  ", 1920, 1080, kUtc, apple), "2021-05-01 10:20:30; 1920x1080"},
        {"d.mov", mp4Sample("qt  ", 1920, 1080, 0, apple, true), "2021-05-01 10:20:30; 1920x1080"},
        {"e.m4v", mp4Sample("M4V ", 320, 240, kUtc, {}, true), "2021-05-01 11:20:30; 320x240"},
        {"f.3gp", mp4Sample("3gp4", 176, 144, 0), "176x144"},
        {"g.avi", aviSample(320, 240, "Sat May 01 10:20:30 2021"), "2021-05-01 10:20:30; 320x240"},
        {"h.avi", aviSample(320, 240, ""), "320x240"},
        {"i.mkv", matroskaSample("matroska", 1280, 720, kUtc), "2021-05-01 11:20:30; 1280x720"},
        {"j.webm", matroskaSample("webm", 1280, 720, 0), "1280x720"},
        {"k.mts", transportStreamSample(1280, 720, "2021-05-01 10:20:30", true),
         "2021-05-01 10:20:30; 1280x720"},
        {"l.ts", transportStreamSample(1280, 720, "", false), "1280x720"},
        // The content decides, not the name.
        {"m.jpg", mp4Sample("mp42", 640, 480, kUtc), "2021-05-01 11:20:30; 640x480"},
        {"n", matroskaSample("webm", 640, 360, kUtc), "2021-05-01 11:20:30; 640x360"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        writeFileBytes(folder.file(c.name), c.bytes);
        const MediaFolder media(folder.path());
        EXPECT_EQ(describe(media.read(c.name, kPhotoFields)), c.expected) << c.name;
        // Each field alone, as a press asks for it.
        FileFields alone;
        for (const Field f : {Field::Taken, Field::Width, Field::Height})
            alone.merge(media.read(c.name, f));
        EXPECT_EQ(describe(alone), c.expected) << c.name;
    }
}

// Cut or damaged anywhere, a video never stops the reading (the sanitizers
// watch the library's parsers), and the damage that leaves the headers be
// keeps the fields.
TEST(VideoReader, SurvivesDamagedVideos) {
    TempFolder folder;
    const std::string wholes[] = {
        mp4Sample("qt  ", 640, 480, kUtc, "2021-05-01T10:20:30+0200"),
        aviSample(320, 240, "Sat May 01 10:20:30 2021"),
        matroskaSample("matroska", 1280, 720, kUtc),
        transportStreamSample(1280, 720, "2021-05-01 10:20:30", true),
    };
    std::size_t read = 0;
    for (const std::string& whole : wholes) {
        for (const std::string& variant : damagedVariants(whole)) {
            writeFileBytes(folder.file("v.mp4"), variant);
            const MediaFolder media(folder.path());
            const FileFields f = media.read("v.mp4", kPhotoFields);
            read += f.present().empty() ? 0 : 1;
        }
    }
    EXPECT_GT(read, 0U);
}
