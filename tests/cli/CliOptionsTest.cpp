// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "engine/Utf8.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

using namespace quillon;
using namespace quillon::cli;

namespace {

ParseResult parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    return parseArguments(list);
}

CliOptions options(std::initializer_list<std::string_view> args) {
    ParseResult result = parse(args);
    if (const auto* error = std::get_if<UsageError>(&result))
        ADD_FAILURE() << error->message;
    EXPECT_TRUE(std::holds_alternative<CliOptions>(result));
    return std::holds_alternative<CliOptions>(result) ? std::get<CliOptions>(result) : CliOptions{};
}

TEST(CliOptionsTest, PressesRunOnlyWhenAsked) {
    EXPECT_TRUE(options({"f"}).presses.empty());
    // Loading options and output options press nothing.
    EXPECT_TRUE(options({"--case", "none", "--mask", "*", "--json", "f"}).presses.empty());
    EXPECT_EQ(options({"--clean", "f"}).presses.size(), 1u);
    EXPECT_EQ(options({"--replace=", "--clean", "f"}).presses.size(), 1u);
}

TEST(CliOptionsTest, ThenEndsThePressWhateverItHolds) {
    EXPECT_EQ(options({"--window-defaults", "--then", "f"}).presses.size(), 1u);
    EXPECT_EQ(options({"--clean", "--then", "f"}).presses.size(), 1u);
    EXPECT_EQ(options({"--clean", "--then", "--clean", "f"}).presses.size(), 2u);

    const CliOptions chained =
        options({"--no-cumulate", "--replace", "a", "--then", "--delete-digits", "f"});
    ASSERT_EQ(chained.presses.size(), 2u);
    EXPECT_FALSE(chained.presses[0].cumulate);
    // The second press starts from the window's defaults, not from the first.
    EXPECT_TRUE(chained.presses[1].cumulate);
    EXPECT_EQ(chained.presses[1].find, U"");
    EXPECT_TRUE(chained.presses[1].deleteDigits);
}

TEST(CliOptionsTest, EveryPressCarriesTheCaseGroupGivenAnywhere) {
    const CliOptions parsed = options(
        {"--clean", "--then", "--clean", "--case", "lower", "--case-scope", "extensions", "f"});
    for (const ReplaceSettings& press : parsed.presses) {
        EXPECT_EQ(press.caseMode, CaseMode::Lowercase);
        EXPECT_EQ(press.caseScope, Scope::ExtensionsOnly);
    }
}

// Only what the options ask for changes; --window-defaults starts from the
// window's settings, wherever it stands, and options still override them.
TEST(CliOptionsTest, DefaultsChangeNothingUnlessAsked) {
    const struct {
        std::initializer_list<std::string_view> args;
        CaseMode caseMode;
        bool charToSpaces;
        bool deleteExtraSpaces;
    } rows[] = {
        {{"--replace", "a", "f"}, CaseMode::None, false, false},
        {{"--clean", "f"}, CaseMode::None, true, true},
        {{"--char-to-spaces", "f"}, CaseMode::None, true, false},
        {{"--delete-extra-spaces", "f"}, CaseMode::None, false, true},
        {{"--replace", "a", "--window-defaults", "f"}, CaseMode::Smart, true, true},
        {{"--window-defaults", "--case", "upper", "--no-char-to-spaces", "f"},
         CaseMode::Uppercase,
         false,
         true},
        {{"--clean", "--no-delete-extra-spaces", "f"}, CaseMode::None, true, false},
    };
    for (const auto& row : rows) {
        const CliOptions parsed = options(row.args);
        ASSERT_EQ(parsed.presses.size(), 1u) << *row.args.begin();
        const ReplaceSettings& press = parsed.presses[0];
        EXPECT_EQ(parsed.caseMode, row.caseMode) << *row.args.begin();
        EXPECT_EQ(press.caseMode, row.caseMode) << *row.args.begin();
        EXPECT_EQ(press.spacesFromPercent20AndUnderscore, row.charToSpaces) << *row.args.begin();
        EXPECT_EQ(press.deleteExtraSpaces, row.deleteExtraSpaces) << *row.args.begin();
    }
    // A press after --then starts from the same defaults, not from the first.
    const CliOptions chained =
        options({"--window-defaults", "--no-char-to-spaces", "--then", "--delete-digits", "f"});
    ASSERT_EQ(chained.presses.size(), 2u);
    EXPECT_FALSE(chained.presses[0].spacesFromPercent20AndUnderscore);
    EXPECT_TRUE(chained.presses[1].spacesFromPercent20AndUnderscore);
}

