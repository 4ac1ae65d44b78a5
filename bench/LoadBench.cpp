// SPDX-License-Identifier: GPL-3.0-or-later
// Times loading a folder into the workspace (read, sort, preview) against a
// bare readdir + fstatat loop over the same folder, side by side, and prints
// the medians and their ratio; then times single presses of "OK" over the
// loaded names. Loads and presses run once more each with a progress
// reporter that does what the window's does besides painting, for the cost
// of reporting.
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
#include <utility>
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

// Reads the clock at every step to see whether a repaint is due, as the
// window does.
class ClockReporter final : public quillon::ProgressReporter {
public:
    void begin(quillon::WorkStage, std::size_t) override { ++stages; }
    void step(std::size_t) override {
        ++steps;
        if (millisecondsSince(m_last) >= 60) {
            m_last = Clock::now();
            ++repaintsDue;
        }
    }
    void end() override {}

    long stages = 0;
    long steps = 0;
    long repaintsDue = 0;

private:
    Clock::time_point m_last = Clock::now();
};

// One press of "OK" with the window's defaults (Smart case, every entry
// checked); each press starts again from the on-disk names so that every
// run does the same work.
// Without and with a progress reporter, in turns; the medians of both.
std::pair<double, double> pressMilliseconds(quillon::Workspace& workspace, ClockReporter& reporter,
                                            const char32_t* from, const char32_t* to, int runs) {
    quillon::ReplaceSettings settings;
    settings.find = from;
    settings.replaceWith = to;
    settings.cumulate = false;
    std::vector<double> times[2];
    for (int i = 0; i < runs; ++i) {
        for (int reported = 0; reported < 2; ++reported) {
            workspace.setProgressReporter(reported ? &reporter : nullptr);
            const auto start = Clock::now();
            if (workspace.apply(settings)) {
                std::fprintf(stderr, "press refused: %s\n", quillon::encodeName(from).c_str());
                std::exit(1);
            }
            times[reported].push_back(millisecondsSince(start));
        }
    }
    workspace.setProgressReporter(nullptr);
    return {median(times[0]), median(times[1])};
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
    std::vector<double> reportedLoad;
    ClockReporter reporter;
    std::size_t files = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        files = bareLoop(folder);
        bare.push_back(millisecondsSince(start));

        start = Clock::now();
        workspace.load(folder, U"*.*");
        load.push_back(millisecondsSince(start));

        workspace.setProgressReporter(&reporter);
        start = Clock::now();
        workspace.load(folder, U"*.*");
        reportedLoad.push_back(millisecondsSince(start));
        workspace.setProgressReporter(nullptr);
    }
    const double b = median(bare);
    const double l = median(load);
    const double lr = median(reportedLoad);
    const long steps = reporter.steps / runs;
    std::printf("files: %zu (listed %zu), runs: %d, case mode: %s\n", files,
                workspace.preview().size(), runs, smart ? "Smart" : "None");
    std::printf("bare readdir+fstatat loop: %8.1f ms (median)\n", b);
    std::printf("workspace load:            %8.1f ms (median)\n", l);
    std::printf("ratio load / bare:         %8.2f\n", l / b);
    const auto regular = pressMilliseconds(workspace, reporter, U"song", U"Tune", runs);
    const auto reformat = pressMilliseconds(workspace, reporter, U"/1/ - /2/", U"/2/ - /1/", runs);
    std::printf("press Regular:             %8.1f ms (median)\n", regular.first);
    std::printf("press Reformat:            %8.1f ms (median)\n", reformat.first);
    std::printf("load with progress:        %8.1f ms (median), %ld steps, ratio %.3f\n", lr, steps,
                lr / l);
    std::printf("Regular with progress:     %8.1f ms (median), ratio %.3f\n", regular.second,
                regular.second / regular.first);
    std::printf("Reformat with progress:    %8.1f ms (median), ratio %.3f\n", reformat.second,
                reformat.second / reformat.first);
    return 0;
}
