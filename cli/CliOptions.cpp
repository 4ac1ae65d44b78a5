// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "cli/ParseState.h"
#include "cli/PressMessages.h"
#include "cli/TextWriter.h"
#include "quillon/Version.h"

#include "engine/ReplaceReadiness.h"
#include "engine/Utf8.h"

#include <algorithm>

namespace quillon::cli {

namespace {

using Error = std::optional<std::string>;

bool takesValue(const OptionDefinition& definition) {
    return !definition.valueName.empty();
}

/// An argument that names an option, split into the option and the value
/// written into the same argument ("--mask=*.txt", "-xVALUE").
struct OptionArgument {
    const OptionDefinition* definition = nullptr;
    std::optional<std::string_view> attachedValue;
};

std::optional<OptionArgument> longOption(std::string_view arg) {
    const auto equals = arg.find('=');
    const std::string_view name =
        arg.substr(2, equals == std::string_view::npos ? equals : equals - 2);
    for (const OptionDefinition& definition : optionTable()) {
        if (definition.longName != name)
            continue;
        OptionArgument found{&definition, std::nullopt};
        if (equals != std::string_view::npos)
            found.attachedValue = arg.substr(equals + 1);
        return found;
    }
    return std::nullopt;
}

const OptionDefinition* shortDefinition(char name) {
    for (const OptionDefinition& definition : optionTable())
        if (definition.shortName != 0 && definition.shortName == name)
            return &definition;
    return nullptr;
}

std::string displayName(const OptionDefinition& definition) {
    return "--" + std::string(definition.longName);
}

class Parser final {
public:
    explicit Parser(std::span<const std::string_view> args)
        : m_args(args) {}
    ParseResult parse();

private:
    Error argument(std::string_view arg);
    Error option(std::string_view arg);
    Error shortOptions(std::string_view arg);
    Error run(const OptionArgument& option);
    std::optional<std::string_view> valueOf(const OptionDefinition& definition,
                                            const OptionArgument& found, Error& error);
    void settleDefaults();
    Error finish();
    Error checkApplyOnly() const;
    Error checkUndo() const;
    Error checkHistory() const;
    Error checkFolder();
    Error checkPaths();
    Error checkPresses() const;