TEST(CliOptionsTest, SmartListNamesTheOptionsThatAreOn) {
    const SmartCaseOptions none = options({"--smart", "", "f"}).smartOptions;
    EXPECT_FALSE(none.mostLetters || none.mostLettersLastField || none.smallWords || none.hyphen ||
                 none.commas || none.unknownAcronyms || none.knownWords);

    // "Up to last delimiters" counts only while "Most first letters" is off.
    const SmartCaseOptions lastField = options({"--smart", "last-field", "f"}).smartOptions;
    EXPECT_TRUE(lastField.mostLettersLastField && lastField.mostLettersLastFieldEnabled);
    const SmartCaseOptions both = options({"--smart", "most-letters,last-field", "f"}).smartOptions;
    EXPECT_FALSE(both.mostLettersLastFieldEnabled);

    const SmartCaseOptions defaults =
        options({"--smart", "most-letters,hyphen,unknown-acronyms,known-words", "f"}).smartOptions;
    EXPECT_EQ(defaults, SmartCaseOptions{});
}

TEST(CliOptionsTest, ValuesAreTakenAsTheyStand) {
    const CliOptions parsed =
        options({"--replace", "--help", "--with", "-", "--insert", "-1::x:", "f"});
    ASSERT_EQ(parsed.presses.size(), 1u);
    EXPECT_EQ(parsed.presses[0].find, U"--help");
    EXPECT_EQ(parsed.presses[0].replaceWith, U"-");
    EXPECT_EQ(parsed.presses[0].insertPos, U"-1");
    EXPECT_EQ(parsed.presses[0].insertText, U":x:");
    // Out-of-range numbers are the engine's to refuse, with its own message.
    EXPECT_EQ(options({"--delete", "abc:1", "f"}).presses[0].deletePos, U"abc");
}

TEST(CliOptionsTest, ArgumentsAreRawBytes) {
    EXPECT_EQ(options({"-"}).folder, "-");
    EXPECT_EQ(options({"--", "--json"}).folder, "--json");
    EXPECT_EQ(options({"--mask", "\xFF", "f"}).mask, decodeName("\xFF"));
}

TEST(CliOptionsTest, InfoWinsOverAMissingFolder) {
    EXPECT_EQ(std::get<InfoRequest>(parse({"--help"})), InfoRequest::Help);
    EXPECT_EQ(std::get<InfoRequest>(parse({"--json", "--version", "--bogus"})),
              InfoRequest::Version);
    EXPECT_TRUE(std::holds_alternative<UsageError>(parse({"--help=1"})));
}

TEST(CliOptionsTest, SaveOptionsGoTogether) {
    const CliOptions parsed = options({"--apply", "--no-undo-file", "--on-error", "abort", "f"});
    EXPECT_TRUE(parsed.apply);
    EXPECT_FALSE(parsed.undoFile);
    EXPECT_EQ(parsed.onError, OnError::Abort);
}

std::string usageError(std::initializer_list<std::string_view> args) {
    const ParseResult result = parse(args);
    const auto* error = std::get_if<UsageError>(&result);
    return error ? error->message : "(accepted)";
}

