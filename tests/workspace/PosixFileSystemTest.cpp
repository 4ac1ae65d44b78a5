// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/disk/PosixFileSystem.h"
#include "TempFolder.h"
#include "workspace/folder/FolderReader.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillon;
using quillon::test::TempFolder;

namespace {

void touch(const std::string& path) {
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path;
    ::close(fd);
}

std::vector<std::string> encoded(const NameList& names) {
    return {names.begin(), names.end()};
}

TEST(PosixFileSystem, ListsFilesAndLinksToFilesButNoFolders) {
    TempFolder dir;
    touch(dir.file("plain.txt"));
    touch(dir.file(".hidden"));
    ::mkdir(dir.file("sub").c_str(), 0755);
    ASSERT_EQ(::symlink("sub", dir.file("link-to-sub").c_str()), 0);
    ASSERT_EQ(::symlink("plain.txt", dir.file("link-to-file").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", dir.file("dangling").c_str()), 0);

    PosixFileSystem fs;
    EXPECT_EQ(encoded(readSortedByName(fs, dir.path(), U"*.*").names),
              (std::vector<std::string>{"dangling", "link-to-file", "plain.txt"}));
    EXPECT_EQ(encoded(readSortedByDate(fs, dir.path(), U"*").names).size(), 4u);
}

TEST(PosixFileSystem, NonUtf8NameIsListedAndKeptByteForByte) {
    TempFolder dir;
    const std::string latin1 = "caf\xE9 \xFF.txt";
    touch(dir.file(latin1));
    PosixFileSystem fs;
    const auto r = readSortedByName(fs, dir.path(), U"*.TXT");
    ASSERT_EQ(r.names.size(), 1u);
    EXPECT_EQ(r.names[0], latin1);
    EXPECT_EQ(decodeName(r.names[0]).size(), 10u); // one character per undecodable byte
}

// Only the undo script runs; presets are read by all, the history by the
// user alone.
TEST(PosixFileSystem, AFileWrittenWholeHasTheModeOfItsUse) {
    const mode_t oldMask = ::umask(022);
    const struct {
        FileAccess access;
        mode_t mode;
    } cases[] = {
        {FileAccess::Shared, 0644},
        {FileAccess::Executable, 0755},
        {FileAccess::Private, 0600},
    };
    const TempFolder folder;
    PosixFileSystem fs;
    for (const auto& c : cases) {
        const std::string name = "file " + std::to_string(c.mode);
        ASSERT_EQ(fs.writeFileAtomically(folder.path(), name, "x", false, c.access), 0);
        struct stat st {};
        ASSERT_EQ(::stat(folder.file(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.mode);
    }
    ::umask(oldMask);
}

TEST(PosixFileSystem, MissingFolderReportsErrno) {
    PosixFileSystem fs;
    FolderListing entries;
    EXPECT_EQ(fs.readFolder("/nonexistent/quillon", entries), ENOENT);
    EXPECT_EQ(readSortedByName(fs, "/nonexistent/quillon", U"*.*").error, ENOENT);
}

// A filtered listing sees every entry once but holds only the kept ones,
// each with its type, on the disk as through the interface's own filter.
TEST(PosixFileSystem, AFilteredListingHoldsOnlyTheKeptEntries) {
    TempFolder dir;
    touch(dir.file("keep a.txt"));
    touch(dir.file("drop.txt"));
    touch(dir.file("keep \xFF.txt"));
    ::mkdir(dir.file("keep folder").c_str(), 0755);
    PosixFileSystem disk;
    std::vector<std::string> seen;
    const ListingFilter keep = [&](std::string_view name) {
        seen.emplace_back(name);
        return name.starts_with("keep");
    };
    FolderListing kept;
    ASSERT_EQ(disk.readFolderKeeping(dir.path(), kept, keep), 0);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen,
              (std::vector<std::string>{"drop.txt", "keep a.txt", "keep folder", "keep \xFF.txt"}));
    ASSERT_EQ(kept.names.size(), 3u);
    EXPECT_EQ(kept.types.size(), 3u);
    EXPECT_TRUE(kept.identities.empty());
    for (std::size_t i = 0; i < kept.names.size(); ++i) {
        EXPECT_TRUE(kept.names[i].starts_with("keep"));
        EXPECT_EQ(kept.types[i] == EntryType::Directory, kept.names[i] == "keep folder");
    }

    // The interface's own filter, over a plain listing, keeps the same.
    FolderListing filtered;
    ASSERT_EQ(disk.FileSystem::readFolderKeeping(dir.path(), filtered, keep), 0);
    std::vector<std::string> a = encoded(kept.names);
    std::vector<std::string> b = encoded(filtered.names);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_EQ(disk.readFolderKeeping("/nonexistent/quillon", filtered, keep), ENOENT);
    EXPECT_TRUE(filtered.names.empty());
}

TEST(PosixFileSystem, CreationTimeIsReported) {
    TempFolder dir;
    touch(dir.file("a"));
    PosixFileSystem fs;
    EntryStatus status;
    ASSERT_EQ(fs.statEntry(dir.path(), "a", status), 0);
    EXPECT_FALSE(status.isFolder);
    EXPECT_GT(status.creationTime, 1500000000);
    ASSERT_EQ(fs.statEntry(dir.path(), "", status), 0); // the folder itself
    EXPECT_TRUE(status.isFolder);
}

} // namespace

// The twin of a file system is another holder of locks: a save through the
// one keeps a save through the other out, as another process's would.
TEST(PosixFileSystem, ATwinHoldsLocksOfItsOwn) {
    TempFolder dir;
    PosixFileSystem fs;
    const std::unique_ptr<FileSystem> twin = fs.makeTwin();
    ASSERT_NE(twin, nullptr);
    ASSERT_NE(twin.get(), &fs);
    ASSERT_EQ(fs.lockFolder(dir.path()), 0);
    EXPECT_EQ(twin->lockFolder(dir.path()), EWOULDBLOCK);
    fs.unlockFolder(dir.path());
    EXPECT_EQ(twin->lockFolder(dir.path()), 0);
    EXPECT_EQ(fs.lockFolder(dir.path()), EWOULDBLOCK);
    twin->unlockFolder(dir.path());
}
