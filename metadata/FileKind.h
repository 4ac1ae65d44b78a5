// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace quillon::metadata {

/// What a file holds, as its first bytes tell it. Each parsing library is
/// given only the kinds it reads: a library that mistakes a video or an
/// unknown file for one of its own is where damaged input does harm.
enum class FileKind : std::uint8_t {
    Unknown,
    // Photos (the photo library).
    Jpeg,
    Tiff, ///< and the raw formats built on it
    Png,
    WebP,
    Heif,       ///< HEIF, AVIF and CR3, by their ftyp brand
    OtherImage, ///< GIF, BMP, PSD and raw formats of their own
    // Audio (the tag library).
    Id3Tagged, ///< an ID3v2 tag first: MP3, or FLAC behind one
    MpegAudio,
    Flac,
    Ogg,
    Wav,
    Aiff,
    Ape,
    WavPack,
    Musepack,
    TrueAudio,
    Asf,
    QuickTimeAudio, ///< MP4 with an audio brand (M4A, M4B, M4P)
    // Videos (the video reader; QuickTime's tags also the tag library).
    QuickTime, ///< MP4, MOV, M4V, 3GP
    Avi,
    Matroska,            ///< and WebM
    MpegTs,              ///< a transport stream, in packets of 188 bytes
    MpegTsWithTimeCodes, ///< in packets of 192 bytes, as cameras write them (MTS, M2TS)
};

/// The kind of the file whose first bytes are head (a kilobyte tells every
/// kind here; fewer may leave a file Unknown).
FileKind fileKind(std::string_view head);

/// Whether the photo library reads kind.
bool isPhotoKind(FileKind kind);
/// Whether the tag library reads kind.
bool isAudioKind(FileKind kind);
/// Whether the video reader reads kind.
bool isVideoKind(FileKind kind);

} // namespace quillon::metadata
