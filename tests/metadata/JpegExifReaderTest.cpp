// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/JpegExifReader.h"
#include "metadata/MediaReaders.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillon;
using namespace quillon::metadata;
using quillon::test::readFileBytes;
using quillon::test::SamplePhoto;

namespace {

// As much as readPhotoFields reads of a file before parsing.
constexpr std::size_t kHead = std::size_t{128} * 1024;

std::string describe(const FileFields& f) {
    std::ostringstream out;
    if (f.has(Field::Taken)) {
        const DateTime d = f.date(Field::Taken);
        out << "taken " << d.year << '-' << +d.month << '-' << +d.day << ' ' << +d.hour << ':'
            << +d.minute << ':' << +d.second << "; ";
    }
    if (f.has(Field::Camera))
        out << "camera '" << f.text(Field::Camera) << "'; ";
    if (f.has(Field::Width))
        out << "width " << f.number(Field::Width) << "; ";
    if (f.has(Field::Height))
        out << "height " << f.number(Field::Height);
    return out.str();
}

std::optional<std::string> readFast(std::string_view bytes, FieldSet wanted,
                                    std::size_t head = kHead) {
    FileFields f;
    if (!readPlainJpegExif(bytes.substr(0, head), bytes.size(), wanted, f))
        return std::nullopt;
    return describe(f);
}

std::string readWithLibrary(const std::string& path, FieldSet wanted) {
    FileFields f;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0)
        readPhotoFieldsWithLibrary(fd, st.st_size, wanted, f);
    ::close(fd);
    return describe(f);
}

std::string bigEndian16(std::size_t n) {
    return {static_cast<char>(n >> 8), static_cast<char>(n & 0xFF)};
}

std::string segment(char marker, const std::string& payload) {
    return std::string{'\xFF', marker} + bigEndian16(payload.size() + 2) + payload;
}

// Before the first table, after the application segments of the samples.
void insertSegments(std::string& jpeg, const std::string& segments) {
    jpeg.insert(jpeg.find("\xFF\xDB"), segments);
}

void setFrameSize(std::string& jpeg, unsigned width, unsigned height) {
    jpeg.replace(jpeg.find("\xFF\xC0") + 5, 4, bigEndian16(height) + bigEndian16(width));
}

// Segments the library reads besides Exif: a comment, a colour profile of
// 132 bytes and Photoshop data.
const std::string kOtherSegments =
    segment('\xFE', "made here") +
    segment('\xE2', std::string("ICC_PROFILE\0\x01\x01\0\0\0\x84", 18) + std::string(128, '\0')) +
    segment('\xED', std::string("Photoshop 3.0\0"
                                "8BIM\x04\x04\0\0\0\0\0\0",
                                26));

SamplePhoto bigEndian(SamplePhoto photo) {
    photo.bigEndian = true;
    return photo;
}

} // namespace

