// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"
#include "metadata/MediaReaders.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

using namespace quillon;
using namespace quillon::metadata;
using quillon::test::AudioKind;

namespace {

const quillon::test::SampleTags kTags{"Artist Ä", "Various", "Title/Part 2", "Album", "Rock", 3,
                                      2,          1999};

std::string sampleName(AudioKind kind) {
    return std::string("song.") + quillon::test::sampleExtension(kind);
}

struct Expected {
    AudioKind kind;
    FieldSet present; // which of the audio fields the container keeps
};

quillon::test::SampleTags sampleTags(const char* artist, const char* title) {
    quillon::test::SampleTags tags;
    tags.artist = artist;
    tags.title = title;
    return tags;
}

constexpr FieldSet kAllButDisc =
    kAudioFields.without(FieldSet(Field::Disc) | FieldSet(Field::AlbumArtist));

} // namespace

TEST(MediaFolder, ReadsEachAudioFieldFromEachContainer) {
    const Expected cases[] = {
        {AudioKind::Mp3Id3v2, kAudioFields}, {AudioKind::Mp3Id3v1, kAllButDisc},
        {AudioKind::Flac, kAudioFields},     {AudioKind::OggVorbis, kAudioFields},
        {AudioKind::Opus, kAudioFields},     {AudioKind::M4a, kAudioFields},
        {AudioKind::Wav, kAudioFields},      {AudioKind::Aiff, kAudioFields},
    };
    quillon::test::TempFolder folder;
    for (const Expected& c : cases) {
        SCOPED_TRACE(sampleName(c.kind));
        ASSERT_TRUE(writeAudioSample(folder.file(sampleName(c.kind)), c.kind, kTags));
        const MediaFolder media(folder.path());
        const FileFields f = media.read(sampleName(c.kind), kAudioFields);
        EXPECT_EQ(f.present(), c.present);
        EXPECT_EQ(f.text(Field::Artist), "Artist Ä");
        EXPECT_EQ(f.text(Field::Title),
                  c.kind == AudioKind::Mp3Id3v1 ? "Title/Part 2" : kTags.title);
        EXPECT_EQ(f.number(Field::Track), 3U);
        EXPECT_EQ(f.number(Field::Year), 1999U);
        EXPECT_EQ(f.text(Field::Genre), "Rock");
        if (c.present.has(Field::Disc)) {
            EXPECT_EQ(f.number(Field::Disc), 2U);
            EXPECT_EQ(f.text(Field::AlbumArtist), "Various");
        }
    }
}

TEST(MediaFolder, ReadsOnlyTheFieldsAskedFor) {
    quillon::test::TempFolder folder;
    ASSERT_TRUE(writeAudioSample(folder.file("a.mp3"), AudioKind::Mp3Id3v2, kTags));
    const MediaFolder media(folder.path());
    const FileFields f = media.read("a.mp3", FieldSet(Field::Title));
    EXPECT_EQ(f.present(), FieldSet(Field::Title));
}

TEST(MediaFolder, FindsTheKindByContentWhenTheExtensionLies) {
    quillon::test::TempFolder folder;
    ASSERT_TRUE(writeAudioSample(folder.file("a.flac"), AudioKind::Flac, kTags));
    ASSERT_EQ(::rename(folder.file("a.flac").c_str(), folder.file("a.mp3").c_str()), 0);
    EXPECT_EQ(MediaFolder(folder.path()).read("a.mp3", kAudioFields).text(Field::Album), "Album");
}

TEST(MediaFolder, MissingTagsAreMissingFields) {
    quillon::test::TempFolder folder;
    ASSERT_TRUE(
        writeAudioSample(folder.file("a.mp3"), AudioKind::Mp3Id3v2, sampleTags("Only", "")));
    const FileFields f = MediaFolder(folder.path()).read("a.mp3", kAudioFields);
    EXPECT_EQ(f.present(), FieldSet(Field::Artist));
}

TEST(MediaFolder, Latin1TagTextComesAsUtf8) {
    quillon::test::TempFolder folder;
    ASSERT_TRUE(
        writeAudioSample(folder.file("a.mp3"), AudioKind::Mp3Id3v1, sampleTags("Café", "x")));
    EXPECT_EQ(MediaFolder(folder.path()).read("a.mp3", kAudioFields).text(Field::Artist), "Café");
}

TEST(MediaFolder, ReadsThePhotoFields) {
    struct Case {
        quillon::test::SamplePhoto photo;
        std::optional<DateTime> taken;
        std::string camera;
    };
    const Case cases[] = {
        {{"2004:03:05 09:07:31", "2005:01:01 00:00:00", "", "Canon", "Canon EOS 5D"},
         DateTime{2004, 3, 5, 9, 7, 31},
         "Canon EOS 5D"},
        {{"", "2005:01:02 03:04:05", "", "NIKON", "D70"},
         DateTime{2005, 1, 2, 3, 4, 5},
         "NIKON D70"},
        {{"", "", "1975-06-07T08:09:10", "", ""}, DateTime{1975, 6, 7, 8, 9, 10}, ""},
        {{"2150:12:31 23:59:59", "", "", "", ""}, DateTime{2150, 12, 31, 23, 59, 59}, ""},
        {{"0000:00:00 00:00:00", "", "", "", "Model"}, std::nullopt, "Model"},
    };
    quillon::test::TempFolder folder;
    for (const Case& c : cases) {
        ASSERT_TRUE(writeJpegSample(folder.file("p.jpg"), c.photo));
        const FileFields f = MediaFolder(folder.path()).read("p.jpg", kPhotoFields);
        EXPECT_EQ(f.has(Field::Taken), c.taken.has_value());
        if (c.taken) {
            EXPECT_EQ(f.date(Field::Taken), *c.taken);
        }
        EXPECT_EQ(f.text(Field::Camera), c.camera);
        EXPECT_GT(f.number(Field::Width), 0U);
        EXPECT_GT(f.number(Field::Height), 0U);
    }
}

