// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"

#include <cstdint>
#include <string_view>

namespace quillon::metadata {

/// The photo fields of wanted from head, the first bytes of a file of
/// fileSize bytes, read without the library for the plain case of a JPEG
/// whose segments up to its image data all stand in head, with Exif as
/// cameras write it. True when out then holds every photo field of wanted
/// that the library would give, with the library's value; false, out
/// untouched, for anything else, left to the library. Reads nothing
/// outside head.
bool readPlainJpegExif(std::string_view head, std::uint64_t fileSize, FieldSet wanted,
                       FileFields& out);

} // namespace quillon::metadata
