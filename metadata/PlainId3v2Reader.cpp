// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ByteOrder.h"
#include "metadata/MediaReaders.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The tag library builds an object for every frame of a tag, and most of the
// time a press spends on an MP3 file went there. This reader walks the frames
// of a tag in the form nearly every MP3 file has, takes only the text frames
// a press needs, and gives the very values the library's MPEG reader gives.
// Whatever it does not take whole (another version, flags, an encoding it
// cannot decode exactly, a field the library would look for elsewhere) it
// leaves to the library.
namespace quillon::metadata {

namespace {

constexpr std::size_t kHeaderSize = 10;

std::optional<std::uint32_t> synchsafe(std::string_view b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto c = static_cast<unsigned char>(b[at + i]);
        if (c & 0x80)
            return std::nullopt;
        v = (v << 7) | c;
    }
    return v;
}

bool isFrameId(std::string_view frames, std::size_t at) {
    if (at + 4 > frames.size())
        return false;
    for (std::size_t i = at; i < at + 4; ++i) {
        const char c = frames[i];
        if ((c < 'A' || c > 'Z') && (c < '0' || c > '9'))
            return false;
    }
    return true;
}

// The frame IDs a press can ask for, by field.
struct WantedFrame {
    Field field;
    std::string_view id;
};

void appendUtf8(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Code points the library's converter takes: no surrogates, and not the
// two it holds for byte-order marks.
bool isConvertible(std::uint32_t cp) {
    return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF) && cp != 0xFFFE && cp != 0xFFFF;
}

// Well-formed UTF-8 only; the library turns anything else into nothing.
bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t n = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            cp = c & 0x1FU;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            cp = c & 0x0FU;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            cp = c & 0x07U;
        } else {
            return false;
        }
        if (i + n >= s.size())
            return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3FU);
        }
        const bool overlong = (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000);
        if (overlong || !isConvertible(cp))
            return false;
        i += n + 1;
    }
    return true;
}

// UTF-16 code units as the library keeps them: surrogates must pair up,
// since it drops a text that holds a lone one.
bool appendUtf16(std::string_view s, bool bigEndianOrder, std::string& out) {
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(s[i]);
        const auto b = static_cast<unsigned char>(s[i + 1]);
        return bigEndianOrder ? static_cast<std::uint32_t>((a << 8) | b)
                              : static_cast<std::uint32_t>((b << 8) | a);
    };
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        const std::uint32_t u = unit(i);
        if (u >= 0xDC00 && u <= 0xDFFF)
            return false;
        if (u < 0xD800 || u > 0xDBFF) {
            if (!isConvertible(u))
                return false;
            appendUtf8(u, out);
            continue;
        }
        if (i + 3 >= s.size())
            return false;
        const std::uint32_t low = unit(i + 2);
        if (low < 0xDC00 || low > 0xDFFF)
            return false;
        appendUtf8(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00), out);
        i += 2;
    }
    return true;
}

enum class Encoding : std::uint8_t { Latin1 = 0, Utf16 = 1, Utf16BigEndian = 2, Utf8 = 3 };

// Calls take with each of the frame's values, split at their terminators
// as the library splits them, empty ones included (the first one's
// byte-order mark counts even when the value is empty); false as soon as
// take returns false.
template <class Take>
bool forEachValue(std::string_view body, std::size_t align, Take take) {
    std::size_t length = body.size();
    while (length > 0 && body[length - 1] == '\0')
        --length;
    while (length % align != 0)
        ++length;
    body = body.substr(0, length);
    std::size_t start = 0;
    for (std::size_t at = 0; at + align <= body.size(); at += align) {
        if (body[at] != '\0' || (align == 2 && body[at + 1] != '\0'))
            continue;
        if (!take(body.substr(start, at - start), start == 0))
            return false;
        start = at + align;
    }
    return start >= body.size() || take(body.substr(start), start == 0);
}

enum class ByteOrder : std::uint8_t { Unknown, Big, Little };

ByteOrder markOf(std::string_view value) {
    if (value.size() >= 2 && value[0] == '\xFE' && value[1] == '\xFF')
        return ByteOrder::Big;
    if (value.size() >= 2 && value[0] == '\xFF' && value[1] == '\xFE')
        return ByteOrder::Little;
    return ByteOrder::Unknown;
}

// A value without a mark of its own is read in the first value's order,
// and is lost when that had none.
bool decodeUtf16(std::string_view value, ByteOrder first, std::string& out) {
    const ByteOrder own = markOf(value);
    if (own != ByteOrder::Unknown)
        return appendUtf16(value.substr(2), own == ByteOrder::Big, out);
    return first != ByteOrder::Unknown && appendUtf16(value, first == ByteOrder::Big, out);
}

bool appendValue(Encoding encoding, std::string_view value, ByteOrder first, std::string& out) {
    switch (encoding) {
    case Encoding::Latin1:
        for (const char c : value)
            appendUtf8(static_cast<unsigned char>(c), out);
        return true;
    case Encoding::Utf8:
        // A mark would stay in the text, where a name does not want it.
        if (!isUtf8(value) || value.substr(0, 3) == "\xEF\xBB\xBF")
            return false;
        out.append(value);
        return true;
    case Encoding::Utf16:
        return decodeUtf16(value, first, out);
    case Encoding::Utf16BigEndian:
        return appendUtf16(value, true, out);
    }
    return false;
}

