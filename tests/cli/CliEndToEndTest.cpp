// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonCheck.h"
#include "RunProgram.h"
#include "tests/workspace/TempFolder.h"

#include "cli/PressMessages.h"
#include "engine/Refusals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using quillon::test::ProgramResult;
using quillon::test::TempFolder;

namespace {

using Args = std::vector<std::string>;

/// An old name beside its new one, as the JSON output lists them.
struct Rename {
    std::string oldName;
    std::string newName;
};

void createFile(const std::string& path) {
    std::ofstream(path, std::ios::binary) << "x";
}

// The program against a fresh folder holding files; the folder is the last
// argument.
class Cli final {
public:
    explicit Cli(const std::vector<std::string>& files) {
        for (const std::string& file : files)
            createFile(m_folder.file(file));
    }
    ProgramResult run(Args args) const {
        args.push_back(m_folder.path());
        return quillon::test::runProgram(QUILLON_CLI_PATH, args);
    }
    std::string json(const std::vector<Rename>& entries) const;
    const TempFolder& folder() const { return m_folder; }

private:
    TempFolder m_folder;
};

std::string entry(const std::string& oldName, const std::string& newName) {
    return "{\"old\": \"" + oldName + "\", \"new\": \"" + newName +
           "\", \"checked\": true, \"changed\": " + (oldName == newName ? "false" : "true") + "}";
}

// The dry run's JSON of the folder with these entries, all checked.
std::string Cli::json(const std::vector<Rename>& entries) const {
    std::string list;
    std::size_t changing = 0;
    for (const Rename& rename : entries) {
        list += (list.empty() ? "" : ", ") + entry(rename.oldName, rename.newName);
        changing += rename.oldName != rename.newName ? 1 : 0;
    }
    return "{\"folder\": \"" + m_folder.path() +
           "\", \"applied\": false, \"counts\": {\"entries\": " + std::to_string(entries.size()) +
           ", \"changing\": " + std::to_string(changing) +
           ", \"renamed\": 0, \"failed\": 0}, \"entries\": [" + list +
           "], \"failed\": [], \"conflicts\": []}\n";
}

struct Invocation {
    const char* what;
    std::vector<std::string> files;
    Args args;
    /// The "entries" array of the JSON output.
    std::vector<Rename> entries;
};

// Each option once, with an input where it makes a visible difference.
const Invocation kInvocations[] = {
    {"smart case on load with the window's defaults",
     {"the lord of the rings - the return of the king.avi"},
     {"--window-defaults"},
     {{"the lord of the rings - the return of the king.avi",
       "The Lord of the Rings - The Return of the King.avi"}}},
    {"first letters",
     {"bbc news, the story.doc"},
     {"--case", "first"},
     {{"bbc news, the story.doc", "Bbc News, The Story.doc"}}},
    {"upper", {"abc.txt"}, {"--case", "upper"}, {{"abc.txt", "ABC.TXT"}}},
    {"lower", {"ABC.TXT"}, {"--case=lower"}, {{"ABC.TXT", "abc.txt"}}},
    {"none", {"ABC def.TXT"}, {"--case", "none"}, {{"ABC def.TXT", "ABC def.TXT"}}},
    {"smart: up to the last delimiters",
     {"the lord of the rings - the return of the king.avi"},
     {"--case", "smart", "--smart", "last-field,hyphen,unknown-acronyms,known-words"},
     {{"the lord of the rings - the return of the king.avi",
       "The Lord of the Rings - The return of the king.avi"}}},
    {"smart: small words",
     {"the lord of the rings - the return of the king.avi"},
     {"--case", "smart", "--smart", "most-letters,small-words,hyphen,unknown-acronyms,known-words"},
     {{"the lord of the rings - the return of the king.avi",
       "The Lord Of The Rings - The Return Of The King.avi"}}},
    {"smart: after commas",
     {"bbc news, the story.doc"},
     {"--case", "smart", "--smart", "most-letters,commas,hyphen,unknown-acronyms,known-words"},
     {{"bbc news, the story.doc", "BBC News, The Story.doc"}}},
    {"smart: hyphenated terms off",
     {"x-ray vision.txt"},
     {"--case", "smart", "--smart", "most-letters,unknown-acronyms,known-words"},
     {{"x-ray vision.txt", "X-ray Vision.txt"}}},
    {"smart: most first letters off",
     {"i am what i am.txt"},
     {"--case", "smart", "--smart", "hyphen,unknown-acronyms,known-words"},
     {{"i am what i am.txt", "I am what I am.txt"}}},
    {"mask of two patterns",
     {"a.txt", "b.doc", "c.mp3"},
     {"--case", "none", "--mask", "*.txt;*.doc"},
     {{"a.txt", "a.txt"}, {"b.doc", "b.doc"}}},
    {"hidden files only by name sort", {".hidden"}, {"--case", "none"}, {}},
    {"hidden files listed by date sort",
     {".hidden"},
     {"--case", "none", "--sort", "date"},
     {{".hidden", ".hidden"}}},
    {"ok with the window's defaults",
     {"my_song%20one.mp3"},
     {"--window-defaults", "--case", "none", "--ok"},
     {{"my_song%20one.mp3", "my song one.mp3"}}},
    {"no char to spaces",
     {"my_song%20one.mp3"},
     {"--window-defaults", "--case", "none", "--no-char-to-spaces"},
     {{"my_song%20one.mp3", "my_song%20one.mp3"}}},
    {"replace ignores case",
     {"my song.mp3"},
     {"--case", "none", "--replace", "SONG", "--with", "tune"},
     {{"my song.mp3", "my tune.mp3"}}},
    {"case sensitive",
     {"my song.mp3"},
     {"--case", "none", "--replace", "SONG", "--with", "tune", "--case-sensitive"},
     {{"my song.mp3", "my song.mp3"}}},
    {"scope names",
     {"mp3 song.mp3"},
     {"--case", "none", "--replace", "mp3", "--with", "ogg"},
     {{"mp3 song.mp3", "ogg song.mp3"}}},
    {"scope extensions",
     {"mp3 song.mp3"},
     {"--case", "none", "--replace", "mp3", "--with", "ogg", "--scope", "extensions"},
     {{"mp3 song.mp3", "mp3 song.ogg"}}},
    {"scope both",
     {"mp3 song.mp3"},
     {"--case", "none", "--replace", "mp3", "--with", "ogg", "--scope", "both"},
     {{"mp3 song.mp3", "ogg song.ogg"}}},
    {"delete from the right",
     {"abcdef.txt"},
     {"--case", "none", "--delete", "-2:1"},
     {{"abcdef.txt", "abcdf.txt"}}},
    {"insert from the right",
     {"abc.txt"},
     {"--case", "none", "--insert", "-1:X"},
     {{"abc.txt", "abXc.txt"}}},
    {"insert text holds colons",
     {"abc.txt"},
     {"--case", "none", "--insert", "2:a:b"},
     {{"abc.txt", "aa:bbc.txt"}}},
    {"delete digits",
     {"track 07.mp3"},
     {"--case", "none", "--delete-digits"},
     {{"track 07.mp3", "track .mp3"}}},
    {"extra spaces go with the window's defaults",
     {"a  b.txt"},
     {"--window-defaults", "--case", "none", "--ok"},
     {{"a  b.txt", "a b.txt"}}},
    {"no delete extra spaces",
     {"a  b.txt"},
     {"--window-defaults", "--case", "none", "--no-delete-extra-spaces"},
     {{"a  b.txt", "a  b.txt"}}},
    {"update case after the press",
     {"abc.txt"},
     {"--case", "upper", "--replace", "a", "--with", "b"},
     {{"abc.txt", "BBC.TXT"}}},
    {"no update case",
     {"abc.txt"},
     {"--case", "upper", "--replace", "a", "--with", "b", "--no-update-case"},
     {{"abc.txt", "bBC.TXT"}}},
    {"no cumulate starts from the disk name",
     {"abc.txt"},
     {"--case", "upper", "--replace", "a", "--with", "b", "--no-update-case", "--no-cumulate"},
     {{"abc.txt", "bbc.txt"}}},
    {"reformatting",
     {"a - b.txt"},
     {"--case", "none", "--replace", "/1/ - /2/", "--with", "/2/ - /1/"},
     {{"a - b.txt", "b - a.txt"}}},
    {"numbering in list order",
     {"photo.jpg", "beach.JPG"},
     {"--case", "none", "--replace", "*", "--with", "Text - /1/ - *"},
     {{"beach.JPG", "Text - 1 - beach.JPG"}, {"photo.jpg", "Text - 2 - photo.jpg"}}},
    {"only the match changes",
     {"foo bar.txt", "my holiday.jpg", "README", "report final.txt"},
     {"--replace", "foo", "--with", "baz"},
     {{"foo bar.txt", "baz bar.txt"},
      {"my holiday.jpg", "my holiday.jpg"},
      {"README", "README"},
      {"report final.txt", "report final.txt"}}},
    {"the window's defaults change every name",
     {"foo bar.txt", "my holiday.jpg", "README", "report final.txt"},
     {"--window-defaults", "--replace", "foo", "--with", "baz"},
     {{"foo bar.txt", "Baz Bar.txt"},
      {"my holiday.jpg", "My Holiday.jpg"},
      {"README", "Readme"},
      {"report final.txt", "Report Final.txt"}}},
    {"a new extension keeps underscores",
     {"IMG_8958.JPG"},
     {"--mask", "*.JPG", "--replace", "*", "--with", "*/.jpg/"},
     {{"IMG_8958.JPG", "IMG_8958.jpg"}}},
    {"case of the extensions only",
     {"IMG_8958.JPG", "README", "Notes.TXT"},
     {"--case", "lower", "--case-scope", "extensions"},
     {{"IMG_8958.JPG", "IMG_8958.jpg"}, {"Notes.TXT", "Notes.txt"}, {"README", "README"}}},
    {"case of the name parts only",
     {"IMG_8958.JPG", "README"},
     {"--case", "lower", "--case-scope", "names"},
     {{"IMG_8958.JPG", "img_8958.JPG"}, {"README", "readme"}}},
    {"case scope holds after a press",
     {"A B.TXT"},
     {"--case", "lower", "--case-scope", "extensions", "--replace", "A", "--with", "C"},
     {{"A B.TXT", "C B.txt"}}},
    {"clean alone", {"a_b  c.txt"}, {"--clean"}, {{"a_b  c.txt", "a b c.txt"}}},
    {"regex: groups swap",
     {"01 Intro.mp3", "02 Song Two.mp3", "notes.txt"},
     {"--regex", "--replace", "^(\\d+) (.*)$", "--with", "$2 - $1"},
     {{"01 Intro.mp3", "Intro - 01.mp3"},
      {"02 Song Two.mp3", "Song Two - 02.mp3"},
      {"notes.txt", "notes.txt"}}},
    {"regex: named group",
     {"track7.ogg"},
     {"--regex", "--replace", "track(?<n>\\d+)", "--with", "${n} Track"},
     {{"track7.ogg", "7 Track.ogg"}}},
    {"regex: case sensitive",
     {"A a.txt"},
     {"--regex", "--case-sensitive", "--replace", "a", "--with", "b"},
     {{"A a.txt", "A b.txt"}}},
    {"regex: extensions",
     {"x.JPEG"},
     {"--regex", "--replace", "^jpe?g$", "--with", "jpg", "--scope", "extensions"},
     {{"x.JPEG", "x.jpg"}}},
    {"regex: star and slash are plain",
     {"a*b.txt"},
     {"--regex", "--replace", "\\*|/", "--with", "+"},
     {{"a*b.txt", "a+b.txt"}}},
    {"then: the second press works on the first's result",
     {"abc.txt"},
     {"--case", "none", "--insert", "1:X", "--then", "--insert", "1:Y"},
     {{"abc.txt", "YXabc.txt"}}},
    {"then: without cumulate the second press starts again",
     {"abc.txt"},
     {"--case", "none", "--insert", "1:X", "--then", "--insert", "1:Y", "--no-cumulate"},
     {{"abc.txt", "Yabc.txt"}}},
    {"then: the next press starts from the defaults",
     {"a_b.txt"},
     {"--window-defaults", "--no-char-to-spaces", "--insert", "1:X", "--then", "--case", "none",
      "--ok"},
     {{"a_b.txt", "Xa b.txt"}}},
    {"then: ending an empty press presses OK",
     {"a_b.txt"},
     {"--window-defaults", "--case", "none", "--no-char-to-spaces", "--insert", "1:X", "--then",
      "--then"},
     {{"a_b.txt", "Xa b.txt"}}},
};

void PrintTo(const Invocation& invocation, std::ostream* os) {
    *os << invocation.what;
}

std::string testName(const testing::TestParamInfo<Invocation>& info) {
    std::string name = info.param.what;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class InvocationTest : public testing::TestWithParam<Invocation> {};

TEST_P(InvocationTest, PrintsTheExpectedJson) {
    const Invocation& invocation = GetParam();
    const Cli cli(invocation.files);
    Args args = invocation.args;
    args.insert(args.begin(), "--json");
    const ProgramResult result = cli.run(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, cli.json(invocation.entries));
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(EveryOption, InvocationTest, testing::ValuesIn(kInvocations), testName);

TEST(CliTextTest, ListsOnlyChangesThenSums) {
    const Cli cli({"abc.txt", "Def.txt", "x_y.txt"});
    const ProgramResult result = cli.run({"--clean"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "x_y.txt -> x y.txt\n");
    EXPECT_EQ(result.err, "Dry run: 1 of 3 names would change; nothing was renamed.\n");
}

TEST(CliTextTest, EmptyFolder) {
    const Cli cli({});
    const ProgramResult result = cli.run({});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Dry run: 0 of 0 names would change; nothing was renamed.\n");
}

TEST(CliNonUtf8Test, NameRoundTripsByteForByte) {
    const Cli cli({"caf\xE9.txt"});
    // Text shows the byte as an escape; --null gives it back as it is.
    ProgramResult result = cli.run({"--case", "upper"});
    EXPECT_EQ(result.out, "$'caf\\xe9.txt' -> $'CAF\\xe9.TXT'\n");
    EXPECT_EQ(result.err, "Dry run: 1 of 1 name would change; nothing was renamed.\n");
    result = cli.run({"--null", "--case", "upper"});
    EXPECT_EQ(result.out, std::string("caf\xE9.txt\0CAF\xE9.TXT\0", 18));

    result = cli.run({"--json", "--case", "upper"});
    EXPECT_EQ(result.out, cli.json({{"caf\\udce9.txt", "CAF\\udce9.TXT"}}));

    // The same byte typed into an argument reaches the engine as the same character.
    result = cli.run({"--json", "--case", "none", "--replace", "\xE9", "--with", "e"});
    EXPECT_EQ(result.out, cli.json({{"caf\\udce9.txt", "cafe.txt"}}));
}

TEST(CliNonUtf8Test, FolderNameIsEscapedInJson) {
    const TempFolder parent;
    const std::string folder = parent.file("d\xFF");
    std::filesystem::create_directory(folder);
    createFile(folder + "/a.txt");
    const ProgramResult result =
        quillon::test::runProgram(QUILLON_CLI_PATH, {"--json", "--case", "none", folder});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "{\"folder\": \"" + parent.path() +
                              "/d\\udcff\", \"applied\": false, \"counts\": {\"entries\": 1, "
                              "\"changing\": 0, \"renamed\": 0, \"failed\": 0}, \"entries\": [" +
                              entry("a.txt", "a.txt") + "], \"failed\": [], \"conflicts\": []}\n");
}

struct Refused {
    Args args;
    quillon::RefusalCode code;
};

TEST(CliExitTest, RefusedPressPrintsTheMessageAndExits2) {
    const Refused refusals[] = {
        {{"--delete", "0:1"}, quillon::RefusalCode::DeletePosOutOfRange},
        {{"--delete", "1:256"}, quillon::RefusalCode::DeleteLengthOutOfRange},
        {{"--insert", "x:1"}, quillon::RefusalCode::InsertPosOutOfRange},
        {{"--replace", "a", "--with", "*"}, quillon::RefusalCode::RegularStarOrSlash},
        {{"--replace", "/1/", "--with", "*"}, quillon::RefusalCode::ReformatStar},
        {{"--replace", "*", "--with", "**"}, quillon::RefusalCode::StarTwice},
        // A later press is refused after an earlier one ran: still nothing is printed.
        {{"--clean", "--then", "--delete", "0:1"}, quillon::RefusalCode::DeletePosOutOfRange},
    };
    const Cli cli({"abc.txt"});
    for (const Refused& refused : refusals) {
        const ProgramResult result = cli.run(refused.args);
        EXPECT_EQ(result.status, 2) << refused.args.front();
        const std::string which = refused.args.front() == "--clean" ? "press 2: " : "";
        EXPECT_EQ(result.err,
                  "quillon-cli: " + which + quillon::cli::refusalLine(refused.code) + "\n");
        EXPECT_EQ(result.out, "");
    }
    // One line, in terms of the options.
    EXPECT_EQ(cli.run({"--delete", "0:1"}).err,
              "quillon-cli: --delete: POS must be an integer from 1 to 255, or from -1 to -255 to "
              "count from the right (refusal 201)\n");
}

TEST(CliExitTest, UsageErrorsAndUnreadableFoldersExit1) {
    const Cli cli({"abc.txt"});
    const Args usageErrors[] = {
        {"--bogus"},
        {"--case", "title"},
        {"--sort", "size"},
        {"--scope", "all"},
        {"--smart", "most-letters,shouting"},
        {"--delete", "5"},
        {"--insert", "5"},
        {"--json=yes"},
        {"--no-undo-file"},
        {"--on-error", "skip"},
        {"--apply", "--on-error", "retry"},
        {"extra-folder"},
    };
    for (const Args& args : usageErrors) {
        const ProgramResult result = cli.run(args);
        EXPECT_EQ(result.status, 1) << args.front();
        EXPECT_NE(result.err, "") << args.front();
        EXPECT_EQ(result.out, "");
    }

    const auto none = quillon::test::runProgram(QUILLON_CLI_PATH, {});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("no PATH"), std::string::npos);

    const auto trailing = quillon::test::runProgram(QUILLON_CLI_PATH, {"--mask"});
    EXPECT_EQ(trailing.status, 1);

    const auto missing = quillon::test::runProgram(QUILLON_CLI_PATH, {cli.folder().file("gone")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

    const auto underAFile =
        quillon::test::runProgram(QUILLON_CLI_PATH, {cli.folder().file("abc.txt") + "/x"});
    EXPECT_EQ(underAFile.status, 1);
}

TEST(CliExitTest, FolderAfterDoubleDash) {
    const TempFolder parent;
    const std::string folder = parent.file("-x");
    std::filesystem::create_directory(folder);
    const auto result = quillon::test::runProgram(QUILLON_CLI_PATH, {"--json", "--", folder});
    EXPECT_EQ(result.status, 0) << result.err;
}

TEST(CliInfoTest, Help) {
    const auto result = quillon::test::runProgram(QUILLON_CLI_PATH, {"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("Usage: quillon-cli [OPTIONS] PATH...\n", 0), 0u);
    EXPECT_NE(result.out.find("  -h, --help "), std::string::npos);
    // Whatever follows is not looked at; what comes before still counts.
    const auto shortForm = quillon::test::runProgram(QUILLON_CLI_PATH, {"-h", "--bogus"});
    EXPECT_EQ(shortForm.status, 0);
    EXPECT_EQ(shortForm.out, result.out);
    EXPECT_EQ(quillon::test::runProgram(QUILLON_CLI_PATH, {"--bogus", "-h"}).status, 1);
}

TEST(CliInfoTest, Version) {
    const auto result = quillon::test::runProgram(QUILLON_CLI_PATH, {"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "quillon-cli 0.1.0\n");
    EXPECT_EQ(quillon::test::runProgram(QUILLON_CLI_PATH, {"-V"}).out, result.out);
    EXPECT_EQ(quillon::test::runProgram(QUILLON_CLI_PATH, {"-hV"}).out.rfind("Usage: ", 0), 0u);
}

// --apply saves as the window does.

TEST(CliApplyTest, RenamesAndWritesTheUndoScript) {
    const Cli cli({"abc.txt"});
    const ProgramResult result = cli.run({"--apply", "--case", "upper"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("ABC.TXT")));
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("_Quillon - Click me to UNDO.sh")));
}

TEST(CliApplyTest, NoUndoFileWritesNoneAndDeletesTheOld) {
    const Cli cli({"abc.txt"});
    EXPECT_EQ(cli.run({"--apply", "--case", "upper"}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("_Quillon - Click me to UNDO.sh")));
    const ProgramResult result = cli.run({"--apply", "--no-undo-file", "--case", "lower"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("abc.txt")));
    EXPECT_FALSE(std::filesystem::exists(cli.folder().file("_Quillon - Click me to UNDO.sh")));
}

TEST(CliApplyTest, DuplicatesAreRefusedWith3) {
    const Cli cli({"a1.txt", "a2.txt"});
    const ProgramResult result = cli.run({"--apply", "--delete-digits"});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.err, "quillon-cli: duplicate new name a.txt; nothing was renamed "
                          "(--number-duplicates numbers equal names)\n");
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("a1.txt")));
}

TEST(CliApplyTest, FailedRenameExits4) {
    // b.doc is outside the mask, so only the rename itself finds it in the way.
    const Cli cli({"a.txt", "b.doc"});
    const ProgramResult result =
        cli.run({"--apply", "--json", "--mask", "*.txt", "--case", "none", "--scope", "both",
                 "--replace", "a.txt", "--with", "b.doc"});
    EXPECT_EQ(result.status, 4);
    EXPECT_NE(result.err.find("could not be renamed."), std::string::npos);
    EXPECT_NE(result.err.find("(EEXIST: "), std::string::npos);
    EXPECT_TRUE(quillon::test::isJson(result.out)) << result.out;
    EXPECT_NE(result.out.find("\"applied\": true, \"counts\": {\"entries\": 1, \"changing\": 1, "
                              "\"renamed\": 0, \"failed\": 1}"),
              std::string::npos)
        << result.out;
    // The message stays on one line; the reason stands beside it.
    EXPECT_NE(result.out.find("\"failed\": [{\"old\": \"a.txt\", \"new\": \"b.doc\", \"error\": "
                              "{\"message\": \"\\\"a.txt\\\" could not be renamed.\", "
                              "\"errno\": \"EEXIST\", \"reason\": \""),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("a.txt")));
}

TEST(CliApplyTest, TextListsTheRenamesAndSumsOnStandardError) {
    const Cli cli({"a_b.txt", "c.txt", "d_e.txt"});
    ProgramResult result = cli.run({"--apply", "--clean"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "a_b.txt -> a b.txt\nd_e.txt -> d e.txt\n");
    EXPECT_EQ(result.err, "Renamed 2 of 3 files.\n");

    result = cli.run({"--apply", "--null", "--case", "upper", "--no-undo-file"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, std::string("a b.txt\0A B.TXT\0c.txt\0C.TXT\0d e.txt\0D E.TXT\0", 44));
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("A B.TXT")));
}

// The window keeps "OK" disabled for these; the command line must not run
// them either: each would strip the names down to their extensions.
TEST(CliRefusalTest, IncompletePressesRenameNothing) {
    const struct {
        std::vector<std::string> files;
        Args args;
        const char* names;
    } rows[] = {
        {{"photo.jpg", "notes.txt"}, {"--replace", "*"}, "--with"},
        {{"Title - Artist.mp3"}, {"--replace", "/1/ - /2/"}, "--with"},
        {{"a.txt"}, {"--with", "x"}, "--replace"},
        {{"a.txt"}, {"--delete", "3:"}, "length"},
        {{"a.txt"}, {"--ok", "--no-char-to-spaces", "--no-delete-extra-spaces"}, "nothing"},
    };
    for (const auto& row : rows) {
        const Cli cli(row.files);
        Args args = row.args;
        args.push_back("--apply");
        const ProgramResult result = cli.run(args);
        EXPECT_EQ(result.status, 1) << row.args.front();
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(row.names), std::string::npos) << result.err;
        for (const std::string& file : row.files)
            EXPECT_TRUE(std::filesystem::exists(cli.folder().file(file))) << file;
        EXPECT_FALSE(std::filesystem::exists(cli.folder().file("_Quillon - Click me to UNDO.sh")));
    }
}

// Names may hold anything but "/" and NUL: the terminal must see them, not
// obey them, and JSON must stay JSON.
TEST(CliHostileNameTest, EscapedInTextRawInNullValidInJson) {
    const std::string name = "evil\x1b]0;owned\x07\x1b[2J\nfake -> line\\.txt";
    const Cli cli({name});
    ProgramResult result = cli.run({"--case", "upper"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "$'evil\\x1b]0;owned\\x07\\x1b[2J\\nfake -> line\\\\.txt' -> "
                          "$'EVIL\\x1b]0;OWNED\\x07\\x1b[2J\\nFAKE -> LINE\\\\.TXT'\n");

    result = cli.run({"--null", "--case", "upper"});
    std::string upper = name;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(result.out, name + '\0' + upper + '\0');

    result = cli.run({"--json", "--case", "upper"});
    std::vector<std::string> keys;
    EXPECT_TRUE(quillon::test::isJson(result.out, &keys)) << result.out;
    EXPECT_EQ(keys, (std::vector<std::string>{"folder", "applied", "counts", "entries", "changing",
                                              "renamed", "failed", "entries", "old", "new",
                                              "checked", "changed", "failed", "conflicts"}));
}

} // namespace

namespace {

std::vector<std::string> namesIn(const TempFolder& folder) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(CliApplyTest, AFileOfTheUsersUnderTheScriptsNameIsNeverReplaced) {
    // Not Quillon's script: listed like any other file, and in the way of a new one.
    const Cli cli({"abc.txt", "_Quillon - Click me to UNDO.sh"});
    const Args args = {"--apply",   "--case", "none",   "--no-char-to-spaces",
                       "--replace", "abc",    "--with", "xyz"};
    ProgramResult result = cli.run(args);
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.err, "quillon-cli: the undo file could not be written; nothing was renamed "
                          "(EEXIST: File exists)\n");
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("abc.txt")));
    Args noUndo = args;
    noUndo.push_back("--no-undo-file");
    result = cli.run(noUndo);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("xyz.txt")));
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("_Quillon - Click me to UNDO.sh")));
}

