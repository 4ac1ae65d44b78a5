// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliHistory.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/TextWriter.h"
#include "engine/Utf8.h"
#include "workspace/history/UndoHistory.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <ostream>

namespace quillon::cli {

namespace {

// "2026-12-08T14:56:12+01:00", in the local time zone.
std::string localTime(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    char text[40];
    if (!::localtime_r(&time, &local) ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local) == 0)
        return std::to_string(seconds);
    std::string out = text;
    if (out.size() > 2)
        out.insert(out.size() - 2, ":");
    return out;
}

std::string filesText(std::uint64_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

// On standard error, like the summary of a rename.
std::string summaryText(std::size_t count) {
    if (count == 0)
        return "No save in the history.";
    return std::to_string(count) + (count == 1 ? " save" : " saves") + " in the history.";
}

void writeLines(const std::vector<HistoryEntry>& newestFirst, std::ostream& out) {
    std::string text;
    for (const HistoryEntry& entry : newestFirst) {
        text += localTime(entry.savedAtSeconds());
        text += "  ";
        text += filesText(entry.renamed);
        text += "  ";
        text += escapedForTerminal(entry.folder);
        text += '\n';
    }
    out << text;
}

void writeJsonArray(const std::vector<HistoryEntry>& newestFirst, std::ostream& out) {
    std::string text = "[";
    for (const HistoryEntry& entry : newestFirst) {
        text += text.size() == 1 ? "{\"folder\": " : ", {\"folder\": ";
        appendJsonString(text, decodeName(entry.folder));
        text += ", \"time\": ";
        appendJsonString(text, decodeName(localTime(entry.savedAtSeconds())));
        text += ", \"renamed\": " + std::to_string(entry.renamed) + ", \"id\": ";
        appendJsonString(text, decodeName(entry.saveId));
        text += '}';
    }
    text += "]\n";
    out << text;
}

} // namespace

int runHistory(FileSystem& fs, const CliOptions& options, std::ostream& out, std::ostream& err) {
    const std::string directory = UndoHistory::defaultDirectory();
    if (directory.empty()) {
        err << "quillon-cli: no history folder: neither XDG_STATE_HOME nor HOME is an absolute "
               "path\n";
        return exitStatus(ExitCode::Usage);
    }
    UndoHistory history(fs, directory);
    std::vector<HistoryEntry> entries = history.list(
        options.folder.empty() ? std::string() : UndoHistory::resolvedFolder(options.folder));
    std::reverse(entries.begin(), entries.end());
    if (options.output == OutputFormat::Json)
        writeJsonArray(entries, out);
    else
        writeLines(entries, out);
    err << summaryText(entries.size()) << '\n';
    return exitStatus(ExitCode::Success);
}

} // namespace quillon::cli
