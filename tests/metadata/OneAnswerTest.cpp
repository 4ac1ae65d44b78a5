// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"
#include "tests/metadata/FieldsText.h"
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace quillon;
using namespace quillon::metadata;
using namespace quillon::test;
using namespace std::string_literals;

namespace {

std::string riffChunk(const std::string& id, std::string payload) {
    const std::size_t size = payload.size();
    if (size % 2 != 0)
        payload.push_back('\0');
    std::string out = id;
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
    return out + payload;
}

// A WAV file whose only tag is its RIFF INFO list.
std::string wavWithInfo(const std::string& infoChunks) {
    const std::string format = "\x01\0\x01\0\x40\x1F\0\0\x80\x3E\0\0\x02\0\x10\0"s;
    const std::string body = "WAVE" + riffChunk("fmt ", format) +
                             riffChunk("data", std::string(100, '\0')) +
                             riffChunk("LIST", "INFO" + infoChunks);
    return riffChunk("RIFF", body);
}

const std::string kTexts =
    latin1Frame("TPE1", "Artist") + latin1Frame("TIT2", "Title") + latin1Frame("TALB", "Album");

std::string mp3(int version, const std::string& frames) {
    return id3v2(version, frames + kTexts) + mpegFrames();
}

// A JPEG whose Exif segment starts at offset, behind an XMP segment with
// another date and segments of filler.
std::string jpegWithExifAt(std::size_t offset) {
    TempFolder folder;
    writeJpegSample(folder.file("p.jpg"),
                    {"2004:03:05 09:07:31", "", "1975-06-07T08:09:10", "Canon", "EOS 5D"});
    std::string jpeg = readFileBytes(folder.file("p.jpg"));
    const std::size_t exifAt = jpeg.find("\xFF\xE1\0"s);
    const std::size_t exifLength = 2 + ((static_cast<unsigned char>(jpeg[exifAt + 2]) << 8) |
                                        static_cast<unsigned char>(jpeg[exifAt + 3]));
    const std::string exif = jpeg.substr(exifAt, exifLength);
    jpeg.erase(exifAt, exifLength);
    std::size_t at = jpeg.find("\xFF\xDB"s);
    while (at < offset) {
        // No segment is shorter than four bytes: none is left that short.
        const std::size_t length = offset - at > 60004 ? 60000 : offset - at;
        const std::size_t payload = length - 4;
        const std::string filler = "\xFF\xE9"s + static_cast<char>((payload + 2) >> 8) +
                                   static_cast<char>((payload + 2) & 0xFF) +
                                   std::string(payload, 'x');
        jpeg.insert(at, filler);
        at += filler.size();
    }
    jpeg.insert(at, exif);
    EXPECT_EQ(jpeg.find("Exif\0\0"s), offset + 4);
    return jpeg;
}

struct Case {
    const char* what;
    std::string bytes;
    const char* name;
    const char* expected;
};

} // namespace

