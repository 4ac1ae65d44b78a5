// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Utf8.h"

#include <algorithm>

namespace quillon {

namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF are
// rejected, so an escaped byte can never collide with a decoded character).
std::size_t validSequence(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const std::size_t left = s.size() - i;
    auto cont = [&](std::size_t k) {
        return (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    auto bits = [&](std::size_t k) {
        return static_cast<char32_t>(s[i + k] & 0x3F);
    };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (left < 2 || !cont(1))
            return 0;
        cp = (static_cast<char32_t>(b0 & 0x1F) << 6) | bits(1);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3 || !cont(1) || !cont(2))
            return 0;
        cp = (static_cast<char32_t>(b0 & 0x0F) << 12) | (bits(1) << 6) | bits(2);
        if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))
            return 0;
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !cont(1) || !cont(2) || !cont(3))
            return 0;
        cp = (static_cast<char32_t>(b0 & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
        if (cp < 0x10000 || cp > 0x10FFFF)
            return 0;
        return 4;
    }
    return 0;
}

} // namespace

Name decodeName(std::string_view bytes) {
    Name out;
    decodeNameInto(bytes, out);
    return out;
}

void decodeNameInto(std::string_view bytes, Name& out) {
    out.clear();
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        char32_t cp = 0;
        if (const std::size_t n = validSequence(bytes, i, cp)) {
            out.push_back(cp);
            i += n;
        } else {
            out.push_back(0xDC00 + b);
            ++i;
        }
    }
}

void appendEncoded(std::string& out, NameView name) {
    for (char32_t c : name) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c >= kEscapedByteFirst && c <= kEscapedByteLast) {
            out.push_back(static_cast<char>(c - 0xDC00));
        } else {
            if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
                c = 0xFFFD;
            if (c < 0x800) {
                out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            } else if (c < 0x10000) {
                out.push_back(static_cast<char>(0xE0 | (c >> 12)));
                out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            } else {
                out.push_back(static_cast<char>(0xF0 | (c >> 18)));
                out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
                out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            }
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

std::string encodeName(NameView name) {
    std::string out;
    out.reserve(name.size() + name.size() / 2);
    appendEncoded(out, name);
    return out;
}

bool isValidText(NameView name) {
    return std::ranges::none_of(name, [](char32_t c) { return c >= 0xD800 && c <= 0xDFFF; });
}

} // namespace quillon
