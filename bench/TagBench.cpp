// SPDX-License-Identifier: GPL-3.0-or-later
// Reading fields from inside files, against a bare loop that opens each file
// and reads its first 64 KiB on as many threads. Driven by tags.sh:
//   tag_bench make-mp3 FOLDER COUNT      folder of small MP3 files with ID3v2 tags
//   tag_bench make-jpeg FOLDER COUNT     folder of small JPEG files with Exif dates
//   tag_bench make-camera FOLDER PHOTOS CLIPS
//                                        a phone's folder: JPEG files with Exif dates,
//                                        bursts among them, and small MP4 clips with a
//                                        creation date
//   tag_bench bare FOLDER                the bare loop, in ms
//   tag_bench press FOLDER WITH [in-process]
//                                        two presses of "OK" with WITH, in ms, the
//                                        files the second read and the cache's bytes;
//                                        the files are parsed by the reader processes,
//                                        or in this process with "in-process"
#include "metadata/MediaFolder.h"
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/metadata/VideoSamples.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"
#include "workspace/fields/FieldReading.h"

#include "engine/Utf8.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <iterator>
#include <malloc.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace quillon;

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// An ID3v2.3 tag and silent MPEG frames, written directly: the library
// would take longer to write 100,000 of them than the bench to read them.
int makeMp3(const std::string& folder, int count) {
    const std::string audio = test::mpegFrames();
    for (int i = 0; i < count; ++i) {
        const std::string tag =
            test::id3v2(3, test::latin1Frame("TPE1", "Artist " + std::to_string(i % 997)) +
                               test::latin1Frame("TIT2", "Title number " + std::to_string(i)) +
                               test::latin1Frame("TALB", "Album " + std::to_string(i % 31)));
        std::ofstream(folder + "/" + std::to_string(100000 + i) + ".mp3", std::ios::binary)
            << tag << audio;
    }
    return 0;
}

// One JPEG with Exif written by Exiv2, copied with the date changed in place.
int makeJpeg(const std::string& folder, int count) {
    const std::string templatePath = folder + "/template.jpg.tmp";
    if (!test::writeJpegSample(templatePath,
                               {"2004:03:05 09:07:31", "", "", "Camera", "Camera One"}))
        return 1;
    std::ifstream in(templatePath, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ::unlink(templatePath.c_str());
    const std::size_t at = bytes.find("2004:03:05 09:07:31");
    if (at == std::string::npos)
        return 1;
    for (int i = 0; i < count; ++i) {
        std::string copy = bytes;
        char date[20];
        std::snprintf(date, sizeof date, "20%02d:%02d:%02d 10:%02d:%02d", i % 20, 1 + i % 12,
                      1 + i % 28, i % 60, (i / 60) % 60);
        std::memcpy(&copy[at], date, 19);
        std::ofstream(folder + "/" + std::to_string(100000 + i) + ".jpg", std::ios::binary) << copy;
    }
    return 0;
}

// Photos as make-jpeg writes them, and clips: half with Apple's creation
// date and the movie box last, as phones write them, half with only the
// movie header's time.
int makeCamera(const std::string& folder, int photos, int clips) {
    if (makeJpeg(folder, photos) != 0)
        return 1;
    for (int i = 0; i < clips; ++i) {
        const std::int64_t utc = 1'600'000'000 + static_cast<std::int64_t>(i) * 3'607;
        char apple[32] = "";
        if (i % 2 == 0)
            std::snprintf(apple, sizeof apple, "2021-%02d-%02dT%02d:%02d:%02d+0200", 1 + i % 12,
                          1 + i % 28, i % 24, i % 60, (i / 60) % 60);
        std::ofstream(folder + "/clip" + std::to_string(100000 + i) + ".mp4", std::ios::binary)
            << test::mp4Sample(i % 2 == 0 ? "qt  " : "mp42", 1920, 1080, utc, apple, i % 2 == 0);
    }
    return 0;
}

std::vector<std::string> listFiles(const std::string& folder) {
    PosixFileSystem fs;
    FolderListing listing;
    fs.readFolder(folder, listing);
    return {listing.names.begin(), listing.names.end()};
}

int bareLoop(const std::string& folder) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> names = listFiles(folder);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> bytes{0};
    std::vector<std::jthread> workers;
    for (unsigned t = 0; t < fieldReadThreads(); ++t) {
        workers.emplace_back([&] {
            std::vector<char> buffer(64 * 1024);
            for (std::size_t i = next++; i < names.size(); i = next++) {
                const int fd = ::openat(dir, names[i].c_str(), O_RDONLY | O_CLOEXEC);
                if (fd < 0)
                    continue;
                const ssize_t n = ::read(fd, buffer.data(), buffer.size());
                bytes += n > 0 ? static_cast<std::size_t>(n) : 0;
                ::close(fd);
            }
        });
    }
    workers.clear();
    ::close(dir);
    std::printf("bare loop: %.1f ms (%zu files, %zu threads)\n", msSince(start), names.size(),
                static_cast<std::size_t>(fieldReadThreads()));
    return 0;
}

