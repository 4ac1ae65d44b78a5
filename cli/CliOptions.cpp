#include "cli/CliOptions.h"

#include "quillon/Version.h"

#include "engine/Utf8.h"

#include <algorithm>
#include <optional>

namespace quillon::cli {

namespace {

// Kept word for word as users read it in the documentation of the options.
constexpr std::string_view kHelp =
    R"(quillon-cli [OPTIONS] FOLDER

Loading (as the Load command of the window):
  --mask MASK          wildcard mask, ";" separates patterns (default "*.*")
  --sort name|date     name (default) or creation date and time
Case mode (applied on load and by "Update case", as in the window):
  --case MODE          smart (default), first, upper, lower, none
  --smart LIST         the Smart options that are on, comma-separated, out of
                       most-letters, last-field, small-words, hyphen, commas,
                       unknown-acronyms, known-words
                       (default: most-letters,hyphen,unknown-acronyms,known-words)
One press of "OK" (it runs when any of these is given, or with --ok):
  --replace TEXT       the "Replace:" box
  --with TEXT          the "With:" box
  --case-sensitive
  --scope SCOPE        names (default), extensions, both
  --delete POS:LENGTH  "Delete" with its two boxes
  --insert POS:TEXT    "Insert"; TEXT is everything after the first ":"
  --no-char-to-spaces  --delete-digits  --no-delete-extra-spaces  --no-update-case
  --no-cumulate
  --ok                 press "OK" with the default settings
  --then               end this press and start another, from the default settings
Output and saving:
  (default)            dry run: print "OLD -> NEW" for each name that changes, then a summary line
  --json               dry run or result as JSON (below)
  --apply              save: duplicate check, undo script, renames, as the window's "Save"
  --no-undo-file       with --apply: write no undo script (an old one is still deleted)
  --on-error skip|abort  with --apply: what a failed rename does (default skip)
  --undo               take back the last save into FOLDER from the undo script it
                       left (only Quillon's own; exit 4 names what did not come back)
  --version            prints "Quillon 0.1.0"
)";

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::optional<CaseMode> caseModeNamed(std::string_view name) {
    if (name == "smart")
        return CaseMode::Smart;
    if (name == "first")
        return CaseMode::FirstLetters;
    if (name == "upper")
        return CaseMode::Uppercase;
    if (name == "lower")
        return CaseMode::Lowercase;
    if (name == "none")
        return CaseMode::None;
    return std::nullopt;
}

std::optional<Scope> scopeNamed(std::string_view name) {
    if (name == "names")
        return Scope::FileNamesOnly;
    if (name == "extensions")
        return Scope::ExtensionsOnly;
    if (name == "both")
        return Scope::Both;
    return std::nullopt;
}

bool* smartOptionNamed(SmartCaseOptions& options, std::string_view name) {
    if (name == "most-letters")
        return &options.mostLetters;
    if (name == "last-field")
        return &options.mostLettersLastField;
    if (name == "small-words")
        return &options.smallWords;
    if (name == "hyphen")
        return &options.hyphen;
    if (name == "commas")
        return &options.commas;
    if (name == "unknown-acronyms")
        return &options.unknownAcronyms;
    if (name == "known-words")
        return &options.knownWords;
    return nullptr;
}

// The list names the options that are on; every other one is off, so the
// result does not depend on the defaults.
std::optional<SmartCaseOptions> smartOptionsFrom(std::string_view list, std::string& error) {
    SmartCaseOptions options;
    options.mostLetters = options.mostLettersLastField = options.smallWords = false;
    options.hyphen = options.commas = options.unknownAcronyms = options.knownWords = false;
    std::size_t start = 0;
    while (!list.empty() && start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view item = list.substr(start, comma - start);
        bool* flag = smartOptionNamed(options, item);
        if (!flag) {
            error = "--smart: unknown option " + quoted(item);
            return std::nullopt;
        }
        *flag = true;
        start = comma + 1;
    }
    // In the window "Up to last delimiters" can only be ticked while "Most
    // first letters" is off; the two clicks that get there leave it enabled.
    options.mostLettersLastFieldEnabled = !options.mostLetters;
    return options;
}

// Splits "A:B" at the first ":"; B may hold further colons.
std::optional<std::pair<std::string_view, std::string_view>> splitAtColon(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    return std::pair{text.substr(0, colon), text.substr(colon + 1)};
}

enum class Takes : std::uint8_t { Nothing, Value };

std::optional<Takes> optionKind(std::string_view name) {
    static constexpr std::string_view kWithValue[] = {
        "--mask", "--sort",  "--case",   "--smart",  "--replace",
        "--with", "--scope", "--delete", "--insert", "--on-error",
    };
    static constexpr std::string_view kFlags[] = {
        "--case-sensitive",
        "--no-char-to-spaces",
        "--delete-digits",
        "--no-delete-extra-spaces",
        "--no-update-case",
        "--no-cumulate",
        "--ok",
        "--then",
        "--json",
        "--apply",
        "--undo",
        "--no-undo-file",
        "--help",
        "--version",
    };
    for (std::string_view known : kWithValue)
        if (name == known)
            return Takes::Value;
    for (std::string_view known : kFlags)
        if (name == known)
            return Takes::Nothing;
    return std::nullopt;
}

class Parser final {
public:
    ParseResult parse(std::span<const std::string_view> args);

private:
    /// The press being built; any option of it makes the press run.
    ReplaceSettings& press() {
        m_pressGiven = true;
        return m_press;
    }
    std::optional<UsageError> option(std::string_view name, std::string_view value);
    std::optional<UsageError> finish();

