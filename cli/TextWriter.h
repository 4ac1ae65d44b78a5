// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/RenameReport.h"

#include <ostream>
#include <string>
#include <string_view>

namespace quillon::cli {

/// Appends name so that a terminal shows it and does not act on it, and so
/// that every name reads back unambiguously: a backslash as "\\", line feed,
/// carriage return and tab as "\n", "\r", "\t", other control characters and
/// bytes that are not UTF-8 as "\xHH", the invisible characters that break or
/// reorder a line (U+0080..U+009F, U+2028, U+2029, the bidirectional
/// controls) as "\uHHHH"; every other character as UTF-8.
void appendEscaped(std::string& out, NameView name);

/// Raw argument or message bytes, escaped as appendEscaped does.
std::string escapedForTerminal(std::string_view bytes);

/// escapedForTerminal in double quotes, for messages about a user's text.
std::string quotedForTerminal(std::string_view bytes);

/// name as a shell reads it back, for the lines that show names: as it
/// stands when that is unambiguous; in single quotes when it holds " -> ",
/// begins or ends with a blank, or is empty; as $'...' with the escapes of
/// appendEscaped (and \' for a quote) when anything in it is escaped.
void appendShellQuoted(std::string& out, NameView name);

/// Raw name bytes, quoted as appendShellQuoted does.
std::string shellQuoted(std::string_view bytes);

/// A message of several lines: each line escaped, the line breaks kept.
std::string escapedLines(NameView text);

/// "OLD -> NEW" and a line break for each entry that is renamed (or would
/// be, in a dry run), names quoted as appendShellQuoted does.
std::string changeLines(const RenameReport& report);
/// changeLines written to stream in chunks.
void writeChangeLines(const RenameReport& report, std::ostream& stream);

/// OLD, NUL, NEW, NUL for each entry that is renamed (or would be): the
/// names' own bytes, nothing escaped, for scripts ("xargs -0", "read -d ''").
std::string nullSeparatedPairs(const RenameReport& report);
/// nullSeparatedPairs written to stream in chunks; with withFolder each
/// name follows the report's folder and a "/", as a path.
void writeNullSeparatedPairs(const RenameReport& report, std::ostream& stream,
                             bool withFolder = false);

/// "3 files kept their name for want of a field: artist (2), title (1).",
/// or nothing when every file had its fields.
std::string missingLine(const RenameReport& report);
/// The same for the files of several folders together.
std::string missingLine(const KeptNames& kept);

/// The one-line summary of a dry run or of a save, ending with a line break.
std::string summaryLine(const RenameReport& report);

/// The summary of several folders: "Renamed 3 of 10 files in 2 folders.".
std::string totalsLine(const RunTotals& totals);

/// The line that names a folder before its names: the path shell-quoted as
/// names are, and ":".
std::string folderHeading(std::string_view folder);

} // namespace quillon::cli
