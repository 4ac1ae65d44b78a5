// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ReaderProcess.h"
#include "metadata/FolderFiles.h"
#include "metadata/MediaFolder.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/workspace/ScopedVariable.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace quillon;
using namespace quillon::metadata;
using quillon::test::AudioKind;
using namespace std::chrono_literals;

namespace {

const quillon::test::SampleTags kTags{"Artist Ä", "Various", "Title", "Album", "Rock", 3, 2, 1999};

ReaderSettings testSettings(std::chrono::milliseconds deadline = 2000ms) {
    return ReaderSettings{QUILLON_READER_PATH, deadline};
}

// Opens the named files of a folder as the workspace does, and closes them.
class OpenFiles final {
public:
    OpenFiles(const std::string& folder, const std::vector<std::string>& names)
        : m_files(folder) {
        for (const std::string& name : names) {
            FileIdentity identity;
            m_files.identify(name, identity);
            m_extensions.push_back(lowerExtension(name));
            m_jobs.push_back({m_files.openRegular(name, identity), identity.size, {}});
        }
        for (std::size_t i = 0; i < m_jobs.size(); ++i)
            m_jobs[i].extension = m_extensions[i];
    }
    ~OpenFiles() {
        for (const reader::Job& job : m_jobs)
            ::close(job.fd);
    }
    OpenFiles(const OpenFiles&) = delete;
    OpenFiles& operator=(const OpenFiles&) = delete;

    std::span<const reader::Job> jobs() const { return m_jobs; }

private:
    FolderFiles m_files;
    std::vector<std::string> m_extensions;
    std::vector<reader::Job> m_jobs;
};

std::vector<FileFields> readThroughProcess(ReaderProcess& process, const std::string& folder,
                                           const std::vector<std::string>& names, FieldSet wanted) {
    const OpenFiles open(folder, names);
    std::vector<FileFields> fields(names.size());
    const std::atomic<bool> stop{false};
    EXPECT_TRUE(process.read(open.jobs(), wanted, fields, stop));
    return fields;
}

// The fields in the order of the fields, whatever order they were found in.
std::string canonical(const FileFields& fields) {
    FileFields ordered;
    ordered.merge(fields);
    return std::string(ordered.records());
}

void writeFault(const std::string& path, const char* fault) {
    quillon::test::writeFileBytes(path, std::string("QUILLON-TEST-FAULT:") + fault + "\n");
}

} // namespace

TEST(ReaderProcess, ReadsEverySampleAsTheParsersDoInTheCallingProcess) {
    quillon::test::TempFolder folder;
    std::vector<std::string> names;
    for (const AudioKind kind :
         {AudioKind::Mp3Id3v2, AudioKind::Mp3Id3v1, AudioKind::Flac, AudioKind::OggVorbis,
          AudioKind::Opus, AudioKind::M4a, AudioKind::Wav, AudioKind::Aiff}) {
        names.push_back(std::string("song.") + quillon::test::sampleExtension(kind));
        ASSERT_TRUE(writeAudioSample(folder.file(names.back()), kind, kTags));
    }
    quillon::test::SamplePhoto photo;
    photo.dateTimeOriginal = "2004:03:05 09:07:00";
    photo.make = "Canon";
    photo.model = "Canon EOS 5D";
    names.push_back("photo.jpg");
    ASSERT_TRUE(writeJpegSample(folder.file("photo.jpg"), photo));
    names.push_back("photo.heic");
    ASSERT_TRUE(writeHeicSample(folder.file("photo.heic"), photo, 640, 480));
    names.push_back("empty.txt");
    quillon::test::writeFileBytes(folder.file("empty.txt"), "");

    const FieldSet wanted = kAudioFields | kPhotoFields;
    ReaderProcess process(testSettings());
    const std::vector<FileFields> read = readThroughProcess(process, folder.path(), names, wanted);
    const MediaFolder inProcess(folder.path());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const FileFields expected = inProcess.read(names[i], wanted);
        EXPECT_FALSE(read[i].unreadable());
        EXPECT_EQ(read[i].present(), expected.present());
        EXPECT_EQ(canonical(read[i]), canonical(expected));
    }
}