    CliOptions m_options;
    ReplaceSettings m_press;
    bool m_pressGiven = false;
    std::vector<std::string_view> m_positional;
    bool m_undoFileGiven = false;
    bool m_onErrorGiven = false;
};

ParseResult Parser::parse(std::span<const std::string_view> args) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        // A lone "-" is a folder name like any other.
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const auto kind = optionKind(name);
        if (!kind)
            return UsageError{"unknown option " + quoted(name)};
        if (*kind == Takes::Nothing && equals != std::string_view::npos)
            return UsageError{std::string(name) + " takes no value"};
        if (name == "--help")
            return InfoRequest::Help;
        if (name == "--version")
            return InfoRequest::Version;
        std::string_view value;
        if (*kind == Takes::Value) {
            if (equals != std::string_view::npos)
                value = arg.substr(equals + 1);
            else if (i + 1 < args.size())
                // Taken as it stands, also when it begins with "-" (a search
                // for "-" is common).
                value = args[++i];
            else
                return UsageError{std::string(name) + " needs a value"};
        }
        if (auto error = option(name, value))
            return *error;
    }
    if (auto error = finish())
        return *error;
    return m_options;
}

std::optional<UsageError> Parser::option(std::string_view name, std::string_view value) {
    if (name == "--mask") {
        m_options.mask = decodeName(value);
    } else if (name == "--sort") {
        if (value == "name")
            m_options.sort = SortOrder::Name;
        else if (value == "date")
            m_options.sort = SortOrder::Date;
        else
            return UsageError{"--sort: expected name or date, not " + quoted(value)};
    } else if (name == "--case") {
        const auto mode = caseModeNamed(value);
        if (!mode)
            return UsageError{"--case: expected smart, first, upper, lower or none, not " +
                              quoted(value)};
        m_options.caseMode = *mode;
    } else if (name == "--smart") {
        std::string error;
        const auto options = smartOptionsFrom(value, error);
        if (!options)
            return UsageError{error};
        m_options.smartOptions = *options;
    } else if (name == "--replace") {
        press().find = decodeName(value);
    } else if (name == "--with") {
        press().replaceWith = decodeName(value);
    } else if (name == "--case-sensitive") {
        press().caseSensitive = true;
    } else if (name == "--scope") {
        const auto scope = scopeNamed(value);
        if (!scope)
            return UsageError{"--scope: expected names, extensions or both, not " + quoted(value)};
        press().scope = *scope;
    } else if (name == "--delete") {
        // The numbers go to the engine as typed text: it alone decides what
        // a valid position is, and refuses with the window's message.
        const auto parts = splitAtColon(value);
        if (!parts)
            return UsageError{"--delete: expected POS:LENGTH, not " + quoted(value)};
        ReplaceSettings& settings = press();
        settings.deleteEnabled = true;
        settings.deletePos = decodeName(parts->first);
        settings.deleteLength = decodeName(parts->second);
    } else if (name == "--insert") {
        const auto parts = splitAtColon(value);
        if (!parts)
            return UsageError{"--insert: expected POS:TEXT, not " + quoted(value)};
        ReplaceSettings& settings = press();
        settings.insertEnabled = true;
        settings.insertPos = decodeName(parts->first);
        settings.insertText = decodeName(parts->second);
    } else if (name == "--no-char-to-spaces") {
        press().spacesFromPercent20AndUnderscore = false;
    } else if (name == "--delete-digits") {
        press().deleteDigits = true;
    } else if (name == "--no-delete-extra-spaces") {
        press().deleteExtraSpaces = false;
    } else if (name == "--no-update-case") {
        press().updateCase = false;
    } else if (name == "--no-cumulate") {
        press().cumulate = false;
    } else if (name == "--ok") {
        press();
    } else if (name == "--then") {
        // Ending a press presses "OK", also when nothing was changed before.
        m_options.presses.push_back(m_press);
        m_press = ReplaceSettings{};
        m_pressGiven = false;
    } else if (name == "--json") {
        m_options.json = true;
    } else if (name == "--apply") {
        m_options.apply = true;
    } else if (name == "--undo") {
        m_options.undo = true;
    } else if (name == "--no-undo-file") {
        m_options.undoFile = false;
        m_undoFileGiven = true;
    } else if (name == "--on-error") {
        if (value == "skip")
            m_options.onError = OnError::Skip;
        else if (value == "abort")
            m_options.onError = OnError::Abort;
        else
            return UsageError{"--on-error: expected skip or abort, not " + quoted(value)};
        m_onErrorGiven = true;
    }
    return std::nullopt;
}

std::optional<UsageError> Parser::finish() {
    if (m_pressGiven)
        m_options.presses.push_back(m_press);
    // The case group is one setting of the window, in force for the load and
    // for every press.
    for (ReplaceSettings& press : m_options.presses) {
        press.caseMode = m_options.caseMode;
        press.smartOptions = m_options.smartOptions;
    }
    if (m_options.undo && (m_options.apply || m_pressGiven || !m_options.presses.empty()))
        return UsageError{"--undo goes with no press of \"OK\" and no --apply"};
    if (!m_options.apply && m_undoFileGiven)
        return UsageError{"--no-undo-file only goes with --apply"};
    if (!m_options.apply && m_onErrorGiven)
        return UsageError{"--on-error only goes with --apply"};
    if (m_positional.empty() || m_positional.front().empty())
        return UsageError{"no FOLDER given"};
    if (m_positional.size() > 1)
        return UsageError{"only one FOLDER, but also " + quoted(m_positional[1])};
    m_options.folder = std::string(m_positional.front());
    return std::nullopt;
}

} // namespace

ParseResult parseArguments(std::span<const std::string_view> args) {
    return Parser{}.parse(args);
}

std::string_view helpText() {
    return kHelp;
}

std::string versionText() {
    return std::string(kApplicationName) + " " + kApplicationVersion + "\n";
}

} // namespace quillon::cli
