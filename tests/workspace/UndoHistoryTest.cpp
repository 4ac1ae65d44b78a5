// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/history/UndoHistory.h"
#include "DiskHelpers.h"
#include "ForwardingFileSystem.h"
#include "ScopedVariable.h"
#include "TempFolder.h"
#include "workspace/disk/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillon;
using quillon::test::TempFolder;

namespace {

constexpr std::int64_t kSecond = 1'000'000'000;
// 2026-12-08 13:56:12 UTC.
constexpr std::int64_t kNoon = 1'796'738'172 * kSecond;
constexpr std::int64_t kCentury = std::int64_t{100} * 365 * 24 * 3600 * kSecond;

// A history in a fresh temporary folder, one level below it so that the
// first add has to create it.
struct History {
    TempFolder base;
    PosixFileSystem fs;
    UndoHistory history{fs, base.path() + "/state/quillon/history"};

    HistoryEntry add(const std::string& folder, std::int64_t time, std::string_view record = "r",
                     const HistoryLimits& limits = {}) {
        HistoryEntry entry;
        EXPECT_EQ(history.add(folder, time, 7, "id-" + std::to_string(time), record, entry, limits),
                  0);
        return entry;
    }
    std::vector<std::string> folders(const std::string& only = {}) {
        std::vector<std::string> out;
        for (const HistoryEntry& entry : history.list(only))
            out.push_back(entry.folder);
        return out;
    }
    std::vector<std::int64_t> times() {
        std::vector<std::int64_t> out;
        for (const HistoryEntry& entry : history.list())
            out.push_back(entry.savedAtNanoseconds);
        return out;
    }
};

TEST(UndoHistory, KeepsAnyFolderPathAndRecordByteForByte) {
    const std::string record = std::string("#!/bin/sh\nmv -- 'a' 'b'\n\0\xff tail", 31);
    const std::string hostile[] = {
        "/home/ann/Pictures",
        "/tmp/new\nline\r\n",
        "/tmp/\"quoted\" \\back\\slash\\x41",
        "/tmp/caf\xe9 \xff\xfe\x80",
        "/tmp/\xc3\xa9t\xc3\xa9 \xe2\x80\xae",
        "/tmp/\x01\x1b[31m\x7f",
        "/" + std::string(4095, '\n'),
    };
    History h;
    for (const std::string& folder : hostile) {
        SCOPED_TRACE(testing::PrintToString(folder));
        const HistoryEntry added = h.add(folder, kNoon, record);
        const std::vector<HistoryEntry> listed = h.history.list(folder);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].fileName, added.fileName);
        EXPECT_EQ(listed[0].folder, folder);
        EXPECT_EQ(listed[0].savedAtNanoseconds, kNoon);
        EXPECT_EQ(listed[0].renamed, 7u);
        EXPECT_EQ(listed[0].saveId, "id-" + std::to_string(kNoon));
        EXPECT_EQ(listed[0].bytes, added.bytes);
        std::string back;
        EXPECT_EQ(h.history.readRecord(listed[0], back), 0);
        EXPECT_EQ(back, record);
    }
}

TEST(UndoHistory, RefusesWhatItCouldNotReadBack) {
    History h;
    HistoryEntry entry;
    const struct {
        std::string folder;
        std::int64_t time;
        std::string saveId;
    } cases[] = {
        {"", kNoon, "id"},
        {"relative/folder", kNoon, "id"},
        {"/" + std::string(4096, 'x'), kNoon, "id"},
        {"/tmp", -1, "id"},
        {"/tmp", kNoon, std::string(257, 'i')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.substr(0, 20));
        EXPECT_EQ(h.history.add(c.folder, c.time, 1, c.saveId, "r", entry), EINVAL);
    }
    EXPECT_TRUE(h.history.list().empty());
    UndoHistory nowhere(h.fs, "");
    EXPECT_EQ(nowhere.add("/a", kNoon, 1, "id", "r", entry), ENOENT);
}