// A text frame's values decoded to UTF-8, joined by blanks as the tag
// gives them, or only the first as the property map gives it; nothing when
// the frame is one the library would decode otherwise, or holds no text.
std::optional<std::string> frameText(std::string_view body, bool firstOnly) {
    if (body.size() < 2 || static_cast<unsigned char>(body[0]) > 3)
        return std::nullopt;
    const auto encoding = static_cast<Encoding>(body[0]);
    const bool wide = encoding == Encoding::Utf16 || encoding == Encoding::Utf16BigEndian;
    ByteOrder first = ByteOrder::Unknown;
    std::string text;
    bool any = false;
    const bool decoded =
        forEachValue(body.substr(1), wide ? 2 : 1, [&](std::string_view value, bool isFirst) {
            if (isFirst)
                first = markOf(value);
            if (value.empty() || (firstOnly && any))
                return true;
            if (any)
                text.push_back(' ');
            const std::size_t before = text.size();
            any = true;
            return appendValue(encoding, value, first, text) && text.size() > before;
        });
    if (!decoded || !any)
        return std::nullopt;
    return text;
}

// One frame as the walk found it.
struct FrameView {
    std::string_view id;
    std::string_view body;
};

// The tag's frames up to its padding; nothing when any frame is one the
// walk cannot step over exactly as the library does.
std::optional<std::vector<FrameView>> walkFrames(std::string_view frames, unsigned version) {
    std::vector<FrameView> out;
    out.reserve(16);
    std::size_t at = 0;
    while (at + kHeaderSize < frames.size()) {
        if (frames[at] == '\0')
            break;
        if (!isFrameId(frames, at))
            return std::nullopt;
        std::uint32_t size = 0;
        if (version == 3) {
            size = bigEndian32(frames, at + 4);
        } else {
            const auto safe = synchsafe(frames, at + 4);
            if (!safe)
                return std::nullopt;
            size = *safe;
            // Some writers put plain sizes in this version: the library
            // takes the one after which the next frame starts.
            if (size > 127 && !isFrameId(frames, at + size + kHeaderSize) &&
                isFrameId(frames, at + bigEndian32(frames, at + 4) + kHeaderSize))
                size = bigEndian32(frames, at + 4);
        }
        // Compression, encryption, grouping, unsynchronisation.
        if (frames[at + 9] != '\0' || size == 0 || size > frames.size() - at - kHeaderSize)
            return std::nullopt;
        out.push_back({frames.substr(at, 4), frames.substr(at + kHeaderSize, size)});
        at += kHeaderSize + size;
    }
    return out;
}

const FrameView* firstFrame(const std::vector<FrameView>& frames, std::string_view id) {
    for (const FrameView& f : frames) {
        if (f.id == id)
            return &f;
    }
    return nullptr;
}

bool holds(const std::vector<FrameView>& frames, std::string_view id) {
    return firstFrame(frames, id) != nullptr;
}

bool holdsText(const std::vector<FrameView>& frames, std::string_view id) {
    const FrameView* frame = firstFrame(frames, id);
    return frame && frameText(frame->body, false);
}

// A number as the library path reads one; a run of ten digits or more,
// which no real tag holds, is left to it.
std::optional<std::uint32_t> tagNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t end = text.find_first_not_of("0123456789", first);
    if (first != std::string_view::npos &&
        (end == std::string_view::npos ? text.size() : end) - first >= 10)
        return std::nullopt;
    return leadingNumber(text);
}

struct TagView {
    unsigned version = 0;
    std::vector<FrameView> frames;
};

// The value a field takes from the tag, as the library's tag or property
// map gives it; nothing when the library would look further.
bool takeField(const TagView& tag, Field field, FileFields& out) {
    struct Source {
        Field field;
        std::string_view id;
        bool firstValueOnly;
    };
    static constexpr std::array kSources{
        Source{Field::Artist, "TPE1", false}, Source{Field::AlbumArtist, "TPE2", true},
        Source{Field::Title, "TIT2", false},  Source{Field::Album, "TALB", false},
        Source{Field::Track, "TRCK", false},  Source{Field::Disc, "TPOS", true},
        Source{Field::Year, "TDRC", false},
    };
    for (const Source& s : kSources) {
        if (s.field != field)
            continue;
        const std::string_view id = field == Field::Year && tag.version == 3 ? "TYER" : s.id;
        const FrameView* frame = firstFrame(tag.frames, id);
        const auto found = frame ? frameText(frame->body, s.firstValueOnly) : std::nullopt;
        if (!found)
            return false;
        const std::string& text = *found;
        if (field == Field::Track || field == Field::Year || field == Field::Disc) {
            const auto n = tagNumber(text);
            if (!n)
                return false;
            out.setNumber(field, *n);
        } else if (!text.empty()) {
            out.setText(field, text);
        } else {
            return false;
        }
        return true;
    }
    return false;
}

