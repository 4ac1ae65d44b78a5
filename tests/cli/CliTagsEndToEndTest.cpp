// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunProgram.h"
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/metadata/VideoSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

using quillon::test::AudioKind;
using quillon::test::TempFolder;

namespace {

using Args = std::vector<std::string>;

quillon::test::SampleTags tags(const char* artist, const char* title, unsigned track) {
    quillon::test::SampleTags t;
    if (artist)
        t.artist = artist;
    t.title = title;
    t.track = track;
    return t;
}

// A folder of tagged MP3 files, one photo and one file with no tags at all.
class TaggedFolder : public testing::Test {
protected:
    TaggedFolder() {
        EXPECT_TRUE(writeAudioSample(m_folder.file("track 10.mp3"), AudioKind::Mp3Id3v2,
                                     tags("AC/DC", "Hells Bells", 10)));
        EXPECT_TRUE(writeAudioSample(m_folder.file("track 2.mp3"), AudioKind::Mp3Id3v2,
                                     tags("Ärzte", "Schrei", 2)));
        EXPECT_TRUE(writeAudioSample(m_folder.file("untagged.mp3"), AudioKind::Mp3Id3v2,
                                     tags(nullptr, "Only a Title", 3)));
        EXPECT_TRUE(quillon::test::writeJpegSample(
            m_folder.file("photo.jpg"), {"2004:03:05 09:07:31", "", "", "Canon", "Canon EOS"}));
    }
    quillon::test::ProgramResult run(Args args) const {
        args.push_back(m_folder.path());
        return quillon::test::runProgram(QUILLON_CLI_PATH, args);
    }
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_folder.path()))
            names.insert(e.path().filename().string());
        return names;
    }

    TempFolder m_folder;
};

} // namespace

