// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskHelpers.h"
#include "TempFolder.h"
#include "workspace/disk/InotifyWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon {
namespace {

using test::TempFolder;

std::vector<std::string> distinct(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

TEST(InotifyWatch, ReportsEachChangeByName) {
    using Change = std::function<void(const TempFolder&, const std::string&)>;
    const struct {
        const char* what;
        Change change;
        std::vector<std::string> names;
    } cases[] = {
        {"a file created",
         [](const TempFolder&, const std::string& dir) { test::writeFile(dir + "/new", "x"); },
         {"new"}},
        {"a file removed",
         [](const TempFolder&, const std::string& dir) { ::unlink((dir + "/old").c_str()); },
         {"old"}},
        {"a file renamed",
         [](const TempFolder&, const std::string& dir) {
             std::rename((dir + "/old").c_str(), (dir + "/é new").c_str());
         },
         {"old", "é new"}},
        {"a file moved in and one out",
         [](const TempFolder& base, const std::string& dir) {
             test::writeFile(base.file("outside"), "x");
             std::rename(base.file("outside").c_str(), (dir + "/in").c_str());
             std::rename((dir + "/old").c_str(), base.file("gone").c_str());
         },
         {"in", "old"}},
        {"a file written in place",
         [](const TempFolder&, const std::string& dir) {
             const int fd = ::open((dir + "/old").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
             ASSERT_GE(fd, 0);
             EXPECT_EQ(::write(fd, "y", 1), 1);
             ::close(fd);
         },
         {"old"}},
        {"nothing", [](const TempFolder&, const std::string&) {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder base;
        const std::string dir = base.file("watched");
        ::mkdir(dir.c_str(), 0700);
        test::writeFile(dir + "/old", "x");
        const std::unique_ptr<FolderWatch> watch = InotifyWatch::create(dir);
        ASSERT_NE(watch, nullptr);
        c.change(base, dir);
        std::vector<std::string> names;
        EXPECT_TRUE(watch->takeChanges(names));
        EXPECT_EQ(distinct(names), c.names);
        // Each change is reported once.
        names.clear();
        EXPECT_TRUE(watch->takeChanges(names));
        EXPECT_TRUE(names.empty());
    }
}

// Where the path no longer leads to the folder watched, nothing it reports
// speaks for the folder there now.
TEST(InotifyWatch, EndsWhereItCannotSpeakForTheFolder) {
    using Change = std::function<void(const TempFolder&)>;
    const struct {
        const char* what;
        Change change;
    } cases[] = {
        {"the folder removed",
         [](const TempFolder& base) {
             ::rmdir(base.file("a/watched").c_str());
         }},
        {"the folder renamed",
         [](const TempFolder& base) {
             std::rename(base.file("a/watched").c_str(), base.file("a/other").c_str());
         }},
        {"another folder in its place",
         [](const TempFolder& base) {
             std::rename(base.file("a/watched").c_str(), base.file("a/other").c_str());
             ::mkdir(base.file("a/watched").c_str(), 0700);
         }},
        {"a folder above it replaced",
         [](const TempFolder& base) {
             std::rename(base.file("a").c_str(), base.file("b").c_str());
             ::mkdir(base.file("a").c_str(), 0700);
             ::mkdir(base.file("a/watched").c_str(), 0700);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder base;
        ::mkdir(base.file("a").c_str(), 0700);
        ::mkdir(base.file("a/watched").c_str(), 0700);
        const std::unique_ptr<FolderWatch> watch = InotifyWatch::create(base.file("a/watched"));
        ASSERT_NE(watch, nullptr);
        c.change(base);
        std::vector<std::string> names;
        EXPECT_FALSE(watch->takeChanges(names));
        // And stays ended, whatever follows.
        EXPECT_FALSE(watch->takeChanges(names));
    }
}

TEST(InotifyWatch, WatchesFoldersOnly) {
    const TempFolder base;
    test::writeFile(base.file("file"), "x");
    EXPECT_EQ(InotifyWatch::create(base.file("file")), nullptr);
    EXPECT_EQ(InotifyWatch::create(base.file("missing")), nullptr);
    EXPECT_NE(InotifyWatch::create(base.path()), nullptr);
}

} // namespace
} // namespace quillon
