// SPDX-License-Identifier: GPL-3.0-or-later
// The way back moves only the files a save renamed, and says so when a name
// holds another file now; a save's record says whose it is.
#include "RunProgram.h"
#include "tests/metadata/MediaSamples.h"
#include "tests/workspace/ScopedVariable.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

using quillon::test::ProgramResult;
using quillon::test::ScopedVariable;
using quillon::test::TempFolder;

namespace {

using Args = std::vector<std::string>;

constexpr const char* kRecordName = "_Quillon - Click me to UNDO.sh";

ProgramResult runCli(const Args& args) {
    return quillon::test::runProgram(QUILLON_CLI_PATH, args);
}

// Content -> name of every file but the record.
std::map<std::string, std::string> contents(const TempFolder& folder) {
    std::map<std::string, std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (name != kRecordName)
            found.emplace(quillon::test::readFileBytes(entry.path().string()), name);
    }
    return found;
}

// As sed -i and many editors save: a new file put in place of the old one.
void saveAnew(const TempFolder& folder, const std::string& name) {
    const std::string text = quillon::test::readFileBytes(folder.file(name)) + " (edited)";
    std::ofstream(folder.file(".edit.tmp")) << text;
    std::filesystem::rename(folder.file(".edit.tmp"), folder.file(name));
}

std::size_t historyEntries(const TempFolder& state) {
    const std::filesystem::path dir = state.path() + "/quillon/history";
    if (!std::filesystem::exists(dir))
        return 0;
    return static_cast<std::size_t>(std::count_if(
        std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator(),
        [](const auto& e) { return e.path().extension() == ".save"; }));
}

// How the way back is taken.
enum class Way { History, FolderRecord, Script };

struct SwapCase {
    const char* what;
    Way way;
    /// The name whose file an editor saved anew after the save.
    const char* edited;
};

// A swap of two names, then one of them saved anew: nothing may move, and
// the count says no file came back.
TEST(CliUndoIdentityTest, ARewrittenFileOfASwapStaysWhereItIs) {
    const SwapCase cases[] = {
        {"history, the file that went through the temporary name", Way::History, "y-x.txt"},
        {"history, the other file", Way::History, "x-y.txt"},
        {"folder record, the file that went through the temporary name", Way::FolderRecord,
         "y-x.txt"},
        {"folder record, the other file", Way::FolderRecord, "x-y.txt"},
        {"script, the file that went through the temporary name", Way::Script, "y-x.txt"},
    };
    for (const SwapCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder state;
        const ScopedVariable history("XDG_STATE_HOME", state.path());
        const TempFolder folder;
        std::ofstream(folder.file("x-y.txt")) << "first";
        std::ofstream(folder.file("y-x.txt")) << "second";
        ASSERT_EQ(
            runCli({"--replace", "/1/-/2/", "--with", "/2/-/1/", "--apply", folder.path()}).status,
            0);
        saveAnew(folder, c.edited);
        const auto before = contents(folder);
        if (c.way == Way::FolderRecord)
            std::filesystem::remove_all(state.path() + "/quillon");
        ProgramResult result;
        if (c.way == Way::Script) {
            result = quillon::test::runProgram("/bin/sh", {folder.file(kRecordName)});
            EXPECT_EQ(result.status, 1);
            EXPECT_NE(result.err.find("Not renamed back"), std::string::npos) << result.err;
        } else {
            result = runCli({"--undo", folder.path()});
            EXPECT_EQ(result.status, 4) << result.err;
            EXPECT_NE(result.err.find("(changed since the save)"), std::string::npos) << result.err;
            EXPECT_NE(result.err.find("Renamed back 0 of 2 files."), std::string::npos)
                << result.err;
        }
        EXPECT_EQ(contents(folder), before);
        EXPECT_TRUE(std::filesystem::exists(folder.file(kRecordName)));
        if (c.way == Way::History) {
            EXPECT_EQ(historyEntries(state), 1U);
        }
    }
}

TEST(CliUndoIdentityTest, AFileRenamedAndThenSavedAnewStaysAndTheOthersGoBack) {
    const TempFolder state;
    const ScopedVariable history("XDG_STATE_HOME", state.path());
    const TempFolder folder;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        std::ofstream(folder.file(name)) << name;
    ASSERT_EQ(runCli({"--case", "upper", "--apply", folder.path()}).status, 0);
    saveAnew(folder, "B.TXT");

    ProgramResult result = runCli({"--undo", "--json", folder.path()});
    EXPECT_EQ(result.status, 4) << result.err;
    EXPECT_NE(result.out.find("\"message\": \"changed since the save\""), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"renamed\": 2"), std::string::npos) << result.out;
    const auto found = contents(folder);
    EXPECT_EQ(found.at("a.txt"), "a.txt");
    EXPECT_EQ(found.at("b.txt (edited)"), "B.TXT");
    EXPECT_EQ(found.at("c.txt"), "c.txt");
    // What is left stays in the record and the history; it stays refused.
    EXPECT_TRUE(std::filesystem::exists(folder.file(kRecordName)));
    EXPECT_EQ(historyEntries(state), 1U);
    result = runCli({"--undo", "--yes", folder.path()});
    EXPECT_EQ(result.status, 4) << result.err;
    EXPECT_NE(result.err.find("Renamed back 0 of 1 files"), std::string::npos) << result.err;
}

