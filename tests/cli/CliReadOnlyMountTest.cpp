// SPDX-License-Identifier: GPL-3.0-or-later
// A folder on a read-only mount, for real: a bind mount made read-only in a
// mount namespace of the test's own (unshare), so no privilege is needed.
#include "RunProgram.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using quillon::test::ProgramResult;
using quillon::test::runProgram;
using quillon::test::TempFolder;

namespace {

constexpr const char* kUnshare = "/usr/bin/unshare";

// Runs the program with option on the folder mounted read-only at mountPoint.
ProgramResult runOnReadOnlyMount(const std::string& folder, const std::string& mountPoint,
                                 const std::vector<std::string>& options) {
    std::vector<std::string> args = {
        "-rm",
        "sh",
        "-c",
        "mount --bind \"$1\" \"$2\" && mount -o remount,bind,ro \"$2\" && shift 2 && exec \"$@\"",
        "sh",
        folder,
        mountPoint,
        QUILLON_CLI_PATH};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(mountPoint);
    return runProgram(kUnshare, args);
}

TEST(CliReadOnlyMountTest, TheDryRunRefusesLikeTheSave) {
    if (runProgram(kUnshare, {"-rm", "true"}).status != 0)
        GTEST_SKIP() << "no mount namespace of our own here";
    const TempFolder base;
    const std::string folder = base.file("folder");
    const std::string mountPoint = base.file("mounted");
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(mountPoint);
    std::ofstream(folder + "/a b.txt") << "a";

    const ProgramResult dryRun = runOnReadOnlyMount(folder, mountPoint, {"--case", "upper"});
    const ProgramResult save =
        runOnReadOnlyMount(folder, mountPoint, {"--case", "upper", "--apply"});
    EXPECT_EQ(save.status, 3) << save.err;
    EXPECT_EQ(dryRun.status, save.status) << dryRun.err;
    EXPECT_NE(dryRun.err.find("EROFS"), std::string::npos) << dryRun.err;
    EXPECT_TRUE(std::filesystem::exists(folder + "/a b.txt"));
}

} // namespace
