// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <algorithm>

namespace quillon::cli {

namespace {

struct GroupText {
    OptionGroup group;
    std::string_view heading;
    /// Lines under the heading before the options; may be empty.
    std::string_view note;
};

constexpr GroupText kGroups[] = {
    {OptionGroup::Information, "Information:", ""},
    {OptionGroup::Loading, "Loading (as the window's Load command):", ""},
    {OptionGroup::Paths, "Paths (each folder is loaded, pressed and saved as a list of its own):",
     "A folder PATH is listed as above; a file PATH adds that file alone.\n"
     "Folders come in path order, each before its subfolders (after them with\n"
     "--include-folders, so that paths stay valid while folders are renamed)."},
    {OptionGroup::Case, "Case (applied on loading and by \"Update case\", as in the window):", ""},
    {OptionGroup::Press, "One press of \"OK\" (it runs when any of these is given):",
     "A press that the window's \"OK\" could not run (such as --replace '*'\n"
     "without --with) is refused."},
    {OptionGroup::Output, "Output:",
     "By default, \"OLD -> NEW\" for each name that changes, on standard output,\n"
     "with control characters and bytes that are not UTF-8 escaped as \\n, \\t,\n"
     "\\xHH, and a backslash as \\\\; the summary line goes to standard error."},
    {OptionGroup::Saving, "Saving (nothing is renamed without --apply):", ""},
};

constexpr std::string_view kUsage =
    "Usage: quillon-cli [OPTIONS] PATH...\n"
    "       quillon-cli [OPTIONS] --files-from FILE [PATH...]\n"
    "       quillon-cli --undo [-r] PATH...\n"
    "       quillon-cli --history [--json] [FOLDER]\n"
    "Lists the files of each folder PATH as the window's Load command does (a file\n"
    "PATH adds that file alone), runs the presses of \"OK\" that the options\n"
    "describe and shows the new names. Only what the options ask for changes: no\n"
    "case mode and no clean-up unless asked (--case, --clean), or the window's\n"
    "settings with --window-defaults.\n";

constexpr std::string_view kExamples =
    "Examples:\n"
    "  quillon-cli --replace foo --with baz DIR    only names holding \"foo\" change\n"
    "  quillon-cli --case lower --case-scope extensions DIR   IMG_1.JPG: IMG_1.jpg\n"
    "  quillon-cli --clean --apply DIR             a_b%20c.mp3: a b c.mp3, renamed\n"
    "  quillon-cli --window-defaults --ok DIR      as the window's \"OK\" at start\n"
    "  quillon-cli --regex --replace '^(\\d+) (.*)$' --with '$2 - $1' DIR\n"
    "                                              12 Title.mp3: Title - 12.mp3\n"
    "  quillon-cli -0 --files-from - --case lower --case-scope extensions --apply\n"
    "                                              the files listed on standard\n"
    "                                              input, NUL-separated (as find's\n"
    "                                              print0 action writes), by folder\n"
    "  quillon-cli -r --replace '*' --with '/001/' --number-across DIR\n"
    "                                              one run of numbers, all DIR\n"
    "  quillon-cli --undo -r DIR                   take DIR and its subfolders back\n";

constexpr std::string_view kExitStatus =
    "Exit status: 0 done; 1 usage error, incomplete press or unreadable PATH;\n"
    "2 a press was refused; 3 saving was refused; 4 some renames failed.\n";

// "-h, --help" or "--mask MASK".
std::string leftColumn(const OptionDefinition& definition) {
    std::string text = "  ";
    if (definition.shortName != 0) {
        text += '-';
        text += definition.shortName;
        text += ", ";
    }
    text += "--";
    text += definition.longName;
    if (!definition.valueName.empty()) {
        text += ' ';
        text += definition.valueName;
    }
    return text;
}

std::size_t helpColumn() {
    std::size_t widest = 0;
    for (const OptionDefinition& definition : optionTable())
        widest = std::max(widest, leftColumn(definition).size());
    return widest + 2;
}

void appendIndented(std::string& out, std::string_view lines, std::size_t indent) {
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        out.append(indent, ' ');
        out.append(lines.substr(start, end - start));
        out += '\n';
        start = end + 1;
    }
}

void appendOption(std::string& out, const OptionDefinition& definition, std::size_t column) {
    const std::string left = leftColumn(definition);
    const std::size_t firstBreak = std::min(definition.help.find('\n'), definition.help.size());
    out += left;
    out.append(column - left.size(), ' ');
    out.append(definition.help.substr(0, firstBreak));
    out += '\n';
    if (firstBreak < definition.help.size())
        appendIndented(out, definition.help.substr(firstBreak + 1), column);
}

void appendGroup(std::string& out, const GroupText& group, std::size_t column) {
    out += '\n';
    out += group.heading;
    out += '\n';
    appendIndented(out, group.note, 2);
    for (const OptionDefinition& definition : optionTable())
        if (definition.group == group.group)
            appendOption(out, definition, column);
}

} // namespace

std::string helpText() {
    std::string out(kUsage);
    const std::size_t column = helpColumn();
    for (const GroupText& group : kGroups)
        appendGroup(out, group, column);
    out += '\n';
    out += kExamples;
    out += '\n';
    out += kExitStatus;
    return out;
}

} // namespace quillon::cli
