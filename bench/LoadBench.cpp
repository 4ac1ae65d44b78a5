// SPDX-License-Identifier: GPL-3.0-or-later
// Times loading a folder into the workspace (read, sort, preview) against a
// bare readdir + fstatat loop over the same folder, side by side, and prints
// the medians and their ratio; then times single presses of "OK" over the
// loaded names.
#include "engine/Utf8.h"
#include "workspace/PosixFileSystem.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// What any folder listing must do at least: one readdir pass and a status
// call per entry.
std::size_t bareLoop(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    const int fd = ::dirfd(dir);
    std::size_t files = 0;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ++files;
    }
    ::closedir(dir);
    return files;
}

// One press of "OK" with the window's defaults (Smart case, every entry
// checked); each press starts again from the on-disk names so that every
// run does the same work.
double pressMilliseconds(quillon::Workspace& workspace, const char32_t* from, const char32_t* to,
                         int runs) {
    quillon::ReplaceSettings settings;
    settings.find = from;
    settings.replaceWith = to;
    settings.cumulate = false;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (workspace.apply(settings)) {
            std::fprintf(stderr, "press refused: %s\n", quillon::encodeName(from).c_str());
            std::exit(1);
        }
        times.push_back(millisecondsSince(start));
    }
    return median(times);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: load_bench FOLDER [RUNS] [smart|none]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const bool smart = argc <= 3 || std::string(argv[3]) != "none";

    quillon::PosixFileSystem disk;
    quillon::Workspace workspace(disk);
    workspace.setCaseMode(smart ? quillon::CaseMode::Smart : quillon::CaseMode::None, {});
    quillon::prepareCaseTables();

    std::vector<double> bare;
    std::vector<double> load;
    std::size_t files = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        files = bareLoop(folder);
        bare.push_back(millisecondsSince(start));

        start = Clock::now();
        workspace.load(folder, U"*.*");
        load.push_back(millisecondsSince(start));
    }
    const double b = median(bare);
    const double l = median(load);
    std::printf("files: %zu (listed %zu), runs: %d, case mode: %s\n", files,
                workspace.preview().size(), runs, smart ? "Smart" : "None");
    std::printf("bare readdir+fstatat loop: %8.1f ms (median)\n", b);
    std::printf("workspace load:            %8.1f ms (median)\n", l);
    std::printf("ratio load / bare:         %8.2f\n", l / b);
    std::printf("press Regular:             %8.1f ms (median)\n",
                pressMilliseconds(workspace, U"song", U"Tune", runs));
    std::printf("press Reformat:            %8.1f ms (median)\n",
                pressMilliseconds(workspace, U"/1/ - /2/", U"/2/ - /1/", runs));
    return 0;
}
