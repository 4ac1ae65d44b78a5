// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"

#include <cstdint>
#include <string_view>

namespace quillon::metadata {

/// The fields of wanted held inside the open, regular file fd (not taken
/// over) of size bytes, as the parsing libraries and our plain readers give
/// them; extension (lower case, without ".") is a hint, the content
/// decides. The modification time is not among them: it comes from the
/// entry's status. This parses untrusted bytes: outside tests and
/// benchmarks it runs only in the sandboxed reader process. Never throws.
void readContentFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                       FileFields& out);

/// Sets up, once, whatever the parsing libraries would otherwise load from
/// disk on their first file (tables, settings, the time zone): after it,
/// readContentFields opens no file, writes nothing and starts no thread.
void prepareContentReaders();

} // namespace quillon::metadata