TEST(CliUndoIdentityTest, ARecordWithoutIdentitiesIsStillRead) {
    const TempFolder state;
    const ScopedVariable history("XDG_STATE_HOME", state.path());
    const TempFolder folder;
    std::ofstream(folder.file("a.txt")) << "a";
    ASSERT_EQ(runCli({"--case", "upper", "--apply", folder.path()}).status, 0);
    // As saves wrote it before records kept file identities and their origin.
    std::string text = quillon::test::readFileBytes(folder.file(kRecordName));
    for (const char* added : {" device ", " #i "}) {
        const std::size_t at = text.find(added);
        ASSERT_NE(at, std::string::npos) << text;
        text.erase(at, text.find('\n', at) - at);
    }
    std::ofstream(folder.file(kRecordName), std::ios::trunc) << text;
    std::filesystem::remove_all(state.path() + "/quillon");
    saveAnew(folder, "A.TXT");

    // Whose it is, it does not say; the name alone decides, as it did.
    ProgramResult result = runCli({"--undo", folder.path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("is not in your history"), std::string::npos) << result.err;
    result = runCli({"--undo", "--yes", folder.path()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(contents(folder).at("a (edited)"), "a.txt");
}

} // namespace

namespace {

// How the state folder is kept from taking the history.
struct BlockedState {
    const char* what;
    void (*block)(const std::string& state);
};

const BlockedState kBlocked[] = {
    {"a file in place of the folder",
     [](const std::string& state) {
         std::ofstream(state + "/quillon") << "x";
     }},
    {"a file in place of the history",
     [](const std::string& state) {
         std::filesystem::create_directories(state + "/quillon");
         std::ofstream(state + "/quillon/history") << "x";
     }},
    {"a link that leads nowhere",
     [](const std::string& state) {
         std::filesystem::create_symlink(state + "/gone", state + "/quillon");
     }},
};

TEST(CliHistoryPromiseTest, AnUnwritableHistoryRefusesASaveWithoutUndoFile) {
    for (const BlockedState& b : kBlocked) {
        SCOPED_TRACE(b.what);
        const TempFolder state;
        const ScopedVariable history("XDG_STATE_HOME", state.path());
        b.block(state.path());
        const TempFolder folder;
        const TempFolder second;
        std::ofstream(folder.file("a.txt")) << "a";
        std::ofstream(second.file("b.txt")) << "b";
        // One folder, and two: the second is checked before the first moves.
        for (const bool both : {false, true}) {
            Args args = {"--apply", "--case", "upper", "--no-undo-file", folder.path()};
            if (both)
                args.push_back(second.path());
            const ProgramResult result = runCli(args);
            EXPECT_EQ(result.status, 3) << result.err;
            EXPECT_NE(result.err.find("your history of saves could not be written"),
                      std::string::npos)
                << result.err;
            EXPECT_TRUE(std::filesystem::exists(folder.file("a.txt")));
            EXPECT_TRUE(std::filesystem::exists(second.file("b.txt")));
        }
    }
}

TEST(CliHistoryPromiseTest, AnUnwritableHistoryIsToldAndTheRecordStillTakesTheSaveBack) {
    for (const BlockedState& b : kBlocked) {
        SCOPED_TRACE(b.what);
        const TempFolder state;
        const ScopedVariable history("XDG_STATE_HOME", state.path());
        b.block(state.path());
        const TempFolder folder;
        std::ofstream(folder.file("a.txt")) << "a";
        ProgramResult result = runCli({"--apply", "--json", "--case", "upper", folder.path()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.err.find("warning: the save could not be kept in your history"),
                  std::string::npos)
            << result.err;
        EXPECT_NE(result.out.find("\"history\": {\"kept\": false, \"errno\": \"ENOTDIR\"}"),
                  std::string::npos)
            << result.out;
        EXPECT_TRUE(std::filesystem::exists(folder.file("A.TXT")));
        // The record says it is this user's: no --yes needed.
        result = runCli({"--undo", folder.path()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_TRUE(std::filesystem::exists(folder.file("a.txt")));
    }
}

} // namespace

namespace {

// A folder is known by what it is, not where it was: the save of a moved
// folder is found under its new path, and a new folder at the old path has
// none.
TEST(CliFolderIdentityTest, AMovedFolderKeepsItsSaveAndANewOneAtItsPathHasNone) {
    const TempFolder state;
    const ScopedVariable history("XDG_STATE_HOME", state.path());
    const TempFolder base;
    const std::string a = base.file("A");
    std::filesystem::create_directory(a);
    std::ofstream(a + "/photo.jpg") << "photo";
    ASSERT_EQ(runCli({"--apply", "--case", "upper", a}).status, 0);
    std::filesystem::rename(a, base.file("A.old"));
    std::filesystem::create_directory(a);
    std::ofstream(a + "/PHOTO.JPG") << "a stranger's";

    ProgramResult result = runCli({"--undo", a});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("holds no save to take back"), std::string::npos) << result.err;
    EXPECT_TRUE(std::filesystem::exists(a + "/PHOTO.JPG"));
    result = runCli({"--history", "--json", a});
    EXPECT_EQ(result.out, "[]\n");

    result = runCli({"--history", "--json", base.file("A.old")});
    EXPECT_NE(result.out.find("\"renamed\": 1"), std::string::npos) << result.out;
    result = runCli({"--undo", base.file("A.old")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(base.file("A.old") + "/photo.jpg"));
    EXPECT_EQ(historyEntries(state), 0U);
}

} // namespace
