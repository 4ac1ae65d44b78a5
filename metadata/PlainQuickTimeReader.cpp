// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ByteOrder.h"
#include "metadata/MediaReaders.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

// Phones write their clips in one plain shape: a file type box, the media
// data and one movie box with a movie header, a video track and perhaps a
// sound track and Apple's metadata. For that shape the date and size are a
// few boxes away, where the video library spends half a millisecond setting
// itself up per file. Anything else, or anything the library could read
// another date or size from, is left to the library.
namespace quillon::metadata {

namespace {

// Bounds for a file made to be costly: boxes per level, and the movie box,
// which is read whole (a phone's is a few KiB per minute of video).
constexpr std::size_t kMostBoxes = 256;
constexpr std::uint64_t kMostMovieBytes = std::uint64_t{4} << 20;
constexpr std::uint32_t kMostKeys = 64;
constexpr std::int64_t kSeconds1904To1970 = 2082844800;

struct Box {
    std::string_view type;
    std::string_view payload;
};

// The boxes that tile payload exactly; nothing when they do not, or when
// there are too many.
std::optional<std::vector<Box>> childrenOf(std::string_view payload) {
    std::vector<Box> boxes;
    std::size_t at = 0;
    while (at < payload.size()) {
        const std::size_t left = payload.size() - at;
        if (boxes.size() == kMostBoxes || left < 8)
            return std::nullopt;
        std::uint64_t size = bigEndian32(payload, at);
        std::size_t header = 8;
        if (size == 1) {
            if (left < 16)
                return std::nullopt;
            size = bigEndian64(payload, at + 8);
            header = 16;
        }
        // A size of 0 (to the end) belongs to the top level only.
        if (size < header || size > left)
            return std::nullopt;
        boxes.push_back({payload.substr(at + 4, 4), payload.substr(at + header, size - header)});
        at += static_cast<std::size_t>(size);
    }
    return boxes;
}

struct TopBox {
    std::string_view type;
    std::uint64_t payloadAt = 0;
    std::uint64_t payloadSize = 0;
};

// The top-level box at at of a file of size bytes, read with one pread.
std::optional<TopBox> topBoxAt(int fd, std::uint64_t size, std::uint64_t at,
                               std::array<char, 16>& header) {
    const std::uint64_t left = size - at;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(header.size(), left));
    if (left < 8 ||
        ::pread(fd, header.data(), want, static_cast<off_t>(at)) != static_cast<ssize_t>(want))
        return std::nullopt;
    const std::string_view bytes(header.data(), want);
    std::uint64_t boxSize = bigEndian32(bytes, 0);
    std::uint64_t headerSize = 8;
    if (boxSize == 1) {
        if (want < 16)
            return std::nullopt;
        boxSize = bigEndian64(bytes, 8);
        headerSize = 16;
    } else if (boxSize == 0) {
        boxSize = left;
    }
    if (boxSize < headerSize || boxSize > left)
        return std::nullopt;
    return TopBox{bytes.substr(4, 4), at + headerSize, boxSize - headerSize};
}

bool isPlainTopBox(std::string_view type) {
    return type == "mdat" || type == "free" || type == "skip" || type == "wide";
}

// The payload of the one movie box, when the file is a file type box first,
// then nothing but media data, free space and that movie box, which fill the
// file exactly.
std::optional<std::string> moviePayload(int fd, std::uint64_t size) {
    std::optional<std::string> movie;
    std::array<char, 16> header{};
    std::uint64_t at = 0;
    for (std::size_t count = 0; at < size; ++count) {
        const auto box = count < kMostBoxes ? topBoxAt(fd, size, at, header) : std::nullopt;
        if (!box || (count == 0) != (box->type == "ftyp"))
            return std::nullopt;
        if (box->type == "moov") {
            if (movie || box->payloadSize > kMostMovieBytes)
                return std::nullopt;
            movie.emplace(static_cast<std::size_t>(box->payloadSize), '\0');
            if (::pread(fd, movie->data(), movie->size(), static_cast<off_t>(box->payloadAt)) !=
                static_cast<ssize_t>(movie->size()))
                return std::nullopt;
        } else if (count > 0 && !isPlainTopBox(box->type)) {
            return std::nullopt;
        }
        at = box->payloadAt + box->payloadSize;
    }
    return movie;
}

struct Movie {
    std::uint64_t created = 0;
    int headers = 0;
    int videoTracks = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::optional<std::string_view> appleDate;
    int metadataBoxes = 0;
};

// The creation time of a movie header, version 0 (32 bits) or 1 (64 bits).
bool readMovieHeader(std::string_view p, Movie& movie) {
    ++movie.headers;
    if (p.empty() || (p[0] != 0 && p[0] != 1))
        return false;
    const bool longTimes = p[0] == 1;
    if (p.size() < (longTimes ? 112U : 100U))
        return false;
    movie.created = longTimes ? bigEndian64(p, 4) : bigEndian32(p, 4);
    return true;
}

// A transform that turns by a right angle or not at all, moved anywhere: the
// library gives the size as stored for these.
bool isRightAngleTurn(std::string_view matrix) {
    constexpr std::uint32_t kOne = 0x10000;
    constexpr std::uint32_t kMinusOne = 0xFFFF0000;
    constexpr std::array<std::array<std::uint32_t, 4>, 4> kTurns{{{kOne, 0, 0, kOne},
                                                                  {0, kOne, kMinusOne, 0},
                                                                  {kMinusOne, 0, 0, kMinusOne},
                                                                  {0, kMinusOne, kOne, 0}}};
    const std::array<std::uint32_t, 4> turn{bigEndian32(matrix, 0), bigEndian32(matrix, 4),
                                            bigEndian32(matrix, 12), bigEndian32(matrix, 16)};
    return bigEndian32(matrix, 8) == 0 && bigEndian32(matrix, 20) == 0 &&
           bigEndian32(matrix, 32) == 0x40000000 &&
           std::find(kTurns.begin(), kTurns.end(), turn) != kTurns.end();
}

// A track header with a plain transform and a whole width and height.
bool readTrackHeader(std::string_view p, std::uint32_t& width, std::uint32_t& height) {
    if (p.empty() || (p[0] != 0 && p[0] != 1))
        return false;
    const std::size_t matrixAt = p[0] == 1 ? 52 : 40;
    if (p.size() < matrixAt + 44 || !isRightAngleTurn(p.substr(matrixAt, 36)))
        return false;
    const std::uint32_t fixedWidth = bigEndian32(p, matrixAt + 36);
    const std::uint32_t fixedHeight = bigEndian32(p, matrixAt + 40);
    if ((fixedWidth & 0xFFFF) != 0 || (fixedHeight & 0xFFFF) != 0)
        return false;
    width = fixedWidth >> 16;
    height = fixedHeight >> 16;
    return true;
}

std::optional<std::string_view> handlerType(std::string_view hdlr) {
    if (hdlr.size() < 12)
        return std::nullopt;
    return hdlr.substr(8, 4);
}

// The one visual sample entry of a sample description: its width and
// height, with no clean aperture that would crop them.
bool readSampleEntry(std::string_view stsd, std::uint32_t& width, std::uint32_t& height) {
    if (stsd.size() < 8 || bigEndian32(stsd, 4) != 1)
        return false;
    const auto entries = childrenOf(stsd.substr(8));
    if (!entries || entries->size() != 1 || entries->front().payload.size() < 78)
        return false;
    const std::string_view entry = entries->front().payload;
    const auto extensions = childrenOf(entry.substr(78));
    if (!extensions)
        return false;
    for (const Box& b : *extensions) {
        if (b.type == "clap")
            return false;
    }
    width = (static_cast<std::uint32_t>(static_cast<unsigned char>(entry[24])) << 8) |
            static_cast<unsigned char>(entry[25]);
    height = (static_cast<std::uint32_t>(static_cast<unsigned char>(entry[26])) << 8) |
             static_cast<unsigned char>(entry[27]);
    return true;
}

std::optional<Box> onlyChild(const std::vector<Box>& boxes, std::string_view type) {
    std::optional<Box> found;
    for (const Box& b : boxes) {
        if (b.type == type) {
            if (found)
                return std::nullopt;
            found = b;
        }
    }
    return found;
}

// Where the entries of a sample table start and their size, for the
// tables that count their entries.
std::optional<std::pair<std::size_t, std::size_t>> tableEntries(const Box& table) {
    if (table.type == "stts" || table.type == "ctts" || table.type == "co64")
        return std::pair{8, 8};
    if (table.type == "stss" || table.type == "stco")
        return std::pair{8, 4};
    if (table.type == "stsc")
        return std::pair{8, 12};
    if (table.type == "stsz")
        return std::pair{12, 4};
    return std::nullopt;
}

// Whether every count of entries fits its table: the library walks as many
// entries as a count says, and a damaged one keeps it busy for seconds.
bool countFitsTable(const Box& table) {
    const auto entries = tableEntries(table);
    if (!entries)
        return true;
    const auto [start, size] = *entries;
    const std::string_view p = table.payload;
    if (p.size() < start)
        return false;
    // Samples of one size (stsz) are counted without a list.
    const bool listed = table.type != "stsz" || bigEndian32(p, 4) == 0;
    const std::uint64_t count = listed ? bigEndian32(p, start - 4) : 0;
    return p.size() - start == count * size;
}

// The sample tables of a track's media information, when it holds nothing
// else the library reads, and their counts fit them.
std::optional<std::vector<Box>> sampleTables(std::string_view minf, std::string_view header) {
    const auto boxes = childrenOf(minf);
    if (!boxes)
        return std::nullopt;
    for (const Box& b : *boxes) {
        if (b.type != header && b.type != "dinf" && b.type != "stbl" && b.type != "hdlr")
            return std::nullopt;
    }
    const auto stbl = onlyChild(*boxes, "stbl");
    auto tables = stbl ? childrenOf(stbl->payload) : std::nullopt;
    if (!tables || !std::ranges::all_of(*tables, countFitsTable))
        return std::nullopt;
    return tables;
}

// The size a video track's sample entry gives.
bool readVideoMedia(std::string_view minf, std::uint32_t& width, std::uint32_t& height) {
    const auto tables = sampleTables(minf, "vmhd");
    const auto stsd = tables ? onlyChild(*tables, "stsd") : std::nullopt;
    return stsd && readSampleEntry(stsd->payload, width, height);
}

// A sound track and a track of timed metadata are passed over; a video track gives the size, where
// its header and its sample entry agree on it.
bool readTrack(std::string_view trak, Movie& movie) {
    const auto boxes = childrenOf(trak);
    if (!boxes)
        return false;
    for (const Box& b : *boxes) {
        if (b.type != "tkhd" && b.type != "mdia" && b.type != "edts" && b.type != "tref")
            return false;
    }
    const auto tkhd = onlyChild(*boxes, "tkhd");
    const auto mdia = onlyChild(*boxes, "mdia");
    const auto media = mdia ? childrenOf(mdia->payload) : std::nullopt;
    if (!tkhd || !media || media->size() != 3)
        return false;
    const auto hdlr = onlyChild(*media, "hdlr");
    const auto minf = onlyChild(*media, "minf");
    const auto handler = hdlr ? handlerType(hdlr->payload) : std::nullopt;
    if (!onlyChild(*media, "mdhd") || !minf || !handler)
        return false;
    if (*handler == "soun")
        return sampleTables(minf->payload, "smhd").has_value();
    if (*handler == "meta")
        return sampleTables(minf->payload, "nmhd").has_value();
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t entryWidth = 0;
    std::uint32_t entryHeight = 0;
    if (*handler != "vide" || !readTrackHeader(tkhd->payload, width, height) ||
        !readVideoMedia(minf->payload, entryWidth, entryHeight) || width != entryWidth ||
        height != entryHeight)
        return false;
    ++movie.videoTracks;
    movie.width = width;
    movie.height = height;
    return true;
}

// Apple's keys that the library shows under names of their own, none of
// them a date or a size.
constexpr std::array<std::string_view, 4> kPlainAppleKeys{
    "com.apple.quicktime.make", "com.apple.quicktime.model", "com.apple.quicktime.software",
    "com.apple.quicktime.location.ISO6709"};
constexpr std::string_view kAppleCreationDate = "com.apple.quicktime.creationdate";

std::optional<std::vector<std::string_view>> readKeys(std::string_view keys) {
    if (keys.size() < 8 || bigEndian32(keys, 4) > kMostKeys)
        return std::nullopt;
    std::vector<std::string_view> names;
    std::size_t at = 8;
    while (at < keys.size()) {
        if (keys.size() - at < 8)
            return std::nullopt;
        const std::size_t size = bigEndian32(keys, at);
        if (size < 8 || size > keys.size() - at || keys.substr(at + 4, 4) != "mdta")
            return std::nullopt;
        names.push_back(keys.substr(at + 8, size - 8));
        at += size;
    }
    if (names.size() != bigEndian32(keys, 4))
        return std::nullopt;
    return names;
}

// "2021-05-01T10:20:30+0200", as Apple writes it.
bool isAppleDateForm(std::string_view text) {
    constexpr std::string_view kForm = "dddd-dd-ddTdd:dd:dd+dddd";
    if (text.size() != kForm.size())
        return false;
    for (std::size_t i = 0; i < kForm.size(); ++i) {
        const char c = text[i];
        const bool fits = kForm[i] == 'd'   ? c >= '0' && c <= '9'
                          : kForm[i] == '+' ? c == '+' || c == '-'
                                            : c == kForm[i];
        if (!fits)
            return false;
    }
    return true;
}

// An item's one text value.
std::optional<std::string_view> itemText(std::string_view item) {
    const auto boxes = childrenOf(item);
    if (!boxes || boxes->size() != 1 || boxes->front().type != "data")
        return std::nullopt;
    const std::string_view data = boxes->front().payload;
    if (data.size() < 8 || bigEndian32(data, 0) != 1)
        return std::nullopt;
    return data.substr(8);
}

bool readAppleItem(std::string_view key, std::string_view item, Movie& movie) {
    const auto text = itemText(item);
    if (!text)
        return false;
    if (key != kAppleCreationDate)
        return std::find(kPlainAppleKeys.begin(), kPlainAppleKeys.end(), key) !=
               kPlainAppleKeys.end();
    if (movie.appleDate || !isAppleDateForm(*text))
        return false;
    movie.appleDate = *text;
    return true;
}

// Apple's metadata: a handler of "mdta", the keys and their items, each key
// once, every one of them known.
bool readAppleMetadata(std::string_view meta, Movie& movie) {
    ++movie.metadataBoxes;
    const auto boxes = childrenOf(meta);
    if (!boxes || boxes->size() != 3)
        return false;
    const auto hdlr = onlyChild(*boxes, "hdlr");
    const auto keysBox = onlyChild(*boxes, "keys");
    const auto ilst = onlyChild(*boxes, "ilst");
    const auto handler = hdlr ? handlerType(hdlr->payload) : std::nullopt;
    const auto keys = keysBox ? readKeys(keysBox->payload) : std::nullopt;
    const auto items = ilst ? childrenOf(ilst->payload) : std::nullopt;
    if (!handler || *handler != "mdta" || !keys || !items)
        return false;
    std::vector<bool> seen(keys->size(), false);
    for (const Box& item : *items) {
        const std::uint32_t index = bigEndian32(item.type, 0);
        if (index == 0 || index > keys->size() || seen[index - 1])
            return false;
        seen[index - 1] = true;
        if (!readAppleItem((*keys)[index - 1], item.payload, movie))
            return false;
    }
    return true;
}

// User data that holds only where the clip was made, as phones write it.
bool holdsOnlyLocation(std::string_view udta) {
    const auto boxes = childrenOf(udta);
    return boxes && std::ranges::all_of(*boxes, [](const Box& b) { return b.type == "\xA9xyz"; });
}

bool readMovie(std::string_view moov, Movie& movie) {
    const auto boxes = childrenOf(moov);
    if (!boxes)
        return false;
    for (const Box& b : *boxes) {
        const bool read = b.type == "mvhd"   ? readMovieHeader(b.payload, movie)
                          : b.type == "trak" ? readTrack(b.payload, movie)
                          : b.type == "meta" ? readAppleMetadata(b.payload, movie)
                          : b.type == "udta" ? holdsOnlyLocation(b.payload)
                                             : b.type == "iods";
        if (!read)
            return false;
    }
    return movie.headers == 1 && movie.videoTracks == 1 && movie.metadataBoxes <= 1;
}

// The movie header's creation time, which is UTC, as the local clock shows
// it; nothing where the library would look further.
std::optional<DateTime> headerDate(std::uint64_t created) {
    constexpr std::uint64_t kMostSeconds = std::uint64_t{1} << 40;
    if (created > kMostSeconds)
        return std::nullopt;
    const std::time_t t = static_cast<std::time_t>(created) - kSeconds1904To1970;
    std::tm tm{};
    if (::gmtime_r(&t, &tm) == nullptr || tm.tm_year + 1900 > 2999)
        return std::nullopt;
    const DateTime utc{
        static_cast<std::int16_t>(tm.tm_year + 1900), static_cast<std::uint8_t>(tm.tm_mon + 1),
        static_cast<std::uint8_t>(tm.tm_mday),        static_cast<std::uint8_t>(tm.tm_hour),
        static_cast<std::uint8_t>(tm.tm_min),         static_cast<std::uint8_t>(tm.tm_sec)};
    if (isUnsetVideoDate(utc))
        return std::nullopt;
    return utcToLocalDate(utc);
}

} // namespace

bool readPlainQuickTime(int fd, std::uint64_t size, FieldSet wanted, FileFields& out) {
    const auto moov = moviePayload(fd, size);
    Movie movie;
    if (!moov || !readMovie(*moov, movie) || movie.width == 0 || movie.height == 0)
        return false;
    std::optional<DateTime> taken;
    if (movie.appleDate) {
        taken = parseMetadataDate(*movie.appleDate);
        if (taken && isUnsetVideoDate(*taken))
            taken.reset();
    }
    if (!taken && !movie.appleDate)
        taken = headerDate(movie.created);
    if (!taken)
        return false;
    if (wanted.has(Field::Taken))
        out.setDate(Field::Taken, *taken);
    if (wanted.has(Field::Width))
        out.setNumber(Field::Width, movie.width);
    if (wanted.has(Field::Height))
        out.setNumber(Field::Height, movie.height);
    return true;
}

} // namespace quillon::metadata