TEST(UndoHistory, CreatesItsFolderForTheUserAlone) {
    History h;
    h.add("/tmp", kNoon);
    struct stat st {};
    ASSERT_EQ(::stat(h.history.directory().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((h.base.path() + "/state").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    test::writeFile(h.base.file("file"), "");
    UndoHistory blocked(h.fs, h.base.file("file") + "/history");
    HistoryEntry entry;
    EXPECT_EQ(blocked.add("/tmp", kNoon, 1, "id", "r", entry), ENOTDIR);
}

// Entries are the user's alone, in a folder that is the user's alone also
// where it was looser before.
TEST(UndoHistory, EntriesAreTheUsersAloneAndALooseFolderIsTightened) {
    const mode_t oldMask = ::umask(022);
    for (const mode_t before : {0700, 0755, 0777}) {
        History h;
        ASSERT_EQ(h.fs.createFolders(h.history.directory()), 0);
        ::chmod(h.history.directory().c_str(), before);
        const HistoryEntry entry = h.add("/tmp", kNoon);
        struct stat st {};
        ASSERT_EQ(::stat(h.history.directory().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << before;
        ASSERT_EQ(::stat((h.history.directory() + "/" + entry.fileName).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << before;
    }
    ::umask(oldMask);
}

TEST(UndoHistory, ListsOldestFirstWhateverTheOrderOfAdding) {
    History h;
    EXPECT_TRUE(h.history.list().empty()); // no folder yet
    const std::int64_t added[] = {kNoon + 3 * kSecond, kNoon, kNoon + 1, kNoon + kSecond,
                                  // Same nanosecond: the order of adding.
                                  kNoon + 1, 5, kNoon + kCentury};
    for (std::size_t i = 0; i < std::size(added); ++i)
        h.add("/f" + std::to_string(i), added[i]);
    EXPECT_EQ(h.times(), (std::vector<std::int64_t>{5, kNoon, kNoon + 1, kNoon + 1, kNoon + kSecond,
                                                    kNoon + 3 * kSecond, kNoon + kCentury}));
    EXPECT_EQ(h.folders()[2], "/f2");
    EXPECT_EQ(h.folders()[3], "/f4");
}

TEST(UndoHistory, FiltersByTheExactFolder) {
    History h;
    const char* folders[] = {"/a", "/a/", "/ab", "/a/b", "/A", "/a", "/a\n"};
    for (std::size_t i = 0; i < std::size(folders); ++i)
        h.add(folders[i], kNoon + static_cast<std::int64_t>(i));
    EXPECT_EQ(h.folders("/a"), (std::vector<std::string>{"/a", "/a"}));
    EXPECT_EQ(h.folders("/a/"), (std::vector<std::string>{"/a/"}));
    EXPECT_EQ(h.folders("/a\n"), (std::vector<std::string>{"/a\n"}));
    EXPECT_TRUE(h.folders("/nowhere").empty());
    EXPECT_EQ(h.folders().size(), std::size(folders));
}

TEST(UndoHistory, ReplacesAndRemovesOneEntry) {
    History h;
    const HistoryEntry first = h.add("/a", kNoon, "first record");
    HistoryEntry second = h.add("/a", kNoon + 1, "second record, longer");

    EXPECT_EQ(h.history.replaceRecord(second, 2, "left"), 0);
    EXPECT_EQ(second.renamed, 2u);
    std::vector<HistoryEntry> listed = h.history.list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1].fileName, second.fileName);
    EXPECT_EQ(listed[1].renamed, 2u);
    EXPECT_EQ(listed[1].bytes, second.bytes);
    EXPECT_EQ(listed[1].savedAtNanoseconds, kNoon + 1);
    std::string record;
    EXPECT_EQ(h.history.readRecord(listed[1], record), 0);
    EXPECT_EQ(record, "left");
    EXPECT_EQ(h.history.readRecord(h.history.list()[0], record), 0);
    EXPECT_EQ(record, "first record");

    EXPECT_EQ(h.history.remove(second), 0);
    ASSERT_EQ(h.history.list().size(), 1u);
    EXPECT_EQ(h.history.list()[0].fileName, first.fileName);
    EXPECT_EQ(h.history.replaceRecord(second, 1, "again"), ENOENT);
    EXPECT_EQ(h.history.readRecord(second, record), ENOENT);
    EXPECT_EQ(h.history.list().size(), 1u);
}

TEST(UndoHistory, NamesOutsideItsOwnShapeAreNeverTouched) {
    History h;
    const HistoryEntry kept = h.add("/a", kNoon);
    test::writeFile(h.base.file("victim"), "mine");
    const std::string forgedNames[] = {"../../victim", "/etc/passwd", "", kept.fileName + "/.."};
    for (const std::string& name : forgedNames) {
        HistoryEntry forged = kept;
        forged.fileName = name;
        std::string record;
        EXPECT_EQ(h.history.remove(forged), EINVAL) << name;
        EXPECT_EQ(h.history.replaceRecord(forged, 1, "x"), EINVAL) << name;
        EXPECT_EQ(h.history.readRecord(forged, record), EINVAL) << name;
    }
    EXPECT_EQ(test::readFile(h.base.file("victim")), "mine");
    EXPECT_EQ(h.history.list().size(), 1u);
}

struct PruneCase {
    const char* what;
    /// Folder and record size of each save, oldest first.
    std::vector<std::pair<std::string, std::size_t>> saves;
    HistoryLimits limits;
    /// Indices of the saves kept.
    std::vector<std::size_t> kept;
};

// Each entry's header adds about 130 bytes to its record.
const PruneCase kPruneCases[] = {
    {"within both limits", {{"/a", 10}, {"/b", 10}, {"/a", 10}}, {3, 10000}, {0, 1, 2}},
    {"count: the oldest go", {{"/a", 1}, {"/a", 1}, {"/a", 1}, {"/a", 1}}, {2, 10000}, {2, 3}},
    {"count: a folder's newest goes too",
     {{"/a", 1}, {"/b", 1}, {"/a", 1}, {"/c", 1}},
     {2, 10000},
     {2, 3}},
    {"count: more folders than the limit", {{"/a", 1}, {"/b", 1}, {"/c", 1}}, {1, 10000}, {2}},
    {"size: the oldest go", {{"/a", 1000}, {"/a", 1000}, {"/a", 1000}}, {100, 2500}, {1, 2}},
    {"size: a big newest of its folder goes first",
     {{"/big", 5000}, {"/a", 100}, {"/a", 100}, {"/b", 100}},
     {100, 1000},
     {1, 2, 3}},
    {"size: one save beyond the limit alone", {{"/a", 100}, {"/a", 5000}}, {100, 1000}, {}},
};

TEST(UndoHistory, PrunesOldestFirstWithinOneBound) {
    for (const PruneCase& c : kPruneCases) {
        SCOPED_TRACE(c.what);
        History h;
        std::vector<std::string> names;
        for (std::size_t i = 0; i < c.saves.size(); ++i)
            names.push_back(h.add(c.saves[i].first, kNoon + static_cast<std::int64_t>(i),
                                  std::string(c.saves[i].second, 'r'), c.limits)
                                .fileName);
        std::vector<std::string> expected;
        for (const std::size_t i : c.kept)
            expected.push_back(names[i]);
        std::vector<std::string> listed;
        for (const HistoryEntry& entry : h.history.list())
            listed.push_back(entry.fileName);
        EXPECT_EQ(listed, expected);
    }
}

TEST(UndoHistory, PassesOverDamagedEntries) {
    History h;
    const HistoryEntry good = h.add("/good", kNoon, "record");
    const std::string dir = h.history.directory();
    const std::string whole = test::readFile(dir + "/" + good.fileName);
    auto withLine = [&](const std::string& from, const std::string& to) {
        std::string text = whole;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        const char* what;
        std::string content;
    } damaged[] = {
        {"empty", ""},
        {"cut in the record", whole.substr(0, whole.size() - 1)},
        {"cut in the header", whole.substr(0, 40)},
        {"a byte too many", whole + "x"},
        {"another version", withLine("entry 2", "entry 3")},
        {"identity not a number", withLine("folder-identity ", "folder-identity x")},
        {"relative folder", withLine("\"/good\"", "\"good\"")},
        {"empty folder", withLine("\"/good\"", "\"\"")},
        {"raw newline in the folder", withLine("\"/good\"", "\"/go\nod\"")},
        {"unknown escape", withLine("\"/good\"", "\"/go\\nod\"")},
        {"short hex escape", withLine("\"/good\"", "\"/go\\x4\"")},
        {"unquoted folder", withLine("\"/good\"", "/good")},
        {"sign", withLine("renamed 7", "renamed +7")},
        {"leading zero", withLine("renamed 7", "renamed 07")},
        {"count overflows", withLine("renamed 7", "renamed 18446744073709551616")},
        {"time beyond range", withLine("time ", "time 9")},
        {"record size beyond reason", withLine("record 6", "record 99999999999")},
        {"header without end", "Quillon history entry 1\nfolder \"/" + std::string(30000, 'x')},
        {"binary", std::string("\x7f"
                               "ELF\0\0\0",
                               7)},
    };
    for (std::size_t i = 0; i < std::size(damaged); ++i) {
        std::string name = good.fileName;
        name.replace(0, 4, std::to_string(1000 + i)); // older than good, same shape
        test::writeFile(dir + "/" + name, damaged[i].content);
    }
    ::mkdir((dir + "/20261208T000000.000000000Z-0000000001-0000000001.save").c_str(), 0700);
    ::symlink(good.fileName.c_str(),
              (dir + "/20261208T000000.000000000Z-0000000001-0000000002.save").c_str());
    ::mkfifo((dir + "/20261208T000000.000000000Z-0000000001-0000000003.save").c_str(), 0600);
    test::writeFile(dir + "/not an entry.save", whole);

    const std::vector<HistoryEntry> listed = h.history.list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].fileName, good.fileName);
    // Pruning goes by names and sizes, reading nothing: damaged files of an
    // entry's name count, oldest first; what is no regular file of that
    // shape stays.
    h.history.prune({1, UINT64_MAX});
    EXPECT_EQ(h.history.list().size(), 1u);
    FolderListing left;
    ASSERT_EQ(h.fs.readFolder(dir, left), 0);
    EXPECT_EQ(left.names.size(), 5U);
}

TEST(UndoHistory, RemovesTheTemporariesOfKilledWritesOnly) {
    const std::int64_t now = std::time(nullptr) * kSecond;
    const struct {
        std::int64_t newestSave;
        bool removed;
    } cases[] = {{now, false}, {now + 59 * 60 * kSecond, false}, {now + 2 * 3600 * kSecond, true}};
    for (const auto& c : cases) {
        History h;
        h.add("/a", 0);
        const std::string dir = h.history.directory();
        test::writeFile(dir + "/_Quillon record 12-3.tmp", "partial");
        test::writeFile(dir + "/_Quillon record.tmp", "not ours");
        h.add("/a", c.newestSave);
        EXPECT_EQ(test::readFile(dir + "/_Quillon record 12-3.tmp") == "<missing>", c.removed);
        EXPECT_EQ(test::readFile(dir + "/_Quillon record.tmp"), "not ours");
    }
}

// Counts what list() reads.
class CountingDisk final : public test::ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    int readRegularFile(const std::string& f, std::string_view n, std::size_t limit,
                        std::string& out) override {
        largestRead = std::max(largestRead, limit);
        ++reads;
        return m_disk.readRegularFile(f, n, limit, out);
    }
    std::size_t largestRead = 0;
    std::size_t reads = 0;
};

TEST(UndoHistory, ListingReadsOnlyTheHeaders) {
    History h;
    const std::string big(3 << 20, 'r');
    h.add("/a", kNoon, big);
    h.add("/b", kNoon + 1, big);
    CountingDisk counting(h.fs);
    UndoHistory history(counting, h.history.directory());
    EXPECT_EQ(history.list().size(), 2u);
    EXPECT_LE(counting.largestRead, std::size_t{64} << 10);
    std::string record;
    EXPECT_EQ(history.readRecord(history.list()[1], record), 0);
    EXPECT_EQ(record, big);
}

// A folder that is there is found by its identity: only its own entries
// are read, however many other folders the history holds.
TEST(UndoHistory, FindingAFoldersSavesReadsOnlyItsEntries) {
    History h;
    const TempFolder photos;
    for (int i = 0; i < 50; ++i)
        h.add("/elsewhere/" + std::to_string(i), kNoon + i);
    h.add(photos.path(), kNoon + 100);
    h.add(photos.path(), kNoon + 101);
    CountingDisk counting(h.fs);
    UndoHistory history(counting, h.history.directory());
    const std::vector<HistoryEntry> found = history.list(photos.path());
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[1].savedAtNanoseconds, kNoon + 101);
    EXPECT_EQ(counting.reads, 2U);
    // Pruning reads no entry at all.
    counting.reads = 0;
    history.prune({10, UINT64_MAX});
    EXPECT_EQ(counting.reads, 0U);
    EXPECT_EQ(history.list().size(), 10U);
}

// An entry whose record is larger than any record of its folder could be,
// or than the fixed cap, is refused before it is read.
TEST(UndoHistory, AnOversizedEntryIsRefusedUnread) {
    History h;
    const HistoryEntry entry = h.add("/a", kNoon, std::string(1 << 20, 'r'));
    CountingDisk counting(h.fs);
    UndoHistory history(counting, h.history.directory());
    const struct {
        const char* what;
        std::uint64_t most;
        int expected;
    } cases[] = {
        {"within what the folder allows", 2 << 20, 0},
        {"beyond what the folder allows", 4096, EFBIG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        counting.reads = 0;
        std::string record;
        EXPECT_EQ(history.readRecord(entry, record, c.most), c.expected);
        EXPECT_EQ(counting.reads, c.expected == 0 ? 1U : 0U);
    }
    // A file that claims a gigabyte is damaged, whatever its folder allows.
    HistoryEntry huge = entry;
    huge.bytes = std::uint64_t{1} << 30;
    counting.reads = 0;
    std::string record;
    EXPECT_EQ(history.readRecord(huge, record), EFBIG);
    EXPECT_EQ(counting.reads, 0U);
}

// Lets a write fail part way through, as a full disk does: the process may
// write no file larger than limit bytes.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{limit, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(UndoHistory, AFailedWriteLeavesNoPartialEntry) {
    History h;
    HistoryEntry kept = h.add("/a", kNoon, "small");
    const auto before = test::snapshot(h.history.directory());
    const std::string big(1 << 20, 'r');
    HistoryEntry entry;
    {
        const FileSizeLimit limit(64 << 10);
        EXPECT_EQ(h.history.add("/a", kNoon + 1, 1, "id", big, entry), EFBIG);
        EXPECT_EQ(h.history.replaceRecord(kept, 1, big), EFBIG);
    }
    EXPECT_EQ(test::snapshot(h.history.directory()), before);
    ASSERT_EQ(h.history.list().size(), 1u);
    std::string record;
    EXPECT_EQ(h.history.readRecord(kept, record), 0);
    EXPECT_EQ(record, "small");
}

TEST(UndoHistory, DefaultDirectoryFollowsXdgStateHome) {
    const struct {
        std::optional<std::string> state;
        std::optional<std::string> home;
        std::string expected;
    } cases[] = {
        {"/s", "/h", "/s/quillon/history"},
        {std::nullopt, "/h", "/h/.local/state/quillon/history"},
        {"", "/h", "/h/.local/state/quillon/history"},
        {"relative/state", "/h", "/h/.local/state/quillon/history"},
        {"~/state", "/h", "/h/.local/state/quillon/history"},
        {"/s", std::nullopt, "/s/quillon/history"},
        {std::nullopt, std::nullopt, ""},
        {"relative", "relative-home", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const test::ScopedVariable state("XDG_STATE_HOME", c.state);
        const test::ScopedVariable home("HOME", c.home);
        EXPECT_EQ(UndoHistory::defaultDirectory(), c.expected)
            << c.state.value_or("(unset)") << " " << c.home.value_or("(unset)");
    }
}

} // namespace

namespace {

// Counts the readings of folders.
class ListingCounter final : public test::ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    int readFolder(const std::string& f, FolderListing& out) override {
        ++listings;
        return m_disk.readFolder(f, out);
    }
    std::size_t listings = 0;
};

// A run saving and taking back many folders reads the history folder once
// while it alone changes it.
TEST(UndoHistory, ReadsItsFolderOnceWhileNothingElseChangesIt) {
    History h;
    const TempFolder photos;
    h.add("/elsewhere", kNoon);
    PosixFileSystem disk;
    ListingCounter counting(disk);
    UndoHistory history(counting, h.history.directory());
    for (int i = 1; i <= 20; ++i) {
        HistoryEntry entry;
        ASSERT_EQ(history.add(photos.path(), kNoon + i, 1, "id", "r", entry, HistoryLimits{10}), 0);
        ASSERT_EQ(history.replaceRecord(entry, 2, "rest"), 0);
        if (i % 2 == 0) {
            ASSERT_EQ(history.remove(history.list(photos.path()).back()), 0);
        }
    }
    EXPECT_EQ(counting.listings, 1U);
    // The bound of ten, less the last save taken back.
    EXPECT_EQ(h.history.list().size(), 9U);
    EXPECT_EQ(history.list().size(), 9U);
}

// What another process changes in the history between two uses is found,
// however soon it follows this one's own change.
TEST(UndoHistory, FindsWhatAnotherProcessChangedSinceItsReading) {
    using Change = std::function<void(History&, const std::string&)>;
    const struct {
        const char* what;
        Change change;
        std::vector<std::int64_t> listed;
        std::vector<std::int64_t> afterPruningToTwo;
    } cases[] = {
        {"an entry added",
         [](History& other, const std::string& folder) { other.add(folder, kNoon + 5); },
         {kNoon, kNoon + 1, kNoon + 5},
         {kNoon + 1, kNoon + 5}},
        {"an entry removed",
         [](History& other, const std::string&) {
             ASSERT_EQ(other.history.remove(other.history.list().front()), 0);
         },
         {kNoon + 1},
         {kNoon + 1}},
        {"an entry moved in by hand",
         [](History& other, const std::string& folder) {
             const HistoryEntry entry = other.add(folder, kNoon - 5);
             const std::string dir = other.history.directory();
             std::rename((dir + "/" + entry.fileName).c_str(), other.base.file("aside").c_str());
             std::rename(other.base.file("aside").c_str(), (dir + "/" + entry.fileName).c_str());
         },
         {kNoon - 5, kNoon, kNoon + 1},
         {kNoon, kNoon + 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        History other;
        const TempFolder photos;
        PosixFileSystem disk;
        UndoHistory history(disk, other.history.directory());
        HistoryEntry entry;
        ASSERT_EQ(history.add(photos.path(), kNoon, 1, "id", "r", entry), 0);
        ASSERT_EQ(history.add(photos.path(), kNoon + 1, 1, "id", "r", entry), 0);
        c.change(other, photos.path());
        std::vector<std::int64_t> times;
        for (const HistoryEntry& listed : history.list(photos.path()))
            times.push_back(listed.savedAtNanoseconds);
        EXPECT_EQ(times, c.listed);
        history.prune({2, UINT64_MAX});
        times.clear();
        for (const HistoryEntry& listed : other.history.list(photos.path()))
            times.push_back(listed.savedAtNanoseconds);
        EXPECT_EQ(times, c.afterPruningToTwo);
    }
}

} // namespace
