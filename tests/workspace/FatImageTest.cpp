// SPDX-License-Identifier: GPL-3.0-or-later
// A real file system that ignores letter case: a FAT image mounted through
// FUSE (Debian's dosfstools and fusefat, root and /dev/fuse). Skips where the
// image cannot be made or mounted.
#include "DiskHelpers.h"
#include "ForwardingFileSystem.h"
#include "TempFolder.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"
#include "workspace/undo/UndoLastSave.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <optional>

#include <cerrno>
#include <filesystem>
#include <sys/statfs.h>
#include <sys/wait.h>

using namespace quillon;
using namespace quillon::test;
using Snapshot = std::map<std::string, std::string>;

namespace {

int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FatImage final {
public:
    FatImage() {
        std::string image;
        appendShellQuoted(image, m_dir.file("fat.img"));
        std::string mount;
        appendShellQuoted(mount, m_dir.file("mnt"));
        ::mkdir(m_dir.file("mnt").c_str(), 0755);
        const std::string path = "PATH=\"$PATH:/usr/sbin:/sbin\" ";
        if (shell(path + "command -v mkfs.vfat >/dev/null && command -v fusefat >/dev/null") != 0) {
            m_problem = "mkfs.vfat or fusefat is not installed (dosfstools, fusefat)";
            return;
        }
        if (shell("truncate -s 8M " + image + " && " + path + "mkfs.vfat " + image +
                  " >/dev/null 2>&1") != 0) {
            m_problem = "mkfs.vfat failed";
            return;
        }
        if (shell("fusefat -o rw+ " + image + " " + mount + " >/dev/null 2>&1") != 0) {
            m_problem = "fusefat could not mount the image (needs /dev/fuse and the rights)";
            return;
        }
        struct statfs fs {};
        m_mounted = ::statfs(m_dir.file("mnt").c_str(), &fs) == 0 && fs.f_type == 0x65735546;
        if (!m_mounted)
            m_problem = "the image did not show up as a FUSE mount";
    }
    ~FatImage() {
        if (m_mounted) {
            std::string mount;
            appendShellQuoted(mount, m_dir.file("mnt"));
            shell("fusermount -u " + mount + " 2>/dev/null || umount " + mount);
        }
    }
    FatImage(const FatImage&) = delete;
    FatImage& operator=(const FatImage&) = delete;

    bool mounted() const { return m_mounted; }
    const std::string& problem() const { return m_problem; }
    std::string folder() const { return m_dir.file("mnt"); }

private:
    TempFolder m_dir;
    bool m_mounted = false;
    std::string m_problem;
};

TEST(FatImage, CaseOnlyRenameWorksAndAFileDifferingByCaseIsNeverReplaced) {
    FatImage fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.problem();
    const std::string dir = fat.folder();
    writeFile(dir + "/abc.txt", "abc");
    writeFile(dir + "/other.txt", "other");
    PosixFileSystem fs;
    EXPECT_EQ(fs.renameNoReplace(dir, "abc.txt", "ABC.txt"), 0);
    EXPECT_EQ(snapshot(dir), (Snapshot{{"ABC.txt", "abc"}, {"other.txt", "other"}}));
    EXPECT_EQ(fs.renameNoReplace(dir, "other.txt", "Abc.TXT"), EEXIST);
    EXPECT_EQ(fs.renameNoReplace(dir, "other.txt", "abc.txt"), EEXIST);
    EXPECT_EQ(snapshot(dir), (Snapshot{{"ABC.txt", "abc"}, {"other.txt", "other"}}));
}

TEST(FatImage, SavingInUpperCaseAndTheUndoScriptRoundTrip) {
    FatImage fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.problem();
    const std::string dir = fat.folder();
    for (const char* name : {"song one.mp3", "Song Two.mp3", "third.mp3"})
        writeFile(dir + "/" + name, name);
    const Snapshot before = snapshot(dir);
    PosixFileSystem fs;
    Workspace ws(fs);
    ws.setCaseMode(CaseMode::Uppercase, {});
    ASSERT_TRUE(ws.load(dir, U"*.*").ok());
    SaveCallbacks ask;
    ask.confirm = [](bool&) {
        return true;
    };
    int failures = 0;
    ask.renameFailed = [&](const RenameFailure&) {
        ++failures;
        return RenameFailureChoice::Skip;
    };
    const SaveResult result = ws.save(U"*.*", ask);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(result.renamed, 3u);
    Snapshot after = snapshot(dir);
    EXPECT_EQ(after.erase(kUndoScriptName), 1u);
    EXPECT_EQ(after, (Snapshot{{"SONG ONE.MP3", "song one.mp3"},
                               {"SONG TWO.MP3", "Song Two.mp3"},
                               {"THIRD.MP3", "third.mp3"}}));

    TempFolder elsewhere;
    EXPECT_EQ(runUndoScript(dir, elsewhere.path()), 0);
    EXPECT_EQ(snapshot(dir), before);
}

} // namespace

