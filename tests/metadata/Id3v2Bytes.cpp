// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/metadata/Id3v2Bytes.h"

namespace quillon::test {

namespace {

// Four bytes, most significant first, of bits each: 7 makes the synchsafe
// form ID3v2 sizes mostly take, 8 a plain number.
std::string sizeBytes(std::size_t n, unsigned bits) {
    std::string out(4, '\0');
    for (int i = 3; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = static_cast<char>(n & ((1U << bits) - 1));
        n >>= bits;
    }
    return out;
}

std::string synchsafe(std::size_t n) {
    return sizeBytes(n, 7);
}

std::string padded(const std::string& text, std::size_t size) {
    std::string out = text.substr(0, size);
    out.resize(size, '\0');
    return out;
}

} // namespace

std::string id3v2(int version, const std::string& frames, unsigned char flags) {
    return std::string("ID3", 3) + static_cast<char>(version) + '\0' + static_cast<char>(flags) +
           synchsafe(frames.size()) + frames;
}

std::string textFrame(const char* id, unsigned char encoding, const std::string& text,
                      unsigned char formatFlags) {
    return std::string(id, 4) + synchsafe(text.size() + 1) + '\0' + static_cast<char>(formatFlags) +
           static_cast<char>(encoding) + text;
}

std::string latin1Frame(const char* id, const std::string& text, unsigned char formatFlags) {
    return textFrame(id, 0, text, formatFlags);
}

std::string frameWithPlainSize(const char* id, const std::string& body) {
    return std::string(id, 4) + sizeBytes(body.size(), 8) + std::string(2, '\0') + body;
}

std::string utf16(const std::u16string& text, bool bigEndian) {
    std::string out;
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

std::string mpegFrames() {
    std::string frame("\xFF\xFB\x90\x64", 4);
    frame.resize(417, '\0');
    return frame + frame + frame;
}

std::string id3v1(const std::string& artist, const std::string& title, const std::string& album) {
    return "TAG" + padded(title, 30) + padded(artist, 30) + padded(album, 30) + "2000" +
           padded("", 30) + '\xFF';
}

} // namespace quillon::test
