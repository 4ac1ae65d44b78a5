// SPDX-License-Identifier: GPL-3.0-or-later
// Kills the program at every disk call of a save and of an undo, for real:
// strace's fault injection sends SIGKILL at the Nth call of one kind. After
// each kill no file may be lost, no name of Quillon's own may show up in a
// listing, and undo must bring every file back under its first name.
#include "RunProgram.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <unistd.h>

using quillon::test::ProgramResult;
using quillon::test::runProgram;
using quillon::test::TempFolder;

namespace {

using Args = std::vector<std::string>;

constexpr const char* kStrace = "/usr/bin/strace";
// More calls of one kind than a save of four files can make: a run that
// never ends on its own fails rather than loops.
constexpr int kMostCalls = 2000;

// Two files that swap their names, a chain and one more: every kind of step
// a save takes. Each file holds its first name.
const char* const kNames[] = {"x - y.txt", "y - x.txt", "one - two.txt", "a - b.txt"};
const Args kSwapFields = {"--replace", "/1/ - /2/", "--with", "/2/ - /1/"};

// The calls a save or an undo makes to put its record in place and to rename.
const char* const kCalls[] = {"openat", "write", "fsync", "renameat2", "unlinkat"};

bool straceWorks() {
#if defined(__SANITIZE_ADDRESS__)
    // Start-up under the sanitizers opens files by the thousand, and the leak
    // check at exit cannot trace a traced process: the memory side of these
    // runs is covered by the other end-to-end tests.
    return false;
#else
    if (::access(kStrace, X_OK) != 0)
        return false;
    // ptrace may be denied inside a container.
    return runProgram(kStrace, {"-o", "/dev/null", "true"}).status == 0;
#endif
}

ProgramResult runCli(const Args& args) {
    return runProgram(QUILLON_CLI_PATH, args);
}

// Runs the program with args and kills it at the nth call; false when it
// ended on its own (so there is no nth call to kill it at).
bool killedAt(const std::string& call, int n, const Args& args) {
    Args traced = {
        "-f", "-qq",           "-o", "/dev/null",
        "-e", "trace=" + call, "-e", "inject=" + call + ":signal=KILL:when=" + std::to_string(n),
        "--", QUILLON_CLI_PATH};
    traced.insert(traced.end(), args.begin(), args.end());
    const ProgramResult result = runProgram(kStrace, traced);
    // strace ends itself with the signal that ended the program.
    return result.status == -1;
}

void fill(const TempFolder& folder) {
    for (const char* name : kNames)
        std::ofstream(folder.file(name)) << name;
}

// Content -> name of every regular file but the undo script.
std::map<std::string, std::string> contents(const TempFolder& folder) {
    std::map<std::string, std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (name == "_Quillon - Click me to UNDO.sh")
            continue;
        std::ifstream in(entry.path());
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        found.emplace(text, name);
    }
    return found;
}

// Every file is there once, whatever name it holds now.
void expectNothingLost(const TempFolder& folder, const std::string& where) {
    const auto found = contents(folder);
    for (const char* name : kNames)
        EXPECT_EQ(found.count(name), 1U) << where << ": lost " << name;
}

// A press that changes every listed name shows what a load lists.
void expectNoOwnNameListed(const TempFolder& folder, const std::string& where) {
    const ProgramResult listing = runCli({"--case", "upper", folder.path()});
    EXPECT_EQ(listing.out.find("_Quillon"), std::string::npos) << where << ":\n" << listing.out;
    EXPECT_EQ(listing.out.find("_QUILLON"), std::string::npos) << where << ":\n" << listing.out;
}

// Undo until no record is left; then every file holds its first name.
void expectUndoBringsAllBack(const TempFolder& folder, const std::string& where) {
    for (int round = 0; round < 3; ++round) {
        if (!std::filesystem::exists(folder.file("_Quillon - Click me to UNDO.sh")))
            break;
        runCli({"--undo", "--yes", folder.path()});
    }
    const auto found = contents(folder);
    for (const char* name : kNames) {
        const auto it = found.find(name);
        EXPECT_TRUE(it != found.end() && it->second == name) << where << ": " << name;
    }
}

Args saveArgs(const TempFolder& folder) {
    Args args = kSwapFields;
    args.push_back("--apply");
    args.push_back(folder.path());
    return args;
}

// Kills the command that prepare returns for a fresh folder at each call of
// each kind in turn, until it runs to its end, and checks the folder after
// every kill.
void killAtEveryCall(const std::string& what,
                     const std::function<Args(const TempFolder&)>& prepare) {
    for (const char* call : kCalls) {
        for (int n = 1;; ++n) {
            const TempFolder folder;
            fill(folder);
            const Args args = prepare(folder);
            if (::testing::Test::HasFatalFailure())
                return;
            const bool killed = killedAt(call, n, args);
            const std::string where = what + " killed at " + call + " " + std::to_string(n);
            expectNothingLost(folder, where);
            expectNoOwnNameListed(folder, where);
            expectUndoBringsAllBack(folder, where);
            if (!killed || ::testing::Test::HasFailure())
                return;
            ASSERT_LT(n, kMostCalls) << call;
        }
    }
}

TEST(CliKillTest, AKillAtAnyCallOfASaveLosesNothing) {
    if (!straceWorks())
        GTEST_SKIP() << "strace cannot trace here";
    killAtEveryCall("save", [](const TempFolder& folder) { return saveArgs(folder); });
}

TEST(CliKillTest, AKillAtAnyCallOfAnUndoLosesNothing) {
    if (!straceWorks())
        GTEST_SKIP() << "strace cannot trace here";
    killAtEveryCall("undo", [](const TempFolder& folder) {
        EXPECT_EQ(runCli(saveArgs(folder)).status, 0);
        return Args{"--undo", "--yes", folder.path()};
    });
}

} // namespace
