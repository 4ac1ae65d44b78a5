// SPDX-License-Identifier: GPL-3.0-or-later
// Small promises of the command line: what the dry run can know, a closed
// pipe, and a regular expression too costly to run.
#include "RunProgram.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using quillon::test::ProgramResult;
using quillon::test::TempFolder;

namespace {

using Args = std::vector<std::string>;

ProgramResult runCli(const Args& args) {
    return quillon::test::runProgram(QUILLON_CLI_PATH, args);
}

// A new name longer than the file system allows fails in the dry run as it
// would in the save, and only names that change are told.
TEST(CliContractTest, TheDryRunKnowsANameTooLong) {
    const struct {
        const char* what;
        std::size_t stemBytes;
        int status;
    } cases[] = {
        {"255 bytes in all", 251, 0},
        {"256 bytes in all", 252, 4},
        {"far beyond", 400, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder folder;
        std::ofstream(folder.file("a.txt")) << "a";
        const Args press = {"--replace", "a", "--with", std::string(c.stemBytes, 'x')};
        Args dry = press;
        dry.push_back(folder.path());
        ProgramResult result = runCli(dry);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(result.err.find("longer than the file system allows") != std::string::npos,
                  c.status == 4)
            << result.err;
        Args apply = dry;
        apply.push_back("--apply");
        result = runCli(apply);
        EXPECT_EQ(result.status, c.status) << result.err;
    }
}

// quillon-cli ... | head -1 ends quietly, as the core utilities do; a full
// disk is still an error.
TEST(CliContractTest, AClosedPipeEndsQuietly) {
    const TempFolder folder;
    for (int i = 0; i < 3000; ++i)
        std::ofstream(folder.file("file number " + std::to_string(i) + ".txt"));
    const std::string script =
        R"({ "$0" --case upper "$1"; echo "status $?" >&2; } | head -c 1 >/dev/null)";
    ProgramResult result =
        quillon::test::runProgram("/bin/sh", {"-c", script, QUILLON_CLI_PATH, folder.path()});
    EXPECT_EQ(result.err.find("write error"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("status 0"), std::string::npos) << result.err;

    quillon::test::ProgramStreams full;
    full.outputFile = "/dev/full";
    result = quillon::test::runProgram(QUILLON_CLI_PATH, {"--case", "upper", folder.path()}, full);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("write error on standard output"), std::string::npos);
}

// A name on which the expression gives up refuses the press, naming the
// file: no unchanged name is reported as a success.
TEST(CliContractTest, AnExpressionTooCostlyRefusesThePress) {
    const TempFolder folder;
    const std::string costly = std::string(28, 'a') + "b.txt";
    std::ofstream(folder.file(costly)) << "x";
    std::ofstream(folder.file("aaab.txt")) << "y";
    for (const bool apply : {false, true}) {
        Args args = {"--regex", "--replace", "(a+)+c|b", "--with", "X", folder.path()};
        if (apply)
            args.push_back("--apply");
        const ProgramResult result = runCli(args);
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_NE(result.err.find("too costly to run on \"" + costly + "\""), std::string::npos)
            << result.err;
        EXPECT_TRUE(std::filesystem::exists(folder.file("aaab.txt")));
        EXPECT_TRUE(std::filesystem::exists(folder.file(costly)));
    }
}

} // namespace
