// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/RenameReport.h"

#include <ostream>
#include <string>

namespace quillon::cli {

/// Appends name as a JSON string literal. Bytes that are not UTF-8 (carried as
/// U+DC80..U+DCFF) are written as the escapes "\udc80".."\udcff", the same
/// lone surrogates a decoder that follows the "surrogateescape" convention
/// turns back into the original bytes; every other character is plain UTF-8,
/// with the escapes JSON requires for '"', '\' and control characters.
void appendJsonString(std::string& out, NameView name);

/// The report as one line of JSON:
/// {"folder": ..., "applied": false,
///  "counts": {"entries": 3, "changing": 2, "renamed": 0, "failed": 0},
///  "entries": [{"old": ..., "new": ..., "checked": true, "changed": true}, ...],
///  "failed": [{"old": ..., "new": ...,
///              "error": {"message": ..., "errno": "EEXIST", "reason": "File exists"}}, ...]}
/// "changing" counts the entries whose name changes; "renamed" the files
/// renamed on disk (0 unless applied). Dry runs end with
/// "conflicts": [{"index": ..., "name": ..., "reason": ...}, ...], and a dry
/// run that saving would refuse with "error": {"kind": "refused-save", ...}.
std::string toJson(const RenameReport& report);
/// toJson written to stream in chunks.
void writeJson(const RenameReport& report, std::ostream& stream);
/// writeJson without the line break at the end, for a list of reports.
void writeJsonObject(const RenameReport& report, std::ostream& stream);

/// The JSON of several folders, written as each is done:
/// {"folders": [REPORT, ...], "applied": ...,
///  "counts": {"folders": 2, "entries": ..., "changing": ..., "renamed": ..., "failed": ...}}
/// where each REPORT is the object toJson writes for one folder.
class FoldersJson final {
public:
    explicit FoldersJson(std::ostream& stream)
        : m_stream(stream) {}
    void add(const RenameReport& report);
    /// Closes the object, with totals.applied and the counts of totals.
    void finish(const RunTotals& totals);

private:
    std::ostream& m_stream;
    bool m_first = true;
};

} // namespace quillon::cli
