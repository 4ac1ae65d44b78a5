// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/JpegExifReader.h"
#include "metadata/ByteOrder.h"

#include "metadata/MediaReaders.h"

#include <array>
#include <optional>
#include <string>

// Opening a JPEG through the library decodes every tag of every segment,
// which costs several times the reading of the file. The library gives the
// make, model and dates of the first Exif segment and the size of the first
// frame, but only after walking every segment up to the image data: it stops
// early at some damaged segments and throws at others, and a throw loses
// every field. So the walk here takes each segment as the library does and
// gives up wherever the two could part; the library reads those files.

namespace quillon::metadata {

namespace {

constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kApp1 = 0xE1;
constexpr unsigned char kApp2 = 0xE2;
constexpr unsigned char kApp13 = 0xED;
constexpr unsigned char kComment = 0xFE;

constexpr std::string_view kExifId("Exif\0\0", 6);
constexpr std::string_view kXmpId("http://ns.adobe.com/xap/1.0/\0", 29);
constexpr std::string_view kPhotoshopId("Photoshop 3.0\0", 14);
constexpr std::string_view kIccId("ICC_PROFILE", 11);

unsigned byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// The markers the library takes for the start of a frame.
bool isFrameMarker(unsigned marker) {
    return (marker >= 0xC0 && marker <= 0xC3) || (marker >= 0xC5 && marker <= 0xCF);
}

// The markers the library reads a segment length after; after any other it
// looks for the next marker in the bytes that follow.
bool hasLength(unsigned marker) {
    return (marker >= 0xC0 && marker <= 0xCF) || marker == 0xDB || marker == 0xDD ||
           (marker >= 0xE0 && marker <= 0xEF) || marker == kComment;
}

// What the segments before the image data hold for the photo fields.
struct JpegSegments {
    std::optional<std::string_view> tiff; // of the Exif segment
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

class SegmentWalk final {
public:
    SegmentWalk(std::string_view head, bool wholeFile)
        : m_head(head)
        , m_wholeFile(wholeFile) {}

    /// False where the library would read the segments otherwise than here.
    bool run(JpegSegments& out);

private:
    std::optional<unsigned> nextMarker();
    bool readWindow();
    bool hasSignature(std::string_view id) const;
    bool takeSegment(unsigned marker, JpegSegments& out);
    bool takeKnownSegment(unsigned marker, std::string_view segment, JpegSegments& out);
    bool takeExif(std::string_view segment, JpegSegments& out);
    bool takeXmp(std::string_view segment);
    bool takeComment(std::string_view segment);
    bool takeIcc(std::string_view segment);
    bool takeFrame(std::string_view segment, JpegSegments& out);

