// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonWriter.h"

#include "engine/FieldTokens.h"

#include "cli/ErrnoName.h"

#include "cli/ChunkedOutput.h"
#include "engine/Utf8.h"

#include <cstring>
#include <sstream>

namespace quillon::cli {

namespace {

void appendHexEscape(std::string& out, char32_t unit) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
}

void appendBool(std::string& out, bool value) {
    out += value ? "true" : "false";
}

} // namespace

void appendJsonString(std::string& out, NameView name) {
    out += '"';
    std::size_t plainStart = 0;
    auto flushPlain = [&](std::size_t end) {
        appendEncoded(out, name.substr(plainStart, end - plainStart));
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char32_t c = name[i];
        const bool escaped = c < 0x20 || c == U'"' || c == U'\\' ||
                             (c >= kEscapedByteFirst && c <= kEscapedByteLast);
        if (!escaped)
            continue;
        flushPlain(i);
        plainStart = i + 1;
        switch (c) {
        case U'"':
            out += "\\\"";
            break;
        case U'\\':
            out += "\\\\";
            break;
        case U'\n':
            out += "\\n";
            break;
        case U'\r':
            out += "\\r";
            break;
        case U'\t':
            out += "\\t";
            break;
        case U'\b':
            out += "\\b";
            break;
        case U'\f':
            out += "\\f";
            break;
        default:
            appendHexEscape(out, c);
        }
    }
    flushPlain(name.size());
    out += '"';
}

namespace {

void appendCount(std::string& out, std::string_view key, std::size_t count) {
    out += '"';
    out += key;
    out += "\": ";
    out += std::to_string(count);
}

void appendCounts(std::string& out, const RenameReport& report) {
    out += "\"counts\": {";
    appendCount(out, "entries", report.size());
    out += ", ";
    appendCount(out, "changing", report.changingCount());
    out += ", ";
    appendCount(out, "renamed", report.renamed);
    out += ", ";
    appendCount(out, "failed", report.failedCount());
    if (!report.missing.empty()) {
        out += ", ";
        appendCount(out, "missing", report.missingCount());
    }
    out += '}';
}

// The fields an entry lacked, after a press with tokens: ["artist", ...].
void appendMissing(std::string& out, const RenameReport& report, std::size_t i) {
    if (i >= report.missing.size())
        return;
    out += ", \"missing\": [";
    bool first = true;
    for (const Field f : kAllFields) {
        if (!report.missing[i].fields.has(f))
            continue;
        if (!first)
            out += ", ";
        out += '"';
        out += fieldName(f);
        out += '"';
        first = false;
    }
    if (report.missing[i].unreadable)
        out += first ? "\"unreadable\"" : ", \"unreadable\"";
    out += ']';
}

// Opens one object of a list with its "old" and "new" members.
void appendRename(std::string& out, bool first, const ReportEntry& entry, Name& scratch) {
    out += first ? "{\"old\": " : ", {\"old\": ";
    decodeNameInto(entry.oldName, scratch);
    appendJsonString(out, scratch);
    out += ", \"new\": ";
    decodeNameInto(entry.newName, scratch);
    appendJsonString(out, scratch);
}

void appendEntries(ChunkedOutput& chunks, const RenameReport& report) {
    std::string& out = chunks.text();
    out += "\"entries\": [";
    bool first = true;
    Name scratch;
    for (std::size_t i = 0; i < report.size(); ++i) {
        const ReportEntry entry = report.entry(i);
        appendRename(out, first, entry, scratch);
        first = false;
        out += ", \"checked\": ";
        appendBool(out, entry.checked);
        out += ", \"changed\": ";
        appendBool(out, entry.changes());
        appendMissing(out, report, i);
        out += '}';
        chunks.pieceDone();
    }
    out += ']';
}

// {"message": ..., "errno": "EEXIST", "reason": "File exists"}; a rename
// never tried has no errno and no reason (null).
void appendError(std::string& out, const RenameError& error) {
    out += "{\"message\": ";
    appendJsonString(out, decodeName(error.message));
    out += ", \"errno\": ";
    if (error.error == 0) {
        out += "null, \"reason\": null}";
        return;
    }
    appendJsonString(out, decodeName(errnoName(error.error)));
    out += ", \"reason\": ";
    appendJsonString(out, decodeName(std::strerror(error.error)));
    out += '}';
}

void appendFailures(std::string& out, const RenameReport& report) {
    out += "\"failed\": [";
    bool first = true;
    Name scratch;
    for (const auto& [index, failure] : report.failures) {
        const ReportEntry entry = report.entry(index);
        appendRename(out, first, entry, scratch);
        first = false;
        out += ", \"error\": ";
        appendError(out, *entry.failure);
        out += '}';
    }
    out += ']';
}

void appendConflicts(std::string& out, const RenameReport& report) {
    if (!report.conflicts)
        return;
    out += ", \"conflicts\": [";
    bool first = true;
    for (const ReportConflict& conflict : *report.conflicts) {
        out += first ? "{\"index\": " : ", {\"index\": ";
        out += std::to_string(conflict.index);
        out += ", \"name\": ";
        appendJsonString(out, conflict.name);
        out += ", \"reason\": ";
        appendJsonString(out, decodeName(conflict.reason));
        out += '}';
        first = false;
    }
    out += ']';
}

} // namespace

void writeJson(const RenameReport& report, std::ostream& stream) {
    writeJsonObject(report, stream);
    stream << '\n';
}

void FoldersJson::add(const RenameReport& report) {
    m_stream << (m_first ? "{\"folders\": [" : ", ");
    m_first = false;
    writeJsonObject(report, m_stream);
}

void FoldersJson::finish(const RunTotals& totals) {
    std::string out = m_first ? "{\"folders\": [" : "";
    out += "], \"applied\": ";
    appendBool(out, totals.applied);
    out += ", \"counts\": {";
    appendCount(out, "folders", totals.folders);
    out += ", ";
    appendCount(out, "entries", totals.entries);
    out += ", ";
    appendCount(out, "changing", totals.changing);
    out += ", ";
    appendCount(out, "renamed", totals.renamed);
    out += ", ";
    appendCount(out, "failed", totals.failed);
    out += "}}\n";
    m_stream << out;
}

void writeJsonObject(const RenameReport& report, std::ostream& stream) {
    ChunkedOutput chunks(stream);
    std::string& out = chunks.text();
    out += "{\"folder\": ";
    appendJsonString(out, decodeName(report.folder));
    out += ", \"applied\": ";
    appendBool(out, report.applied);
    out += ", ";
    appendCounts(out, report);
    out += ", ";
    appendEntries(chunks, report);
    out += ", ";
    appendFailures(out, report);
    appendConflicts(out, report);
    if (report.historyError != 0) {
        out += R"(, "history": {"kept": false, "errno": )";
        appendJsonString(out, decodeName(errnoName(report.historyError)));
        out += '}';
    }
    if (report.refusal) {
        out += ", \"error\": ";
        appendProblemJson(out, *report.refusal);
    }
    out += '}';
}

std::string toJson(const RenameReport& report) {
    std::ostringstream out;
    writeJson(report, out);
    return std::move(out).str();
}

} // namespace quillon::cli
