// SPDX-License-Identifier: GPL-3.0-or-later
// After a save the lists must show the folder exactly as reading it anew
// would, whether the workspace read it again or knew it from its renames.
#include "DiskHelpers.h"
#include "ForwardingFileSystem.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>

using namespace quillon;
using namespace quillon::test;

namespace {

// Counts the folder's readings; fails the renames of one name.
class CountingDisk final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;

    int readFolder(const std::string& f, FolderListing& out) override {
        ++readings;
        return m_disk.readFolder(f, out);
    }
    int renameDirect(const std::string& f, std::string_view from, std::string_view to) override {
        if (from == failing)
            return EACCES;
        return m_disk.renameDirect(f, from, to);
    }

    int readings = 0;
    std::string failing;
};

struct Row {
    const char* name = "";
    std::vector<std::string> files{};
    std::vector<std::string> folders{};
    std::u32string mask{};
    std::map<std::string, std::string> renames{};
    bool createUndoFile = true;
    bool oldScript = false;
    bool listFolders = false;
    std::string failing{};
    /// Whether the save may know the folder without reading it again.
    bool known = true;
};

std::vector<std::string> namesOf(const NameList& list) {
    return {list.begin(), list.end()};
}

Workspace opened(FileSystem& fs, const Row& row, const std::string& folder) {
    Workspace ws(fs);
    ws.setCaseMode(CaseMode::None, {});
    ws.setListFolders(row.listFolders);
    ws.setKeepOutsideEntries(true);
    EXPECT_TRUE(ws.load(folder, row.mask).ok());
    return ws;
}

} // namespace

TEST(ListingAfterSave, EqualsTheFolderReadAnew) {
    const std::vector<Row> rows{
        {.name = "renames",
         .files = {"a.txt", "b.txt", "c.txt"},
         .mask = U"*.*",
         .renames = {{"a.txt", "x.txt"}, {"b.txt", "B.txt"}}},
        {.name = "swap and chain",
         .files = {"1.txt", "2.txt", "3.txt", "4.txt"},
         .mask = U"*.*",
         .renames =
             {{"1.txt", "2.txt"}, {"2.txt", "1.txt"}, {"3.txt", "4.txt"}, {"4.txt", "5.txt"}}},
        {.name = "out of the mask",
         .files = {"a.txt", "b.txt", "c.doc"},
         .mask = U"*.txt",
         .renames = {{"a.txt", "a.doc"}}},
        {.name = "to a hidden name",
         .files = {"a.txt", "b.txt"},
         .mask = U"*",
         .renames = {{"a.txt", ".a.txt"}}},
        {.name = "Unicode",
         .files = {"é.txt", "z.txt"},
         .mask = U"*.*",
         .renames = {{"é.txt", "Ä.txt"}, {"z.txt", "ü.txt"}}},
        {.name = "no undo file, the old one goes",
         .files = {"a.txt"},
         .mask = U"*.*",
         .renames = {{"a.txt", "b.txt"}},
         .createUndoFile = false,
         .oldScript = true},
        {.name = "the old undo file replaced",
         .files = {"a.txt"},
         .mask = U"*.*",
         .renames = {{"a.txt", "b.txt"}},
         .oldScript = true},
        {.name = "folders listed",
         .files = {"a.txt"},
         .folders = {"dir", "keep"},
         .mask = U"*",
         .renames = {{"dir", "folder"}, {"a.txt", "keep.txt"}},
         .listFolders = true},
        {.name = "folders left out",
         .files = {"a.txt"},
         .folders = {"dir"},
         .mask = U"*",
         .renames = {{"a.txt", "b.txt"}}},
        {.name = "a rename failed",
         .files = {"a.txt", "b.txt"},
         .mask = U"*.*",
         .renames = {{"a.txt", "x.txt"}, {"b.txt", "y.txt"}},
         .failing = "b.txt",
         .known = false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder dir;
        for (const std::string& file : row.files)
            writeFile(dir.file(file), file);
        for (const std::string& folder : row.folders)
            std::filesystem::create_directory(dir.file(folder));
        PosixFileSystem posix;
        if (row.oldScript) {
            Workspace first(posix);
            first.setCaseMode(CaseMode::None, {});
            ASSERT_TRUE(first.load(dir.path(), U"*.*").ok());
            first.renameEntry(0, U"old-save.txt", false);
            SaveCallbacks yes;
            yes.confirm = [](bool&) {
                return true;
            };
            ASSERT_EQ(first.save(U"*.*", yes).status, SaveStatus::Saved);
            std::filesystem::rename(dir.file("old-save.txt"), dir.file(row.files.front()));
        }
        CountingDisk disk(posix);
        disk.failing = row.failing;
        Workspace ws = opened(disk, row, dir.path());
        const NameList& listed = ws.folderList().names;
        for (const auto& [from, to] : row.renames) {
            const auto at = std::find(listed.begin(), listed.end(), from);
            ASSERT_NE(at, listed.end()) << from;
            ws.renameEntry(static_cast<std::size_t>(std::distance(listed.begin(), at)),
                           decodeName(to), false);
        }
        SaveCallbacks ask;
        ask.confirm = [&](bool& createUndo) {
            createUndo = row.createUndoFile;
            return true;
        };
        disk.readings = 0;
        ASSERT_EQ(ws.save(row.mask, ask).status, SaveStatus::Saved);
        // The save's own listing, taken under its lock; a second one is the
        // folder read again.
        EXPECT_EQ(disk.readings == 1, row.known) << disk.readings;

        Workspace fresh = opened(posix, row, dir.path());
        EXPECT_EQ(namesOf(ws.folderList().names), namesOf(fresh.folderList().names));
        ASSERT_TRUE(ws.folderList().outside && fresh.folderList().outside);
        auto outside = namesOf(*ws.folderList().outside);
        auto freshOutside = namesOf(*fresh.folderList().outside);
        std::sort(outside.begin(), outside.end());
        std::sort(freshOutside.begin(), freshOutside.end());
        EXPECT_EQ(outside, freshOutside);
        EXPECT_EQ(namesOf(ws.preview().names), namesOf(fresh.preview().names));
    }
}

TEST(ListingAfterSave, NoneWhereTheCallerEndsAfterSaving) {
    TempFolder dir;
    writeFile(dir.file("a.txt"), "a");
    PosixFileSystem posix;
    CountingDisk disk(posix);
    Workspace ws(disk);
    ws.setCaseMode(CaseMode::Uppercase, {});
    ws.setListAfterSave(false);
    ASSERT_TRUE(ws.load(dir.path(), U"*.*").ok());
    SaveCallbacks ask;
    ask.confirm = [](bool&) {
        return true;
    };
    disk.readings = 0;
    const SaveResult result = ws.save(U"*.*", ask);
    EXPECT_EQ(result.status, SaveStatus::Saved);
    EXPECT_EQ(result.renamed, 1u);
    EXPECT_EQ(disk.readings, 1);
    EXPECT_EQ(ws.folderList().names.size(), 0u);
    EXPECT_EQ(ws.preview().size(), 0u);
    EXPECT_EQ(readFile(dir.file("A.TXT")), "a");
}
