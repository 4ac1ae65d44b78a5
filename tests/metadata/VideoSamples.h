// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace quillon::test {

// Small video files written byte by byte: the headers a reader looks at and
// a few bytes of coded data, never a picture that decodes.

/// An MP4 or QuickTime file of brand ("mp42", "qt  ", "M4V ", "3gp4") with
/// one video track of width x height; utcSeconds (since 1970, 0 for none)
/// as the movie header's creation time, appleDate as Apple's creation date
/// item (empty for none). With moovLast the movie box follows the media
/// data, as phones write it.
std::string mp4Sample(const std::string& brand, unsigned width, unsigned height,
                      std::int64_t utcSeconds, const std::string& appleDate = {},
                      bool moovLast = false);

/// The parts of an MP4 or QuickTime file that readers look at, and the
/// forms they come in.
struct Mp4Shape {
    std::string brand = "mp42";
    unsigned width = 640;
    unsigned height = 480;
    /// Since 1970 (0 for none), as the movie header's creation time.
    std::int64_t utcSeconds = 0;
    /// Apple's creation date item (empty for none).
    std::string appleDate;
    bool moovLast = false;
    /// 64-bit times in the movie and track headers.
    bool longTimes = false;
    /// 64-bit sizes on the top-level boxes.
    bool largeSizes = false;
    /// The media data last, with a size of 0 (to the end of the file).
    bool mdatToEnd = false;
    /// The track header's transform: 0, 90, 180 or 270 degrees, or -1 for
    /// a mirror image.
    int rotation = 0;
    /// The sample entry's size, where it differs from the track header's.
    unsigned entryWidth = 0;
    /// Extra boxes at the end of the movie box, and extra Apple items as
    /// key and value.
    std::string extraMovieBoxes;
    std::string appleKey = "com.apple.quicktime.creationdate";
    std::string otherAppleKey;
    int videoTracks = 1;
    bool soundTrack = false;
    /// A track of timed metadata referring to the video.
    bool metadataTrack = false;
};

std::string mp4Sample(const Mp4Shape& shape);

/// A box of ISO media: its 32-bit size, type and payload.
std::string isoBox(const std::string& type, const std::string& payload);

/// An AVI file of width x height with idit as its IDIT date chunk, the
/// form cameras write ("Sat May 01 10:20:30 2021"); empty for none.
std::string aviSample(unsigned width, unsigned height, const std::string& idit);

/// A Matroska file of docType ("matroska" or "webm") with one video track
/// of width x height and utcSeconds (since 1970, 0 for none) as its date.
std::string matroskaSample(const std::string& docType, unsigned width, unsigned height,
                           std::int64_t utcSeconds);

/// An MPEG transport stream (packets of 188 bytes, or of 192 bytes with
/// the time codes of camera files) holding one H.264 stream of width x
/// height; recorded ("2021-05-01 10:20:30", local time, empty for none) as
/// cameras write it into the stream.
std::string transportStreamSample(unsigned width, unsigned height, const std::string& recorded,
                                  bool timeCodes);

} // namespace quillon::test
