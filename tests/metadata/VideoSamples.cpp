// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/metadata/VideoSamples.h"

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace quillon::test {

namespace {

std::string bigEndian(std::uint64_t value, std::size_t bytes) {
    std::string out(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        out[bytes - 1 - i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string littleEndian(std::uint64_t value, std::size_t bytes) {
    std::string out(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string joined(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& p : parts)
        out += p;
    return out;
}

// ISO media.

std::string box(const std::string& type, const std::string& payload) {
    return bigEndian(8 + payload.size(), 4) + type + payload;
}

std::string fullBox(const std::string& type, std::uint32_t flags, const std::string& payload) {
    return box(type, bigEndian(flags, 4) + payload);
}

// The transform of a track turned by degrees (0, 90, 180, 270; -1 for a
// mirror image), moved back into view as cameras write it.
std::string matrix(int degrees, unsigned width = 0, unsigned height = 0) {
    const std::uint32_t one = 0x10000;
    const std::uint32_t minusOne = 0xFFFF0000;
    // a b 0 / c d 0 / x y 1, with x and y in pixels.
    std::array<std::uint64_t, 6> m{one, 0, 0, one, 0, 0};
    if (degrees == 90)
        m = {0, one, minusOne, 0, height, 0};
    else if (degrees == 180)
        m = {minusOne, 0, 0, minusOne, width, height};
    else if (degrees == 270)
        m = {0, minusOne, one, 0, 0, width};
    else if (degrees == -1)
        m = {minusOne, 0, 0, one, width, 0};
    return joined({bigEndian(m[0], 4), bigEndian(m[1], 4), std::string(4, '\0'), bigEndian(m[2], 4),
                   bigEndian(m[3], 4), std::string(4, '\0'), bigEndian(m[4] << 16, 4),
                   bigEndian(m[5] << 16, 4), bigEndian(0x40000000, 4)});
}

// Creation and modification time, and the time scale and duration: 32 or 64
// bits as version 0 or 1 of a header has them.
std::string headerTimes(std::uint64_t created, bool longTimes, std::uint32_t trackId) {
    const std::size_t n = longTimes ? 8 : 4;
    const std::string times = bigEndian(created, n) + bigEndian(created, n);
    if (trackId == 0)
        return times + bigEndian(1000, 4) + bigEndian(1000, n);
    return times + bigEndian(trackId, 4) + std::string(4, '\0') + bigEndian(1000, n);
}

std::string mediaBox(std::uint64_t created, bool longTimes, const std::string& handler,
                     const std::string& minf) {
    const std::string mdhd =
        fullBox("mdhd", longTimes ? 0x01000000 : 0,
                headerTimes(created, longTimes, 0) + bigEndian(0x55C4, 2) + std::string(2, '\0'));
    const std::string hdlr =
        fullBox("hdlr", 0, std::string(4, '\0') + handler + std::string(12, '\0') + "Media" + '\0');
    return box("mdia", mdhd + hdlr + minf);
}

std::string sampleTables(const std::string& entry) {
    return box("stbl",
               joined({fullBox("stsd", 0, bigEndian(1, 4) + entry),
                       fullBox("stts", 0, bigEndian(0, 4)), fullBox("stsc", 0, bigEndian(0, 4)),
                       fullBox("stsz", 0, bigEndian(0, 8)), fullBox("stco", 0, bigEndian(0, 4))}));
}

std::string videoTrack(const Mp4Shape& shape, std::uint64_t created, std::uint32_t trackId) {
    const std::string tkhd =
        fullBox("tkhd", (shape.longTimes ? 0x01000000 : 0) | 3,
                joined({headerTimes(created, shape.longTimes, trackId), std::string(16, '\0'),
                        matrix(shape.rotation, shape.width, shape.height),
                        bigEndian(std::uint64_t{shape.width} << 16, 4),
                        bigEndian(std::uint64_t{shape.height} << 16, 4)}));
    const unsigned entryWidth = shape.entryWidth == 0 ? shape.width : shape.entryWidth;
    const std::string avc1 =
        box("avc1",
            joined({std::string(6, '\0'), bigEndian(1, 2), std::string(16, '\0'),
                    bigEndian(entryWidth, 2), bigEndian(shape.height, 2), bigEndian(0x480000, 4),
                    bigEndian(0x480000, 4), std::string(4, '\0'), bigEndian(1, 2),
                    std::string(32, '\0'), bigEndian(24, 2), bigEndian(0xFFFF, 2)}));
    const std::string minf =
        box("minf", fullBox("vmhd", 1, std::string(8, '\0')) + sampleTables(avc1));
    return box("trak", tkhd + mediaBox(created, shape.longTimes, "vide", minf));
}

std::string soundTrack(std::uint64_t created, std::uint32_t trackId) {
    const std::string tkhd = fullBox(
        "tkhd", 3,
        joined({headerTimes(created, false, trackId), std::string(12, '\0'), bigEndian(0x0100, 2),
                std::string(2, '\0'), matrix(0), std::string(8, '\0')}));
    const std::string mp4a =
        box("mp4a",
            joined({std::string(6, '\0'), bigEndian(1, 2), std::string(8, '\0'), bigEndian(2, 2),
                    bigEndian(16, 2), std::string(4, '\0'), bigEndian(48000U << 16, 4)}));
    const std::string minf =
        box("minf", fullBox("smhd", 0, std::string(4, '\0')) + sampleTables(mp4a));
    return box("trak", tkhd + mediaBox(created, false, "soun", minf));
}

// A track of timed metadata, as phones write beside the video.
std::string metadataTrack(std::uint64_t created, std::uint32_t trackId) {
    const std::string tkhd =
        fullBox("tkhd", 3,
                joined({headerTimes(created, false, trackId), std::string(16, '\0'), matrix(0),
                        std::string(8, '\0')}));
    const std::string tref = box("tref", box("cdsc", bigEndian(1, 4)));
    const std::string mebx = box("mebx", std::string(6, '\0') + bigEndian(1, 2));
    const std::string minf = box("minf", fullBox("nmhd", 0, "") + sampleTables(mebx));
    return box("trak", tkhd + tref + mediaBox(created, false, "meta", minf));
}

// Apple's metadata: a creation date item under key, and an item of another
// key with a text value.
std::string appleMetadata(const Mp4Shape& shape) {
    std::vector<std::pair<std::string, std::string>> items;
    if (!shape.appleDate.empty())
        items.emplace_back(shape.appleKey, shape.appleDate);
    if (!shape.otherAppleKey.empty())
        items.emplace_back(shape.otherAppleKey, "Quillon");
    if (items.empty())
        return {};
    const std::string hdlr =
        fullBox("hdlr", 0, std::string(4, '\0') + "mdta" + std::string(12, '\0') + '\0');
    std::string keys = bigEndian(items.size(), 4);
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        keys += bigEndian(8 + items[i].first.size(), 4) + "mdta" + items[i].first;
        list += box(bigEndian(i + 1, 4),
                    box("data", bigEndian(1, 4) + bigEndian(0, 4) + items[i].second));
    }
    return box("meta", hdlr + fullBox("keys", 0, keys) + box("ilst", list));
}

std::string largeBox(const std::string& type, const std::string& payload) {
    return bigEndian(1, 4) + type + bigEndian(16 + payload.size(), 8) + payload;
}

// EBML.

std::string ebmlSize(std::size_t n) {
    return bigEndian(0x0100000000000000ULL | n, 8);
}

std::string element(const std::string& id, const std::string& payload) {
    return id + ebmlSize(payload.size()) + payload;
}

std::string unsignedElement(const std::string& id, std::uint64_t value) {
    return element(id, bigEndian(value, 8));
}

// RIFF.

std::string chunk(const std::string& id, std::string payload) {
    const std::size_t size = payload.size();
    if (size % 2 != 0)
        payload.push_back('\0');
    return id + littleEndian(size, 4) + payload;
}

std::string list(const std::string& type, const std::string& chunks) {
    return chunk("LIST", type + chunks);
}

} // namespace

std::string mp4Sample(const Mp4Shape& shape) {
    constexpr std::int64_t kFrom1904 = 2082844800;
    const std::uint64_t created =
        shape.utcSeconds == 0 ? 0 : static_cast<std::uint64_t>(shape.utcSeconds + kFrom1904);
    const auto top = shape.largeSizes ? largeBox : box;
    const std::string ftyp = top("ftyp", shape.brand + bigEndian(0, 4) + shape.brand + "isom");
    const std::string mvhd =
        fullBox("mvhd", shape.longTimes ? 0x01000000 : 0,
                joined({headerTimes(created, shape.longTimes, 0), bigEndian(0x10000, 4),
                        bigEndian(0x100, 2), std::string(10, '\0'), matrix(0),
                        std::string(24, '\0'), bigEndian(2, 4)}));
    std::string tracks;
    for (int i = 0; i < shape.videoTracks; ++i)
        tracks += videoTrack(shape, created, static_cast<std::uint32_t>(i + 1));
    if (shape.soundTrack)
        tracks += soundTrack(created, static_cast<std::uint32_t>(shape.videoTracks + 1));
    if (shape.metadataTrack)
        tracks += metadataTrack(created, static_cast<std::uint32_t>(shape.videoTracks + 2));
    const std::string moov =
        top("moov", mvhd + tracks + appleMetadata(shape) + shape.extraMovieBoxes);
    const std::string media(4096, '\0');
    if (shape.mdatToEnd)
        return ftyp + moov + bigEndian(0, 4) + "mdat" + media;
    const std::string mdat = top("mdat", media);
    return shape.moovLast ? ftyp + mdat + moov : ftyp + moov + mdat;
}

std::string mp4Sample(const std::string& brand, unsigned width, unsigned height,
                      std::int64_t utcSeconds, const std::string& appleDate, bool moovLast) {
    Mp4Shape shape;
    shape.brand = brand;
    shape.width = width;
    shape.height = height;
    shape.utcSeconds = utcSeconds;
    shape.appleDate = appleDate;
    shape.moovLast = moovLast;
    return mp4Sample(shape);
}

std::string isoBox(const std::string& type, const std::string& payload) {
    return box(type, payload);
}

std::string aviSample(unsigned width, unsigned height, const std::string& idit) {
    const std::string avih =
        chunk("avih", joined({littleEndian(40000, 4), std::string(8, '\0'), littleEndian(0x10, 4),
                              littleEndian(1, 4), littleEndian(0, 4), littleEndian(1, 4),
                              littleEndian(0, 4), littleEndian(width, 4), littleEndian(height, 4),
                              std::string(16, '\0')}));
    const std::string strh = chunk(
        "strh", joined({"vidsMJPG", std::string(12, '\0'), littleEndian(1, 4), littleEndian(25, 4),
                        std::string(4, '\0'), littleEndian(1, 4), std::string(12, '\0'),
                        std::string(4, '\0'), littleEndian(width, 2), littleEndian(height, 2)}));
    const std::string strf =
        chunk("strf", joined({littleEndian(40, 4), littleEndian(width, 4), littleEndian(height, 4),
                              littleEndian(1, 2), littleEndian(24, 2), "MJPG",
                              littleEndian(width * height * 3, 4), std::string(16, '\0')}));
    std::string header = avih + list("strl", strh + strf);
    if (!idit.empty())
        header += chunk("IDIT", idit + "\n" + '\0');
    const std::string body = joined(
        {"AVI ", list("hdrl", header), list("movi", chunk("00dc", std::string(8, '\0'))),
         chunk("idx1", "00dc" + littleEndian(0x10, 4) + littleEndian(4, 4) + littleEndian(8, 4))});
    return "RIFF" + littleEndian(body.size(), 4) + body;
}

std::string matroskaSample(const std::string& docType, unsigned width, unsigned height,
                           std::int64_t utcSeconds) {
    const std::string header = element(
        "\x1A\x45\xDF\xA3", joined({unsignedElement("\x42\x86", 1), unsignedElement("\x42\xF7", 1),
                                    unsignedElement("\x42\xF2", 4), unsignedElement("\x42\xF3", 8),
                                    element("\x42\x82", docType), unsignedElement("\x42\x87", 4),
                                    unsignedElement("\x42\x85", 2)}));
    // Nanoseconds since 2001.
    constexpr std::int64_t kFrom1970 = 978307200;
    std::string info = unsignedElement("\x2A\xD7\xB1", 1000000) + element("\x4D\x80", "x") +
                       element("\x57\x41", "x");
    if (utcSeconds != 0)
        info += element(
            "\x44\x61",
            bigEndian(static_cast<std::uint64_t>((utcSeconds - kFrom1970) * 1'000'000'000), 8));
    const std::string codec = docType == "webm" ? "V_VP8" : "V_MPEG4/ISO/AVC";
    const std::string video =
        element(std::string(1, '\xE0'), unsignedElement(std::string(1, '\xB0'), width) +
                                            unsignedElement(std::string(1, '\xBA'), height));
    const std::string track =
        element(std::string(1, '\xAE'),
                joined({unsignedElement(std::string(1, '\xD7'), 1), unsignedElement("\x73\xC5", 1),
                        unsignedElement(std::string(1, '\x83'), 1),
                        element(std::string(1, '\x86'), codec), video}));
    const std::string cluster = element(
        "\x1F\x43\xB6\x75",
        unsignedElement(std::string(1, '\xE7'), 0) +
            element(std::string(1, '\xA3'), std::string("\x81\0\0\x80", 4) + std::string(8, '\0')));
    return header + element("\x18\x53\x80\x67", element("\x15\x49\xA9\x66", info) +
                                                    element("\x16\x54\xAE\x6B", track) + cluster);
}

} // namespace quillon::test

namespace quillon::test {

namespace {

// Bits of an H.264 parameter set, exp-Golomb codes included.
class BitWriter final {
public:
    void bits(unsigned count, std::uint32_t value) {
        for (unsigned i = count; i-- > 0;)
            m_bits.push_back(((value >> i) & 1U) != 0);
    }
    void unsignedCode(std::uint32_t value) {
        const std::uint32_t v = value + 1;
        unsigned width = 0;
        while ((v >> width) > 1)
            ++width;
        bits(width, 0);
        bits(width + 1, v);
    }
    // With the stop bit and the padding to a byte.
    std::string bytes() {
        m_bits.push_back(true);
        while (m_bits.size() % 8 != 0)
            m_bits.push_back(false);
        std::string out;
        for (std::size_t i = 0; i < m_bits.size(); i += 8) {
            unsigned byte = 0;
            for (std::size_t k = 0; k < 8; ++k)
                byte = (byte << 1) | (m_bits[i + k] ? 1U : 0U);
            out.push_back(static_cast<char>(byte));
        }
        return out;
    }

private:
    std::vector<bool> m_bits;
};

std::string nalUnit(const std::string& unit) {
    return std::string("\0\0\0\x01", 4) + unit;
}

// Baseline profile; sizes in whole macroblocks.
std::string sequenceParameters(unsigned width, unsigned height) {
    BitWriter b;
    b.bits(8, 66);
    b.bits(8, 0);
    b.bits(8, 30);
    for (const std::uint32_t code : {0U, 0U, 2U, 1U})
        b.unsignedCode(code);
    b.bits(1, 0);
    b.unsignedCode(width / 16 - 1);
    b.unsignedCode(height / 16 - 1);
    b.bits(4, 0b1100);
    return "\x67" + b.bytes();
}

std::string pictureParameters() {
    BitWriter b;
    b.unsignedCode(0);
    b.unsignedCode(0);
    b.bits(2, 0);
    for (int i = 0; i < 3; ++i)
        b.unsignedCode(0);
    b.bits(3, 0);
    for (int i = 0; i < 3; ++i)
        b.unsignedCode(0);
    b.bits(3, 0b100);
    return "\x68" + b.bytes();
}

std::string slice() {
    BitWriter b;
    for (const std::uint32_t code : {0U, 7U, 0U})
        b.unsignedCode(code);
    b.bits(4, 0);
    b.unsignedCode(0);
    b.bits(2, 0);
    b.unsignedCode(0);
    b.unsignedCode(0);
    return "\x65" + b.bytes() + std::string(20, '\0');
}

unsigned bcd(unsigned v) {
    return ((v / 10) << 4) | (v % 10);
}

// The date cameras write into the stream: a user-data message of the
// AVCHD format, with the time in binary-coded decimal.
std::string recordingDate(const std::string& date) {
    const auto number = [&](std::size_t at, std::size_t n) {
        return static_cast<unsigned>(std::stoul(date.substr(at, n)));
    };
    const unsigned year = number(0, 4);
    std::string payload =
        std::string("\x17\xEE\x8C\x60\xF8\x4D\x11\xD9\x8C\xD6\x08\x00\x20\x0C\x9A\x66", 16) +
        "MDPM\x02";
    for (const unsigned v :
         {0x18U, 0U, bcd(year / 100), bcd(year % 100), bcd(number(5, 2)), 0x19U, bcd(number(8, 2)),
          bcd(number(11, 2)), bcd(number(14, 2)), bcd(number(17, 2))})
        payload.push_back(static_cast<char>(v));
    return "\x06\x05" + std::string(1, static_cast<char>(payload.size())) + payload + "\x80";
}

std::uint32_t mpegCrc(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 24;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 0x80000000) != 0 ? (crc << 1) ^ 0x04C11DB7 : crc << 1;
    }
    return crc;
}

std::string tableSection(unsigned tableId, const std::string& body) {
    const std::string section = std::string(1, static_cast<char>(tableId)) +
                                bigEndian(0xB000 | (body.size() + 9), 2) + bigEndian(1, 2) +
                                std::string("\xC1\0\0", 3) + body;
    return std::string(1, '\0') + section + bigEndian(mpegCrc(section), 4);
}

// payload cut into packets of pid, the last one filled out in front.
void appendPackets(unsigned pid, std::string payload, unsigned& counter,
                   std::vector<std::string>& out) {
    bool first = true;
    while (first || !payload.empty()) {
        std::string part = payload.substr(0, 184);
        payload.erase(0, part.size());
        unsigned control = 0x10;
        if (part.size() < 184) {
            const std::size_t stuffing = 184 - part.size();
            control = 0x30;
            part = (stuffing == 1 ? std::string(1, '\0')
                                  : std::string(1, static_cast<char>(stuffing - 1)) + '\0' +
                                        std::string(stuffing - 2, '\xFF')) +
                   part;
        }
        out.push_back("\x47" + bigEndian((first ? 0x4000U : 0U) | pid, 2) +
                      std::string(1, static_cast<char>(control | (counter++ & 0xF))) + part);
        first = false;
    }
}

} // namespace

std::string transportStreamSample(unsigned width, unsigned height, const std::string& recorded,
                                  bool timeCodes) {
    constexpr unsigned kVideo = 0x1011;
    constexpr unsigned kProgramMap = 0x100;
    const std::string pat = tableSection(0, bigEndian(1, 2) + bigEndian(0xE000 | kProgramMap, 2));
    const std::string pmt =
        tableSection(2, bigEndian(0xE000 | kVideo, 2) + bigEndian(0xF000, 2) + "\x1B" +
                            bigEndian(0xE000 | kVideo, 2) + bigEndian(0xF000, 2));
    std::vector<std::string> packets;
    unsigned tableCounter = 0;
    unsigned videoCounter = 0;
    // The library wants a few dozen packets before it tells the stream.
    for (unsigned frame = 0; frame < 30; ++frame) {
        if (frame % 4 == 0) {
            appendPackets(0, pat, tableCounter, packets);
            appendPackets(kProgramMap, pmt, tableCounter, packets);
        }
        const std::string stream =
            nalUnit("\x09\xF0") + nalUnit(sequenceParameters(width, height)) +
            nalUnit(pictureParameters()) +
            (recorded.empty() ? std::string() : nalUnit(recordingDate(recorded))) +
            nalUnit(slice());
        const std::uint64_t pts = 90000 + frame * 3600;
        const std::string stamp = {
            static_cast<char>(0x21 | ((pts >> 29) & 0x0E)), static_cast<char>((pts >> 22) & 0xFF),
            static_cast<char>(((pts >> 14) & 0xFE) | 1), static_cast<char>((pts >> 7) & 0xFF),
            static_cast<char>(((pts << 1) & 0xFE) | 1)};
        appendPackets(kVideo, std::string("\0\0\x01\xE0\0\0\x80\x80\x05", 9) + stamp + stream,
                      videoCounter, packets);
    }
    std::string out;
    for (std::size_t i = 0; i < packets.size(); ++i)
        out += (timeCodes ? bigEndian(i * 1000, 4) : std::string()) + packets[i];
    return out;
}

} // namespace quillon::test
