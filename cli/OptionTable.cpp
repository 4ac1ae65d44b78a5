// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "cli/CliPresets.h"
#include "cli/ParseState.h"
#include "cli/TextWriter.h"

#include "engine/Utf8.h"
#include "workspace/presets/PresetStore.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace quillon::cli {

namespace {

using Error = std::optional<std::string>;

/// A value out of a fixed list of words, each naming a setting.
template <typename T>
using Choice = std::pair<std::string_view, T>;

// "a, b or c": the error message lists what the table accepts.
template <typename T, std::size_t N>
std::string choiceList(const Choice<T> (&choices)[N]) {
    std::string list;
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0)
            list += i + 1 == N ? " or " : ", ";
        list += choices[i].first;
    }
    return list;
}

template <typename T, std::size_t N>
Error choose(const Choice<T> (&choices)[N], std::string_view option, std::string_view value,
             T& target) {
    for (const auto& [name, setting] : choices) {
        if (name == value) {
            target = setting;
            return std::nullopt;
        }
    }
    return "--" + std::string(option) + ": expected " + choiceList(choices) + ", not " +
           quotedForTerminal(value);
}

// Seconds as "3" or "0.5": digits, at most one point, no sign or blank;
// from a tenth of a second to an hour.
std::optional<std::chrono::milliseconds> secondsValue(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (text.empty() || whole.size() > 4 || !digits(whole) || !digits(fraction) ||
        (point != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    long long ms = 0;
    for (const char c : whole)
        ms = ms * 10 + (c - '0');
    ms *= 1000;
    long long scale = 100;
    for (const char c : fraction.substr(0, 3)) {
        ms += (c - '0') * scale;
        scale /= 10;
    }
    if (ms < 100 || ms > 3'600'000)
        return std::nullopt;
    return std::chrono::milliseconds(ms);
}

constexpr Choice<SortOrder> kSortOrders[] = {
    {"name", SortOrder::Name},         {"date", SortOrder::Date},       {"taken", SortOrder::Taken},
    {"modified", SortOrder::Modified}, {"natural", SortOrder::Natural},
};

constexpr Choice<CaseMode> kCaseModes[] = {
    {"smart", CaseMode::Smart},     {"first", CaseMode::FirstLetters},
    {"upper", CaseMode::Uppercase}, {"lower", CaseMode::Lowercase},
    {"none", CaseMode::None},
};

constexpr Choice<Scope> kScopes[] = {
    {"names", Scope::FileNamesOnly},
    {"extensions", Scope::ExtensionsOnly},
    {"both", Scope::Both},
};

constexpr Choice<OnError> kOnErrors[] = {{"skip", OnError::Skip}, {"abort", OnError::Abort}};

constexpr Choice<bool SmartCaseOptions::*> kSmartOptions[] = {
    {"most-letters", &SmartCaseOptions::mostLetters},
    {"last-field", &SmartCaseOptions::mostLettersLastField},
    {"small-words", &SmartCaseOptions::smallWords},
    {"hyphen", &SmartCaseOptions::hyphen},
    {"commas", &SmartCaseOptions::commas},
    {"unknown-acronyms", &SmartCaseOptions::unknownAcronyms},
    {"known-words", &SmartCaseOptions::knownWords},
};

// The list names the options that are on; every other one is off, so the
// result does not depend on the defaults.
Error setSmartOptions(ParseState& state, std::string_view list) {
    SmartCaseOptions options;
    for (const auto& [name, flag] : kSmartOptions)
        options.*flag = false;
    std::size_t start = 0;
    while (!list.empty() && start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        bool SmartCaseOptions::*flag = nullptr;
        if (auto error = choose(kSmartOptions, "smart", list.substr(start, comma - start), flag))
            return error;
        options.*flag = true;
        start = comma + 1;
    }
    // In the window "Up to last delimiters" can only be ticked while "Most
    // first letters" is off; the two clicks that get there leave it enabled.
    options.mostLettersLastFieldEnabled = !options.mostLetters;
    state.options.smartOptions = options;
    return std::nullopt;
}

// Splits "A:B" at the first ":"; B may hold further colons. The parts go to
// the engine as typed text: it alone decides what a valid position is, and
// refuses with the window's message.
Error splitAtColon(std::string_view option, std::string_view form, std::string_view value,
                   Name& before, Name& after) {
    const auto colon = value.find(':');
    if (colon == std::string_view::npos)
        return "--" + std::string(option) + ": expected " + std::string(form) + ", not " +
               quotedForTerminal(value);
    before = decodeName(value.substr(0, colon));
    after = decodeName(value.substr(colon + 1));
    return std::nullopt;
}

Error setDeletion(ParseState& state, std::string_view value) {
    ReplaceSettings& press = state.changePress();
    press.deleteEnabled = true;
    return splitAtColon("delete", "POS:LENGTH", value, press.deletePos, press.deleteLength);
}

Error setInsertion(ParseState& state, std::string_view value) {
    ReplaceSettings& press = state.changePress();
    press.insertEnabled = true;
    return splitAtColon("insert", "POS:TEXT", value, press.insertPos, press.insertText);
}

Error setOutput(ParseState& state, OutputFormat format) {
    if (state.options.output != OutputFormat::Text && state.options.output != format)
        return std::string("--json and --null exclude each other");
    state.options.output = format;
    return std::nullopt;
}

// A press option that only flips one check box.
template <bool ReplaceSettings::*Box, bool Value>
Error tick(ParseState& state, std::string_view) {
    state.changePress().*Box = Value;
    return std::nullopt;
}

// A clean-up check box, whose default is only known at the end.
template <std::optional<bool> CleanUpChoice::*Box, bool Value>
Error tickCleanUp(ParseState& state, std::string_view) {
    state.changePress();
    state.cleanUp.*Box = Value;
    return std::nullopt;
}

Error tickBothCleanUps(ParseState& state, std::string_view) {
    state.changePress();
    state.cleanUp = {true, true};
    return std::nullopt;
}

constexpr OptionDefinition kOptions[] = {
    {"help", 'h', "", OptionGroup::Information, "show this help and exit",
     [](ParseState& s, std::string_view) -> Error {
         s.info = InfoRequest::Help;
         return std::nullopt;
     }},
    {"version", 'V', "", OptionGroup::Information, "show the program's name and version and exit",
     [](ParseState& s, std::string_view) -> Error {
         s.info = InfoRequest::Version;
         return std::nullopt;
     }},

    {"mask", 0, "MASK", OptionGroup::Loading,
     "wildcard mask; \";\" separates patterns\n(default \"*.*\")",
     [](ParseState& s, std::string_view value) -> Error {
         s.options.mask = decodeName(value);
         return std::nullopt;
     }},
    {"sort", 0, "ORDER", OptionGroup::Loading,
     "list order: name (default), date (creation date and\n"
     "time), taken (the date a photo was taken, else the\n"
     "modification time), modified, or natural (by name,\n"
     "numbers as numbers)",
     [](ParseState& s, std::string_view value) {
         return choose(kSortOrders, "sort", value, s.options.sort);
     }},

    {"preset", 0, "NAME", OptionGroup::Loading,
     "start from the preset NAME saved in the window or\n"
     "with --save-preset: its mask, sort order, case and\n"
     "press; the options after it change them",
     startFromPreset},
    {"save-preset", 0, "NAME", OptionGroup::Loading,
     "save the mask, sort order, case and press given as\n"
     "the preset NAME; PATH is optional then",
     [](ParseState& s, std::string_view value) -> Error {
         if (!PresetStore::isValidName(value))
             return "--save-preset: " + quotedForTerminal(value) +
                    R"( is no preset name (empty, beginning with "." or holding "/"))";
         s.options.savePreset = std::string(value);
         return std::nullopt;
     }},

    // Paths and pipelines: which folders and files a run takes.
    {"files-from", 0, "FILE", OptionGroup::Paths,
     "read further PATHs from FILE (\"-\": standard\n"
     "input), one a line, or NUL-separated with -0",
     [](ParseState& s, std::string_view value) -> Error {
         s.options.filesFrom = std::string(value);
         return std::nullopt;
     }},
    {"zero", '0', "", OptionGroup::Paths,
     "the list of --files-from is NUL-separated, as\n"
     "find's print0 action writes it (names may hold\n"
     "line breaks)",
     [](ParseState& s, std::string_view) -> Error {
         s.options.zeroSeparated = true;
         return std::nullopt;
     }},
    {"recursive", 'r', "", OptionGroup::Paths,
     "every subfolder of a folder PATH too, as a list of\n"
     "its own; links to folders are not followed",
     [](ParseState& s, std::string_view) -> Error {
         s.options.recursive = true;
         return std::nullopt;
     }},
    {"hidden", 0, "", OptionGroup::Paths,
     "with -r: enter folders whose name begins with \".\"\n"
     "too (their files are listed as the mask says)",
     [](ParseState& s, std::string_view) -> Error {
         s.options.hidden = true;
         return std::nullopt;
     }},
    {"include-folders", 0, "", OptionGroup::Paths,
     "list each folder's subfolders (those the mask\n"
     "matches) beside its files, so they are renamed\n"
     "too: after everything inside them, deepest first",
     [](ParseState& s, std::string_view) -> Error {
         s.options.includeFolders = true;
         return std::nullopt;
     }},
    {"number-across", 0, "", OptionGroup::Paths,
     "one run of numbers over all folders in order;\n"
     "else numbering starts again in each folder",
     [](ParseState& s, std::string_view) -> Error {
         s.options.numberAcross = true;
         return std::nullopt;
     }},

    {"window-defaults", 0, "", OptionGroup::Case,
     "start from the window's settings: Smart case, and\n"
     "\"%20 and _ to spaces\" and \"Delete extra spaces\"\n"
     "in every press; options still change them",
     [](ParseState& s, std::string_view) -> Error {
         s.windowDefaults = true;
         return std::nullopt;
     }},
    {"case", 0, "MODE", OptionGroup::Case,
     "smart, first, upper, lower or none (default; smart\nwith --window-defaults)",
     [](ParseState& s, std::string_view value) {
         s.caseGiven = true;
         return choose(kCaseModes, "case", value, s.options.caseMode);
     }},
    {"case-scope", 0, "SCOPE", OptionGroup::Case,
     "the part of each name the case mode changes:\nnames, extensions or both (default)",
     [](ParseState& s, std::string_view value) {
         return choose(kScopes, "case-scope", value, s.options.caseScope);
     }},
    {"smart", 0, "LIST", OptionGroup::Case,
     "the Smart options that are on, comma-separated, out\n"
     "of most-letters, last-field, small-words, hyphen,\n"
     "commas, unknown-acronyms, known-words (default:\n"
     "most-letters,hyphen,unknown-acronyms,known-words)",
     setSmartOptions},

    {"replace", 0, "TEXT", OptionGroup::Press, "the \"Replace:\" box",
     [](ParseState& s, std::string_view value) -> Error {
         s.changePress().find = decodeName(value);
         return std::nullopt;
     }},
    {"with", 0, "TEXT", OptionGroup::Press, "the \"With:\" box",
     [](ParseState& s, std::string_view value) -> Error {
         s.changePress().replaceWith = decodeName(value);
         return std::nullopt;
     }},
    {"regex", 0, "", OptionGroup::Press,
     "--replace is an ICU regular expression; \"*\" and\n"
     "\"/\" are no patterns then, and --with may hold $1 to\n"
     "$9 and ${name} for its groups",
     tick<&ReplaceSettings::regularExpression, true>},
    {"case-sensitive", 0, "", OptionGroup::Press, "tick \"Case sensitive\"",
     tick<&ReplaceSettings::caseSensitive, true>},
    {"scope", 0, "SCOPE", OptionGroup::Press, "names (default), extensions or both",
     [](ParseState& s, std::string_view value) {
         return choose(kScopes, "scope", value, s.changePress().scope);
     }},
    {"delete", 0, "POS:LENGTH", OptionGroup::Press, "tick \"Delete\" and fill its Pos and Length",
     setDeletion},
    {"insert", 0, "POS:TEXT", OptionGroup::Press,
     "tick \"Insert\" and fill its Pos and String; TEXT is\neverything after the first \":\"",
     setInsertion},
    {"clean", 0, "", OptionGroup::Press,
     "tick the window's two clean-ups: \"%20 and _ to\nspaces\" and \"Delete extra spaces\"",
     tickBothCleanUps},
    {"char-to-spaces", 0, "", OptionGroup::Press, "tick \"%20 and _ to spaces\"",
     tickCleanUp<&CleanUpChoice::charToSpaces, true>},
    {"no-char-to-spaces", 0, "", OptionGroup::Press, "untick \"%20 and _ to spaces\"",
     tickCleanUp<&CleanUpChoice::charToSpaces, false>},
    {"delete-digits", 0, "", OptionGroup::Press, "tick \"Delete digits\"",
     tick<&ReplaceSettings::deleteDigits, true>},
    {"delete-extra-spaces", 0, "", OptionGroup::Press, "tick \"Delete extra spaces\"",
     tickCleanUp<&CleanUpChoice::deleteExtraSpaces, true>},
    {"no-delete-extra-spaces", 0, "", OptionGroup::Press, "untick \"Delete extra spaces\"",
     tickCleanUp<&CleanUpChoice::deleteExtraSpaces, false>},
    {"no-update-case", 0, "", OptionGroup::Press, "untick \"Update case\"",
     tick<&ReplaceSettings::updateCase, false>},
    {"no-cumulate", 0, "", OptionGroup::Press, "untick \"Cumulate\": start from the names on disk",
     tick<&ReplaceSettings::cumulate, false>},
    {"number-duplicates", 0, "", OptionGroup::Press,
     "tick \"Number equal names\": names that would be\n"
     "equal, among the files or with a file that stays,\n"
     "get \" (2)\", \" (3)\" ... before the extension, in\n"
     "list order; else saving refuses them",
     tick<&ReplaceSettings::numberDuplicates, true>},
    {"ok", 0, "", OptionGroup::Press, "press \"OK\" even if no other option of a press\nis given",
     [](ParseState& s, std::string_view) -> Error {
         s.changePress();
         return std::nullopt;
     }},
    {"then", 0, "", OptionGroup::Press,
     "press \"OK\" now; the options after it make the next\npress, from the defaults again",
     [](ParseState& s, std::string_view) -> Error {
         s.endPress();
         return std::nullopt;
     }},

    {"json", 0, "", OptionGroup::Output,
     "print one JSON object instead: folder, applied,\n"
     "counts, every entry, and the failed renames with\n"
     "their reasons",
     [](ParseState& s, std::string_view) {
         return setOutput(s, OutputFormat::Json);
     }},
    {"null", 0, "", OptionGroup::Output,
     "print OLD and NEW of each name that changes (with\n"
     "--apply: that was renamed) as raw bytes, each\n"
     "ended by a NUL byte; no summary line",
     [](ParseState& s, std::string_view) {
         return setOutput(s, OutputFormat::NullSeparated);
     }},

    {"apply", 0, "", OptionGroup::Saving,
     "rename the files as the window's \"Save\" does: name\n"
     "checks, undo script, renames",
     [](ParseState& s, std::string_view) -> Error {
         s.options.apply = true;
         return std::nullopt;
     }},
    {"no-undo-file", 0, "", OptionGroup::Saving,
     "write no undo script (an old one is still deleted)",
     [](ParseState& s, std::string_view) -> Error {
         s.options.undoFile = false;
         return std::nullopt;
     },
     true},
    {"tags", 0, "", OptionGroup::Output,
     "print each listed file's fields (tags, dates,\n"
     "camera, size), one line per file, or one JSON\n"
     "object per line with --json; renames nothing",
     [](ParseState& s, std::string_view) -> Error {
         s.options.tags = true;
         return std::nullopt;
     }},
    {"read-timeout", 0, "SECONDS", OptionGroup::Output,
     "how long reading the fields inside one file may\n"
     "take (default 3); a file that takes longer, or\n"
     "that its reader cannot finish, counts as unreadable",
     [](ParseState& s, std::string_view value) -> Error {
         const std::optional<std::chrono::milliseconds> timeout = secondsValue(value);
         if (!timeout)
             return "--read-timeout: SECONDS must be a number from 0.1 to 3600, not " +
                    quotedForTerminal(value);
         s.options.readTimeout = *timeout;
         return std::nullopt;
     }},
    {"undo", 0, "", OptionGroup::Saving,
     "take back the last save into each folder PATH: the\n"
     "newest of your history, else the undo file it left\n"
     "(only Quillon's own; exit 4 names what did not\n"
     "come back); with -r each subfolder after its\n"
     "folder, where it holds a save",
     [](ParseState& s, std::string_view) -> Error {
         s.options.undo = true;
         return std::nullopt;
     }},
    {"yes", 0, "", OptionGroup::Saving,
     "with --undo: take back an undo file that your\n"
     "history does not hold (made elsewhere) without\n"
     "asking",
     [](ParseState& s, std::string_view) -> Error {
         s.options.trustRecord = true;
         return std::nullopt;
     }},
    {"history", 0, "", OptionGroup::Saving,
     "list the saves the history holds, newest first:\n"
     "time, files renamed, folder; FOLDER is optional\n"
     "and narrows the list to that folder's saves",
     [](ParseState& s, std::string_view) -> Error {
         s.options.history = true;
         return std::nullopt;
     }},
    {"on-error", 0, "skip|abort", OptionGroup::Saving,
     "after a failed rename, go on with the next file\n(skip, the default) or stop (abort)",
     [](ParseState& s, std::string_view value) {
         return choose(kOnErrors, "on-error", value, s.options.onError);
     },
     true},
};

} // namespace

void ParseState::endPress() {
    options.presses.push_back(press);
    cleanUps.push_back(cleanUp);
    press = ReplaceSettings{};
    cleanUp = {};
    pressGiven = false;
}

std::span<const OptionDefinition> optionTable() {
    return kOptions;
}

} // namespace quillon::cli
