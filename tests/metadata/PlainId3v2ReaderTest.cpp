// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"
#include "metadata/MediaReaders.h"
#include "tests/metadata/Id3v2Bytes.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::metadata;
using namespace quillon::test;

namespace {

// Every field, as one line per field present, so that a difference shows.
std::string describe(const FileFields& f) {
    std::string out;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (!f.has(field))
            continue;
        out += std::string(fieldName(field)) + "=";
        out += f.number(field) != 0 ? std::to_string(f.number(field)) : std::string(f.text(field));
        out += "\n";
    }
    return out;
}

struct Case {
    const char* what;
    std::string tag;
    FieldSet wanted;
    bool plain; ///< The reader takes it, rather than leaving it to the library.
};

const FieldSet kTexts = FieldSet(Field::Artist) | FieldSet(Field::Title) | Field::Album;
const FieldSet kNumbers = FieldSet(Field::Track) | FieldSet(Field::Year) | Field::Disc;

std::vector<Case> cases() {
    const std::string latin =
        latin1Frame("TPE1", "Artist") + latin1Frame("TIT2", "Title") + latin1Frame("TALB", "Album");
    return {
        {"v2.3, Latin-1", id3v2(3, latin), kTexts, true},
        {"v2.4, Latin-1", id3v2(4, latin), kTexts, true},
        {"Latin-1 beyond ASCII, artist and title",
         id3v2(3, latin1Frame("TPE1", "Caf\xE9") + latin1Frame("TIT2", "\xC6\xF8")),
         FieldSet(Field::Artist) | Field::Title, true},
        {"UTF-8 with a character outside the first plane",
         id3v2(4, textFrame("TPE1", 3, "Bj\xC3\xB6rk \xF0\x9F\x8E\xB5") + latin),
         FieldSet(Field::Artist), true},
        {"UTF-8, two values", id3v2(4, textFrame("TIT2", 3, std::string("One\0Two", 7))),
         FieldSet(Field::Title), true},
        {"UTF-8 overlong", id3v2(4, textFrame("TIT2", 3, "A\xC0\xAF")), FieldSet(Field::Title),
         false},
        {"UTF-8 with a mark", id3v2(4, textFrame("TIT2", 3, "\xEF\xBB\xBFTitle")),
         FieldSet(Field::Title), false},
        {"UTF-16, little-endian mark, two values",
         id3v2(3, textFrame("TIT2", 1,
                            utf16(u"\uFEFFOne", false) + std::string(2, '\0') +
                                utf16(u"\uFEFFTw\u00F6", false))),
         FieldSet(Field::Title), true},
        {"UTF-16, a second value without a mark",
         id3v2(3,
               textFrame("TIT2", 1,
                         utf16(u"\uFEFFOne", true) + std::string(2, '\0') + utf16(u"Two", true))),
         FieldSet(Field::Title), true},
        {"UTF-16 without a mark", id3v2(3, textFrame("TIT2", 1, utf16(u"Title", false))),
         FieldSet(Field::Title), false},
        {"UTF-16 surrogate pair", id3v2(3, textFrame("TIT2", 1, utf16(u"\uFEFF\U0001F3B5x", true))),
         FieldSet(Field::Title), true},
        {"UTF-16 lone surrogate", id3v2(3, textFrame("TIT2", 1, utf16(u"\uFEFF\xD83Cx", true))),
         FieldSet(Field::Title), false},
        {"UTF-16 big-endian", id3v2(4, textFrame("TIT2", 2, utf16(u"Titl\u00E9", true))),
         FieldSet(Field::Title), true},
        {"numbers, v2.3",
         id3v2(3, latin1Frame("TRCK", "3/12") + latin1Frame("TYER", "1999") +
                      latin1Frame("TPOS", "2/3") + latin),
         kNumbers, true},
        {"numbers, v2.4",
         id3v2(4, latin1Frame("TRCK", "07") + latin1Frame("TDRC", "2004-05-01T10:00") +
                      latin1Frame("TPOS", " 4") + latin),
         kNumbers, true},
        {"a year in both frames",
         id3v2(3, latin1Frame("TYER", "1999") + latin1Frame("TDRC", "2001")), FieldSet(Field::Year),
         false},
        {"track zero", id3v2(3, latin1Frame("TRCK", "0") + latin), FieldSet(Field::Track), false},
        {"track of ten digits", id3v2(3, latin1Frame("TRCK", "1234567890") + latin),
         FieldSet(Field::Track), false},
        {"track with a sign", id3v2(3, latin1Frame("TRCK", "+3") + latin), FieldSet(Field::Track),
         false},
        {"album artist, first value",
         id3v2(4, textFrame("TPE2", 3, std::string("First\0Second", 12)) + latin),
         FieldSet(Field::AlbumArtist), true},
        {"album artist beside a user text",
         id3v2(4, latin1Frame("TXXX", std::string("ALBUMARTIST\0Other", 17)) +
                      latin1Frame("TPE2", "Band") + latin),
         FieldSet(Field::AlbumArtist), false},
        {"album artist in a tag with nothing else", id3v2(4, latin1Frame("TPE2", "Band")),
         FieldSet(Field::AlbumArtist), false},
        {"two title frames", id3v2(3, latin1Frame("TIT2", "First") + latin1Frame("TIT2", "Second")),
         FieldSet(Field::Title), true},
        {"a picture longer than the first block read",
         id3v2(3, frameWithPlainSize("APIC", std::string(100000, 'p')) + latin), kTexts, true},
        {"padding after the frames", id3v2(3, latin + std::string(300, '\0')), kTexts, true},
        {"a long frame with a plain size, as some writers put it",
         id3v2(4, frameWithPlainSize("TIT2", std::string(1, '\0') + std::string(300, 'x')) + latin),
         FieldSet(Field::Title), true},
        {"a missing field", id3v2(3, latin1Frame("TIT2", "Title")), kTexts, false},
        {"genre", id3v2(3, latin1Frame("TCON", "(13)") + latin), FieldSet(Field::Genre), false},
        {"unsynchronised tag", id3v2(3, latin, 0x80), kTexts, false},
        {"compressed frame", id3v2(3, latin1Frame("TIT2", "T", 0x80) + latin), kTexts, false},
        {"version 2.2", id3v2(2, latin), kTexts, false},
        {"audio not right after the tag", id3v2(3, latin) + "junk", kTexts, false},
        {"frame longer than the tag", id3v2(3, latin).substr(0, 30) + std::string(40, 'x'), kTexts,
         false},
    };
}

