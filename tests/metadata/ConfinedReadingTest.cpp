// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ContentFields.h"
#include "metadata/reader/ReaderSandbox.h"
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/metadata/VideoSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillon;
using namespace quillon::metadata;
using namespace quillon::test;

// The sanitizers' runtime makes calls of its own (GCC and clang tell of it
// differently).
#if defined(__SANITIZE_ADDRESS__)
#define QUILLON_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define QUILLON_UNDER_SANITIZER 1
#endif
#endif

namespace {

// A file of each kind, with its fields and without.
std::vector<std::string> sampleFiles(const TempFolder& folder) {
    std::vector<std::string> names;
    const SampleTags tags{"Artist", "Band", "Title", "Album", "Rock", 3, 1, 1999};
    for (const AudioKind kind :
         {AudioKind::Mp3Id3v2, AudioKind::Mp3Id3v1, AudioKind::Flac, AudioKind::OggVorbis,
          AudioKind::Opus, AudioKind::M4a, AudioKind::Wav, AudioKind::Aiff}) {
        names.push_back(std::string("audio.") + sampleExtension(kind));
        writeAudioSample(folder.file(names.back()), kind, tags);
    }
    const SamplePhoto photo{"2004:03:05 09:07:31", "", "1975-06-07T08:09:10", "Canon", "EOS"};
    writeJpegSample(folder.file("photo.jpg"), photo);
    writeHeicSample(folder.file("photo.heic"), photo, 640, 480);
    names.insert(names.end(), {"photo.jpg", "photo.heic"});
    // Past the first block, the photo library reads on from the file.
    std::string far = readFileBytes(folder.file("photo.jpg"));
    far.insert(far.size() - 2, std::size_t{300} << 10, '\0');
    writeFileBytes(folder.file("far.jpg"), far);
    names.push_back("far.jpg");
    const std::pair<const char*, std::string> videos[] = {
        {"clip.mov", mp4Sample("qt  ", 640, 480, 1619857230, "2021-05-01T10:20:30+0200", true)},
        {"clip.avi", aviSample(320, 240, "Sat May 01 10:20:30 2021")},
        {"clip.mkv", matroskaSample("matroska", 1280, 720, 1619857230)},
        {"clip.mts", transportStreamSample(1280, 720, "2021-05-01 10:20:30", true)},
        {"gap.mp3", id3v2(3, latin1Frame("TIT2", "T")) + std::string(4096, 'x') + mpegFrames()},
        {"notes.txt", "Dear Sir,\n"},
    };
    for (const auto& [name, bytes] : videos) {
        writeFileBytes(folder.file(name), bytes);
        names.emplace_back(name);
    }
    return names;
}

std::string fieldsOf(int fd, const std::string& name) {
    struct stat st {};
    FileFields fields;
    if (::fstat(fd, &st) == 0)
        readContentFields(fd, st.st_size, name.substr(name.rfind('.') + 1),
                          kAudioFields | kPhotoFields, fields);
    std::string out;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (fields.has(f))
            out += std::string(fieldName(f)) + ";";
    }
    return out;
}

} // namespace

// What the reader process does: prepare, confine itself, then read every
// kind of file through descriptors opened before. A call outside the
// allowed ones kills the child, and a different result shows in its status.
TEST(ConfinedReading, ReadsEveryKindWithOnlyTheAllowedCalls) {
#ifdef QUILLON_UNDER_SANITIZER
    GTEST_SKIP() << "the sanitizers' runtime makes calls of its own";
#endif
    TempFolder folder;
    const std::vector<std::string> names = sampleFiles(folder);
    prepareContentReaders();
    std::vector<int> fds;
    std::vector<std::string> expected;
    for (const std::string& name : names) {
        fds.push_back(::open(folder.file(name).c_str(), O_RDONLY | O_CLOEXEC));
        expected.push_back(fieldsOf(fds.back(), name));
    }
    EXPECT_NE(expected[0], "");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (reader::confineReader() != reader::Confinement::Filtered)
            ::_exit(2);
        int differing = 0;
        for (std::size_t i = 0; i < names.size(); ++i)
            differing += fieldsOf(fds[i], names[i]) == expected[i] ? 0 : 1;
        ::_exit(differing == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    for (const int fd : fds)
        ::close(fd);
    ASSERT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