// The parsers in this process, as the programs ran them before they had
// reader processes: the cost those processes add.
class InProcessFields final : public FieldSource {
public:
    std::unique_ptr<FolderFields> openFolder(const std::string& folder) override {
        return std::make_unique<Folder>(folder);
    }

private:
    class Folder final : public FolderFields {
    public:
        explicit Folder(const std::string& folder)
            : m_media(folder) {}
        int identify(std::string_view name, metadata::FileIdentity& out) const override {
            return m_media.identify(name, out);
        }
        metadata::FileFields read(std::string_view name, const metadata::FileIdentity& identity,
                                  FieldSet wanted) const override {
            return m_media.read(name, identity, wanted);
        }

    private:
        metadata::MediaFolder m_media;
    };
};

// The heap a cache of the folder's fields holds, measured on a cache of its
// own: the batch's results are gone when the second count is taken.
double cacheBytesPerFile(const std::string& folder, const NameList& names, const Name& with) {
    ReplaceSettings press;
    press.find = U"*";
    press.replaceWith = with;
    const auto plan = std::get<ReplacePlan>(compileReplace(press, names.size()));
    const FieldSet wanted = plan.fields.needed();
    std::vector<std::size_t> entries(names.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = i;
    MediaFieldSource source;
    const auto reader = source.openFolder(folder);
    FieldCache cache;
    cache.useFolder(folder);
    const std::size_t before = mallinfo2().uordblks;
    readFieldBatch({reader.get(), &cache, nullptr, {}}, names, entries, wanted);
    const std::size_t after = mallinfo2().uordblks;
    return static_cast<double>(after - before) / static_cast<double>(names.size());
}

int twoPresses(const std::string& folder, const std::string& with, bool inProcess) {
    PosixFileSystem fs;
    MediaFieldSource readers;
    InProcessFields parsers;
    Workspace workspace(fs);
    workspace.setCaseMode(CaseMode::None, {});
    workspace.setFieldSource(inProcess ? static_cast<FieldSource*>(&parsers) : &readers);
    if (!workspace.load(folder, U"*.*").ok())
        return 1;
    ReplaceSettings press;
    press.find = U"*";
    press.replaceWith = decodeName(with);
    press.caseMode = CaseMode::None;
    press.cumulate = false;

    const auto first = std::chrono::steady_clock::now();
    workspace.apply(press);
    const double firstMs = msSince(first);
    workspace.dropUndo();
    const std::size_t readFirst = workspace.fieldFilesRead();
    const auto second = std::chrono::steady_clock::now();
    workspace.apply(press);
    const double secondMs = msSince(second);
    std::printf("first press: %.1f ms\nsecond press: %.1f ms\nfiles read: %zu then %zu\n", firstMs,
                secondMs, readFirst, workspace.fieldFilesRead() - readFirst);
    // The window copies the workspace for every command and drops the old one.
    const auto copying = std::chrono::steady_clock::now();
    { const Workspace copy = workspace; }
    std::printf("workspace copied and dropped: %.1f ms\n", msSince(copying));
    std::printf("cache: %.0f bytes per file\nkept for missing: %zu\n",
                cacheBytesPerFile(folder, workspace.folderList().names, press.replaceWith),
                workspace.keptForMissingFields());
    std::printf("example: %s\n", std::string(workspace.preview().names[0]).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "make-mp3")
        return makeMp3(args[1], std::stoi(args[2]));
    if (args.size() == 3 && args[0] == "make-jpeg")
        return makeJpeg(args[1], std::stoi(args[2]));
    if (args.size() == 4 && args[0] == "make-camera")
        return makeCamera(args[1], std::stoi(args[2]), std::stoi(args[3]));
    if (args.size() == 2 && args[0] == "bare")
        return bareLoop(args[1]);
    if (args.size() == 3 && args[0] == "press")
        return twoPresses(args[1], args[2], false);
    if (args.size() == 4 && args[0] == "press" && args[3] == "in-process")
        return twoPresses(args[1], args[2], true);
    std::cerr << "usage: tag_bench make-mp3|make-jpeg FOLDER COUNT | make-camera FOLDER PHOTOS "
                 "CLIPS | bare FOLDER | press FOLDER WITH [in-process]\n";
    return 2;
}
