// SPDX-License-Identifier: GPL-3.0-or-later
// Times loading a folder into the workspace (read, sort, preview) against a
// bare readdir + fstatat loop over the same folder, side by side, and prints
// the medians and their ratio; then times single presses of "OK" over the
// loaded names. Loads and presses run once more each with a progress
// reporter that does what the window's does besides painting, for the cost
// of reporting.
#include "engine/Utf8.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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

// The process's processor time: a busy machine stretches the wall clock of
// both sides of a comparison unevenly, their processor time much less.
double cpuMilliseconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
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

// Wall and processor time of each run, without and with a progress
// reporter.
struct Runs {
    std::vector<double> wall[2];
    std::vector<double> cpu[2];

    template <typename Work>
    void time(bool reported, Work work) {
        const auto start = Clock::now();
        const double cpuStart = cpuMilliseconds();
        work();
        cpu[reported].push_back(cpuMilliseconds() - cpuStart);
        wall[reported].push_back(millisecondsSince(start));
    }
    void print(const char* label, long steps) const {
        std::printf("%-26s %8.1f / %8.1f ms processor time = %.3f (%ld steps)\n", label,
                    median(cpu[1]), median(cpu[0]), median(cpu[1]) / median(cpu[0]), steps);
    }
};

// Presses of "OK" with the window's defaults (Smart case, every entry
// checked), without and with the reporter in turns; each press starts again
// from the on-disk names so that every run does the same work.
Runs presses(quillon::Workspace& workspace, ClockReporter& reporter, const char32_t* from,
             const char32_t* to, int runs) {
    quillon::ReplaceSettings settings;
    settings.find = from;
    settings.replaceWith = to;
    settings.cumulate = false;
    Runs out;
    for (int i = 0; i < runs; ++i) {
        for (const bool reported : {false, true}) {
            workspace.setProgressReporter(reported ? &reporter : nullptr);
            out.time(reported, [&] {
                if (workspace.apply(settings)) {
                    std::fprintf(stderr, "press refused: %s\n", quillon::encodeName(from).c_str());
                    std::exit(1);
                }
            });
        }
    }
    workspace.setProgressReporter(nullptr);
    return out;
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
    Runs loads;
    ClockReporter reporter;
    std::size_t files = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        files = bareLoop(folder);
        bare.push_back(millisecondsSince(start));
        for (const bool reported : {false, true}) {
            workspace.setProgressReporter(reported ? &reporter : nullptr);
            loads.time(reported, [&] { workspace.load(folder, U"*.*"); });
        }
        workspace.setProgressReporter(nullptr);
    }
    const double b = median(bare);
    const double l = median(loads.wall[0]);
    const long loadSteps = reporter.steps / runs;
    std::printf("files: %zu (listed %zu), runs: %d, case mode: %s\n", files,
                workspace.preview().size(), runs, smart ? "Smart" : "None");
    std::printf("bare readdir+fstatat loop: %8.1f ms (median)\n", b);
    std::printf("workspace load:            %8.1f ms (median)\n", l);
    std::printf("ratio load / bare:         %8.2f\n", l / b);
    reporter.steps = 0;
    const Runs regular = presses(workspace, reporter, U"song", U"Tune", runs);
    const long regularSteps = reporter.steps / runs;
    reporter.steps = 0;
    const Runs reformat = presses(workspace, reporter, U"/1/ - /2/", U"/2/ - /1/", runs);
    std::printf("press Regular:             %8.1f ms (median)\n", median(regular.wall[0]));
    std::printf("press Reformat:            %8.1f ms (median)\n", median(reformat.wall[0]));
    std::printf("with / without progress, medians:\n");
    loads.print("  load", loadSteps);
    regular.print("  press Regular", regularSteps);
    reformat.print("  press Reformat", reporter.steps / runs);
    return 0;
}
