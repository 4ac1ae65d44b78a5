#include "cli/CliOptions.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(options({"--ok", "f"}).presses.size(), 1u);
    EXPECT_EQ(options({"--replace=", "f"}).presses.size(), 1u);
}

TEST(CliOptionsTest, ThenEndsThePressWhateverItHolds) {
    EXPECT_EQ(options({"--then", "f"}).presses.size(), 1u);
    EXPECT_EQ(options({"--ok", "--then", "f"}).presses.size(), 1u);
    EXPECT_EQ(options({"--ok", "--then", "--ok", "f"}).presses.size(), 2u);

    const CliOptions chained =
        options({"--no-cumulate", "--replace", "a", "--then", "--with", "b", "f"});
    ASSERT_EQ(chained.presses.size(), 2u);
    EXPECT_FALSE(chained.presses[0].cumulate);
    // The second press starts from the window's defaults, not from the first.
    EXPECT_TRUE(chained.presses[1].cumulate);
    EXPECT_EQ(chained.presses[1].find, U"");
    EXPECT_EQ(chained.presses[1].replaceWith, U"b");
}

TEST(CliOptionsTest, EveryPressCarriesTheCaseGroupGivenAnywhere) {
    const CliOptions parsed = options({"--ok", "--then", "--ok", "--case", "lower", "f"});
    for (const ReplaceSettings& press : parsed.presses)
        EXPECT_EQ(press.caseMode, CaseMode::Lowercase);
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
    EXPECT_EQ(options({"--delete", "abc:", "f"}).presses[0].deletePos, U"abc");
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

} // namespace