// The bytes are read twice: under an MP3 name, where the plain reader may
// take them, and under a name the library has to recognise by content. The
// fields must be the same either way.
void expectSameBothWays(const TempFolder& folder, const std::string& bytes, FieldSet wanted) {
    writeFileBytes(folder.file("plain.mp3"), bytes);
    writeFileBytes(folder.file("library.tagged"), bytes);
    const MediaFolder media(folder.path());
    EXPECT_EQ(describe(media.read("plain.mp3", wanted)),
              describe(media.read("library.tagged", wanted)));
}

} // namespace

TEST(PlainId3v2Reader, GivesWhatTheLibraryGives) {
    if (!QUILLON_PLAIN_ID3V2)
        GTEST_SKIP() << "the plain ID3v2 reader is off with this TagLib";
    TempFolder folder;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        const std::string bytes = c.tag + mpegFrames() + id3v1("V1 Artist", "V1 Title", "V1 Album");
        expectSameBothWays(folder, bytes, c.wanted);
        FileFields plain;
        EXPECT_EQ(readPlainId3v2(bytes, c.wanted, plain), c.plain);
        if (!c.plain) {
            EXPECT_TRUE(plain.present().empty());
        }
    }
}

// The file counts as MP3 only when an audio frame follows the tag, checked
// as the library checks the first one: of every version and layer.
TEST(PlainId3v2Reader, TakesTheFirstAudioFrameAsTheLibraryDoes) {
    if (!QUILLON_PLAIN_ID3V2)
        GTEST_SKIP() << "the plain ID3v2 reader is off with this TagLib";
    struct Frame {
        const char* what;
        const char* header;
        std::size_t length;
        bool plain;
    };
    const Frame frames[] = {
        {"MPEG-1 layer III", "\xFF\xFB\x90\x64", 417, true},
        {"MPEG-1 layer III, padded", "\xFF\xFB\x92\x64", 418, true},
        {"MPEG-2 layer III", "\xFF\xF3\x80\x64", 208, true},
        {"MPEG-2.5 layer III", "\xFF\xE3\x18\x64", 72, true},
        {"MPEG-1 layer II", "\xFF\xFD\xA4\x64", 576, true},
        {"MPEG-1 layer I, padded", "\xFF\xFE\xEA\x64", 676, true},
        {"a length one byte off", "\xFF\xFB\x90\x64", 418, false},
        {"a bitrate of no value", "\xFF\xFB\xF0\x64", 417, false},
        {"a sample rate of no value", "\xFF\xFB\x9C\x64", 417, false},
        {"a reserved version", "\xFF\xEB\x90\x64", 417, false},
    };
    TempFolder folder;
    const std::string tag = id3v2(3, latin1Frame("TIT2", "Title"));
    for (const Frame& f : frames) {
        SCOPED_TRACE(f.what);
        std::string frame(f.header, 4);
        frame.resize(f.length, '\0');
        const std::string bytes = tag + frame + frame + frame;
        expectSameBothWays(folder, bytes, Field::Title);
        FileFields plain;
        EXPECT_EQ(readPlainId3v2(bytes, Field::Title, plain), f.plain);
    }
}

