// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TextWriter.h"

#include "cli/ChunkedOutput.h"
#include "engine/FieldTokens.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <sstream>

namespace quillon::cli {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendHex(std::string& out, std::string_view prefix, char32_t value, int digits) {
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += kHex[(value >> shift) & 0xF];
}

bool breaksOrReordersLine(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The escape for c, or false when c stands for itself.
bool appendEscape(std::string& out, char32_t c) {
    switch (c) {
    case U'\\':
        out += "\\\\";
        return true;
    case U'\n':
        out += "\\n";
        return true;
    case U'\r':
        out += "\\r";
        return true;
    case U'\t':
        out += "\\t";
        return true;
    default:
        break;
    }
    if (c < 0x20 || c == 0x7F)
        appendHex(out, "\\x", c, 2);
    else if (c >= kEscapedByteFirst && c <= kEscapedByteLast)
        appendHex(out, "\\x", c - kEscapedByteFirst + 0x80, 2);
    else if (breaksOrReordersLine(c))
        appendHex(out, "\\u", c, 4);
    else
        return false;
    return true;
}

std::string plural(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

void appendEscaped(std::string& out, NameView name) {
    std::size_t plainStart = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        std::string escape;
        if (!appendEscape(escape, name[i]))
            continue;
        appendEncoded(out, name.substr(plainStart, i - plainStart));
        out += escape;
        plainStart = i + 1;
    }
    appendEncoded(out, name.substr(plainStart));
}

namespace {

bool needsEscape(NameView name) {
    std::string scratch;
    return std::any_of(name.begin(), name.end(),
                       [&scratch](char32_t c) { return appendEscape(scratch, c); });
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\u00A0' || c == U'\u3000';
}

bool needsQuotes(NameView name) {
    return name.empty() || name.find(U" -> ") != NameView::npos || isBlank(name.front()) ||
           isBlank(name.back());
}

} // namespace

namespace {

// name between an opening and a closing quote, each "'" in it written as
// quoteEscape and the text between through appendPart.
void appendInQuotes(std::string& out, NameView name, std::string_view opening,
                    std::string_view quoteEscape, void (*appendPart)(std::string&, NameView)) {
    out += opening;
    std::size_t start = 0;
    for (std::size_t quote = name.find(U'\''); quote != NameView::npos;
         quote = name.find(U'\'', start)) {
        appendPart(out, name.substr(start, quote - start));
        out += quoteEscape;
        start = quote + 1;
    }
    appendPart(out, name.substr(start));
    out += '\'';
}

} // namespace

void appendShellQuoted(std::string& out, NameView name) {
    if (needsEscape(name))
        // Quotes are escaped too, so that the text between $' and ' reads back.
        appendInQuotes(out, name, "$'", "\\'", appendEscaped);
    else if (needsQuotes(name))
        appendInQuotes(out, name, "'", "'\\''", appendEncoded);
    else
        appendEncoded(out, name);
}

std::string shellQuoted(std::string_view bytes) {
    std::string out;
    appendShellQuoted(out, decodeName(bytes));
    return out;
}

std::string escapedForTerminal(std::string_view bytes) {
    std::string out;
    appendEscaped(out, decodeName(bytes));
    return out;
}

std::string quotedForTerminal(std::string_view bytes) {
    return "\"" + escapedForTerminal(bytes) + "\"";
}

std::string escapedLines(NameView text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(U'\n', start), text.size());
        appendEscaped(out, text.substr(start, end - start));
        if (end < text.size())
            out += '\n';
        start = end + 1;
    }
    return out;
}

void writeChangeLines(const RenameReport& report, std::ostream& stream) {
    ChunkedOutput chunks(stream);
    std::string& out = chunks.text();
    Name name;
    for (std::size_t i = 0; i < report.size(); ++i) {
        const ReportEntry entry = report.entry(i);
        if (!entry.renames())
            continue;
        decodeNameInto(entry.oldName, name);
        appendShellQuoted(out, name);
        out += " -> ";
        decodeNameInto(entry.newName, name);
        appendShellQuoted(out, name);
        out += '\n';
        chunks.pieceDone();
    }
}

std::string changeLines(const RenameReport& report) {
    std::ostringstream out;
    writeChangeLines(report, out);
    return std::move(out).str();
}

void writeNullSeparatedPairs(const RenameReport& report, std::ostream& stream, bool withFolder) {
    ChunkedOutput chunks(stream);
    std::string& out = chunks.text();
    const std::string folder = !withFolder            ? std::string()
                               : report.folder == "/" ? "/"
                                                      : report.folder + "/";
    for (std::size_t i = 0; i < report.size(); ++i) {
        const ReportEntry entry = report.entry(i);
        if (!entry.renames())
            continue;
        out += folder;
        out += entry.oldName;
        out += '\0';
        out += folder;
        out += entry.newName;
        out += '\0';
        chunks.pieceDone();
    }
}

std::string nullSeparatedPairs(const RenameReport& report) {
    std::ostringstream out;
    writeNullSeparatedPairs(report, out);
    return std::move(out).str();
}

std::string missingLine(const KeptNames& kept) {
    if (kept.files == 0)
        return {};
    std::string line = plural(kept.files, "file", "files") + " kept " +
                       (kept.files == 1 ? "its" : "their") + " name for want of a field:";
    const char* separator = " ";
    for (const Field f : kAllFields) {
        const std::size_t lacking = kept.lacking[fieldIndex(f)];
        if (lacking == 0)
            continue;
        line += separator;
        line += fieldName(f);
        line += " (" + std::to_string(lacking) + ")";
        separator = ", ";
    }
    if (kept.unreadable != 0)
        line += "; " + plural(kept.unreadable, "file", "files") + " could not be read";
    return line + ".\n";
}

std::string missingLine(const RenameReport& report) {
    KeptNames kept;
    kept.add(report.missing);
    return missingLine(kept);
}

std::string summaryLine(const RenameReport& report) {
    const std::size_t total = report.size();
    if (!report.applied)
        return "Dry run: " + std::to_string(report.changingCount()) + " of " +
               plural(total, "name", "names") + " would change; nothing was renamed.\n";
    std::string line =
        "Renamed " + std::to_string(report.renamed) + " of " + plural(total, "file", "files");
    if (const std::size_t failed = report.failedCount(); failed > 0)
        line += "; " + std::to_string(failed) + " could not be renamed";
    return line + ".\n";
}

std::string totalsLine(const RunTotals& totals) {
    const std::string where = " in " + plural(totals.folders, "folder", "folders");
    if (!totals.applied)
        return "Dry run: " + std::to_string(totals.changing) + " of " +
               plural(totals.entries, "name", "names") + " would change" + where +
               "; nothing was renamed.\n";
    std::string line = "Renamed " + std::to_string(totals.renamed) + " of " +
                       plural(totals.entries, "file", "files") + where;
    if (totals.failed > 0)
        line += "; " + std::to_string(totals.failed) + " could not be renamed";
    return line + ".\n";
}

std::string folderHeading(std::string_view folder) {
    return shellQuoted(folder) + ":\n";
}

} // namespace quillon::cli