TEST(CliApplyTest, AStopSignalFinishesTheRenameInFlightAndLeavesAnExactRecord) {
    const TempFolder dir;
    constexpr int kFiles = 20000;
    for (int i = 0; i < kFiles; ++i)
        createFile(dir.file("f" + std::to_string(i) + ".txt"));
    const std::string program = QUILLON_CLI_PATH;
    int signals[] = {SIGINT, SIGTERM, SIGHUP};
    for (int round = 0; round < 3; ++round) {
        const char* caseMode = round % 2 == 0 ? "upper" : "lower";
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            ::execl(program.c_str(), program.c_str(), "--apply", "--case", caseMode,
                    dir.path().c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // The record is written before the first rename: from then on the
        // program is renaming.
        const std::string record = dir.file("_Quillon - Click me to UNDO.sh");
        int status = 0;
        bool exited = false;
        while (!std::filesystem::exists(record) && !exited)
            exited = ::waitpid(pid, &status, WNOHANG) == pid;
        ::usleep(static_cast<useconds_t>(20000 * round));
        if (!exited) {
            ::kill(pid, signals[round]);
            ::waitpid(pid, &status, 0);
        }
        ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
        const int code = WEXITSTATUS(status);
        // Finished before the signal came, or stopped by it.
        EXPECT_TRUE(code == 0 || code == 128 + signals[round]) << code;
        if (std::filesystem::exists(record)) {
            const ProgramResult undo = quillon::test::runProgram(program, {"--undo", dir.path()});
            EXPECT_EQ(undo.status, 0) << undo.err;
            EXPECT_EQ(undo.err.rfind("Renamed back ", 0), 0u) << undo.err;
        }
        EXPECT_EQ(namesIn(dir).size(), static_cast<std::size_t>(kFiles));
        EXPECT_TRUE(std::filesystem::exists(dir.file("f0.txt")));
    }
}

TEST(CliDryRunTest, MeetsWhatSavingWouldAndRefusesExactlyWhereItWould) {
    const Cli cli({"a.txt", "b.txt", "c.doc"});
    // b.txt onto c.doc: held by a file outside the mask; the save would try and fail.
    const Args held = {"--mask", "*.txt",     "--case", "none",   "--scope",
                       "both",   "--replace", "b.txt",  "--with", "c.doc"};
    ProgramResult result = cli.run(held);
    // The status --apply would give: some renames would fail.
    EXPECT_EQ(result.status, 4);
    EXPECT_NE(result.err.find(
                  "quillon-cli: will fail: b.txt -> c.doc (held by a file outside the list)\n"),
              std::string::npos)
        << result.err;
    Args json = held;
    json.push_back("--json");
    result = cli.run(json);
    EXPECT_NE(result.out.find("\"conflicts\": [{\"index\": 1, \"name\": \"c.doc\", \"reason\": "
                              "\"held by a file outside the list\"}]"),
              std::string::npos)
        << result.out;

    const Args duplicate = {"--case", "none", "--delete-digits", "--mask", "*.txt"};
    createFile(cli.folder().file("a1.txt"));
    createFile(cli.folder().file("a2.txt"));
    result = cli.run(duplicate);
    EXPECT_EQ(result.status, 3);
    const std::string message = "quillon-cli: duplicate new name a.txt; nothing was renamed "
                                "(--number-duplicates numbers equal names)\n";
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    Args apply = duplicate;
    apply.push_back("--apply");
    result = cli.run(apply);
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.err, message);
}

