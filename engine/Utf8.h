// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <string>
#include <string_view>

namespace quillon {

/// First and last code point used to carry a byte that is not part of valid
/// UTF-8 (U+DC00 + byte, as the "surrogateescape" convention does).
inline constexpr char32_t kEscapedByteFirst = 0xDC80;
inline constexpr char32_t kEscapedByteLast = 0xDCFF;

/// Decodes disk bytes losslessly: valid UTF-8 becomes its code points, every
/// other byte becomes U+DC00 + byte. encodeName(decodeName(b)) == b for all b.
Name decodeName(std::string_view bytes);

/// decodeName into out, reusing its storage (for loops over many names).
void decodeNameInto(std::string_view bytes, Name& out);

/// Encodes a name back to disk bytes; escaped bytes become the original byte.
/// Code points that UTF-8 cannot carry (other lone surrogates, values past
/// U+10FFFF) are written as U+FFFD.
std::string encodeName(NameView name);

/// Appends the encoding of name to out (avoids a temporary in hot loops).
void appendEncoded(std::string& out, NameView name);

/// True when every code point of name is a real character (no escaped byte).
bool isValidText(NameView name);

} // namespace quillon
