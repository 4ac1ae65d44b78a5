// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::cli {

/// What kind of trouble ended a run before its report.
enum class ProblemKind : std::uint8_t {
    Usage,        ///< the command line cannot run
    Unreadable,   ///< a path is missing or cannot be read
    RefusedPress, ///< a press of "OK" was refused
    RefusedSave,  ///< saving was refused before any rename
    OutputFailed, ///< standard output could not be written
};

/// One trouble, as the command line tells it.
struct Problem {
    ProblemKind kind = ProblemKind::Usage;
    /// One line, safe for a terminal (names quoted), without the program's name.
    std::string message;
    /// The errno value behind it, or 0.
    int error = 0;
};

/// The line for standard error: "quillon-cli: MESSAGE (ENAME: reason)".
std::string problemLine(const Problem& problem);

/// Tells problem on err; with json also on out, as one object:
/// {"folder": FOLDER or null, "error": {"kind": "usage", "message": ...,
///  "errno": "ENOENT" or null, "reason": ... or null}}.
void reportProblem(const Problem& problem, const std::optional<std::string>& folder, bool json,
                   std::ostream& out, std::ostream& err);

/// Appends {"kind": ..., "message": ..., "errno": ..., "reason": ...}.
void appendProblemJson(std::string& out, const Problem& problem);

/// The words a kind stands for in JSON ("refused-save").
std::string_view problemKindName(ProblemKind kind);

} // namespace quillon::cli
