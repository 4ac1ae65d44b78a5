// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"
#include "metadata/MediaReaders.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/metadata/VideoSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// The fields of the file at path as the plain reader gives them, or nothing
// where it leaves the file to the library; and as the library gives them.
std::optional<std::string> readPlain(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    FileFields f;
    const bool plain =
        fd >= 0 && ::fstat(fd, &st) == 0 &&
        readPlainQuickTime(fd, static_cast<std::uint64_t>(st.st_size), kPhotoFields, f);
    ::close(fd);
    return plain ? std::optional(describe(f)) : std::nullopt;
}

std::string readWithLibrary(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    FileFields f;
    if (fd >= 0 && ::fstat(fd, &st) == 0)
        readVideoFieldsWithLibrary(fd, st.st_size, FileKind::QuickTime, kPhotoFields, f);
    ::close(fd);
    return describe(f);
}

Mp4Shape shaped(const std::function<void(Mp4Shape&)>& edit) {
    Mp4Shape shape;
    shape.width = 1920;
    shape.height = 1080;
    shape.utcSeconds = kUtc;
    edit(shape);
    return shape;
}

const std::string kAppleDate = "2021-05-01T10:20:30+0200";

} // namespace

// The plain reader takes the clips phones write and gives what the library
// gives; what it does not take, the library reads.
TEST(PlainQuickTimeReader, GivesWhatTheLibraryGives) {
    if (!QUILLON_PLAIN_QUICKTIME)
        GTEST_SKIP() << "the plain QuickTime reader is off with this MediaInfoLib";
    const ZoneEastOfUtc zone;
    const std::string dayItem = isoBox("\xA9"
                                       "day",
                                       std::string("\0\x0A\x55\xC4", 4) + "2019-02-03");
    const std::string placeItem =
        isoBox("\xA9xyz", std::string("\0\x12\x15\xC7", 4) + "+52.5200+013.4050/");
    const std::string udta = isoBox("udta", dayItem);
    const std::string place = isoBox("udta", placeItem);
    struct Case {
        const char* name;
        Mp4Shape shape;
        bool plain;
    };
    const Case cases[] = {
        {"movie header only", shaped([](Mp4Shape&) {}), true},
        {"moov last", shaped([](Mp4Shape& s) { s.moovLast = true; }), true},
        {"Apple's date", shaped([&](Mp4Shape& s) { s.appleDate = kAppleDate; }), true},
        {"Apple's date west", shaped([](Mp4Shape& s) { s.appleDate = "2021-12-31T23:59:59-0800"; }),
         true},
        {"Apple's date, no header time", shaped([&](Mp4Shape& s) {
             s.appleDate = kAppleDate;
             s.utcSeconds = 0;
             s.moovLast = true;
         }),
         true},
        {"Apple's make too", shaped([&](Mp4Shape& s) {
             s.appleDate = kAppleDate;
             s.otherAppleKey = "com.apple.quicktime.make";
         }),
         true},
        {"make without date",
         shaped([](Mp4Shape& s) { s.otherAppleKey = "com.apple.quicktime.model"; }), true},
        {"64-bit times", shaped([](Mp4Shape& s) { s.longTimes = true; }), true},
        {"64-bit times in 2100", shaped([](Mp4Shape& s) {
             s.longTimes = true;
             s.utcSeconds = 4'102'444'800 + 3'723;
         }),
         true},
        {"1950", shaped([](Mp4Shape& s) { s.utcSeconds = -631'152'000 + 45'296; }), true},
        {"64-bit sizes", shaped([](Mp4Shape& s) { s.largeSizes = true; }), true},
        {"media data to the end", shaped([](Mp4Shape& s) { s.mdatToEnd = true; }), true},
        {"sound track", shaped([](Mp4Shape& s) { s.soundTrack = true; }), true},
        {"sound and metadata tracks", shaped([](Mp4Shape& s) {
             s.soundTrack = true;
             s.metadataTrack = true;
         }),
         true},
        {"user data with the place", shaped([&](Mp4Shape& s) { s.extraMovieBoxes = place; }), true},
        {"user data with the place and a date",
         shaped([&](Mp4Shape& s) { s.extraMovieBoxes = isoBox("udta", placeItem + dayItem); }),
         false},
        {"QuickTime brand", shaped([](Mp4Shape& s) { s.brand = "qt  "; }), true},
        {"3GP, small", shaped([](Mp4Shape& s) {
             s.brand = "3gp4";
             s.width = 176;
             s.height = 144;
         }),
         true},
        {"no date at all", shaped([](Mp4Shape& s) { s.utcSeconds = 0; }), false},
        {"header time 1970", shaped([](Mp4Shape& s) { s.utcSeconds = 3600; }), false},
        {"Apple's date in another form",
         shaped([](Mp4Shape& s) { s.appleDate = "2021-05-01 10:20:30"; }), false},
        {"Apple's date under another key", shaped([&](Mp4Shape& s) {
             s.appleDate = kAppleDate;
             s.appleKey = "com.apple.quicktime.creationdate.other";
         }),
         false},
        {"unknown Apple key", shaped([](Mp4Shape& s) { s.otherAppleKey = "com.example.date"; }),
         false},
        {"user data date", shaped([&](Mp4Shape& s) { s.extraMovieBoxes = udta; }), false},
        {"two video tracks", shaped([](Mp4Shape& s) { s.videoTracks = 2; }), false},
        // The library gives the size as stored, whichever way it is shown.
        {"turned 90", shaped([](Mp4Shape& s) { s.rotation = 90; }), true},
        {"turned 180", shaped([](Mp4Shape& s) { s.rotation = 180; }), true},
        {"turned 270", shaped([](Mp4Shape& s) { s.rotation = 270; }), true},
        {"mirrored", shaped([](Mp4Shape& s) { s.rotation = -1; }), false},
        {"entry size differs", shaped([](Mp4Shape& s) { s.entryWidth = 1440; }), false},
        {"fragments", shaped([](Mp4Shape& s) { s.extraMovieBoxes = isoBox("mvex", ""); }), false},
    };
    TempFolder folder;
    const std::string path = folder.file("v.mp4");
    for (const Case& c : cases) {
        writeFileBytes(path, mp4Sample(c.shape));
        const auto plain = readPlain(path);
        EXPECT_EQ(plain.has_value(), c.plain) << c.name;
        const std::string library = readWithLibrary(path);
        if (plain) {
            EXPECT_EQ(*plain, library) << c.name;
        }
        // What the programs read is the library's answer either way.
        EXPECT_EQ(describe(MediaFolder(folder.path()).read("v.mp4", kPhotoFields)), library)
            << c.name;
    }
}

// Damage anywhere, by a cut or in any byte of the boxes, makes the plain
// reader give up or still agree with the library.
TEST(PlainQuickTimeReader, GivesUpOnDamageOrAgreesWithTheLibrary) {
    if (!QUILLON_PLAIN_QUICKTIME)
        GTEST_SKIP() << "the plain QuickTime reader is off with this MediaInfoLib";
    const ZoneEastOfUtc zone;
    TempFolder folder;
    const std::string path = folder.file("v.mp4");
    std::size_t agreed = 0;
    const Mp4Shape shapes[] = {
        shaped([](Mp4Shape& s) { s.longTimes = true; }),
        shaped([&](Mp4Shape& s) {
            s.appleDate = kAppleDate;
            s.moovLast = true;
            s.soundTrack = true;
            s.metadataTrack = true;
            s.extraMovieBoxes =
                isoBox("udta", isoBox("\xA9xyz", std::string("\0\x03\x15\xC7+1/", 7)));
        }),
    };
    for (const Mp4Shape& shape : shapes) {
        const std::string whole = mp4Sample(shape);
        std::vector<std::string> variants = damagedVariants(whole);
        // Every byte of the boxes but the media data, set to 0, to 0xFF and
        // to another value.
        const std::size_t media = whole.find("mdat");
        for (std::size_t at = 0; at < whole.size(); ++at) {
            if (at > media + 8 && at < media + 4096)
                continue;
            for (const char c : {'\0', '\xFF', static_cast<char>(whole[at] ^ 0x21)})
                variants.push_back(std::string(whole).replace(at, 1, 1, c));
        }
        for (std::size_t i = 0; i < variants.size(); ++i) {
            writeFileBytes(path, variants[i]);
            if (const auto plain = readPlain(path)) {
                EXPECT_EQ(*plain, readWithLibrary(path)) << "variant " << i;
                ++agreed;
            }
        }
    }
    // Headers of a version no reader knows (the library reads no date from
    // such a movie header).
    const std::string whole = mp4Sample(shaped([](Mp4Shape&) {}));
    for (const char* header : {"mvhd", "tkhd"}) {
        for (const char version : {'\x02', '\x80', '\xFE', '\xFF'}) {
            std::string bytes = whole;
            bytes[bytes.find(header) + 4] = version;
            writeFileBytes(path, bytes);
            EXPECT_FALSE(readPlain(path)) << header << " " << +static_cast<unsigned char>(version);
        }
    }
    // Nor a movie without its file type box, as old QuickTime files start.
    writeFileBytes(path, whole.substr(whole.find("moov") - 4));
    EXPECT_FALSE(readPlain(path));
    // Damage to the media, the times and the sound track leaves clips plain.
    EXPECT_GT(agreed, 300U);
}
