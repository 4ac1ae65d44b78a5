// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillon::fuzz {

/// An anonymous file in memory holding bytes, for the library paths that
/// read through a descriptor; -1 when none could be made.
int memoryFile(std::string_view bytes);

/// Stops the run with the input saved when the plain reader and the
/// library part.
void expectSame(const std::string& plain, const std::string& library);

} // namespace quillon::fuzz
