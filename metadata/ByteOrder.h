// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon::metadata {

// The plain readers' numbers as file formats store them, most significant
// byte first; the caller has checked that the bytes are there.

/// Two bytes of bytes from at.
inline std::uint16_t bigEndian16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                                      static_cast<unsigned char>(bytes[at + 1]));
}

/// Four bytes of bytes from at.
inline std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    return std::uint32_t{bigEndian16(bytes, at)} << 16 | bigEndian16(bytes, at + 2);
}

/// Eight bytes of bytes from at.
inline std::uint64_t bigEndian64(std::string_view bytes, std::size_t at) {
    return std::uint64_t{bigEndian32(bytes, at)} << 32 | bigEndian32(bytes, at + 4);
}

} // namespace quillon::metadata