TEST_F(TaggedFolder, RenamesFromTagsAndUndoRestores) {
    const auto applied = run({"--case", "none", "--replace", "*", "--with", "<artist> - <title>",
                              "--mask", "*.mp3", "--apply"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_NE(applied.err.find("1 file kept its name for want of a field: artist (1)."),
              std::string::npos)
        << applied.err;
    EXPECT_EQ(files(), (std::set<std::string>{"AC-DC - Hells Bells.mp3", "Ärzte - Schrei.mp3",
                                              "untagged.mp3", "photo.jpg",
                                              "_Quillon - Click me to UNDO.sh"}));
    const auto undone = run({"--undo"});
    EXPECT_EQ(undone.status, 0) << undone.err;
    EXPECT_EQ(files(),
              (std::set<std::string>{"track 10.mp3", "track 2.mp3", "untagged.mp3", "photo.jpg"}));
}

TEST_F(TaggedFolder, JsonNamesTheMissingFields) {
    const auto dry = run({"--case", "none", "--replace", "*", "--with", "<track:00> <artist>",
                          "--mask", "*.mp3", "--json"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_NE(dry.out.find("\"missing\": 1}"), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find("\"new\": \"10 AC-DC.mp3\", \"checked\": true, \"changed\": true, "
                           "\"missing\": []"),
              std::string::npos)
        << dry.out;
    EXPECT_NE(dry.out.find("\"new\": \"untagged.mp3\", \"checked\": true, \"changed\": false, "
                           "\"missing\": [\"artist\"]"),
              std::string::npos)
        << dry.out;
}

TEST_F(TaggedFolder, NewOrdersAndAPhotoDate) {
    const auto natural = run({"--sort", "natural", "--case", "none", "--replace", "*", "--with",
                              "/1/ *", "--mask", "*.mp3"});
    EXPECT_EQ(natural.out, "track 2.mp3 -> 1 track 2.mp3\ntrack 10.mp3 -> 2 track 10.mp3\n"
                           "untagged.mp3 -> 3 untagged.mp3\n")
        << natural.err;
    const auto taken = run({"--sort", "taken", "--case", "none", "--replace", "*", "--with",
                            "<taken:yyyy-MM-dd HH.mm> <camera>", "--mask", "*.jpg"});
    EXPECT_EQ(taken.out, "photo.jpg -> 2004-03-05 09.07 Canon EOS.jpg\n") << taken.err;
}

TEST_F(TaggedFolder, TagsPrintsEachFilesFields) {
    const auto text = run({"--tags", "--mask", "*.mp3;*.jpg"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("track 10.mp3\tartist=AC/DC\ttitle=Hells Bells\ttrack=10\tmodified="),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("photo.jpg\ttaken=2004-03-05T09:07:31\tmodified="), std::string::npos)
        << text.out;
    const auto json = run({"--tags", "--json", "--mask", "untagged.mp3"});
    EXPECT_EQ(json.out.rfind("{\"name\": \"untagged.mp3\", \"title\": \"Only a Title\", "
                             "\"track\": 3, \"modified\": \"",
                             0),
              0U)
        << json.out;
    EXPECT_EQ(run({"--tags", "--apply"}).status, 1);
}

// A file that hangs its reader costs its own fields and its deadline; the
// run goes on and ends well.
TEST_F(TaggedFolder, AFileThatHangsItsReaderIsUnreadableAndTheRestIsRead) {
    std::ofstream(m_folder.file("hangs.mp3")) << "QUILLON-TEST-FAULT:hang\n";
    const quillon::test::ProgramStreams streams{"", "", {"QUILLON_READER_TEST_FAULTS=1"}};
    const auto press = quillon::test::runProgram(QUILLON_CLI_PATH,
                                                 {"--read-timeout", "0.3", "--json", "--case",
                                                  "none", "--mask", "*.mp3", "--replace", "*",
                                                  "--with", "<artist>", m_folder.path()},
                                                 streams);
    EXPECT_EQ(press.status, 0) << press.err;
    EXPECT_NE(press.out.find("\"new\": \"hangs.mp3\", \"checked\": true, \"changed\": false, "
                             "\"missing\": [\"artist\", \"unreadable\"]"),
              std::string::npos)
        << press.out;
    EXPECT_NE(press.out.find("\"new\": \"AC-DC.mp3\""), std::string::npos) << press.out;
    const auto text =
        quillon::test::runProgram(QUILLON_CLI_PATH,
                                  {"--read-timeout", "0.3", "--case", "none", "--mask", "*.mp3",
                                   "--replace", "*", "--with", "<artist>", m_folder.path()},
                                  streams);
    EXPECT_NE(text.err.find("1 file could not be read"), std::string::npos) << text.err;
    const auto tags = quillon::test::runProgram(
        QUILLON_CLI_PATH, {"--read-timeout", "0.3", "--tags", "--mask", "h*", m_folder.path()},
        streams);
    EXPECT_EQ(tags.status, 0);
    EXPECT_NE(tags.out.find("hangs.mp3\tmodified="), std::string::npos) << tags.out;
    EXPECT_NE(tags.out.find("\tunreadable\n"), std::string::npos) << tags.out;
}

TEST_F(TaggedFolder, AnUnknownFieldIsRefused) {
    const auto refused = run({"--replace", "*", "--with", "<artsit>"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("known fields: <artist>"), std::string::npos) << refused.err;
}

// Clips take their place among the photos by the time they were shot.
TEST_F(TaggedFolder, ClipsSortAmongPhotosByTheirDate) {
    using quillon::test::mp4Sample;
    quillon::test::writeFileBytes(m_folder.file("clip a.mov"),
                                  mp4Sample("qt  ", 640, 480, 0, "2003-01-02T03:04:05+0100"));
    quillon::test::writeFileBytes(m_folder.file("clip b.mp4"),
                                  mp4Sample("mp42", 640, 480, 0, "2005-06-07T08:09:10-0700"));
    const auto taken = run({"--sort", "taken", "--case", "none", "--replace", "*", "--with",
                            "<taken:yyyy-MM-dd HH.mm> <width>", "--mask", "*.jpg;*.mov;*.mp4"});
    EXPECT_EQ(taken.out, "clip a.mov -> 2003-01-02 03.04 640.mov\n"
                         "photo.jpg -> 2004-03-05 09.07 1.jpg\n"
                         "clip b.mp4 -> 2005-06-07 08.09 640.mp4\n")
        << taken.err;
}

// The listing of every field and a press that wants one field agree.
TEST_F(TaggedFolder, TagsAndAPressGiveOneAnswer) {
    using namespace quillon::test;
    writeFileBytes(m_folder.file("v24.mp3"),
                   id3v2(4, latin1Frame("TIT2", "T") + latin1Frame("TYER", "1999") +
                                latin1Frame("TPOS", "1234567890") + latin1Frame("TRCK", "-3")) +
                       mpegFrames());
    const auto tags = run({"--tags", "--mask", "v24.mp3"});
    EXPECT_NE(tags.out.find("v24.mp3\ttitle=T\tdisc=1234567890\tyear=1999\tmodified="),
              std::string::npos)
        << tags.out;
    const auto press =
        run({"--case", "none", "--replace", "*", "--with", "<year> <disc>", "--mask", "v24.mp3"});
    EXPECT_EQ(press.out, "v24.mp3 -> 1999 1234567890.mp3\n") << press.err;
    const auto track = run({"--replace", "*", "--with", "<track>", "--mask", "v24.mp3"});
    EXPECT_NE(track.err.find("want of a field: track"), std::string::npos) << track.err;
}

namespace {

std::set<std::string> filesIn(const TempFolder& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        names.insert(e.path().filename().string());
    return names;
}

} // namespace

TEST(BurstPhotos, EqualNamesAreNumberedAppliedAndTakenBack) {
    TempFolder folder;
    for (const char* name : {"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg"})
        EXPECT_TRUE(quillon::test::writeJpegSample(folder.file(name),
                                                   {"2004:03:05 09:07:31", "", "", "", ""}));
    EXPECT_TRUE(quillon::test::writeJpegSample(folder.file("IMG_4.jpg"),
                                               {"2004:03:05 09:08:00", "", "", "", ""}));
    // Outside the mask, so it stays: the first burst photo cannot have its name.
    std::ofstream(folder.file("2004-03-05 09.07.31.jpg")) << "kept";
    const Args press{"--mask", "IMG_*",   "--replace",           "*",
                     "--with", "<taken>", "--number-duplicates", folder.path()};

    Args refused = press;
    refused.erase(refused.begin() + 6);
    refused.push_back("--apply");
    EXPECT_EQ(quillon::test::runProgram(QUILLON_CLI_PATH, refused).status, 3);

    const auto dry = quillon::test::runProgram(QUILLON_CLI_PATH, press);
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, "IMG_1.jpg -> 2004-03-05 09.07.31 (2).jpg\n"
                       "IMG_2.jpg -> 2004-03-05 09.07.31 (3).jpg\n"
                       "IMG_3.jpg -> 2004-03-05 09.07.31 (4).jpg\n"
                       "IMG_4.jpg -> 2004-03-05 09.08.00.jpg\n");

    Args apply = press;
    apply.push_back("--apply");
    const auto applied = quillon::test::runProgram(QUILLON_CLI_PATH, apply);
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(filesIn(folder),
              (std::set<std::string>{"2004-03-05 09.07.31.jpg", "2004-03-05 09.07.31 (2).jpg",
                                     "2004-03-05 09.07.31 (3).jpg", "2004-03-05 09.07.31 (4).jpg",
                                     "2004-03-05 09.08.00.jpg", "_Quillon - Click me to UNDO.sh"}));
    const auto undone = quillon::test::runProgram(QUILLON_CLI_PATH, {"--undo", folder.path()});
    EXPECT_EQ(undone.status, 0) << undone.err;
    EXPECT_EQ(filesIn(folder), (std::set<std::string>{"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg",
                                                      "IMG_4.jpg", "2004-03-05 09.07.31.jpg"}));
}

TEST(BlankTags, AValueOfBlanksOrDotsCannotHideTheFile) {
    TempFolder folder;
    EXPECT_TRUE(
        writeAudioSample(folder.file("blank.mp3"), AudioKind::Mp3Id3v2, tags("A", "   ", 1)));
    EXPECT_TRUE(
        writeAudioSample(folder.file("dot.mp3"), AudioKind::Mp3Id3v2, tags("A", ".hidden", 2)));
    const auto dry = quillon::test::runProgram(
        QUILLON_CLI_PATH, {"--replace", "*", "--with", "<title>", folder.path()});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, "dot.mp3 -> hidden.mp3\n");
    EXPECT_NE(dry.err.find("1 file kept its name for want of a field: title (1)."),
              std::string::npos)
        << dry.err;
}
