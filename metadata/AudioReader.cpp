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
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <array>
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
    std::call_once(once, [] { TagLib::setDebugListener(&listener); });
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

void takeProperties(const TagLib::PropertyMap& map, FieldSet wanted, FileFields& out) {
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
        if (const auto n = leadingNumber(firstValue(map, k.key)))
            out.setNumber(k.field, *n);
    }
}

void readTags(int fd, std::string_view extension, FieldSet wanted, FileFields& out) {
    // The stream closes its descriptor; the caller keeps its own.
    const int own = ::dup(fd);
    if (own < 0)
        return;
    TagLib::FileStream stream(own, true);
    if (!stream.isOpen())
        return;
    std::unique_ptr<TagLib::File> file = openByExtension(&stream, extension);
    if (file && file->isValid()) {
        takeProperties(file->properties(), wanted, out);
        return;
    }
    file.reset();
    stream.seek(0);
    // Some other kind, or a name whose extension does not tell it.
    const TagLib::FileRef ref(&stream, false);
    if (!ref.isNull() && ref.file()->isValid())
        takeProperties(ref.file()->properties(), wanted, out);
}

} // namespace

void readAudioFields(int fd, std::string_view extension, FieldSet wanted, FileFields& out) {
    silenceTagLib();
    try {
        readTags(fd, extension, wanted, out);
    } catch (...) { // NOLINT(bugprone-empty-catch): a file the library cannot read has no tags
    }
}

} // namespace quillon::metadata
