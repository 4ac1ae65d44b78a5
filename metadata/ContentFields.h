// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"

#include <cstdint>
#include <string_view>

namespace quillon::metadata {

/// Loads and sets up, once, what the parsers need from the system before
/// a file is read: after it, reading opens nothing.
void prepareContentReaders();

/// The fields of wanted held inside the open, regular file fd (not taken
/// over) of size bytes, as the parsing libraries and our plain readers give
/// them; extension (lower case, without ".") is a hint, the content
/// decides. The modification time is not among them: it comes from the
/// entry's status. This parses untrusted bytes: outside tests and
/// benchmarks it runs only in the sandboxed reader process. Never throws.
void readContentFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                       FileFields& out);

} // namespace quillon::metadata