// HEIF photos keep their Exif in an item of the file's box structure, and
// their size in the image's spatial extents.
TEST(MediaFolder, ReadsThePhotoFieldsOfHeic) {
    quillon::test::TempFolder folder;
    const quillon::test::SamplePhoto photo{"2023:10:11 12:13:14", "", "", "Apple", "iPhone 12"};
    ASSERT_TRUE(writeHeicSample(folder.file("p.heic"), photo, 4032, 3024));
    const FileFields f = MediaFolder(folder.path()).read("p.heic", kPhotoFields);
    EXPECT_EQ(f.date(Field::Taken), (DateTime{2023, 10, 11, 12, 13, 14}));
    EXPECT_EQ(f.text(Field::Camera), "Apple iPhone 12");
    EXPECT_EQ(f.number(Field::Width), 4032U);
    EXPECT_EQ(f.number(Field::Height), 3024U);
    EXPECT_FALSE(
        MediaFolder(folder.path()).read("p.heic", kAudioFields).present().intersects(kAudioFields));
}

TEST(MediaFolder, ModifiedComesFromTheDiskWithoutOpening) {
    quillon::test::TempFolder folder;
    std::ofstream(folder.file("plain.txt")) << "text";
    ASSERT_EQ(::chmod(folder.file("plain.txt").c_str(), 0), 0); // unreadable, still dated
    const FileFields f = MediaFolder(folder.path()).read("plain.txt", FieldSet(Field::Modified));
    EXPECT_TRUE(f.has(Field::Modified));
    EXPECT_GE(f.date(Field::Modified).year, 2020);
}

TEST(MediaFolder, NonMediaPipesAndLinksHaveNoFields) {
    quillon::test::TempFolder folder;
    std::ofstream(folder.file("plain.mp3")) << "not audio at all";
    ASSERT_EQ(::mkfifo(folder.file("pipe.mp3").c_str(), 0600), 0);
    ASSERT_TRUE(writeAudioSample(folder.file("real.mp3"), AudioKind::Mp3Id3v2, kTags));
    ASSERT_EQ(::symlink("real.mp3", folder.file("link.mp3").c_str()), 0);
    const MediaFolder media(folder.path());
    const FieldSet media_fields = kAudioFields | kPhotoFields;
    for (const char* name : {"plain.mp3", "pipe.mp3", "link.mp3", "absent.mp3", "../x", ""})
        EXPECT_TRUE(media.read(name, media_fields).present().empty()) << name;
}

TEST(MetadataDate, ReadsExifAndXmpFormsAndRefusesImpossibleDates) {
    const std::pair<const char*, std::optional<DateTime>> cases[] = {
        {"2004:03:05 09:07:31", DateTime{2004, 3, 5, 9, 7, 31}},
        {"2004-03-05T09:07", DateTime{2004, 3, 5, 9, 7, 0}},
        {"2004-03-05T09:07:31+02:00", DateTime{2004, 3, 5, 9, 7, 31}},
        {"2004-03-05", DateTime{2004, 3, 5, 0, 0, 0}},
        {"2000:02:29 00:00:00", DateTime{2000, 2, 29, 0, 0, 0}},
        {"1900:02:29 00:00:00", std::nullopt},
        {"2004:13:05 09:07:31", std::nullopt},
        {"2004:03:05 24:00:00", std::nullopt},
        {"0000:00:00 00:00:00", std::nullopt},
        {"    :  :     :  :  ", std::nullopt},
        {"2004:03", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseMetadataDate(text), expected) << text;
}

TEST(FileFields, KeepsTextsApartAndMerges) {
    FileFields a;
    a.setText(Field::Title, "T");
    a.setText(Field::Artist, std::string(300, 'x'));
    a.setNumber(Field::Track, 7);
    FileFields b;
    b.setText(Field::Title, "other");
    b.setText(Field::Album, "");
    b.setDate(Field::Modified, {1999, 1, 2, 3, 4, 5});
    a.merge(b);
    EXPECT_EQ(a.text(Field::Title), "T");
    EXPECT_EQ(a.text(Field::Artist).size(), 300U);
    EXPECT_TRUE(a.has(Field::Album));
    EXPECT_EQ(a.date(Field::Modified).year, 1999);
    a.restrictTo(FieldSet(Field::Album) | FieldSet(Field::Track));
    EXPECT_EQ(a.present(), FieldSet(Field::Album) | FieldSet(Field::Track));
    EXPECT_EQ(a.text(Field::Title), "");
}
