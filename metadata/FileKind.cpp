// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/FileKind.h"

#include <algorithm>
#include <array>

namespace quillon::metadata {

namespace {

bool holdsAt(std::string_view head, std::size_t at, std::string_view magic) {
    return head.size() >= at + magic.size() && head.substr(at, magic.size()) == magic;
}

struct Magic {
    std::size_t at;
    std::string_view bytes;
    FileKind kind;
};

using namespace std::string_view_literals;

// Checked in order: the longer of two magics that share a start comes first.
constexpr std::array kMagics{
    Magic{0, "\xFF\xD8"sv, FileKind::Jpeg},
    Magic{0, "II*\0"sv, FileKind::Tiff},
    Magic{0, "MM\0*"sv, FileKind::Tiff},
    Magic{0, "IIRO"sv, FileKind::Tiff}, // Olympus
    Magic{0, "IIRS"sv, FileKind::Tiff},
    Magic{0, "MMOR"sv, FileKind::Tiff},
    Magic{0, "IIU\0"sv, FileKind::Tiff}, // Panasonic
    Magic{0, "\x89PNG\r\n\x1A\n"sv, FileKind::Png},
    Magic{0, "GIF8"sv, FileKind::OtherImage},
    Magic{0, "BM"sv, FileKind::OtherImage},
    Magic{0, "8BPS"sv, FileKind::OtherImage},
    Magic{0, "FUJIFILMCCD-RAW"sv, FileKind::OtherImage},
    Magic{0, "II\x1A\0\0\0HEAPCCDR"sv, FileKind::OtherImage},     // Canon CRW
    Magic{0, "\0MRM"sv, FileKind::OtherImage},                    // Minolta
    Magic{0, "\0\0\0\x0CjP  \r\n\x87\n"sv, FileKind::OtherImage}, // JPEG 2000
    Magic{0, "fLaC"sv, FileKind::Flac},
    Magic{0, "OggS"sv, FileKind::Ogg},
    Magic{0, "MAC "sv, FileKind::Ape},
    Magic{0, "wvpk"sv, FileKind::WavPack},
    Magic{0, "MPCK"sv, FileKind::Musepack},
    Magic{0, "MP+"sv, FileKind::Musepack},
    Magic{0, "TTA1"sv, FileKind::TrueAudio},
    Magic{0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C"sv, FileKind::Asf},
    Magic{0, "\x1A\x45\xDF\xA3"sv, FileKind::Matroska},
};

// RIFF and FORM name their form at byte 8.
FileKind chunkedKind(std::string_view head) {
    if (holdsAt(head, 0, "RIFF")) {
        if (holdsAt(head, 8, "WAVE"))
            return FileKind::Wav;
        if (holdsAt(head, 8, "AVI "))
            return FileKind::Avi;
        if (holdsAt(head, 8, "WEBP"))
            return FileKind::WebP;
    }
    if (holdsAt(head, 0, "FORM") && (holdsAt(head, 8, "AIFF") || holdsAt(head, 8, "AIFC")))
        return FileKind::Aiff;
    return FileKind::Unknown;
}

// ISO media and QuickTime: the brand of the ftyp box, or a file that starts
// with one of QuickTime's own boxes.
FileKind isoMediaKind(std::string_view head) {
    if (holdsAt(head, 4, "ftyp") && head.size() >= 12) {
        const std::string_view brand = head.substr(8, 4);
        constexpr std::array kPhotoBrands{"heic"sv, "heix"sv, "heim"sv, "heis"sv,
                                          "hevc"sv, "hevx"sv, "heif"sv, "mif1"sv,
                                          "msf1"sv, "avif"sv, "avis"sv, "crx "sv};
        constexpr std::array kAudioBrands{"M4A "sv, "M4B "sv, "M4P "sv};
        if (std::ranges::find(kPhotoBrands, brand) != kPhotoBrands.end())
            return FileKind::Heif;
        if (std::ranges::find(kAudioBrands, brand) != kAudioBrands.end())
            return FileKind::QuickTimeAudio;
        return FileKind::QuickTime;
    }
    constexpr std::array kBoxes{"moov"sv, "mdat"sv, "wide"sv, "free"sv, "skip"sv, "pnot"sv};
    for (const std::string_view box : kBoxes) {
        if (holdsAt(head, 4, box))
            return FileKind::QuickTime;
    }
    return FileKind::Unknown;
}

// A sync byte at the start of every packet the head holds, three at least.
bool isTransportStream(std::string_view head, std::size_t packet, std::size_t first) {
    std::size_t seen = 0;
    for (std::size_t at = first; at < head.size(); at += packet, ++seen) {
        if (head[at] != '\x47')
            return false;
    }
    return seen >= 3;
}

// The header of an MPEG audio frame (or of an ADTS frame) at the start:
// sync, a version and layer that exist, a bitrate and a sample rate.
bool startsMpegAudio(std::string_view head) {
    if (head.size() < 4 || head[0] != '\xFF')
        return false;
    const auto b1 = static_cast<unsigned char>(head[1]);
    const auto b2 = static_cast<unsigned char>(head[2]);
    if ((b1 & 0xF6) == 0xF0) // ADTS
        return true;
    const bool sync = (b1 & 0xE0) == 0xE0;
    const bool version = ((b1 >> 3) & 3U) != 1;
    const bool layer = ((b1 >> 1) & 3U) != 0;
    const bool bitrate = (b2 >> 4) != 0 && (b2 >> 4) != 15;
    const bool rate = ((b2 >> 2) & 3U) != 3;
    return sync && version && layer && bitrate && rate;
}

} // namespace

FileKind fileKind(std::string_view head) {
    if (holdsAt(head, 0, "ID3"))
        return FileKind::Id3Tagged;
    for (const Magic& m : kMagics) {
        if (holdsAt(head, m.at, m.bytes))
            return m.kind;
    }
    if (const FileKind kind = chunkedKind(head); kind != FileKind::Unknown)
        return kind;
    if (const FileKind kind = isoMediaKind(head); kind != FileKind::Unknown)
        return kind;
    if (isTransportStream(head, 188, 0))
        return FileKind::MpegTs;
    if (isTransportStream(head, 192, 4))
        return FileKind::MpegTsWithTimeCodes;
    if (startsMpegAudio(head))
        return FileKind::MpegAudio;
    return FileKind::Unknown;
}

bool isPhotoKind(FileKind kind) {
    return kind >= FileKind::Jpeg && kind <= FileKind::OtherImage;
}

bool isAudioKind(FileKind kind) {
    return kind >= FileKind::Id3Tagged && kind <= FileKind::QuickTimeAudio;
}

bool isVideoKind(FileKind kind) {
    return kind >= FileKind::QuickTime && kind <= FileKind::MpegTsWithTimeCodes;
}

} // namespace quillon::metadata
