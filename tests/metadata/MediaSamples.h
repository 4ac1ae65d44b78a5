// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillon::test {

/// Tags to write into a generated audio file; empty texts and zero
/// numbers are left out.
struct SampleTags {
    std::string artist;
    std::string albumArtist;
    std::string title;
    std::string album;
    std::string genre;
    unsigned track = 0;
    unsigned disc = 0;
    unsigned year = 0;
};

/// The containers a generated audio file can have.
enum class AudioKind { Mp3Id3v2, Mp3Id3v1, Flac, OggVorbis, Opus, M4a, Wav, Aiff };

/// Writes a small, silent but well-formed file of kind to path and tags
/// into it through TagLib. False when that failed.
bool writeAudioSample(const std::string& path, AudioKind kind, const SampleTags& tags);

/// Metadata to write into a generated photo; empty texts are left out.
struct SamplePhoto {
    std::string dateTimeOriginal; ///< Exif form "2004:03:05 09:07:00"
    std::string dateTimeDigitized;
    std::string xmpCreateDate; ///< XMP form "2004-03-05T09:07:00"
    std::string make;
    std::string model;
    bool bigEndian = false; ///< the byte order of the Exif data
};

/// Writes a small JPEG to path with photo's metadata, through Exiv2.
bool writeJpegSample(const std::string& path, const SamplePhoto& photo);

/// Writes a small HEIF file (brand "heic") to path: photo's Exif dates,
/// make and model in an Exif item, and width and height as the image's
/// spatial extents. It holds no coded image; the metadata readers never
/// decode one. Texts of photo that only XMP holds are left out.
bool writeHeicSample(const std::string& path, const SamplePhoto& photo, unsigned width,
                     unsigned height);

/// The extension a file of kind carries, without ".".
const char* sampleExtension(AudioKind kind);

/// The bytes of the file at path; empty when it cannot be read.
std::string readFileBytes(const std::string& path);
/// Writes bytes to path, replacing the file.
void writeFileBytes(const std::string& path, const std::string& bytes);

/// Copies of whole cut at the start, around the headers and near the end,
/// and with a few bytes here and there damaged: where parsers go wrong.
std::vector<std::string> damagedVariants(const std::string& whole);

} // namespace quillon::test