// Frames that would give a field a second source in the library's reading.
bool hasRivalFrames(const TagView& tag, FieldSet wanted) {
    // The frames of dates that the property map also calls the date.
    constexpr std::array kOtherDates{"TDAT", "TIME", "TRDA", "TRDC"};
    if (wanted.has(Field::Year) &&
        ((tag.version == 3 ? holds(tag.frames, "TDRC") : holds(tag.frames, "TYER")) ||
         std::ranges::any_of(kOtherDates, [&](const char* id) { return holds(tag.frames, id); })))
        return true;
    // Album artist and the numbers come from the property map, which also
    // takes user texts, and which the library skips for a tag it deems
    // empty.
    const FieldSet fromMap =
        FieldSet(Field::AlbumArtist) | FieldSet(Field::Disc) | Field::Track | Field::Year;
    if (wanted.intersects(fromMap)) {
        if (holds(tag.frames, "TXXX"))
            return true;
        if (!holdsText(tag.frames, "TIT2") && !holdsText(tag.frames, "TPE1") &&
            !holdsText(tag.frames, "TALB"))
            return true;
    }
    return false;
}

// Whether an MPEG audio frame starts at offset, checked as the library's
// MPEG reader checks the first frame it finds: a valid header, and the
// next frame's header where this one's length says, alike in version,
// layer and sample rate. It then takes the file for an MP3 file.
bool startsMpegFrame(std::string_view head, std::size_t offset) {
    if (offset + 4 > head.size())
        return false;
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(head[offset + i]);
    };
    if (byte(0) != 0xFF || byte(1) == 0xFF || (byte(1) & 0xE0) != 0xE0)
        return false;
    const unsigned versionBits = (byte(1) >> 3) & 3U;
    const unsigned layerBits = (byte(1) >> 1) & 3U;
    if (versionBits == 1 || layerBits == 0)
        return false;
    // Rows: MPEG-1, then MPEG-2 and 2.5; columns: layers I, II, III.
    static constexpr std::array<std::array<std::array<std::uint16_t, 16>, 3>, 2> kBitrates{{
        {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
          {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
          {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}}},
        {{{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
          {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
          {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}},
    }};
    static constexpr std::array<std::array<std::uint32_t, 3>, 3> kSampleRates{
        {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}}};
    const std::size_t version = versionBits == 3 ? 0 : versionBits == 2 ? 1 : 2;
    const std::size_t layer = 3 - layerBits; // 0 for layer I
    const std::uint32_t bitrate = kBitrates[version == 0 ? 0 : 1][layer][byte(2) >> 4];
    const unsigned rateIndex = (byte(2) >> 2) & 3U;
    if (bitrate == 0 || rateIndex == 3)
        return false;
    const std::uint32_t sampleRate = kSampleRates[version][rateIndex];
    const std::uint32_t samples = layer == 0 ? 384 : layer == 2 && version != 0 ? 576 : 1152;
    std::size_t length = samples * bitrate * 125 / sampleRate;
    if (byte(2) & 0x02)
        length += layer == 0 ? 4 : 1;
    if (offset + length + 4 > head.size())
        return false;
    constexpr std::uint32_t kAlike = 0xFFFE0C00;
    return (bigEndian32(head, offset) & kAlike) == (bigEndian32(head, offset + length) & kAlike);
}

std::optional<TagView> parseTag(std::string_view head) {
    if (head.size() < kHeaderSize || head.substr(0, 3) != "ID3")
        return std::nullopt;
    const auto version = static_cast<unsigned char>(head[3]);
    // Unsynchronisation, an extended header, experimental, a footer.
    if ((version != 3 && version != 4) || head[5] != '\0')
        return std::nullopt;
    const auto size = synchsafe(head, 6);
    if (!size || *size < kHeaderSize || *size > head.size() - kHeaderSize)
        return std::nullopt;
    auto frames = walkFrames(head.substr(kHeaderSize, *size), version);
    if (!frames || !startsMpegFrame(head, kHeaderSize + *size))
        return std::nullopt;
    return TagView{version, std::move(*frames)};
}

} // namespace

std::optional<std::size_t> plainId3v2Size(std::string_view head) {
    if (head.size() < kHeaderSize || head.substr(0, 3) != "ID3")
        return std::nullopt;
    const auto size = synchsafe(head, 6);
    if (!size)
        return std::nullopt;
    return *size + kHeaderSize;
}

bool readPlainId3v2(std::string_view head, FieldSet wanted, FileFields& out) {
    wanted = wanted & kAudioFields;
    // Genres have numeric forms the library spells out.
    if (wanted.empty() || wanted.has(Field::Genre))
        return false;
    const auto tag = parseTag(head);
    if (!tag || hasRivalFrames(*tag, wanted))
        return false;
    FileFields fields;
    for (const Field field : kAllFields) {
        if (wanted.has(field) && !takeField(*tag, field, fields))
            return false;
    }
    if (out.present().empty())
        out = std::move(fields);
    else
        out.merge(fields);
    return true;
}

} // namespace quillon::metadata
