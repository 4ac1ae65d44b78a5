// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonCheck.h"
#include "RunProgram.h"
#include "tests/workspace/ScopedVariable.h"
#include "tests/workspace/TempFolder.h"

#include "workspace/disk/PosixFileSystem.h"
#include "workspace/history/UndoHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

using quillon::test::ProgramResult;
using quillon::test::ScopedVariable;
using quillon::test::TempFolder;

namespace {

using Args = std::vector<std::string>;

// 2026-12-08 13:56:12 UTC.
constexpr std::int64_t kSaveTime = 1'796'738'172'000'000'000;
constexpr std::int64_t kMinute = 60'000'000'000;

// The program with a history of its own: XDG_STATE_HOME names a fresh
// folder, and times print in a zone one hour east of UTC.
class HistoryCli final {
public:
    HistoryCli()
        : m_state("XDG_STATE_HOME", m_base.path() + "/state")
        , m_zone("TZ", "CET-1") {}

    ProgramResult run(const Args& args) const {
        return quillon::test::runProgram(QUILLON_CLI_PATH, args);
    }
    void save(const std::string& folder, std::int64_t time, std::uint64_t renamed,
              const std::string& id) {
        quillon::HistoryEntry entry;
        ASSERT_EQ(m_history.add(folder, time, renamed, id, "record", entry), 0);
    }
    const TempFolder& base() const { return m_base; }

private:
    TempFolder m_base;
    ScopedVariable m_state;
    ScopedVariable m_zone;
    quillon::PosixFileSystem m_fs;
    quillon::UndoHistory m_history{m_fs, m_base.path() + "/state/quillon/history"};
};

std::string realFolder(const std::string& path) {
    return std::filesystem::canonical(path).string();
}

TEST(CliHistoryTest, ListsTheSavesNewestFirstInLocalTime) {
    HistoryCli cli;
    const TempFolder photos;
    cli.save(realFolder(photos.path()), kSaveTime, 400, "first");
    cli.save("/mnt/usb/new\nline \xff", kSaveTime + kMinute, 1, "second");
    cli.save(realFolder(photos.path()), kSaveTime + 2 * kMinute, 3, "third");

    ProgramResult result = cli.run({"--history"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2026-12-08T14:58:12+01:00  3 files  " + realFolder(photos.path()) +
                              "\n"
                              "2026-12-08T14:57:12+01:00  1 file  /mnt/usb/new\\nline \\xff\n"
                              "2026-12-08T14:56:12+01:00  400 files  " +
                              realFolder(photos.path()) + "\n");
    EXPECT_EQ(result.err, "3 saves in the history.\n");

    result = cli.run({"--history", "--json"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(quillon::test::isJson(result.out)) << result.out;
    EXPECT_EQ(result.out.substr(0, result.out.find("}, ") + 1),
              "[{\"folder\": \"" + realFolder(photos.path()) +
                  "\", \"time\": \"2026-12-08T14:58:12+01:00\", \"renamed\": 3, \"id\": "
                  "\"third\"}");
    EXPECT_NE(result.out.find("{\"folder\": \"/mnt/usb/new\\nline \\udcff\", \"time\": "
                              "\"2026-12-08T14:57:12+01:00\", \"renamed\": 1, \"id\": \"second\"}"),
              std::string::npos)
        << result.out;
}

TEST(CliHistoryTest, AFolderNarrowsTheListByWhereItIs) {
    HistoryCli cli;
    const TempFolder photos;
    const std::string real = realFolder(photos.path());
    std::filesystem::create_directory(photos.file("sub"));
    std::filesystem::create_symlink(real, cli.base().file("link"));
    cli.save(real, kSaveTime, 2, "photos");
    cli.save(real + "/sub", kSaveTime + 1, 5, "sub");
    cli.save("/nonexistent/quillon-gone", kSaveTime + 2, 7, "gone");

    const struct {
        std::string folder;
        std::string ids;
    } cases[] = {
        {real, "photos"},
        {real + "/", "photos"},
        {cli.base().file("link"), "photos"},
        {real + "/sub/..", "photos"},
        {real + "/sub", "sub"},
        {"/nonexistent/quillon-gone/", "gone"},
        {"/nonexistent/./quillon-gone", "gone"},
        {cli.base().path(), ""},
    };
    for (const auto& c : cases) {
        const ProgramResult result = cli.run({"--history", "--json", c.folder});
        EXPECT_EQ(result.status, 0) << result.err;
        const bool expected = !c.ids.empty();
        EXPECT_EQ(result.out.find("\"id\": \"" + c.ids + "\"") != std::string::npos, expected)
            << c.folder << ": " << result.out;
        EXPECT_EQ(result.out.find("}, {") != std::string::npos, false) << c.folder;
    }
}

TEST(CliHistoryTest, AnEmptyOrMissingHistoryListsNothing) {
    HistoryCli cli;
    ProgramResult result = cli.run({"--history"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "No save in the history.\n");
    result = cli.run({"--json", "--history", "/tmp"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "[]\n");
    // Listing creates nothing.
    EXPECT_FALSE(std::filesystem::exists(cli.base().file("state")));
}

TEST(CliHistoryTest, NeedsAHistoryFolder) {
    HistoryCli cli;
    const ScopedVariable relative("XDG_STATE_HOME", "relative/state");
    const ScopedVariable noHome("HOME", std::nullopt);
    const ProgramResult result = cli.run({"--history"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("no history folder"), std::string::npos) << result.err;
}

} // namespace

namespace {

std::vector<std::string> namesOf(const TempFolder& folder) {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

constexpr const char* kRecordName = "_Quillon - Click me to UNDO.sh";

TEST(CliUndoHistoryTest, TwoSavesComeBackInOrderOneSavePerCall) {
    HistoryCli cli;
    TempFolder folder;
    for (const char* name : {"a.txt", "b.txt"})
        std::ofstream(folder.file(name)) << name;
    ASSERT_EQ(cli.run({"--apply", "--case", "upper", folder.path()}).status, 0);
    ASSERT_EQ(cli.run({"--apply", "--replace", "A", "--with", "Z", folder.path()}).status, 0);
    // A third save that renames nothing keeps the second one's undo file.
    const ProgramResult noop = cli.run({"--apply", "--case", "upper", folder.path()});
    ASSERT_EQ(noop.status, 0) << noop.err;
    EXPECT_TRUE(std::filesystem::exists(folder.file(kRecordName)));

    ProgramResult result = cli.run({"--undo", folder.path()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(namesOf(folder), (std::vector<std::string>{"A.TXT", "B.TXT"}));
    result = cli.run({"--undo", folder.path()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(namesOf(folder), (std::vector<std::string>{"a.txt", "b.txt"}));
    result = cli.run({"--undo", folder.path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("holds no save to take back"), std::string::npos) << result.err;
}

TEST(CliUndoHistoryTest, TheUsersOwnRecordIsTakenWithoutItsHistoryEntry) {
    HistoryCli cli;
    TempFolder folder;
    std::ofstream(folder.file("photo.jpg")) << "photo";
    {
        // Killed before the history entry, or a history that could not be
        // written: the record alone says it is this user's.
        const ScopedVariable other("XDG_STATE_HOME", cli.base().path() + "/other");
        ASSERT_EQ(cli.run({"--apply", "--case", "upper", folder.path()}).status, 0);
    }
    const ProgramResult result = cli.run({"--undo", folder.path()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(namesOf(folder), (std::vector<std::string>{"photo.jpg"}));
}

TEST(CliUndoHistoryTest, ACraftedRecordExitsOneAndTouchesNothing) {
    HistoryCli cli;
    TempFolder outside;
    TempFolder folder;
    std::ofstream(folder.file("photo.jpg")) << "photo";
    // The record of a save made elsewhere, its line edited to leave the folder.
    TempFolder elsewhere;
    std::ofstream(elsewhere.file("photo.jpg")) << "photo";
    ASSERT_EQ(cli.run({"--apply", "--case", "upper", elsewhere.path()}).status, 0);
    std::ifstream in(elsewhere.file(kRecordName));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string line = "'photo.jpg'";
    ASSERT_NE(text.find(line), std::string::npos);
    text.replace(text.find(line), line.size(), "'../" + outside.path().substr(1) + "/x'");
    std::ofstream(folder.file(kRecordName)) << text;
    const std::vector<std::string> before = namesOf(folder);

    const ProgramResult result = cli.run({"--undo", "--yes", folder.path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("is not an undo record Quillon can take back (line "),
              std::string::npos)
        << result.err;
    EXPECT_EQ(namesOf(folder), before);
    EXPECT_TRUE(namesOf(outside).empty());
}

TEST(CliUndoHistoryTest, ARecordFromElsewhereIsTakenOnlyWithYes) {
    HistoryCli cli;
    TempFolder folder;
    std::ofstream(folder.file("photo.jpg")) << "photo";
    {
        // Saved by someone else: a history of its own.
        const ScopedVariable other("XDG_STATE_HOME", cli.base().path() + "/other");
        ASSERT_EQ(cli.run({"--apply", "--case", "upper", folder.path()}).status, 0);
    }
    // ... on another machine, as its record says.
    std::ifstream in(folder.file(kRecordName));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t machine = text.find(" machine ");
    ASSERT_NE(machine, std::string::npos) << text;
    text.replace(machine, text.find('\n', machine) - machine, " machine 0123456789abcdef");
    std::ofstream(folder.file(kRecordName), std::ios::trunc) << text;
    ProgramResult result = cli.run({"--undo", folder.path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("is not in your history"), std::string::npos) << result.err;
    EXPECT_EQ(namesOf(folder), (std::vector<std::string>{"PHOTO.JPG", kRecordName}));
    result = cli.run({"--undo", "--yes", folder.path()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(namesOf(folder), (std::vector<std::string>{"photo.jpg"}));
}

} // namespace
