// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/FileKind.h"
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/VideoSamples.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::metadata;
using namespace quillon::test;
using namespace std::string_literals;

namespace {

struct Case {
    const char* what;
    std::string head;
    FileKind kind;
};

std::string ftyp(const std::string& brand) {
    return "\0\0\0\x18"s + "ftyp" + brand + std::string(4, '\0') + brand + "isom";
}

std::string riff(const std::string& form) {
    return "RIFF\x24\0\0\0"s + form + "fmt ";
}

} // namespace

TEST(FileKind, TellsEachKindByItsFirstBytes) {
    const Case cases[] = {
        {"JPEG",
         "\xFF\xD8\xFF\xE1\0\x10"
         "Exif\0\0"s,
         FileKind::Jpeg},
        {"TIFF, little-endian", "II*\0\x08\0\0\0"s, FileKind::Tiff},
        {"TIFF, big-endian (NEF, DNG)", "MM\0*\0\0\0\x08"s, FileKind::Tiff},
        {"Olympus raw", "IIRO\x08\0\0\0"s, FileKind::Tiff},
        {"Panasonic raw", "IIU\0\x08\0\0\0"s, FileKind::Tiff},
        {"PNG", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"s, FileKind::Png},
        {"WebP", riff("WEBP"), FileKind::WebP},
        {"HEIC", ftyp("heic"), FileKind::Heif},
        {"AVIF", ftyp("avif"), FileKind::Heif},
        {"CR3", ftyp("crx "), FileKind::Heif},
        {"GIF", "GIF89a\x10\0"s, FileKind::OtherImage},
        {"ID3v2 first", id3v2(3, latin1Frame("TIT2", "T")), FileKind::Id3Tagged},
        {"MPEG audio frame", "\xFF\xFB\x90\x64"s + std::string(40, '\0'), FileKind::MpegAudio},
        {"ADTS", "\xFF\xF1\x50\x80"s, FileKind::MpegAudio},
        {"FLAC", "fLaC\0\0\0\x22"s, FileKind::Flac},
        {"Ogg", "OggS\0\x02"s, FileKind::Ogg},
        {"WAV", riff("WAVE"), FileKind::Wav},
        {"AIFF",
         "FORM\0\0\0\x20"
         "AIFF"s,
         FileKind::Aiff},
        {"AIFF-C",
         "FORM\0\0\0\x20"
         "AIFC"s,
         FileKind::Aiff},
        {"Monkey's Audio", "MAC \x96\x0F"s, FileKind::Ape},
        {"WavPack", "wvpk\x20\0\0\0"s, FileKind::WavPack},
        {"ASF", "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C"s, FileKind::Asf},
        {"M4A", ftyp("M4A "), FileKind::QuickTimeAudio},
        {"MP4", mp4Sample("mp42", 64, 64, 0), FileKind::QuickTime},
        {"MOV", mp4Sample("qt  ", 64, 64, 0), FileKind::QuickTime},
        {"M4V", ftyp("M4V "), FileKind::QuickTime},
        {"3GP", ftyp("3gp4"), FileKind::QuickTime},
        {"QuickTime without ftyp", "\0\0\0\x08wide\0\0\0\x10mdat"s, FileKind::QuickTime},
        {"QuickTime, movie box first", "\0\0\0\x6Cmoov"s, FileKind::QuickTime},
        {"AVI", aviSample(64, 64, ""), FileKind::Avi},
        {"Matroska", matroskaSample("matroska", 64, 64, 0), FileKind::Matroska},
        {"WebM", matroskaSample("webm", 64, 64, 0), FileKind::Matroska},
        {"transport stream", transportStreamSample(64, 64, "", false).substr(0, 1024),
         FileKind::MpegTs},
        {"camera stream, with time codes", transportStreamSample(64, 64, "", true).substr(0, 1024),
         FileKind::MpegTsWithTimeCodes},
        {"two packets only", transportStreamSample(64, 64, "", false).substr(0, 376),
         FileKind::Unknown},
        {"a sync byte, then other bytes", "\x47" + std::string(400, 'x'), FileKind::Unknown},
        {"RIFF of another form", riff("CDXA"), FileKind::Unknown},
        {"text", "Dear Sir,\n", FileKind::Unknown},
        {"PDF", "%PDF-1.7\n", FileKind::Unknown},
        {"ZIP", "PK\x03\x04"s, FileKind::Unknown},
        {"empty", "", FileKind::Unknown},
        {"cut short", "\x89PN", FileKind::Unknown},
        {"a reserved MPEG version", "\xFF\xEB\x90\x64"s, FileKind::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(fileKind(c.head)), static_cast<int>(c.kind)) << c.what;
}

TEST(FileKind, GivesEachKindToOneReader) {
    for (int k = 0; k <= static_cast<int>(FileKind::MpegTsWithTimeCodes); ++k) {
        const auto kind = static_cast<FileKind>(k);
        const int readers =
            int{isPhotoKind(kind)} + int{isAudioKind(kind)} + int{isVideoKind(kind)};
        EXPECT_EQ(readers, kind == FileKind::Unknown ? 0 : 1) << k;
    }
}
