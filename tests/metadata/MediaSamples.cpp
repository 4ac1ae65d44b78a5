// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/metadata/MediaSamples.h"

#include "tests/metadata/Id3v2Bytes.h"

#include <exiv2/exiv2.hpp>
#include <taglib/aifffile.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/oggpage.h>
#include <taglib/opusfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace quillon::test {

namespace {

using TagLib::ByteVector;

ByteVector be32(unsigned v) {
    return ByteVector::fromUInt(v, true);
}
ByteVector le32(unsigned v) {
    return ByteVector::fromUInt(v, false);
}
ByteVector le16(unsigned v) {
    return ByteVector::fromShort(static_cast<short>(v), false);
}

ByteVector mp3Body() {
    const std::string frames = mpegFrames();
    return {frames.data(), static_cast<unsigned>(frames.size())};
}

ByteVector flacBody() {
    ByteVector info("fLaC", 4);
    info.append(ByteVector("\x80\x00\x00\x22", 4)); // last block: STREAMINFO, 34 bytes
    info.append(ByteVector("\x10\x00\x10\x00", 4)); // block sizes 4096
    info.append(ByteVector(6, '\0'));               // frame sizes unknown
    // 44100 Hz, one channel, 16 bits, no samples; then an empty MD5.
    info.append(ByteVector("\x0A\xC4\x40\xF0\x00\x00\x00\x00", 8));
    info.append(ByteVector(16, '\0'));
    return info;
}

ByteVector oggStream(const ByteVector& first, const ByteVector& second, const ByteVector& third) {
    TagLib::ByteVectorList packets;
    packets.append(first);
    packets.append(second);
    if (!third.isEmpty())
        packets.append(third);
    // One page per packet, the last one ending the stream.
    ByteVector out;
    int number = 0;
    for (const ByteVector& packet : packets) {
        const bool last = ++number == static_cast<int>(packets.size());
        TagLib::ByteVectorList one;
        one.append(packet);
        auto pages = TagLib::Ogg::Page::paginate(one, TagLib::Ogg::Page::SinglePagePerGroup, 7,
                                                 number - 1, false, true, last);
        for (auto* page : pages) {
            out.append(page->render());
            delete page;
        }
    }
    return out;
}

ByteVector vorbisBody() {
    ByteVector id("\x01vorbis", 7);
    id.append(le32(0));
    id.append(ByteVector("\x01", 1));
    id.append(le32(44100));
    id.append(le32(0) + le32(128000) + le32(0));
    id.append(ByteVector("\xB8\x01", 2));
    ByteVector comment("\x03vorbis", 7);
    comment.append(le32(0) + le32(0) + ByteVector("\x01", 1));
    return oggStream(id, comment, ByteVector("\x05vorbis\x00", 8));
}

ByteVector opusBody() {
    ByteVector head("OpusHead\x01\x01", 10);
    head.append(le16(312) + le32(48000) + le16(0) + ByteVector("\x00", 1));
    ByteVector tags("OpusTags", 8);
    tags.append(le32(0) + le32(0));
    return oggStream(head, tags, ByteVector("\xF8\xFF\xFE", 3)); // one silent frame
}

ByteVector atom(const char* type, const ByteVector& body) {
    return be32(body.size() + 8) + ByteVector(type, 4) + body;
}

ByteVector m4aBody() {
    ByteVector mvhd(100, '\0');
    mvhd[15] = 0x03; // time scale 1000
    mvhd[16] = static_cast<char>(0xE8);
    mvhd[21] = 0x01; // rate 1.0
    mvhd[24] = 0x01; // volume 1.0
    const ByteVector ftyp = atom("ftyp", ByteVector("M4A \0\0\0\0M4A isom", 16));
    return ftyp + atom("moov", atom("mvhd", mvhd));
}

ByteVector wavBody() {
    ByteVector fmt = le16(1) + le16(1) + le32(44100) + le32(88200) + le16(2) + le16(16);
    ByteVector chunks = ByteVector("fmt ", 4) + le32(16) + fmt;
    chunks.append(ByteVector("data", 4) + le32(4) + ByteVector(4, '\0'));
    return ByteVector("RIFF", 4) + le32(chunks.size() + 4) + ByteVector("WAVE", 4) + chunks;
}

ByteVector aiffBody() {
    ByteVector comm = ByteVector("\x00\x01", 2) + be32(0) + ByteVector("\x00\x10", 2);
    comm.append(ByteVector("\x40\x0E\xAC\x44\x00\x00\x00\x00\x00\x00", 10));
    ByteVector chunks = ByteVector("COMM", 4) + be32(18) + comm;
    chunks.append(ByteVector("SSND", 4) + be32(8) + ByteVector(8, '\0'));
    return ByteVector("FORM", 4) + be32(chunks.size() + 4) + ByteVector("AIFF", 4) + chunks;
}

ByteVector bodyOf(AudioKind kind) {
    switch (kind) {
    case AudioKind::Mp3Id3v2:
    case AudioKind::Mp3Id3v1:
        return mp3Body();
    case AudioKind::Flac:
        return flacBody();
    case AudioKind::OggVorbis:
        return vorbisBody();
    case AudioKind::Opus:
        return opusBody();
    case AudioKind::M4a:
        return m4aBody();
    case AudioKind::Wav:
        return wavBody();
    case AudioKind::Aiff:
        return aiffBody();
    }
    return {};
}

TagLib::PropertyMap propertiesOf(const SampleTags& tags) {
    TagLib::PropertyMap map;
    const auto put = [&map](const char* key, const std::string& value) {
        if (!value.empty())
            map.insert(key, TagLib::StringList(TagLib::String(value, TagLib::String::UTF8)));
    };
    const auto putNumber = [&put](const char* key, unsigned value) {
        if (value != 0)
            put(key, std::to_string(value));
    };
    put("ARTIST", tags.artist);
    put("ALBUMARTIST", tags.albumArtist);
    put("TITLE", tags.title);
    put("ALBUM", tags.album);
    put("GENRE", tags.genre);
    putNumber("TRACKNUMBER", tags.track);
    putNumber("DISCNUMBER", tags.disc);
    putNumber("DATE", tags.year);
    return map;
}

bool writeBytes(const std::string& path, const ByteVector& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), bytes.size());
    return static_cast<bool>(out);
}

