// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillon::test {

/// An ID3v2 tag of version (2, 3 or 4) around frames, written byte by
/// byte, so that tests can make forms a tagging library would not write.
std::string id3v2(int version, const std::string& frames, unsigned char flags = 0);

/// A text frame: the encoding byte (0 Latin-1, 1 UTF-16 with marks, 2
/// UTF-16 big-endian, 3 UTF-8), then text as given, its size written
/// synchsafe (the same in both versions below 128 bytes).
std::string textFrame(const char* id, unsigned char encoding, const std::string& text,
                      unsigned char formatFlags = 0);

/// A Latin-1 text frame.
std::string latin1Frame(const char* id, const std::string& text, unsigned char formatFlags = 0);

/// A frame whose size is written as a plain number even where the tag's
/// version wants it synchsafe.
std::string frameWithPlainSize(const char* id, const std::string& body);

/// text as UTF-16 bytes in either order; a mark is written only where
/// text starts with U+FEFF.
std::string utf16(const std::u16string& text, bool bigEndian);

/// A few silent MPEG-1 Layer III frames, 128 kbit/s at 44.1 kHz.
std::string mpegFrames();

/// An ID3v1 tag.
std::string id3v1(const std::string& artist, const std::string& title, const std::string& album);

} // namespace quillon::test