// A file that kills, hangs or floods its reader costs only its own fields:
// the files before and after it, in the same batch, keep theirs.
TEST(ReaderProcess, AFileThatBreaksItsReaderIsUnreadableAndTheOthersAreRead) {
    struct Case {
        const char* fault;
        bool needsFilter; // only the system call filter stops it
    };
    const Case cases[] = {
        {"crash", false}, {"abort", false}, {"hang", false}, {"allocate", false}, {"open", true},
    };
    const quillon::test::ScopedVariable faults("QUILLON_READER_TEST_FAULTS", "1");
    quillon::test::TempFolder folder;
    ASSERT_TRUE(writeAudioSample(folder.file("a.mp3"), AudioKind::Mp3Id3v2, kTags));
    ASSERT_TRUE(writeAudioSample(folder.file("c.flac"), AudioKind::Flac, kTags));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
#if defined(__SANITIZE_ADDRESS__)
        // Without the address space limit, which the sanitizer cannot run
        // under, the allocation would only end with the machine's memory.
        if (std::string_view(c.fault) == "allocate")
            continue;
#endif
        writeFault(folder.file("b.mp3"), c.fault);
        ReaderProcess process(testSettings(500ms));
        const std::vector<FileFields> read = readThroughProcess(
            process, folder.path(), {"a.mp3", "b.mp3", "c.flac", "a.mp3"}, kAudioFields);
        ASSERT_EQ(read.size(), 4U);
        EXPECT_EQ(read[0].text(Field::Artist), "Artist Ä");
        EXPECT_EQ(read[2].text(Field::Artist), "Artist Ä");
        EXPECT_EQ(read[3].text(Field::Artist), "Artist Ä");
        EXPECT_FALSE(read[0].unreadable());
        EXPECT_FALSE(read[3].unreadable());
        if (!c.needsFilter || read[1].unreadable()) {
            EXPECT_TRUE(read[1].unreadable());
            EXPECT_TRUE(read[1].present().empty());
        }
    }
}

TEST(ReaderProcess, TheFaultSwitchIsOffUnlessTheTestsTurnItOn) {
    quillon::test::TempFolder folder;
    writeFault(folder.file("b.mp3"), "crash");
    ReaderProcess process(testSettings());
    const std::vector<FileFields> read =
        readThroughProcess(process, folder.path(), {"b.mp3"}, kAudioFields);
    EXPECT_FALSE(read[0].unreadable());
}

TEST(ReaderProcess, AStopEndsAHangingReaderAtOnce) {
    const quillon::test::ScopedVariable faults("QUILLON_READER_TEST_FAULTS", "1");
    quillon::test::TempFolder folder;
    writeFault(folder.file("hang.mp3"), "hang");
    // A deadline far beyond the test's run: only the stop can end the read.
    ReaderProcess process(testSettings(std::chrono::hours(1)));
    const OpenFiles open(folder.path(), {"hang.mp3"});
    std::vector<FileFields> fields(1);
    std::atomic<bool> stop{false};
    std::jthread stopper([&stop] {
        std::this_thread::sleep_for(100ms);
        stop = true;
    });
    EXPECT_FALSE(process.read(open.jobs(), kAudioFields, fields, stop));
}

TEST(ReaderProcess, WithoutTheProgramEveryFileIsUnreadable) {
    quillon::test::TempFolder folder;
    ASSERT_TRUE(writeAudioSample(folder.file("a.mp3"), AudioKind::Mp3Id3v2, kTags));
    ReaderProcess process(ReaderSettings{"", 1000ms});
    const std::vector<FileFields> read =
        readThroughProcess(process, folder.path(), {"a.mp3", "a.mp3"}, kAudioFields);
    EXPECT_TRUE(read[0].unreadable());
    EXPECT_TRUE(read[1].unreadable());
}

TEST(ReaderProcess, ABatchLargerThanOneRequestIsReadWhole) {
    quillon::test::TempFolder folder;
    ASSERT_TRUE(writeAudioSample(folder.file("a.mp3"), AudioKind::Mp3Id3v2, kTags));
    const std::vector<std::string> names(reader::kMaxBatch * 2 + 3, "a.mp3");
    ReaderProcess process(testSettings());
    const std::vector<FileFields> read =
        readThroughProcess(process, folder.path(), names, kAudioFields);
    for (const FileFields& f : read)
        EXPECT_EQ(f.text(Field::Title), "Title");
}

// The reading threads come and go between batches while their readers wait
// in the pool: a reader must outlive the thread that happened to start it.
TEST(ReaderProcess, AReaderOutlivesTheThreadThatStartedIt) {
    quillon::test::TempFolder folder;
    ASSERT_TRUE(writeAudioSample(folder.file("a.mp3"), AudioKind::Mp3Id3v2, kTags));
    ReaderProcess process(testSettings());
    std::jthread([&] {
        readThroughProcess(process, folder.path(), {"a.mp3"}, kAudioFields);
    }).join();
    // Give a kill that would follow the thread's end the time to land.
    std::this_thread::sleep_for(50ms);
    const std::vector<FileFields> read =
        readThroughProcess(process, folder.path(), {"a.mp3"}, kAudioFields);
    EXPECT_FALSE(read[0].unreadable());
    EXPECT_EQ(read[0].text(Field::Title), "Title");
}
