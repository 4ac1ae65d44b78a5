// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <iosfwd>

namespace quillon::cli {

/// Ends the run as the core utilities do: when standard output (out over
/// stream) could not be written whole (a full disk, a closed pipe), says so
/// on err and turns a successful status into 1; a status that already tells
/// of a failure stays.
int checkedOutput(int status, std::ostream& out, std::FILE* stream, std::ostream& err);

} // namespace quillon::cli
