// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillon {
class FileSystem;
}

namespace quillon::cli {

struct ParseState;

/// --preset NAME: the preset's mask, sort order, case and press become the
/// command line's, as if given at this point; options after it change them.
/// A message for standard error when the preset cannot be used.
std::optional<std::string> startFromPreset(ParseState& state, std::string_view name);

/// --save-preset NAME: writes the options given (mask, sort order, case,
/// and the one press) as a preset; a message when it cannot.
std::optional<std::string> savePreset(const CliOptions& options, FileSystem& fs);

} // namespace quillon::cli