    std::string_view m_head;
    bool m_wholeFile;
    std::size_t m_at = 2;
    // The bytes the library reads at a segment's start to know it, zeros
    // past the end of the file.
    std::array<char, 36> m_window{};
    // The kinds of segment the library still looks for; it stops at none.
    int m_search = 6;
    bool m_exif = false;
    bool m_xmp = false;
    bool m_icc = false;
    bool m_photoshop = false;
    bool m_commentEmpty = true;
};

bool SegmentWalk::run(JpegSegments& out) {
    if (!m_head.starts_with("\xFF\xD8"))
        return false;
    // Each turn moves on by a segment's length of at least two bytes.
    for (;;) {
        const std::optional<unsigned> marker = nextMarker();
        if (!marker)
            return false;
        if (*marker == kStartOfScan || *marker == kEndOfImage || m_search == 0)
            return true;
        if (!hasLength(*marker) || !takeSegment(*marker, out))
            return false;
    }
}

// The library skips any bytes before a marker; here it must follow the
// segment before it.
std::optional<unsigned> SegmentWalk::nextMarker() {
    if (m_at >= m_head.size() || byteAt(m_head, m_at) != 0xFF)
        return std::nullopt;
    while (m_at < m_head.size() && byteAt(m_head, m_at) == 0xFF)
        ++m_at;
    if (m_at >= m_head.size())
        return std::nullopt;
    return byteAt(m_head, m_at++);
}

bool SegmentWalk::readWindow() {
    const std::size_t left = m_head.size() - m_at;
    // Past the end of head the bytes are not known, unless the file ends there.
    if (left < 2 || (left < m_window.size() && !m_wholeFile))
        return false;
    m_window.fill('\0');
    m_head.copy(m_window.data(), m_window.size(), m_at);
    return true;
}

bool SegmentWalk::hasSignature(std::string_view id) const {
    return std::string_view(m_window.data() + 2, id.size()) == id;
}

bool SegmentWalk::takeSegment(unsigned marker, JpegSegments& out) {
    // Whether the Photoshop data the library gathers is whole, and so
    // whether the library stopped here, is not known.
    if (m_photoshop && m_search == 1)
        return false;
    if (!readWindow())
        return false;
    const std::size_t size = bigEndian16(m_head, m_at);
    if (size < 2 || size > m_head.size() - m_at)
        return false;
    const std::string_view segment = m_head.substr(m_at, size);
    m_at += size;
    return takeKnownSegment(marker, segment, out);
}

// In the library's order of tests; a segment too short for its kind makes
// the library stop.
bool SegmentWalk::takeKnownSegment(unsigned marker, std::string_view segment, JpegSegments& out) {
    if (marker == kApp1 && hasSignature(kExifId))
        return takeExif(segment, out);
    if (marker == kApp1 && !m_xmp && hasSignature(kXmpId))
        return takeXmp(segment);
    if (marker == kApp13 && hasSignature(kPhotoshopId)) {
        m_photoshop = true;
        return segment.size() >= 2 + kPhotoshopId.size();
    }
    if (marker == kComment && m_commentEmpty)
        return takeComment(segment);
    if (marker == kApp2 && hasSignature(kIccId))
        return takeIcc(segment);
    if (out.height == 0 && isFrameMarker(marker))
        return takeFrame(segment, out);
    return true;
}

// The library passes over a second Exif segment; a file with two is not
// plain.
bool SegmentWalk::takeExif(std::string_view segment, JpegSegments& out) {
    if (m_exif || segment.size() < 2 + kExifId.size())
        return false;
    m_exif = true;
    --m_search;
    out.tiff = segment.substr(2 + kExifId.size());
    return true;
}

bool SegmentWalk::takeXmp(std::string_view segment) {
    if (segment.size() < 2 + kXmpId.size())
        return false;
    m_xmp = true;
    --m_search;
    return true;
}

// Every comment counts as found until one holds more than NULs.
bool SegmentWalk::takeComment(std::string_view segment) {
    std::string_view text = segment.substr(2);
    while (!text.empty() && text.back() == '\0')
        text.remove_suffix(1);
    m_commentEmpty = text.empty();
    --m_search;
    return true;
}

// Only a whole profile in one segment, of the length the segment gives it:
// the library throws when a profile's own length is not what it gathered,
// and reads on from inside a segment whose profile is shorter.
bool SegmentWalk::takeIcc(std::string_view segment) {
    constexpr std::size_t kHeader = 2 + 14;
    constexpr std::size_t kProfileHeader = 128;
    if (m_icc || segment.size() < kHeader + kProfileHeader)
        return false;
    const bool single = byteAt(segment, 14) == 1 && byteAt(segment, 15) == 1;
    if (!single || bigEndian32(segment, kHeader) != segment.size() - kHeader)
        return false;
    m_icc = true;
    --m_search;
    return true;
}

bool SegmentWalk::takeFrame(std::string_view segment, JpegSegments& out) {
    if (segment.size() < 8)
        return false;
    out.height = bigEndian16(segment, 3);
    out.width = bigEndian16(segment, 5);
    if (out.height != 0)
        --m_search;
    return true;
}

// One directory entry: tag, type, count, then the value or its offset.
struct Entry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::size_t at = 0;
};

constexpr std::size_t kEntrySize = 12;

class Tiff final {
public:
    explicit Tiff(std::string_view data)
        : m_data(data) {}