TEST(CliOptionsTest, IncompletePressesAreRefusedNamingWhatIsMissing) {
    const struct {
        std::initializer_list<std::string_view> args;
        std::string_view names;
    } rows[] = {
        // A star or slash pattern without a With text would leave every name
        // as its bare extension.
        {{"--replace", "*", "f"}, "needs --with"},
        {{"--replace", " * ", "f"}, "needs --with"},
        {{"--replace", "/1/ - /2/", "f"}, "needs --with"},
        {{"--replace", "a*b", "f"}, "needs --with"},
        {{"--with", "x", "f"}, "--with needs --replace"},
        {{"--delete", ":3", "f"}, "--delete needs a position"},
        {{"--delete", "2:", "f"}, "--delete needs a length"},
        {{"--insert", ":x", "f"}, "--insert needs a position"},
        {{"--insert", "1:", "f"}, "--insert needs a text"},
        {{"--ok", "--no-char-to-spaces", "--no-delete-extra-spaces", "f"}, "changes nothing"},
        // Each press is checked; the message says which one.
        {{"--ok", "f"}, "changes nothing"},
        {{"--clean", "--then", "--replace", "*", "f"}, "press 2: --replace"},
    };
    for (const auto& row : rows) {
        const std::string message = usageError(row.args);
        EXPECT_NE(message.find(row.names), std::string::npos)
            << *row.args.begin() << ": " << message;
    }
    // What the window runs is accepted.
    EXPECT_EQ(usageError({"--replace", "*", "--with", "x", "f"}), "(accepted)");
    EXPECT_EQ(usageError({"--replace", "a", "f"}), "(accepted)");
    EXPECT_EQ(usageError({"--no-char-to-spaces", "--delete-digits", "f"}), "(accepted)");
    EXPECT_EQ(usageError({"--window-defaults", "--ok", "f"}), "(accepted)");
    // Numbering alone is a change: it numbers what the names already are.
    EXPECT_EQ(usageError({"--number-duplicates", "f"}), "(accepted)");
    EXPECT_TRUE(options({"--number-duplicates", "f"}).presses.at(0).numberDuplicates);
}

TEST(CliOptionsTest, ShortOptionsAndAttachedValues) {
    EXPECT_EQ(std::get<InfoRequest>(parse({"-h"})), InfoRequest::Help);
    EXPECT_EQ(std::get<InfoRequest>(parse({"-V"})), InfoRequest::Version);
    // Short options bundle; the first of --help and --version wins.
    EXPECT_EQ(std::get<InfoRequest>(parse({"-hV"})), InfoRequest::Help);
    EXPECT_EQ(std::get<InfoRequest>(parse({"-Vh"})), InfoRequest::Version);
    EXPECT_EQ(std::get<InfoRequest>(parse({"-hx"})), InfoRequest::Help);
    EXPECT_NE(usageError({"-xh"}).find("unknown option \"-x\""), std::string::npos);
    EXPECT_NE(usageError({"-x", "f"}).find("unknown option \"-x\""), std::string::npos);
    EXPECT_NE(usageError({"--apply=now", "f"}).find("takes no value"), std::string::npos);
    EXPECT_EQ(options({"--mask=a=b", "f"}).mask, U"a=b");
    // Words typed by the user come back escaped, never as raw control bytes.
    EXPECT_NE(usageError({"--case", "\x1b[2J", "f"}).find("\"\\x1b[2J\""), std::string::npos);
}

TEST(CliOptionsTest, ReadTimeoutTakesSecondsFromATenthToAnHour) {
    using std::chrono::milliseconds;
    EXPECT_EQ(options({"f"}).readTimeout, milliseconds(3000));
    const std::pair<std::string_view, milliseconds> accepted[] = {
        {"3", milliseconds(3000)},       {"0.5", milliseconds(500)},
        {".25", milliseconds(250)},      {"0.1", milliseconds(100)},
        {"3600", milliseconds(3600000)}, {"1.23456", milliseconds(1234)},
    };
    for (const auto& [text, value] : accepted)
        EXPECT_EQ(options({"--read-timeout", text, "f"}).readTimeout, value) << text;
    for (const std::string_view refused :
         {"", "0", "0.09", "3601", "-1", "+1", "1.", ".", "1e3", " 1", "1s", "99999"}) {
        EXPECT_NE(usageError({"--read-timeout", refused, "f"})
                      .find("--read-timeout: SECONDS must be a number from 0.1 to 3600"),
                  std::string::npos)
            << refused;
    }
}

TEST(CliOptionsTest, OutputFormats) {
    EXPECT_EQ(options({"f"}).output, OutputFormat::Text);
    EXPECT_EQ(options({"--json", "--json", "f"}).output, OutputFormat::Json);
    EXPECT_EQ(options({"--null", "f"}).output, OutputFormat::NullSeparated);
    EXPECT_NE(usageError({"--json", "--null", "f"}).find("exclude"), std::string::npos);
}

