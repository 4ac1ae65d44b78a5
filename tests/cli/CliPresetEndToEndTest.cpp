// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunProgram.h"
#include "tests/workspace/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using quillon::test::ProgramResult;
using quillon::test::ProgramStreams;
using quillon::test::TempFolder;

namespace {

// The program with presets of a fresh configuration folder, over a folder of
// a few files.
class PresetCli final {
public:
    PresetCli() {
        for (const char* name : {"one apple.txt", "two apples.TXT", "three.doc"})
            std::ofstream(m_files.file(name)) << "x";
        m_streams.environment = {"XDG_CONFIG_HOME=" + m_config.path()};
    }
    ProgramResult run(std::vector<std::string> args, bool withFolder = true) const {
        if (withFolder)
            args.push_back(m_files.path());
        return quillon::test::runProgram(QUILLON_CLI_PATH, args, m_streams);
    }
    std::string presetFile(const std::string& name) const {
        return m_config.path() + "/quillon/presets/" + name + ".json";
    }

private:
    TempFolder m_files;
    TempFolder m_config;
    ProgramStreams m_streams;
};

TEST(CliPresetTest, SavedPresetDrivesALaterRunAndLaterOptionsOverride) {
    const PresetCli cli;
    const ProgramResult saved = cli.run({"--save-preset", "Fruit", "--mask", "*.txt", "--replace",
                                         "apple", "--with", "pear", "--case", "upper"},
                                        false);
    ASSERT_EQ(saved.status, 0) << saved.err;
    ASSERT_TRUE(std::filesystem::exists(cli.presetFile("Fruit")));

    const ProgramResult used = cli.run({"--preset", "Fruit"});
    EXPECT_EQ(used.status, 0) << used.err;
    EXPECT_EQ(used.out, "one apple.txt -> ONE PEAR.TXT\ntwo apples.TXT -> TWO PEARS.TXT\n");

    const ProgramResult changed = cli.run({"--preset", "Fruit", "--with", "fig", "--case", "none"});
    EXPECT_EQ(changed.out, "one apple.txt -> one fig.txt\ntwo apples.TXT -> two figs.TXT\n");
}

TEST(CliPresetTest, RefusesBadPresetsNamingFileAndField) {
    const PresetCli cli;
    ASSERT_EQ(cli.run({"--save-preset", "p", "--case", "lower"}, false).status, 0);
    std::ofstream(cli.presetFile("p")) << R"({"version": 1, "case": {"mode": "loud"}})";
    const ProgramResult bad = cli.run({"--preset", "p"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find(cli.presetFile("p")), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("case.mode"), std::string::npos) << bad.err;
    EXPECT_TRUE(bad.out.empty());
    for (const char* name : {"../p", "", ".."})
        EXPECT_EQ(cli.run({"--preset", name}).status, 1) << name;
    EXPECT_EQ(cli.run({"--save-preset", "a/b"}, false).status, 1);
    EXPECT_EQ(cli.run({"--preset", "missing"}).status, 1);
}

} // namespace
