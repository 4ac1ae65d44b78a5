#include "cli/JsonWriter.h"

#include "engine/Utf8.h"

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

// Opens one object of a list with its "old" and "new" members.
void appendRename(std::string& out, bool first, NameView oldName, NameView newName) {
    out += first ? "{\"old\": " : ", {\"old\": ";
    appendJsonString(out, oldName);
    out += ", \"new\": ";
    appendJsonString(out, newName);
}

} // namespace

std::string toJson(const RenameReport& report) {
    std::string out = "{\"folder\": ";
    appendJsonString(out, decodeName(report.folder));
    out += ", \"entries\": [";
    for (std::size_t i = 0; i < report.entries.size(); ++i) {
        const ReportEntry& entry = report.entries[i];
        appendRename(out, i == 0, entry.oldName, entry.newName);
        out += ", \"checked\": ";
        appendBool(out, entry.checked);
        out += '}';
    }
    out += "], \"failed\": [";
    for (std::size_t i = 0; i < report.failed.size(); ++i) {
        const RenameFailure& failure = report.failed[i];
        appendRename(out, i == 0, failure.oldName, failure.newName);
        out += ", \"error\": ";
        appendJsonString(out, decodeName(failure.message));
        out += '}';
    }
    out += ']';
    if (report.conflicts) {
        out += ", \"conflicts\": [";
        bool first = true;
        for (const ReportConflict& c : *report.conflicts) {
            out += first ? "{\"index\": " : ", {\"index\": ";
            out += std::to_string(c.index);
            out += ", \"name\": ";
            appendJsonString(out, c.name);
            out += ", \"reason\": ";
            appendJsonString(out, decodeName(c.reason));
            out += '}';
            first = false;
        }
        out += ']';
    }
    out += "}\n";
    return out;
}

} // namespace quillon::cli
