// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaReaders.h"

#include <taglib/aifffile.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace quillon::metadata {

namespace {

// The library reports damaged files on standard error in some builds; a
// batch of damaged files must not flood the terminal.
class SilentListener final : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String& message) override { (void)message; }
};

void silenceTagLib() {
    static SilentListener listener;
    static std::once_flag once;
    std::call_once(once, [] {
        TagLib::setDebugListener(&listener);
        TagLib::ID3v2::FrameFactory::instance();
    });
}

// Reads the open file with pread and never writes: no seek costs a system
// call, the descriptor stays the caller's, and the first block, where most
// tags are, is read once.
class ReadOnlyStream final : public TagLib::IOStream {
public:
    ReadOnlyStream(int fd, long length, std::string head)
        : m_fd(fd)
        , m_length(length)
        , m_head(std::move(head)) {}

    TagLib::FileName name() const override { return ""; }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector& data) override { (void)data; }
    void insert(const TagLib::ByteVector& data, unsigned long start,
                unsigned long replace) override {
        (void)data;
        (void)start;
        (void)replace;
    }
    void removeBlock(unsigned long start, unsigned long length) override {
        (void)start;
        (void)length;
    }
    bool readOnly() const override { return true; }
    bool isOpen() const override { return m_fd >= 0; }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override { return m_position; }
    long length() override { return m_length; }
    void truncate(long length) override { (void)length; }

    const std::string& head() const { return m_head; }

private:
    int m_fd;
    long m_length = 0;
    long m_position = 0;
    std::string m_head;
};

TagLib::ByteVector ReadOnlyStream::readBlock(unsigned long length) {
    const long available = std::max(0L, m_length - m_position);
    const long wanted = std::min(static_cast<long>(std::min(length, 1UL << 30)), available);
    if (wanted <= 0)
        return {};
    const auto headSize = static_cast<long>(m_head.size());
    if (m_position + wanted <= headSize) {
        TagLib::ByteVector block(m_head.data() + m_position, static_cast<unsigned>(wanted));
        m_position += wanted;
        return block;
    }
    TagLib::ByteVector block(static_cast<unsigned>(wanted), '\0');
    const ssize_t n = ::pread(m_fd, block.data(), static_cast<std::size_t>(wanted), m_position);
    block.resize(n > 0 ? static_cast<unsigned>(n) : 0);
    m_position += static_cast<long>(block.size());
    return block;
}

void ReadOnlyStream::seek(long offset, Position p) {
    long base = 0;
    if (p == Current)
        base = m_position;
    else if (p == End)
        base = m_length;
    m_position = std::max(0L, base + offset);
}

// The first block of the file holds most tags whole; a tag at the start
// that is longer is read whole, up to a bound no tag of text needs.
void completeTag(int fd, long length, std::string& head) {
    constexpr std::size_t kLongestTag = std::size_t{16} << 20;
    const auto tag = plainId3v2Size(head);
    if (tag && *tag <= kLongestTag && static_cast<long>(*tag) <= length)
        extendHead(fd, static_cast<std::size_t>(length), *tag, head);
}

template <class T>
bool looksLike(TagLib::IOStream* stream) {
    const bool supported = T::isSupported(stream);
    stream->seek(0);
    return supported;
}

// The class the extension names, when the content agrees with it: a file
// under another kind's extension is left to detection by content.
std::unique_ptr<TagLib::File> openByExtension(TagLib::IOStream* stream, std::string_view ext) {
    using namespace TagLib;
    auto* id3 = ID3v2::FrameFactory::instance();
    if ((ext == "mp3" || ext == "mp2") && looksLike<MPEG::File>(stream))
        return std::make_unique<MPEG::File>(stream, id3, false);
    if (ext == "flac" && looksLike<FLAC::File>(stream))
        return std::make_unique<FLAC::File>(stream, id3, false);
    if ((ext == "ogg" || ext == "oga") && looksLike<Ogg::Vorbis::File>(stream))
        return std::make_unique<Ogg::Vorbis::File>(stream, false);
    if (ext == "opus" && looksLike<Ogg::Opus::File>(stream))
        return std::make_unique<Ogg::Opus::File>(stream, false);
    if ((ext == "m4a" || ext == "mp4" || ext == "m4b") && looksLike<MP4::File>(stream))
        return std::make_unique<MP4::File>(stream, false);
    if (ext == "wav" && looksLike<RIFF::WAV::File>(stream))
        return std::make_unique<RIFF::WAV::File>(stream, false);
    if ((ext == "aif" || ext == "aiff" || ext == "aifc") && looksLike<RIFF::AIFF::File>(stream))
        return std::make_unique<RIFF::AIFF::File>(stream, false);
    return nullptr;
}

std::string firstValue(const TagLib::PropertyMap& map, const char* key) {
    const auto it = map.find(key);
    if (it == map.end() || it->second.isEmpty())
        return {};
    return it->second.front().to8Bit(true);
}

struct TextKey {
    Field field;
    const char* key;
};

constexpr std::array kTextKeys{
    TextKey{Field::Artist, "ARTIST"}, TextKey{Field::AlbumArtist, "ALBUMARTIST"},
    TextKey{Field::Title, "TITLE"},   TextKey{Field::Album, "ALBUM"},
    TextKey{Field::Genre, "GENRE"},
};

