// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a first input for each fuzz target into the folders named on the
// command line: a plain tag, a plain JPEG and a phone's clip, from which the fuzzer's
// mutations reach the readers' every branch sooner than from nothing.
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/metadata/VideoSamples.h"

#include <cstdio>
#include <string>

using namespace quillon::test;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_fuzz_seeds ID3V2_FOLDER JPEG_FOLDER QUICKTIME_FOLDER\n");
        return 2;
    }
    const std::string id3v2Folder = argv[1];
    const std::string jpegFolder = argv[2];
    const std::string frames = latin1Frame("TPE1", "Artist") +
                               textFrame("TIT2", 1, utf16(u"\uFEFFTitle", false)) +
                               textFrame("TALB", 3, "Album") + latin1Frame("TRCK", "3/12") +
                               latin1Frame("TPOS", "1") + latin1Frame("TPE2", "Band");
    // Every audio field but the genre, which the plain reader leaves.
    const std::string wanted(1, '\x7F');
    writeFileBytes(id3v2Folder + "/v3",
                   wanted + id3v2(3, frames + latin1Frame("TYER", "1999")) + mpegFrames());
    writeFileBytes(id3v2Folder + "/v4",
                   wanted + id3v2(4, frames + latin1Frame("TDRC", "1999")) + mpegFrames());
    const std::string photo = jpegFolder + "/photo.jpg";
    if (!writeJpegSample(
            photo, {"2004:03:05 09:07:31", "2005:01:01 00:00:00", "", "Canon", "Canon EOS 5D"}))
        return 1;
    // Every photo field.
    writeFileBytes(jpegFolder + "/exif", std::string(1, '\x1D') + readFileBytes(photo));
    std::remove(photo.c_str());
    Mp4Shape clip;
    clip.utcSeconds = 1619857230;
    clip.soundTrack = true;
    writeFileBytes(std::string(argv[3]) + "/movie-header",
                   std::string(1, '\x1D') + mp4Sample(clip));
    clip.appleDate = "2021-05-01T10:20:30+0200";
    clip.longTimes = true;
    clip.moovLast = true;
    writeFileBytes(std::string(argv[3]) + "/apple", std::string(1, '\x1D') + mp4Sample(clip));
    return 0;
}