TEST(CliUndoTest, TakesBackTheLastSaveAndSaysWhatDidNotComeBack) {
    const Cli cli({"A - B.txt", "B - A.txt"});
    // A swap: each new name is the old name of the other.
    ProgramResult result =
        cli.run({"--apply", "--case", "none", "--replace", "/1/ - /2/", "--with", "/2/ - /1/"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "Renamed 2 of 2 files.\n");
    result = cli.run({"--undo"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "Renamed back 2 of 2 files.\n"); // as many as the save renamed
    EXPECT_EQ(namesIn(cli.folder()), (std::vector<std::string>{"A - B.txt", "B - A.txt"}));

    result = cli.run({"--undo"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("holds no save to take back"), std::string::npos) << result.err;

    ASSERT_EQ(cli.run({"--apply", "--case", "upper"}).status, 0);
    createFile(cli.folder().file("A - B.txt")); // takes an old name meanwhile
    result = cli.run({"--undo", "--json"});
    EXPECT_EQ(result.status, 4);
    EXPECT_EQ(result.err, "Not renamed back: A - B.TXT\n");
    EXPECT_NE(result.out.find("\"failed\": [{\"old\": \"A - B.TXT\", \"new\": \"A - B.txt\""),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("_Quillon - Click me to UNDO.sh")));
}

} // namespace

namespace {

// Every way a run can end early: the status, the line on standard error
// (one line, the program's name first) and, with --json, the object on
// standard output.
TEST(CliContractTest, TroubleIsOneLineAndAJsonObject) {
    const Cli cli({"a1.txt", "a2.txt", "b.txt"});
    const std::string folder = cli.folder().path();
    const std::string gone = cli.folder().file("gone");
    const std::string file = cli.folder().file("b.txt");
    const struct {
        Args args;
        int status;
        const char* kind;
        const char* errnoName;
    } rows[] = {
        {{"--json", "--bogus", folder}, 1, "usage", nullptr},
        {{"--json", gone}, 1, "unreadable", "ENOENT"},
        {{"--json", "--undo", gone}, 1, "unreadable", "ENOENT"},
        {{"--json", "--undo", file}, 1, "unreadable", "ENOTDIR"},
        {{"--json", "--apply", "--case", "upper", file + "/x"}, 1, "unreadable", "ENOTDIR"},
        {{"--json", "--delete", "0:1", folder}, 2, "refused-press", nullptr},
        {{"--json", "--apply", "--delete-digits", folder}, 3, "refused-save", nullptr},
        {{"--json", "--delete-digits", folder}, 3, "refused-save", nullptr},
    };
    for (const auto& row : rows) {
        const ProgramResult result = quillon::test::runProgram(QUILLON_CLI_PATH, row.args);
        const std::string what = row.args[1];
        EXPECT_EQ(result.status, row.status) << what;
        EXPECT_EQ(result.err.rfind("quillon-cli: ", 0), 0u) << what << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(quillon::test::isJson(result.out)) << what << ": " << result.out;
        EXPECT_NE(result.out.find(std::string("\"kind\": \"") + row.kind + "\""), std::string::npos)
            << what << ": " << result.out;
        const std::string errnoMember =
            row.errnoName ? std::string("\"errno\": \"") + row.errnoName + "\"" : "\"errno\": null";
        EXPECT_NE(result.out.find(errnoMember), std::string::npos) << what << ": " << result.out;
        EXPECT_EQ(result.out.find("Another save"), std::string::npos);
    }
    // Nothing was renamed by any of them.
    EXPECT_EQ(namesIn(cli.folder()), (std::vector<std::string>{"a1.txt", "a2.txt", "b.txt"}));
}

TEST(CliContractTest, TheFolderInJsonIsAbsolute) {
    const Cli cli({"a.txt"});
    const std::string parent = std::filesystem::path(cli.folder().path()).parent_path();
    const std::string base = std::filesystem::path(cli.folder().path()).filename();
    const std::string relative = "./" + base + "/./";
    const ProgramResult result =
        quillon::test::runProgram("/bin/sh", {"-c", "cd \"$1\" && exec \"$2\" --json \"$3\"", "sh",
                                              parent, QUILLON_CLI_PATH, relative});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.rfind("{\"folder\": \"" + cli.folder().path() + "\", ", 0), 0u)
        << result.out;
}

TEST(CliContractTest, AWriteErrorOnStandardOutputExits1) {
    const Cli cli({"a.txt"});
    for (const Args& args : {Args{"--case", "upper"}, Args{"--json", "--case", "upper"},
                             Args{"--null", "--case", "upper"}, Args{"--help"}}) {
        Args full = args;
        if (args.front() != "--help")
            full.push_back(cli.folder().path());
        const ProgramResult result =
            quillon::test::runProgram(QUILLON_CLI_PATH, full, {"", "/dev/full", {}});
        EXPECT_EQ(result.status, 1) << args.front();
        EXPECT_NE(result.err.find("quillon-cli: write error on standard output"), std::string::npos)
            << result.err;
    }
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// After a stop the output still lists exactly the renames that happened.
TEST(CliContractTest, AStopStillListsTheRenamesThatHappened) {
    const TempFolder dir;
    const TempFolder outputs;
    constexpr int kFiles = 5000;
    for (int i = 0; i < kFiles; ++i)
        createFile(dir.file("f" + std::to_string(i) + ".txt"));
    const std::string program = QUILLON_CLI_PATH;
    const std::string record = dir.file("_Quillon - Click me to UNDO.sh");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open(outputs.file("out").c_str(), O_WRONLY | O_CREAT, 0600), STDOUT_FILENO);
        ::dup2(::open(outputs.file("err").c_str(), O_WRONLY | O_CREAT, 0600), STDERR_FILENO);
        ::execl(program.c_str(), program.c_str(), "--null", "--apply", "--case", "upper",
                dir.path().c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    bool exited = false;
    while (!std::filesystem::exists(record) && !exited)
        exited = ::waitpid(pid, &status, WNOHANG) == pid;
    if (!exited) {
        ::kill(pid, SIGINT);
        ::waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(WIFEXITED(status));
    const std::string out = readAll(outputs.file("out"));
    const std::string err = readAll(outputs.file("err"));
    const auto pairs = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\0') / 2);
    std::size_t renamedOnDisk = 0;
    for (const std::string& name : namesIn(dir))
        renamedOnDisk += name.rfind("F", 0) == 0 ? 1 : 0;
    EXPECT_EQ(pairs, renamedOnDisk);
    if (WEXITSTATUS(status) == 0)
        return; // finished before the signal came
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT);
    const std::string said =
        pairs == 0 ? "quillon-cli: stopped before the first rename"
                   : "quillon-cli: stopped after renaming " + std::to_string(pairs) + " of ";
    EXPECT_NE(err.find(said), std::string::npos) << err;
}

} // namespace

namespace {

TEST(CliRegexTest, AnInvalidExpressionExits1WithWhereAndWhy) {
    const Cli cli({"a.txt"});
    const struct {
        Args args;
        const char* said;
    } rows[] = {
        {{"--regex", "--replace", "(ab", "--with", "x"},
         "quillon-cli: --replace: invalid regular expression: U_REGEX_MISMATCHED_PAREN at "
         "position 4"},
        {{"--regex", "--replace", "(a)", "--with", "$3"},
         "quillon-cli: --with: no group 3 at position 1"},
        {{"--regex", "--replace", "a", "--with", "${x}"},
         "quillon-cli: --with: no group named \"x\" at position 1"},
    };
    for (const auto& row : rows) {
        const ProgramResult result = cli.run(row.args);
        EXPECT_EQ(result.status, 1) << row.said;
        EXPECT_EQ(result.err.rfind(row.said, 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(std::filesystem::exists(cli.folder().file("a.txt")));
}

TEST(CliRegexTest, AppliesAndUndoes) {
    const Cli cli({"01 Intro.mp3", "02 Outro.mp3"});
    const Args args = {"--regex", "--replace", "^(\\d+) (.*)$", "--with", "$2 - $1"};
    ProgramResult result = cli.run(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "01 Intro.mp3 -> Intro - 01.mp3\n02 Outro.mp3 -> Outro - 02.mp3\n");
    Args apply = args;
    apply.push_back("--apply");
    result = cli.run(apply);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(namesIn(cli.folder()), (std::vector<std::string>{"Intro - 01.mp3", "Outro - 02.mp3",
                                                               "_Quillon - Click me to UNDO.sh"}));
    result = cli.run({"--undo"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(namesIn(cli.folder()), (std::vector<std::string>{"01 Intro.mp3", "02 Outro.mp3"}));
}

} // namespace