// Every byte of the tag and of the first audio frame in turn set to 0, to
// 0xFF and to another value: the plain reader gives up or agrees with the
// library (and never reads outside the bytes, which the sanitizers check).
TEST(PlainId3v2Reader, GivesUpOnDamageOrAgreesWithTheLibrary) {
    if (!QUILLON_PLAIN_ID3V2)
        GTEST_SKIP() << "the plain ID3v2 reader is off with this TagLib";
    const std::string frames =
        latin1Frame("TPE1", "Artist") + textFrame("TIT2", 1, utf16(u"\uFEFFTitle", false)) +
        textFrame("TALB", 3, "Alb\xC3\xBCm") + latin1Frame("TRCK", "3/12") +
        latin1Frame("TPOS", "1") + latin1Frame("TPE2", "Band") + std::string(20, '\0');
    const FieldSet wantedSets[] = {kTexts, kNumbers, FieldSet(Field::AlbumArtist) | Field::Disc};
    TempFolder folder;
    std::size_t agreed = 0;
    for (const int version : {3, 4}) {
        const std::string tag =
            id3v2(version, frames + latin1Frame(version == 3 ? "TYER" : "TDRC", "1999"));
        const std::string whole = tag + mpegFrames();
        for (std::size_t at = 0; at < tag.size() + 4; ++at) {
            for (const char c : {'\0', '\xFF', static_cast<char>(whole[at] ^ 0x21)}) {
                const std::string bytes = std::string(whole).replace(at, 1, 1, c);
                writeFileBytes(folder.file("library.tagged"), bytes);
                const MediaFolder media(folder.path());
                for (const FieldSet wanted : wantedSets) {
                    FileFields plain;
                    if (!readPlainId3v2(bytes, wanted, plain))
                        continue;
                    EXPECT_EQ(describe(plain), describe(media.read("library.tagged", wanted)))
                        << "version " << version << ", byte " << at << " set to "
                        << static_cast<int>(static_cast<unsigned char>(c));
                    ++agreed;
                }
            }
        }
    }
    // Damage to the texts' letters and to the padding leaves tags plain.
    EXPECT_GT(agreed, 500U);
}
