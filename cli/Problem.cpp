// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Problem.h"

#include "cli/ErrnoName.h"
#include "cli/JsonWriter.h"

#include "engine/Utf8.h"

#include <cstring>
#include <ostream>

namespace quillon::cli {

std::string_view problemKindName(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::Usage:
        return "usage";
    case ProblemKind::Unreadable:
        return "unreadable";
    case ProblemKind::RefusedPress:
        return "refused-press";
    case ProblemKind::RefusedSave:
        return "refused-save";
    case ProblemKind::OutputFailed:
        return "output";
    }
    return {};
}

std::string problemLine(const Problem& problem) {
    std::string line = "quillon-cli: " + problem.message;
    if (problem.error != 0)
        line += " (" + errnoName(problem.error) + ": " + std::strerror(problem.error) + ")";
    return line + "\n";
}

namespace {

void appendText(std::string& out, std::string_view text) {
    appendJsonString(out, decodeName(text));
}

std::string problemJson(const Problem& problem, const std::optional<std::string>& folder) {
    std::string out = "{\"folder\": ";
    if (folder)
        appendText(out, *folder);
    else
        out += "null";
    out += ", \"error\": ";
    appendProblemJson(out, problem);
    out += "}\n";
    return out;
}

} // namespace

void appendProblemJson(std::string& out, const Problem& problem) {
    out += "{\"kind\": ";
    appendText(out, problemKindName(problem.kind));
    out += ", \"message\": ";
    appendText(out, problem.message);
    out += ", \"errno\": ";
    if (problem.error == 0) {
        out += "null, \"reason\": null}";
        return;
    }
    appendText(out, errnoName(problem.error));
    out += ", \"reason\": ";
    appendText(out, std::strerror(problem.error));
    out += '}';
}

void reportProblem(const Problem& problem, const std::optional<std::string>& folder, bool json,
                   std::ostream& out, std::ostream& err) {
    err << problemLine(problem);
    if (json)
        out << problemJson(problem, folder);
}

} // namespace quillon::cli