namespace {

// Each new name is the other's old name in upper case: where the disk
// ignores case that is a swap, which lands through a temporary name, and
// the dry run foresees no failure.
TEST(FatImage, ASwapThatAlsoChangesCaseLandsAndComesBack) {
    FatImage fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.problem();
    const std::string dir = fat.folder();
    writeFile(dir + "/x - y.txt", "x");
    writeFile(dir + "/y - x.txt", "y");
    const Snapshot before = snapshot(dir);
    for (const bool byScript : {false, true}) {
        PosixFileSystem fs;
        Workspace ws(fs);
        ws.setCaseMode(CaseMode::None, {});
        ASSERT_TRUE(ws.load(dir, U"*.*").ok());
        ws.renameEntry(0, U"Y - X.TXT", false);
        ws.renameEntry(1, U"X - Y.TXT", false);
        std::optional<SaveNotice> refusal;
        EXPECT_TRUE(ws.saveConflicts(true, refusal).empty());
        EXPECT_FALSE(refusal.has_value());
        SaveCallbacks ask;
        ask.confirm = [](bool&) {
            return true;
        };
        const SaveResult result = ws.save(U"*.*", ask);
        EXPECT_EQ(result.renamed, 2u);
        Snapshot after = snapshot(dir);
        EXPECT_EQ(after.erase(kUndoScriptName), 1u);
        EXPECT_EQ(after, (Snapshot{{"X - Y.TXT", "y"}, {"Y - X.TXT", "x"}}));
        if (byScript) {
            TempFolder elsewhere;
            EXPECT_EQ(runUndoScript(dir, elsewhere.path()), 0);
        } else {
            EXPECT_TRUE(undoLastSave(fs, dir, {}).notRestored.empty());
        }
        EXPECT_EQ(snapshot(dir), before) << (byScript ? "script" : "program");
    }
}

TEST(FatImage, TheScriptsNameInOtherCaseIsAnOrdinaryFileThatIsNeverDeleted) {
    FatImage fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.problem();
    const std::string dir = fat.folder();
    writeFile(dir + "/_QUILLON - CLICK ME TO UNDO.SH", "the user's own");
    writeFile(dir + "/a.txt", "a");
    PosixFileSystem fs;
    for (const bool createUndoFile : {true, false}) {
        Workspace ws(fs);
        ws.setCaseMode(CaseMode::Uppercase, {});
        ASSERT_TRUE(ws.load(dir, U"*.*").ok());
        EXPECT_EQ(ws.folderList().names.size(), 2u); // listed like any other file
        SaveCallbacks ask;
        ask.confirm = [&](bool& create) {
            create = createUndoFile;
            return true;
        };
        std::vector<SaveNoticeKind> told;
        ask.tell = [&](const SaveNotice& n) {
            told.push_back(n.kind);
        };
        const SaveResult result = ws.save(U"*.*", ask);
        if (createUndoFile) {
            // The disk would find the user's file under the script's name.
            EXPECT_EQ(result.status, SaveStatus::UndoFileFailed);
            EXPECT_EQ(told, std::vector<SaveNoticeKind>{SaveNoticeKind::UndoFileNotWritten});
        } else {
            EXPECT_EQ(result.status, SaveStatus::Saved);
        }
    }
    EXPECT_EQ(snapshot(dir),
              (Snapshot{{"_QUILLON - CLICK ME TO UNDO.SH", "the user's own"}, {"A.TXT", "a"}}));
}

} // namespace

