// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliTags.h"

#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/StopSignals.h"
#include "cli/TextWriter.h"
#include "engine/Utf8.h"
#include "workspace/Workspace.h"

#include <cstdio>
#include <ostream>

namespace quillon::cli {

namespace {

// Dates as people and scripts read them; they never go into a name here.
std::string dateText(const metadata::DateTime& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02u:%02u:%02u", d.year,
                  static_cast<unsigned>(d.month), static_cast<unsigned>(d.day),
                  static_cast<unsigned>(d.hour), static_cast<unsigned>(d.minute),
                  static_cast<unsigned>(d.second));
    return text;
}

std::string valueText(const metadata::FileFields& fields, Field f) {
    switch (fieldKind(f)) {
    case FieldKind::Date:
        return dateText(fields.date(f));
    case FieldKind::Number:
        return std::to_string(fields.number(f));
    case FieldKind::Text:
        break;
    }
    return std::string(fields.text(f));
}

void appendTextLine(std::string& line, std::string_view name, const metadata::FileFields& fields) {
    line += escapedForTerminal(name);
    for (const Field f : kAllFields) {
        if (!fields.has(f))
            continue;
        line += '\t';
        line += fieldName(f);
        line += '=';
        line += escapedForTerminal(valueText(fields, f));
    }
    if (fields.unreadable())
        line += "\tunreadable";
    line += '\n';
}

void appendJsonLine(std::string& line, std::string_view name, const metadata::FileFields& fields) {
    line += "{\"name\": ";
    appendJsonString(line, decodeName(name));
    for (const Field f : kAllFields) {
        if (!fields.has(f))
            continue;
        line += ", \"";
        line += fieldName(f);
        line += "\": ";
        if (fieldKind(f) == FieldKind::Number)
            line += std::to_string(fields.number(f));
        else
            appendJsonString(line, decodeName(valueText(fields, f)));
    }
    if (fields.unreadable())
        line += ", \"unreadable\": true";
    line += "}\n";
}

} // namespace

int runTags(Workspace& workspace, const CliOptions& options, std::ostream& out, std::ostream& err) {
    const FieldSet every =
        metadata::kAudioFields | metadata::kPhotoFields | FieldSet(Field::Modified);
    const std::vector<metadata::FileFields> fields = workspace.readListedFields(every);
    if (workspace.fieldReadingStopped()) {
        err << "Stopped while reading the files.\n";
        return stoppedStatus(stopSignal());
    }
    const NameList& names = workspace.folderList().names;
    std::string line;
    for (std::size_t i = 0; i < names.size() && i < fields.size(); ++i) {
        line.clear();
        if (options.output == OutputFormat::Json)
            appendJsonLine(line, names[i], fields[i]);
        else
            appendTextLine(line, names[i], fields[i]);
        out << line;
    }
    return exitStatus(ExitCode::Success);
}

} // namespace quillon::cli