bool writeId3v1(const std::string& path, const SampleTags& tags) {
    TagLib::MPEG::File file(path.c_str(), false);
    auto* tag = file.ID3v1Tag(true);
    // Version 1 tags hold Latin-1: text given as UTF-8 is converted.
    tag->setArtist(TagLib::String(tags.artist, TagLib::String::UTF8));
    tag->setTitle(TagLib::String(tags.title, TagLib::String::UTF8));
    tag->setAlbum(TagLib::String(tags.album, TagLib::String::UTF8));
    tag->setGenre(TagLib::String(tags.genre, TagLib::String::UTF8));
    tag->setTrack(tags.track);
    tag->setYear(tags.year);
    return file.save(TagLib::MPEG::File::ID3v1);
}

} // namespace

const char* sampleExtension(AudioKind kind) {
    switch (kind) {
    case AudioKind::Mp3Id3v2:
    case AudioKind::Mp3Id3v1:
        return "mp3";
    case AudioKind::Flac:
        return "flac";
    case AudioKind::OggVorbis:
        return "ogg";
    case AudioKind::Opus:
        return "opus";
    case AudioKind::M4a:
        return "m4a";
    case AudioKind::Wav:
        return "wav";
    case AudioKind::Aiff:
        return "aiff";
    }
    return "";
}

bool writeAudioSample(const std::string& path, AudioKind kind, const SampleTags& tags) {
    if (!writeBytes(path, bodyOf(kind)))
        return false;
    if (kind == AudioKind::Mp3Id3v1)
        return writeId3v1(path, tags);
    if (kind == AudioKind::Mp3Id3v2) {
        TagLib::MPEG::File file(path.c_str(), false);
        file.setProperties(propertiesOf(tags));
        return file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers);
    }
    TagLib::FileRef ref(path.c_str(), false);
    if (ref.isNull())
        return false;
    ref.file()->setProperties(propertiesOf(tags));
    return ref.save();
}

bool writeJpegSample(const std::string& path, const SamplePhoto& photo) {
    try {
        auto image = Exiv2::ImageFactory::create(Exiv2::ImageType::jpeg, path);
        Exiv2::ExifData& exif = image->exifData();
        const auto put = [&exif](const char* key, const std::string& value) {
            if (!value.empty())
                exif[key] = value;
        };
        put("Exif.Photo.DateTimeOriginal", photo.dateTimeOriginal);
        put("Exif.Photo.DateTimeDigitized", photo.dateTimeDigitized);
        put("Exif.Image.Make", photo.make);
        put("Exif.Image.Model", photo.model);
        if (!photo.xmpCreateDate.empty())
            image->xmpData()["Xmp.xmp.CreateDate"] = photo.xmpCreateDate;
        image->setByteOrder(photo.bigEndian ? Exiv2::bigEndian : Exiv2::littleEndian);
        image->writeMetadata();
        return true;
    } catch (...) {
        return false;
    }
}