// Every field has one value whatever else is asked for with it: the
// listing of all fields and a press that wants one agree.
TEST(OneAnswer, EachFieldReadsTheSameAloneAndWithTheOthers) {
    const Case cases[] = {
        {"RIFF INFO of a WAV",
         wavWithInfo(riffChunk("IART", "Art"s + '\0') + riffChunk("INAM", "Nam"s + '\0') +
                     riffChunk("IPRD", "Alb"s + '\0') + riffChunk("ICRD", "2004-05-01"s + '\0') +
                     riffChunk("IPRT", "7"s + '\0')),
         "a.wav", "artist=Art; title=Nam; album=Alb; track=7; year=2004; "},
        {"RIFF INFO, negative and long numbers",
         wavWithInfo(riffChunk("IART", "Art"s + '\0') + riffChunk("ICRD", "-3"s + '\0') +
                     riffChunk("IPRT", "1234567890"s + '\0')),
         "a.wav", "artist=Art; track=1234567890; "},
        {"ID3v2.4 holding TYER", mp3(4, latin1Frame("TYER", "1999")), "a.mp3",
         "artist=Artist; title=Title; album=Album; year=1999; "},
        {"ID3v2.4 holding TYER and TDRC",
         mp3(4, latin1Frame("TDRC", "2004-05-01") + latin1Frame("TYER", "1999")), "a.mp3",
         "artist=Artist; title=Title; album=Album; year=2004; "},
        {"disc of ten digits", mp3(3, latin1Frame("TPOS", "1234567890")), "a.mp3",
         "artist=Artist; title=Title; album=Album; disc=1234567890; "},
        {"track of ten digits", mp3(3, latin1Frame("TRCK", "1234567890/12")), "a.mp3",
         "artist=Artist; title=Title; album=Album; track=1234567890; "},
        {"the largest number", mp3(3, latin1Frame("TRCK", "4294967295")), "a.mp3",
         "artist=Artist; title=Title; album=Album; track=4294967295; "},
        {"past the largest number", mp3(3, latin1Frame("TRCK", "4294967296")), "a.mp3",
         "artist=Artist; title=Title; album=Album; "},
        {"negative track and year",
         mp3(4, latin1Frame("TRCK", "-3") + latin1Frame("TDRC", "-5") + latin1Frame("TPOS", "-1")),
         "a.mp3", "artist=Artist; title=Title; album=Album; "},
        {"a fraction", mp3(3, latin1Frame("TRCK", "2.5")), "a.mp3",
         "artist=Artist; title=Title; album=Album; "},
        {"audio 4 KiB after the tag", id3v2(3, kTexts) + std::string(4096, 'x') + mpegFrames(),
         "a.mp3", "artist=Artist; title=Title; album=Album; "},
        {"a tag and no audio", id3v2(3, kTexts), "a.mp3",
         "artist=Artist; title=Title; album=Album; "},
        {"a tag and no audio, under another name", id3v2(3, kTexts), "a.bin",
         "artist=Artist; title=Title; album=Album; "},
        {"Exif just past the first block", jpegWithExifAt(131072), "a.jpg",
         "taken=2004-3-5 9:7:31; camera=Canon EOS 5D; width=1; height=1; "},
        {"Exif in the last bytes of the first block", jpegWithExifAt(131072 - 200), "a.jpg",
         "taken=2004-3-5 9:7:31; camera=Canon EOS 5D; width=1; height=1; "},
    };
    const FieldSet every = kAudioFields | kPhotoFields;
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFileBytes(folder.file(c.name), c.bytes);
        const MediaFolder media(folder.path());
        EXPECT_EQ(fieldsText(media.read(c.name, every)), c.expected);
        FileFields alone;
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            if (every.has(static_cast<Field>(i)))
                alone.merge(media.read(c.name, static_cast<Field>(i)));
        }
        EXPECT_EQ(fieldsText(alone), c.expected);
        std::remove(folder.file(c.name).c_str());
    }
}

// Before 1970 the seconds count down: a time on a whole second is that
// second, one just after it too.
TEST(OneAnswer, ModifiedBefore1970ShowsItsOwnSecond) {
    TempFolder folder;
    writeFileBytes(folder.file("old.txt"), "x");
    struct Case {
        std::int64_t seconds;
        long nanoseconds;
        std::int64_t shown;
    };
    for (const Case c : {Case{-86400, 0, -86400}, Case{-86400, 500'000'000, -86400},
                         Case{-1, 0, -1}, Case{-1, 999'999'999, -1}, Case{86400, 0, 86400}}) {
        const timespec times[2] = {{c.seconds, c.nanoseconds}, {c.seconds, c.nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, folder.file("old.txt").c_str(), times, 0), 0);
        const FileFields f = MediaFolder(folder.path()).read("old.txt", Field::Modified);
        EXPECT_EQ(f.date(Field::Modified), localDateTime(c.shown)) << c.seconds;
    }
}