constexpr std::array kNumberKeys{
    TextKey{Field::Track, "TRACKNUMBER"},
    TextKey{Field::Disc, "DISCNUMBER"},
    TextKey{Field::Year, "DATE"},
};

void takeProperties(const TagLib::PropertyMap& map, const TagLib::Tag* tag, FieldSet wanted,
                    FileFields& out);

// Each getter of a tag union asks every tag the file holds: only the fields
// the press needs are asked for.
template <class Getter>
void takeText(FieldSet wanted, Field f, Getter get, FileFields& out) {
    if (!wanted.has(f))
        return;
    const TagLib::String value = get();
    if (!value.isEmpty())
        out.setText(f, value.to8Bit(true));
}

// Texts straight from the tag, which is cheap; the property map, which
// copies every field of every tag, for numbers (it has their digits, where
// the tag's getters wrap and cut them) and for whatever the tag's getters
// lack. So each field is read the same way whatever else is wanted.
void takeFields(TagLib::File& file, FieldSet wanted, FileFields& out) {
    if (const TagLib::Tag* tag = file.tag()) {
        takeText(
            wanted, Field::Artist, [tag] { return tag->artist(); }, out);
        takeText(
            wanted, Field::Title, [tag] { return tag->title(); }, out);
        takeText(
            wanted, Field::Album, [tag] { return tag->album(); }, out);
        takeText(
            wanted, Field::Genre, [tag] { return tag->genre(); }, out);
    }
    const FieldSet rest = (wanted & kAudioFields).without(out.present());
    if (!rest.empty())
        takeProperties(file.properties(), file.tag(), rest, out);
}

// A number the map lacks, as the tag's getter gives it: the map holds only
// the first tag of a file that has several. The getters turn a negative
// number into one past the largest int.
std::optional<std::uint32_t> getterNumber(const TagLib::Tag* tag, Field field) {
    if (tag == nullptr || field == Field::Disc)
        return std::nullopt;
    const unsigned value = field == Field::Track ? tag->track() : tag->year();
    if (value == 0 || value > static_cast<unsigned>(std::numeric_limits<int>::max()))
        return std::nullopt;
    return value;
}

void takeProperties(const TagLib::PropertyMap& map, const TagLib::Tag* tag, FieldSet wanted,
                    FileFields& out) {
    for (const TextKey& k : kTextKeys) {
        if (!wanted.has(k.field))
            continue;
        const std::string value = firstValue(map, k.key);
        if (!value.empty())
            out.setText(k.field, value);
    }
    for (const TextKey& k : kNumberKeys) {
        if (!wanted.has(k.field))
            continue;
        const auto n = map.contains(k.key) ? leadingNumber(firstValue(map, k.key))
                                           : getterNumber(tag, k.field);
        if (n)
            out.setNumber(k.field, *n);
    }
}

// An MP3 file whose tag is in the plain form is read without building the
// library's objects for it, which cost most of the time of a read.
bool readPlainMpeg(ReadOnlyStream& stream, std::string_view extension, FieldSet wanted,
                   FileFields& out) {
    // Off where the library is not of the series the plain reader mirrors.
    return QUILLON_PLAIN_ID3V2 && (extension == "mp3" || extension == "mp2") &&
           readPlainId3v2(stream.head(), wanted, out);
}

// A tag first and no FLAC after it: an MP3 file, even where its audio
// starts too far behind the tag for the library's check of the content, or
// is missing. The library's MPEG reader takes its tag all the same.
bool isMpegBehindTag(std::string_view head) {
    const auto tag = plainId3v2Size(head);
    return tag && head.substr(std::min(*tag, head.size()), 4) != "fLaC";
}

void takeMpegTags(ReadOnlyStream& stream, FieldSet wanted, FileFields& out) {
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (file.isValid())
        takeFields(file, wanted, out);
}

void readTags(int fd, long length, std::string_view extension, FieldSet wanted, FileFields& out,
              std::string head) {
    completeTag(fd, length, head);
    ReadOnlyStream stream(fd, length, std::move(head));
    if (readPlainMpeg(stream, extension, wanted, out))
        return;
    std::unique_ptr<TagLib::File> file = openByExtension(&stream, extension);
    if (file && file->isValid()) {
        takeFields(*file, wanted, out);
        return;
    }
    file.reset();
    stream.seek(0);
    // Some other kind, or a name whose extension does not tell it.
    const TagLib::FileRef ref(&stream, false);
    if (!ref.isNull() && ref.file()->isValid()) {
        takeFields(*ref.file(), wanted, out);
        return;
    }
    stream.seek(0);
    if (isMpegBehindTag(stream.head()))
        takeMpegTags(stream, wanted, out);
}

} // namespace

void prepareAudioReader() {
    silenceTagLib();
}

void readAudioFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                     FileFields& out, std::string head) {
    silenceTagLib();
    try {
        readTags(fd, static_cast<long>(size), extension, wanted, out, std::move(head));
    } catch (...) { // NOLINT(bugprone-empty-catch): a file the library cannot read has no tags
    }
}

void readAudioFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                     FileFields& out) {
    std::string head;
    extendHead(fd, static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), kFirstBlock, head);
    readAudioFields(fd, size, extension, wanted, out, std::move(head));
}

} // namespace quillon::metadata