namespace {

// An ISO base media file box: its size, its type and its body.
ByteVector box(const char* type, const ByteVector& body) {
    return be32(8 + body.size()) + ByteVector(type, 4) + body;
}

// A full box: version and flags (all zero here) before the body.
ByteVector fullBox(const char* type, const ByteVector& body) {
    return box(type, be32(0) + body);
}

ByteVector be16(unsigned v) {
    return ByteVector::fromShort(static_cast<short>(v), true);
}

// The Exif item's payload: the offset of the TIFF header after this field
// (none), then the TIFF structure.
ByteVector exifPayload(const SamplePhoto& photo) {
    Exiv2::ExifData exif;
    const auto put = [&exif](const char* key, const std::string& value) {
        if (!value.empty())
            exif[key] = value;
    };
    put("Exif.Photo.DateTimeOriginal", photo.dateTimeOriginal);
    put("Exif.Photo.DateTimeDigitized", photo.dateTimeDigitized);
    put("Exif.Image.Make", photo.make);
    put("Exif.Image.Model", photo.model);
    Exiv2::Blob tiff;
    Exiv2::ExifParser::encode(tiff, photo.bigEndian ? Exiv2::bigEndian : Exiv2::littleEndian, exif);
    return be32(0) + ByteVector(reinterpret_cast<const char*>(tiff.data()),
                                static_cast<unsigned>(tiff.size()));
}

// The meta box with the Exif item at exifOffset (of exifSize bytes).
ByteVector heicMeta(unsigned exifOffset, unsigned exifSize, unsigned width, unsigned height) {
    const ByteVector handler =
        fullBox("hdlr", be32(0) + ByteVector("pict", 4) + ByteVector(13, '\0'));
    const ByteVector exifEntry =
        fullBox("infe", be16(1) + be16(0) + ByteVector("Exif", 4) + ByteVector(1, '\0'));
    const ByteVector itemInfo = fullBox("iinf", be16(1) + exifEntry);
    // Offsets and lengths of four bytes, no base offset; one item, one extent.
    const ByteVector location =
        fullBox("iloc", ByteVector(1, '\x44') + ByteVector(1, '\0') + be16(1) + be16(1) + be16(0) +
                            be16(1) + be32(exifOffset) + be32(exifSize));
    const ByteVector extents = fullBox("ispe", be32(width) + be32(height));
    const ByteVector properties = box("iprp", box("ipco", extents));
    return fullBox("meta", handler + itemInfo + location + properties);
}

} // namespace

bool writeHeicSample(const std::string& path, const SamplePhoto& photo, unsigned width,
                     unsigned height) {
    try {
        const ByteVector fileType =
            box("ftyp", ByteVector("heic", 4) + be32(0) + ByteVector("mif1heic", 8));
        const ByteVector exif = exifPayload(photo);
        // The meta box's size does not depend on where the item lies.
        const unsigned metaSize = heicMeta(0, 0, 0, 0).size();
        const unsigned exifOffset = fileType.size() + metaSize + 8;
        const ByteVector file =
            fileType + heicMeta(exifOffset, exif.size(), width, height) + box("mdat", exif);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.data(), file.size());
        return static_cast<bool>(out);
    } catch (...) {
        return false;
    }
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    // A new file rather than one cut short: the file system flushes a file
    // cut short and written again to the disk when it is closed, and the
    // damaged-file tests, which rewrite one file thousands of times, waited
    // on the disk for most of their time.
    std::remove(path.c_str());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> damagedVariants(const std::string& whole) {
    std::vector<std::string> out;
    for (std::size_t cut : {0UL, 1UL, 4UL, 10UL, 11UL, 32UL, 64UL, 200UL, whole.size() / 2})
        out.push_back(whole.substr(0, std::min(cut, whole.size())));
    for (std::size_t back = 1; back <= 130 && back < whole.size(); back += 7)
        out.push_back(whole.substr(0, whole.size() - back));
    std::mt19937 random(22);
    for (int round = 0; round < 60; ++round) {
        std::string bytes = whole;
        for (int i = 0; i < 4; ++i) {
            const std::size_t at = random() % bytes.size();
            bytes[at] = static_cast<char>(random() % 2 ? 0xFF : random());
        }
        out.push_back(std::move(bytes));
    }
    return out;
}

} // namespace quillon::test
