#pragma once

#include "cli/RenameReport.h"

#include <string>

namespace quillon::cli {

/// Appends name as a JSON string literal. Bytes that are not UTF-8 (carried as
/// U+DC80..U+DCFF) are written as the escapes "\udc80".."\udcff", the same
/// lone surrogates a decoder that follows the "surrogateescape" convention
/// turns back into the original bytes; every other character is plain UTF-8,
/// with the escapes JSON requires for '"', '\' and control characters.
void appendJsonString(std::string& out, NameView name);

/// The report as one line of JSON:
/// {"folder": ..., "entries": [{"old": ..., "new": ..., "checked": ...}, ...],
///  "failed": [{"old": ..., "new": ..., "error": ...}, ...]}, and for dry runs
/// "conflicts": [{"index": ..., "name": ..., "reason": ...}, ...] at the end.
std::string toJson(const RenameReport& report);

} // namespace quillon::cli