// The fast reader takes the plain files whole and gives what the library
// gives; what it does not take, the library reads.
TEST(JpegExifReader, GivesWhatTheLibraryGives) {
    if (!QUILLON_PLAIN_JPEG_EXIF)
        GTEST_SKIP() << "the plain JPEG Exif reader is off with this Exiv2";
    const SamplePhoto canon{"2004:03:05 09:07:31", "2005:01:01 00:00:00", "", "Canon",
                            "Canon EOS 5D"};
    struct Case {
        const char* name;
        SamplePhoto photo;
        std::function<void(std::string&)> edit;
        bool plain;
    };
    const Case cases[] = {
        {"little-endian", canon, nullptr, true},
        {"big-endian", bigEndian(canon), nullptr, true},
        {"digitized only", bigEndian({"", "2005:01:02 03:04:05", "", "NIKON", "D70"}), nullptr,
         true},
        {"zero original",
         {"0000:00:00 00:00:00", "2005:01:02 03:04:05", "", "", "M"},
         nullptr,
         true},
        {"blanks around",
         {"2004:03:05 09:07", "", "", " NIKON CORPORATION  ", "NIKON D70 "},
         nullptr,
         true},
        {"texts in the entry", {"2004:03:05 09:07:31", "", "", "Abc", "D1"}, nullptr, true},
        {"NUL inside",
         {std::string("2004:03:05\0 09:07", 17), "", "", {"Ca\0x", 4}, "M"},
         nullptr,
         true},
        {"XMP too", {"2004:03:05 09:07:31", "", "1975-06-07T08:09:10", "Make", "M"}, nullptr, true},
        {"frame size", canon, [](std::string& j) { setFrameSize(j, 640, 480); }, true},
        {"other segments", canon, [](std::string& j) { insertSegments(j, kOtherSegments); }, true},
        {"image past the head", canon, [](std::string& j) { j.insert(j.size() - 2, 3 * kHead, 0); },
         true},
        {"a marker without a length before the frame", canon,
         [](std::string& j) { insertSegments(j, std::string("\xFF\xD4\0\x04xx", 6)); }, false},
        {"XMP date only", {"", "", "1975-06-07T08:09:10", "Make", "M"}, nullptr, false},
        {"no Exif", {"", "", "1975-06-07T08:09:10", "", ""}, nullptr, false},
        {"frame of no height", canon, [](std::string& j) { setFrameSize(j, 64, 0); }, false},
        {"two Exif segments", canon,
         [](std::string& j) { j.insert(2, j.substr(2, j.find("\xFF\xDB") - 2)); }, false},
        {"frame past the head", canon,
         [](std::string& j) {
             for (int i = 0; i < 3; ++i)
                 insertSegments(j, segment('\xE9', std::string(60000, 'x')));
         },
         false},
    };
    quillon::test::TempFolder folder;
    const std::string path = folder.file("p.jpg");
    for (const Case& c : cases) {
        ASSERT_TRUE(writeJpegSample(path, c.photo)) << c.name;
        std::string bytes = readFileBytes(path);
        if (c.edit) {
            c.edit(bytes);
            quillon::test::writeFileBytes(path, bytes);
        }
        for (const FieldSet wanted : {kPhotoFields, FieldSet(Field::Camera)}) {
            const auto fast = readFast(bytes, wanted);
            if (wanted == kPhotoFields) {
                EXPECT_EQ(fast.has_value(), c.plain) << c.name;
            }
            if (fast) {
                EXPECT_EQ(*fast, readWithLibrary(path, wanted)) << c.name;
            }
        }
    }
}

// Damage anywhere, in the file or by a head cut short, makes the fast reader
// give up or still agree with the library (and never read outside the head,
// which the sanitizers check).
TEST(JpegExifReader, GivesUpOnDamageOrAgreesWithTheLibrary) {
    if (!QUILLON_PLAIN_JPEG_EXIF)
        GTEST_SKIP() << "the plain JPEG Exif reader is off with this Exiv2";
    quillon::test::TempFolder folder;
    const std::string path = folder.file("p.jpg");
    const SamplePhoto photo{"2004:03:05 09:07:31", "2005:01:01 00:00:00", "", "Make", "Model"};
    std::size_t agreed = 0;
    for (const SamplePhoto& sample : {photo, bigEndian(photo)}) {
        ASSERT_TRUE(writeJpegSample(path, sample));
        const std::string whole = readFileBytes(path);
        std::vector<std::string> variants = quillon::test::damagedVariants(whole);
        // Besides, every byte in turn set to 0, to 0xFF and to another value.
        for (std::size_t at = 0; at < whole.size(); ++at) {
            for (const char c : {'\0', '\xFF', static_cast<char>(whole[at] ^ 0x21)})
                variants.push_back(std::string(whole).replace(at, 1, 1, c));
        }
        for (std::size_t head = 0; head <= whole.size(); ++head) {
            if (const auto fast = readFast(whole, kPhotoFields, head)) {
                EXPECT_EQ(*fast, readWithLibrary(path, kPhotoFields)) << "head " << head;
                ++agreed;
            }
        }
        for (std::size_t i = 0; i < variants.size(); ++i) {
            if (const auto fast = readFast(variants[i], kPhotoFields)) {
                quillon::test::writeFileBytes(path, variants[i]);
                EXPECT_EQ(*fast, readWithLibrary(path, kPhotoFields)) << "variant " << i;
                ++agreed;
            }
        }
    }
    // Damage to the image data and to the dates' digits leaves files plain.
    EXPECT_GT(agreed, 500U);
}