    std::span<const std::string_view> m_args;
    std::size_t m_next = 0;
    bool m_optionsEnded = false;
    std::vector<std::string_view> m_positional;
    ParseState m_state;
};

ParseResult Parser::parse() {
    while (m_next < m_args.size()) {
        if (auto error = argument(m_args[m_next++]))
            return UsageError{*error};
        if (m_state.info)
            return *m_state.info;
    }
    if (auto error = finish())
        return UsageError{*error};
    return std::move(m_state.options);
}

Error Parser::argument(std::string_view arg) {
    // A lone "-" is a folder name like any other.
    if (m_optionsEnded || arg.size() < 2 || arg[0] != '-') {
        m_positional.push_back(arg);
        return std::nullopt;
    }
    if (arg == "--") {
        m_optionsEnded = true;
        return std::nullopt;
    }
    return option(arg);
}

Error Parser::option(std::string_view arg) {
    if (arg[1] != '-')
        return shortOptions(arg);
    const auto found = longOption(arg);
    if (!found)
        return "unknown option " + quotedForTerminal(arg.substr(0, arg.find('=')));
    return run(*found);
}

// "-hV" is "-h -V"; an option that takes a value takes the rest of the
// argument ("-xVALUE") or, at its end, the next argument.
Error Parser::shortOptions(std::string_view arg) {
    for (std::size_t at = 1; at < arg.size(); ++at) {
        const OptionDefinition* definition = shortDefinition(arg[at]);
        if (definition == nullptr)
            return "unknown option " + quotedForTerminal(std::string("-") + arg[at]);
        OptionArgument found{definition, std::nullopt};
        const bool valueFollows = takesValue(*definition) && at + 1 < arg.size();
        if (valueFollows)
            found.attachedValue = arg.substr(at + 1);
        if (auto error = run(found))
            return error;
        if (valueFollows || m_state.info)
            break;
    }
    return std::nullopt;
}

Error Parser::run(const OptionArgument& option) {
    const OptionDefinition& definition = *option.definition;
    Error error;
    const auto value = valueOf(definition, option, error);
    if (error)
        return error;
    if (definition.onlyWithApply)
        m_state.applyOnlyGiven.push_back(definition.longName);
    return definition.action(m_state, value.value_or(std::string_view()));
}

std::optional<std::string_view> Parser::valueOf(const OptionDefinition& definition,
                                                const OptionArgument& found, Error& error) {
    if (!takesValue(definition)) {
        if (found.attachedValue)
            error = displayName(definition) + " takes no value";
        return std::nullopt;
    }
    if (found.attachedValue)
        return found.attachedValue;
    if (m_next < m_args.size())
        // Taken as it stands, also when it begins with "-" (a search for "-"
        // is common).
        return m_args[m_next++];
    error = displayName(definition) + " needs a value";
    return std::nullopt;
}

// The defaults that are only known once every option is read: the case
// mode and the clean-ups of each press, from --window-defaults. The case
// group is one setting of the window, in force for the load and for every
// press.
void Parser::settleDefaults() {
    CliOptions& options = m_state.options;
    if (m_state.windowDefaults && !m_state.caseGiven)
        options.caseMode = CaseMode::Smart;
    for (std::size_t i = 0; i < options.presses.size(); ++i) {
        ReplaceSettings& press = options.presses[i];
        const CleanUpChoice& cleanUp = m_state.cleanUps[i];
        press.spacesFromPercent20AndUnderscore =
            cleanUp.charToSpaces.value_or(m_state.windowDefaults);
        press.deleteExtraSpaces = cleanUp.deleteExtraSpaces.value_or(m_state.windowDefaults);
        press.caseMode = options.caseMode;
        press.caseScope = options.caseScope;
        press.smartOptions = options.smartOptions;
    }
}

Error Parser::finish() {
    if (m_state.pressGiven)
        m_state.endPress();
    settleDefaults();
    if (auto error = checkUndo())
        return error;
    if (auto error = checkHistory())
        return error;
    if (auto error = checkApplyOnly())
        return error;
    if (auto error = checkFolder())
        return error;
    return checkPresses();
}

Error Parser::checkApplyOnly() const {
    if (m_state.options.apply || m_state.applyOnlyGiven.empty())
        return std::nullopt;
    return "--" + std::string(m_state.applyOnlyGiven.front()) + " only goes with --apply";
}

Error Parser::checkUndo() const {
    if (m_state.options.undo && (m_state.options.apply || !m_state.options.presses.empty()))
        return std::string("--undo goes with no press of \"OK\" and no --apply");
    if (m_state.options.tags &&
        (m_state.options.undo || m_state.options.apply || !m_state.options.presses.empty()))
        return std::string("--tags goes with no press of \"OK\", no --apply and no --undo");
    return std::nullopt;
}

// Listing the history reads no folder; one given narrows the list.
Error Parser::checkHistory() const {
    const CliOptions& options = m_state.options;
    if (options.history && (options.apply || options.undo || !options.presses.empty() ||
                            options.output == OutputFormat::NullSeparated))
        return std::string("--history goes with no press of \"OK\", no --apply, --undo or --null");
    return std::nullopt;
}

Error Parser::checkFolder() {
    if (!m_state.options.history) {
        // --save-preset alone saves and needs no PATH.
        if (!m_state.options.savePreset.empty() && m_positional.empty() &&
            !m_state.options.filesFrom)
            return std::nullopt;
        return checkPaths();
    }
    if (m_state.options.filesFrom || m_state.options.recursive)
        return std::string("--history goes with no --files-from and no -r");
    if (m_positional.empty())
        return std::nullopt;
    if (m_positional.front().empty())
        return std::string("no FOLDER given");
    if (m_positional.size() > 1)
        return "only one FOLDER, but also " + quotedForTerminal(m_positional[1]);
    m_state.options.folder = std::string(m_positional.front());
    return std::nullopt;
}

// The PATHs and the options that only make sense beside some of them.
Error Parser::checkPaths() {
    CliOptions& options = m_state.options;
    if (m_positional.empty() && !options.filesFrom)
        return std::string("no PATH given (a folder or a file, or --files-from)");
    for (const std::string_view path : m_positional) {
        if (path.empty())
            return std::string("an empty PATH names no file or folder");
        options.paths.emplace_back(path);
    }
    if (options.filesFrom && options.filesFrom->empty())
        return std::string("--files-from needs a FILE (\"-\" for standard input)");
    if (options.zeroSeparated && !options.filesFrom)
        return std::string("-0 only goes with --files-from");
    if (options.hidden && !options.recursive)
        return std::string("--hidden only goes with -r");
    if (options.undo && (options.includeFolders || options.numberAcross))
        return std::string("--undo goes with no --include-folders and no --number-across");
    if (options.paths.size() == 1)
        options.folder = options.paths.front();
    return std::nullopt;
}

// Names the options that would fill what is missing.
std::string_view missingMessage(MissingInput missing) {
    switch (missing) {
    case MissingInput::None:
        break;
    case MissingInput::DeletePosition:
        return "--delete needs a position before the \":\" (POS:LENGTH)";
    case MissingInput::DeleteLength:
        return "--delete needs a length after the \":\" (POS:LENGTH)";
    case MissingInput::InsertPosition:
        return "--insert needs a position before the \":\" (POS:TEXT)";
    case MissingInput::InsertText:
        return "--insert needs a text after the \":\" (POS:TEXT)";
    case MissingInput::WithText:
        return R"(--replace holds "*" or "/", a pattern that needs --with)";
    case MissingInput::ReplaceText:
        return "--with needs --replace: there is nothing to replace";
    case MissingInput::AnyChange:
        return "the press changes nothing: give --replace, --delete, --insert, --clean, "
               "--delete-digits or --number-duplicates";
    }
    return {};
}

// The window keeps "OK" disabled for these presses; running them anyway could
// wipe every name (a "*" with an empty With text turns each into its
// extension alone).
Error Parser::checkPresses() const {
    const std::vector<ReplaceSettings>& presses = m_state.options.presses;
    for (std::size_t i = 0; i < presses.size(); ++i) {
        const std::string which =
            presses.size() > 1 ? "press " + std::to_string(i + 1) + ": " : std::string();
        const MissingInput missing = missingInput(presses[i]);
        if (missing != MissingInput::None)
            return which + std::string(missingMessage(missing));
        // Known before any folder is read, as a fault of the command line.
        if (const auto error = expressionError(presses[i]))
            return which + expressionLine(*error);
    }
    return std::nullopt;
}

} // namespace

ParseResult parseArguments(std::span<const std::string_view> args) {
    return Parser(args).parse();
}

std::string versionText() {
    return std::string("quillon-cli ") + kApplicationVersion + "\n";
}

} // namespace quillon::cli