TEST(CliOptionsTest, HistoryNeedsNoFolderAndRenamesNothing) {
    EXPECT_TRUE(options({"--history"}).history);
    EXPECT_EQ(options({"--history"}).folder, "");
    EXPECT_EQ(options({"--history", "--json", "f"}).folder, "f");
    EXPECT_FALSE(options({"f"}).history);
    for (const auto& args : {std::vector<std::string_view>{"--history", "--apply", "f"},
                             {"--history", "--undo", "f"},
                             {"--history", "--null"},
                             {"--history", "--delete-digits"},
                             {"--history", "f", "g"},
                             {"--history", ""}}) {
        const ParseResult result = parseArguments(args);
        EXPECT_TRUE(std::holds_alternative<UsageError>(result)) << args.back();
    }
}

// The table drives --help: every option is listed, and --help names no
// option the parser would refuse.
TEST(CliOptionsTest, HelpListsEveryOptionAndOnlyThose) {
    const std::string help = helpText();
    std::set<std::string> listed;
    for (const OptionDefinition& definition : optionTable()) {
        const std::string name = "--" + std::string(definition.longName);
        EXPECT_TRUE(listed.insert(name).second) << name << " twice in the table";
        const std::string lead = definition.shortName != 0 ? ", " : "  ";
        EXPECT_NE(help.find(lead + name), std::string::npos) << name;
        if (definition.shortName != 0) {
            EXPECT_NE(help.find(std::string("  -") + definition.shortName + ", " + name),
                      std::string::npos)
                << name;
        }
        EXPECT_FALSE(definition.help.empty()) << name;
    }
    for (std::size_t at = help.find("--"); at != std::string::npos; at = help.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < help.size() &&
               (std::isalnum(static_cast<unsigned char>(help[end])) || help[end] == '-'))
            ++end;
        EXPECT_TRUE(listed.count(help.substr(at, end - at))) << help.substr(at, end - at);
        at = end;
    }
    std::size_t lineStart = 0;
    for (std::size_t end = help.find('\n'); end != std::string::npos;
         lineStart = end + 1, end = help.find('\n', lineStart))
        EXPECT_LE(end - lineStart, 79u) << help.substr(lineStart, end - lineStart);
    EXPECT_EQ(help.back(), '\n');
}

TEST(CliOptionsTest, EveryOptionOfTheTableParses) {
    // --preset reads its file: one in a configuration of the test's own.
    const quillon::test::TempFolder config;
    std::filesystem::create_directories(config.path() + "/quillon/presets");
    std::ofstream(config.path() + "/quillon/presets/sample.json") << R"({"version": 1})";
    const char* userConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = userConfig ? userConfig : "";
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    for (const OptionDefinition& definition : optionTable()) {
        const std::string name = "--" + std::string(definition.longName);
        std::vector<std::string_view> args = {name};
        // A press must change something; ticking a clean-up first does.
        if (definition.group == OptionGroup::Press)
            args.insert(args.begin(), "--clean");
        // A value every option with one accepts.
        const std::map<std::string_view, std::string_view> values = {
            {"sort", "date"},
            {"case", "upper"},
            {"smart", "hyphen"},
            {"scope", "both"},
            {"delete", "1:1"},
            {"insert", "1:x"},
            {"on-error", "abort"},
            {"mask", "*.txt"},
            {"replace", "a"},
            {"with", "b"},
            {"case-scope", "extensions"},
            {"files-from", "l"},
            {"preset", "sample"},
            {"save-preset", "sample"},
            {"read-timeout", "2"},
        };
        if (!definition.valueName.empty()) {
            ASSERT_TRUE(values.count(definition.longName)) << name << " has no sample value here";
            args.push_back(values.at(definition.longName));
        }
        if (name == "--with")
            args.insert(args.end(), {"--replace", "a"});
        if (definition.onlyWithApply)
            args.push_back("--apply");
        // Options that only go beside another.
        if (name == "--hidden")
            args.push_back("-r");
        if (name == "--zero")
            args.insert(args.end(), {"--files-from", "l"});
        args.push_back("f");
        const ParseResult result = parseArguments(args);
        const auto* error = std::get_if<UsageError>(&result);
        EXPECT_EQ(error, nullptr) << name << ": " << (error ? error->message : "");
    }
    if (userConfig)
        ::setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
