// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskHelpers.h"
#include "TempFolder.h"
#include "workspace/disk/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace quillon;
using namespace quillon::test;
using Method = PosixFileSystem::RenameMethod;
using Snapshot = std::map<std::string, std::string>;

namespace {

class PosixRename : public testing::TestWithParam<Method> {
protected:
    int rename(const std::string& from, const std::string& to) {
        return m_fs.renameNoReplace(m_dir.path(), from, to);
    }
    Snapshot files() const { return snapshot(m_dir.path()); }
    void add(const std::string& name) { writeFile(m_dir.file(name), "content of " + name); }

    TempFolder m_dir;
    PosixFileSystem m_fs{GetParam()};
};

struct RenameRow {
    const char* what;
    std::vector<std::string> present;
    std::string from;
    std::string to;
    int error;
};

TEST_P(PosixRename, NeverReplacesAndMovesContentOnlyOnSuccess) {
    const std::string latin1 = "caf\xE9";
    const RenameRow rows[] = {
        {"free name", {"a"}, "a", "b", 0},
        {"target exists", {"a", "b"}, "a", "b", EEXIST},
        {"source vanished", {}, "a", "b", ENOENT},
        {"vanished onto existing", {"b"}, "a", "b", ENOENT},
        {"case only", {"abc"}, "abc", "ABC", 0},
        {"other file differing by case", {"abc", "ABC"}, "abc", "ABC", EEXIST},
        {"non-UTF-8 bytes", {latin1}, latin1, latin1 + "\xFF", 0},
        {"name too long", {"a"}, "a", std::string(256, 'n'), ENAMETOOLONG},
    };
    // Under a save's lock the renames go by the folder's handle, else by path.
    for (const bool locked : {false, true}) {
        for (const bool ownName : {false, true}) {
            for (const RenameRow& row : rows) {
                TempFolder dir;
                for (const auto& name : row.present)
                    writeFile(dir.file(name), "content of " + name);
                const Snapshot before = snapshot(dir.path());
                if (locked) {
                    ASSERT_EQ(m_fs.lockFolder(dir.path()), 0);
                }
                EXPECT_EQ(ownName ? m_fs.renameToOwnName(dir.path(), row.from, row.to)
                                  : m_fs.renameNoReplace(dir.path(), row.from, row.to),
                          row.error)
                    << row.what << (ownName ? " (own name)" : "") << (locked ? " (locked)" : "");
                m_fs.unlockFolder(dir.path());
                Snapshot expected = before;
                if (row.error == 0) {
                    expected[row.to] = expected[row.from];
                    expected.erase(row.from);
                }
                EXPECT_EQ(snapshot(dir.path()), expected) << row.what;
            }
        }
    }
}

TEST_P(PosixRename, IdenticalNameTouchesNothing) {
    add("a");
    struct stat before {};
    ::lstat(m_dir.file("a").c_str(), &before);
    ::usleep(20000);
    EXPECT_EQ(rename("a", "a"), 0);
    struct stat after {};
    ::lstat(m_dir.file("a").c_str(), &after);
    EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
    EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
}

TEST_P(PosixRename, HardLinksThatDifferByCaseStayTwoNames) {
    add("abc");
    ASSERT_EQ(::link(m_dir.file("abc").c_str(), m_dir.file("ABC").c_str()), 0);
    const Snapshot before = files();
    EXPECT_EQ(rename("abc", "ABC"), EEXIST);
    EXPECT_EQ(files(), before); // no temporary name left behind either
}

TEST_P(PosixRename, LinksAreRenamedAsTheLinkItself) {
    add("target");
    ASSERT_EQ(::symlink("target", m_dir.file("link").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", m_dir.file("dangling").c_str()), 0);
    EXPECT_EQ(rename("link", "link2"), 0);
    EXPECT_EQ(rename("dangling", "dangling2"), 0);
    EXPECT_EQ(files(), (Snapshot{{"target", "content of target"},
                                 {"link2", "-> target"},
                                 {"dangling2", "-> nowhere"}}));
}

INSTANTIATE_TEST_SUITE_P(Methods, PosixRename,
                         testing::Values(Method::Best, Method::LinkUnlink, Method::Reservation),
                         [](const testing::TestParamInfo<Method>& info) {
                             switch (info.param) {
                             case Method::Best:
                                 return "renameat2";
                             case Method::LinkUnlink:
                                 return "link_unlink";
                             case Method::Reservation:
                                 return "reservation";
                             }
                             return "unknown";
                         });

TEST(PosixCreateFile, CreatesOnlyWhereNothingIsAndFollowsNoLink) {
    TempFolder dir;
    PosixFileSystem fs;
    ASSERT_EQ(fs.createFile(dir.path(), "script", "#!/bin/sh\n"), 0);
    EXPECT_EQ(readFile(dir.file("script")), "#!/bin/sh\n");
    struct stat st {};
    ::stat(dir.file("script").c_str(), &st);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0755 & ~mask);

    EXPECT_EQ(fs.createFile(dir.path(), "script", "other"), EEXIST);
    EXPECT_EQ(readFile(dir.file("script")), "#!/bin/sh\n");

    writeFile(dir.file("victim"), "keep");
    ASSERT_EQ(::symlink("victim", dir.file("link").c_str()), 0);
    EXPECT_NE(fs.createFile(dir.path(), "link", "overwrite"), 0);
    EXPECT_EQ(readFile(dir.file("victim")), "keep");
}

TEST(PosixRemoveFile, NeverRemovesAFolder) {
    TempFolder dir;
    PosixFileSystem fs;
    ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0755), 0);
    EXPECT_NE(fs.removeFile(dir.path(), "sub"), 0);
    struct stat st {};
    EXPECT_EQ(::stat(dir.file("sub").c_str(), &st), 0);
    writeFile(dir.file("f"), "");
    EXPECT_EQ(fs.removeFile(dir.path(), "f"), 0);
    EXPECT_EQ(fs.removeFile(dir.path(), "f"), ENOENT);
}

} // namespace