    /// The offset of the first directory, or nothing when the library
    /// would find no Exif.
    std::optional<std::uint32_t> readHeader();
    /// The number of entries of the directory at offset, or nothing when
    /// the library would not read them all.
    std::optional<std::uint16_t> entryCount(std::uint32_t offset) const;
    Entry entry(std::uint32_t directory, std::uint16_t index) const;
    std::uint32_t valueField(const Entry& e) const { return read32(e.at + 8); }
    /// The text of an ASCII entry as the library shows it, or nothing for
    /// another type or data out of bounds (where the library shows none).
    std::optional<std::string_view> ascii(const Entry& e) const;

private:
    std::uint16_t read16(std::size_t at) const;
    std::uint32_t read32(std::size_t at) const;

    std::string_view m_data;
    bool m_littleEndian = false;
};

std::optional<std::uint32_t> Tiff::readHeader() {
    if (m_data.size() < 8)
        return std::nullopt;
    if (m_data.starts_with("II"))
        m_littleEndian = true;
    else if (!m_data.starts_with("MM"))
        return std::nullopt;
    if (read16(2) != 42)
        return std::nullopt;
    return read32(4);
}

std::optional<std::uint16_t> Tiff::entryCount(std::uint32_t offset) const {
    // The library reads no directory of more entries than that.
    constexpr std::uint16_t kMaxEntries = 256;
    if (offset > m_data.size() || m_data.size() - offset < 2)
        return std::nullopt;
    const std::uint16_t count = read16(offset);
    if (count > kMaxEntries || (m_data.size() - offset - 2) / kEntrySize < count)
        return std::nullopt;
    return count;
}

Entry Tiff::entry(std::uint32_t directory, std::uint16_t index) const {
    const std::size_t at = directory + 2 + index * kEntrySize;
    return {read16(at), read16(at + 2), read32(at + 4), at};
}

std::optional<std::string_view> Tiff::ascii(const Entry& e) const {
    constexpr std::uint16_t kAscii = 2;
    if (e.type != kAscii)
        return std::nullopt;
    std::string_view bytes;
    if (e.count <= 4) {
        bytes = m_data.substr(e.at + 8, e.count);
    } else {
        const std::uint32_t offset = valueField(e);
        if (offset == 0 || offset > m_data.size() || e.count > m_data.size() - offset)
            return std::nullopt;
        bytes = m_data.substr(offset, e.count);
    }
    return bytes.substr(0, bytes.find('\0'));
}

std::uint16_t Tiff::read16(std::size_t at) const {
    const std::uint16_t value = bigEndian16(m_data, at);
    return m_littleEndian ? static_cast<std::uint16_t>(value >> 8 | value << 8) : value;
}

std::uint32_t Tiff::read32(std::size_t at) const {
    if (m_littleEndian)
        return std::uint32_t{read16(at + 2)} << 16 | read16(at);
    return bigEndian32(m_data, at);
}

constexpr std::uint16_t kMakeTag = 0x010F;
constexpr std::uint16_t kModelTag = 0x0110;
constexpr std::uint16_t kExifPointerTag = 0x8769;
constexpr std::uint16_t kGpsPointerTag = 0x8825;
constexpr std::uint16_t kSubImagesTag = 0x014A;
constexpr std::uint16_t kPrivateDataTag = 0xC634;
constexpr std::uint16_t kOriginalTag = 0x9003;
constexpr std::uint16_t kDigitizedTag = 0x9004;

struct ExifTexts {
    std::string_view make;
    std::string_view model;
    std::string_view original;
    std::string_view digitized;
};

// Of a tag twice in a directory, which one the library shows is not sure.
bool takeOnce(std::optional<Entry>& slot, const Entry& e) {
    if (slot)
        return false;
    slot = e;
    return true;
}

// An absent entry shows as empty text.
bool textOf(const Tiff& tiff, const std::optional<Entry>& e, std::string_view& out) {
    if (!e)
        return true;
    const auto text = tiff.ascii(*e);
    if (text)
        out = *text;
    return text.has_value();
}

struct FirstDirectory {
    std::optional<Entry> make;
    std::optional<Entry> model;
    std::optional<Entry> exifPointer;
    std::optional<Entry> gpsPointer;
};

bool readFirstDirectory(const Tiff& tiff, std::uint32_t offset, FirstDirectory& out) {
    const auto count = tiff.entryCount(offset);
    if (!count)
        return false;
    for (std::uint16_t i = 0; i < *count; ++i) {
        const Entry e = tiff.entry(offset, i);
        bool ok = true;
        if (e.tag == kMakeTag)
            ok = takeOnce(out.make, e);
        else if (e.tag == kModelTag)
            ok = takeOnce(out.model, e);
        else if (e.tag == kExifPointerTag)
            ok = takeOnce(out.exifPointer, e);
        else if (e.tag == kGpsPointerTag)
            ok = takeOnce(out.gpsPointer, e);
        else if (e.tag == kSubImagesTag || e.tag == kPrivateDataTag)
            ok = false; // directories that could stand where the Exif one does
        if (!ok)
            return false;
    }
    return true;
}

// The offset of the Exif directory, nothing without one, or false where the
// library would not read it as that: it reads no directory twice.
bool exifDirectory(const Tiff& tiff, std::uint32_t first, const FirstDirectory& dir,
                   std::optional<std::uint32_t>& out) {
    constexpr std::uint16_t kLong = 4;
    if (!dir.exifPointer)
        return true;
    const Entry& pointer = *dir.exifPointer;
    if (pointer.type != kLong || pointer.count != 1 || tiff.valueField(pointer) == first)
        return false;
    if (dir.gpsPointer && (dir.gpsPointer->count != 1 ||
                           tiff.valueField(*dir.gpsPointer) == tiff.valueField(pointer)))
        return false;
    out = tiff.valueField(pointer);
    return true;
}

bool readExifDirectory(const Tiff& tiff, std::uint32_t offset, ExifTexts& out) {
    const auto count = tiff.entryCount(offset);
    if (!count)
        return false;
    std::optional<Entry> original;
    std::optional<Entry> digitized;
    for (std::uint16_t i = 0; i < *count; ++i) {
        const Entry e = tiff.entry(offset, i);
        if ((e.tag == kOriginalTag && !takeOnce(original, e)) ||
            (e.tag == kDigitizedTag && !takeOnce(digitized, e)))
            return false;
    }
    return textOf(tiff, original, out.original) && textOf(tiff, digitized, out.digitized);
}

bool readExifTexts(std::string_view data, ExifTexts& out) {
    Tiff tiff(data);
    const auto first = tiff.readHeader();
    FirstDirectory dir;
    std::optional<std::uint32_t> exif;
    if (!first || !readFirstDirectory(tiff, *first, dir) || !exifDirectory(tiff, *first, dir, exif))
        return false;
    if (!textOf(tiff, dir.make, out.make) || !textOf(tiff, dir.model, out.model))
        return false;
    return !exif || readExifDirectory(tiff, *exif, out);
}

// The date as the library's reading gives it; without one the library goes
// on to XMP.
std::optional<DateTime> takenDate(const ExifTexts& texts) {
    if (auto date = parseMetadataDate(texts.original))
        return date;
    return parseMetadataDate(texts.digitized);
}

} // namespace

bool readPlainJpegExif(std::string_view head, std::uint64_t fileSize, FieldSet wanted,
                       FileFields& out) {
    JpegSegments segments;
    ExifTexts texts;
    // Without Exif the library gives no camera nor Exif date.
    if (!SegmentWalk(head, head.size() >= fileSize).run(segments) ||
        (segments.tiff && !readExifTexts(*segments.tiff, texts)))
        return false;
    const std::optional<DateTime> taken =
        wanted.has(Field::Taken) ? takenDate(texts) : std::nullopt;
    if (wanted.has(Field::Taken) && !taken)
        return false;
    const bool wantsSize = wanted.has(Field::Width) || wanted.has(Field::Height);
    if (wantsSize && (segments.width == 0 || segments.height == 0))
        return false;

    if (taken)
        out.setDate(Field::Taken, *taken);
    if (wanted.has(Field::Camera)) {
        const std::string camera = cameraName(texts.make, texts.model);
        if (!camera.empty())
            out.setText(Field::Camera, camera);
    }
    if (wanted.has(Field::Width))
        out.setNumber(Field::Width, segments.width);
    if (wanted.has(Field::Height))
        out.setNumber(Field::Height, segments.height);
    return true;
}

} // namespace quillon::metadata