namespace {

// Where a save dies inside the change of case of one file, which the disk
// takes in two steps through a temporary name.
enum class Kill : std::uint8_t {
    // Inside the first step: the temporary name is held by the empty file a
    // rename onto a reserved name leaves, the file still has its old name.
    IntoTemporary,
    BetweenSteps,
    // Inside the second step: an empty file holds the new name.
    OutOfTemporary,
};

// Ends the process as a kill would at the chosen rename through a temporary
// name: no destructor runs, the record is never rewritten.
class KillingDisk final : public ForwardingFileSystem {
public:
    KillingDisk(FileSystem& disk, int killAt, bool placeholder)
        : ForwardingFileSystem(disk)
        , m_killAt(killAt)
        , m_placeholder(placeholder) {}
    int renameDirect(const std::string& f, std::string_view from, std::string_view to) override {
        const bool temporary = from.starts_with("_Quillon case") || to.starts_with("_Quillon case");
        if (temporary && m_renames++ == m_killAt) {
            // A reservation is only ever made under Quillon's own names: onto
            // the file's own name in another case, saving looks instead.
            if (m_placeholder && to.starts_with("_Quillon case"))
                m_disk.createFile(f, to, {});
            ::_exit(0);
        }
        return m_disk.renameDirect(f, from, to);
    }

private:
    int m_killAt;
    bool m_placeholder;
    int m_renames = 0;
};

void saveInUpperCaseKilled(const std::string& dir, std::size_t victim, Kill kill) {
    const pid_t child = ::fork();
    if (child == 0) {
        PosixFileSystem disk;
        KillingDisk fs(disk, static_cast<int>(2 * victim) + (kill == Kill::IntoTemporary ? 0 : 1),
                       kill != Kill::BetweenSteps);
        Workspace ws(fs);
        ws.setCaseMode(CaseMode::Uppercase, {});
        ws.load(dir, U"*.*");
        SaveCallbacks ask;
        ask.confirm = [](bool&) {
            return true;
        };
        ws.save(U"*.*", ask);
        ::_exit(1); // never reached the rename it was to die in
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(FatImage, AKillInsideACaseOnlyRenameLeavesARecordThatBringsEveryFileBack) {
    FatImage fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.problem();
    const std::string dir = fat.folder();
    struct Row {
        std::size_t victim; // b.txt is empty, like the placeholders
        Kill kill;
    };
    const Row rows[] = {{0, Kill::IntoTemporary},  {0, Kill::BetweenSteps},
                        {0, Kill::OutOfTemporary}, {1, Kill::IntoTemporary},
                        {1, Kill::BetweenSteps},   {1, Kill::OutOfTemporary}};
    for (const Row row : rows) {
        for (const bool withScript : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "file " << row.victim << ", kill " << static_cast<int>(row.kill)
                         << ", script " << withScript);
            for (const auto& entry : std::filesystem::directory_iterator(dir))
                std::filesystem::remove(entry.path());
            writeFile(dir + "/a.txt", "a");
            writeFile(dir + "/b.txt", "");
            writeFile(dir + "/c.txt", "c");
            const Snapshot before = snapshot(dir);
            saveInUpperCaseKilled(dir, row.victim, row.kill);

            // Lines of files renamed whole, and of the victim once it left
            // its old name; a placeholder is never counted as a file.
            const std::size_t moved = row.victim + (row.kill == Kill::IntoTemporary ? 0 : 1);
            if (withScript) {
                TempFolder elsewhere;
                EXPECT_EQ(runUndoScript(dir, elsewhere.path()), 0);
            } else {
                PosixFileSystem fs;
                const UndoResult undo = undoLastSave(fs, dir, {});
                EXPECT_TRUE(undo.notRestored.empty());
                EXPECT_EQ(undo.restored.size(), moved);
                EXPECT_EQ(undo.nothingToDo, 3 - moved);
            }
            EXPECT_EQ(snapshot(dir), before);
        }
    }
}

} // namespace
