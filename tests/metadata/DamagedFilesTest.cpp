// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillon;
using namespace quillon::metadata;
using quillon::test::AudioKind;
using quillon::test::damagedVariants;
using quillon::test::readFileBytes;
using quillon::test::writeFileBytes;

TEST(DamagedFiles, EveryReaderSurvivesTruncatedAndDamagedFiles) {
    quillon::test::TempFolder folder;
    const quillon::test::SampleTags tags{"Artist", "Album Artist", "Title", "Album", "Genre", 1, 1,
                                         2001};
    std::vector<std::pair<std::string, std::string>> samples; // file name, bytes
    for (AudioKind kind :
         {AudioKind::Mp3Id3v2, AudioKind::Mp3Id3v1, AudioKind::Flac, AudioKind::OggVorbis,
          AudioKind::Opus, AudioKind::M4a, AudioKind::Wav, AudioKind::Aiff}) {
        const std::string name =
            "sample" + std::to_string(samples.size()) + "." + sampleExtension(kind);
        ASSERT_TRUE(writeAudioSample(folder.file(name), kind, tags));
        samples.emplace_back(name, readFileBytes(folder.file(name)));
    }
    ASSERT_TRUE(quillon::test::writeJpegSample(
        folder.file("sample.jpg"),
        {"2004:03:05 09:07:31", "", "2004-03-05T09:07:31", "Make", "M"}));
    samples.emplace_back("sample.jpg", readFileBytes(folder.file("sample.jpg")));
    ASSERT_TRUE(quillon::test::writeHeicSample(
        folder.file("sample.heic"), {"2004:03:05 09:07:31", "", "", "Make", "M"}, 640, 480));
    samples.emplace_back("sample.heic", readFileBytes(folder.file("sample.heic")));

    const MediaFolder media(folder.path());
    const FieldSet all = kAudioFields | kPhotoFields | FieldSet(Field::Modified);
    std::size_t reads = 0;
    for (const auto& [sample, whole] : samples) {
        for (const std::string& bytes : damagedVariants(whole)) {
            // The same bytes under a name of every kind, so each reader sees them.
            for (const char* ext :
                 {"mp3", "flac", "ogg", "opus", "m4a", "wav", "aiff", "jpg", "heic"}) {
                const std::string name = std::string("damaged.") + ext;
                writeFileBytes(folder.file(name), bytes);
                const FileFields f = media.read(name, all);
                EXPECT_TRUE(f.has(Field::Modified));
                ++reads;
            }
        }
        // Reading never writes.
        const FieldSet kept = media.read(sample, all).present();
        EXPECT_TRUE(kept.has(sample.ends_with(".jpg") || sample.ends_with(".heic") ? Field::Taken
                                                                                   : Field::Title))
            << sample;
        EXPECT_TRUE(readFileBytes(folder.file(sample)) == whole) << sample;
    }
    EXPECT_GT(reads, 1000U);
}

// The plain tag reader walks the bytes itself: on any damage it either
// gives what the library gives or leaves the file to the library.
TEST(DamagedFiles, ThePlainTagReaderAgreesWithTheLibraryOnDamagedTags) {
    if (!QUILLON_PLAIN_ID3V2)
        GTEST_SKIP() << "the plain ID3v2 reader is off with this TagLib";
    using namespace quillon::test;
    quillon::test::TempFolder folder;
    const std::string tag = id3v2(
        4, textFrame("TPE1", 1, utf16(u"\uFEFFArtist", false)) + latin1Frame("TIT2", "Title") +
               textFrame("TALB", 3, "Alb\xC3\xBCm") + latin1Frame("TPE2", "Band") +
               latin1Frame("TRCK", "3/9") + latin1Frame("TPOS", "1") + latin1Frame("TDRC", "2001") +
               std::string(16, '\0'));
    const FieldSet wanted = kAudioFields.without(Field::Genre);
    const MediaFolder media(folder.path());
    // The first frame's header too: the reader checks it as the library does.
    const std::string audio = mpegFrames();
    for (const std::string& damaged : damagedVariants(tag + audio.substr(0, 4))) {
        const std::string bytes = damaged + audio.substr(4);
        writeFileBytes(folder.file("damaged.mp3"), bytes);
        writeFileBytes(folder.file("damaged.tagged"), bytes);
        const FileFields plain = media.read("damaged.mp3", wanted);
        const FileFields library = media.read("damaged.tagged", wanted);
        ASSERT_EQ(plain.present(), library.present());
        for (const Field f : {Field::Artist, Field::Title, Field::Album, Field::AlbumArtist})
            EXPECT_EQ(plain.text(f), library.text(f));
        for (const Field f : {Field::Track, Field::Disc, Field::Year})
            EXPECT_EQ(plain.number(f), library.number(f));
    }
}
