// SPDX-License-Identifier: GPL-3.0-or-later
// Times "Save" of a folder whose every name changes (to upper case) against a
// bare loop of renameat2(RENAME_NOREPLACE) doing the same renames in an
// identical second folder, in the same run, then "Undo Last Save" of that save.
// The save includes the checks, the undo script and the reload; the undo its
// record's checks, the renames back and the reload. Both folders must be fresh: a folder renamed
// over and over grows a directory that no longer resembles a user's.
#include "engine/Utf8.h"
#include "workspace/Workspace.h"
#include "workspace/disk/PosixFileSystem.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Renames = std::vector<std::pair<std::string, std::string>>;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's processor time, user and system: on a busy machine it
// varies far less than the time on the clock.
double processorMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The least any safe renamer must do: one no-replace rename per changed name.
std::size_t bareLoop(const std::string& folder, const Renames& renames) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return 0;
    std::size_t done = 0;
    for (const auto& [from, to] : renames)
        done += ::renameat2(dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE) == 0;
    ::close(dir);
    return done;
}

Renames pending(const quillon::Workspace& ws) {
    Renames out;
    const auto& names = ws.folderList().names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != ws.preview().names[i])
            out.emplace_back(names[i], ws.preview().names[i]);
    }
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: save_bench SAVE_FOLDER BARE_FOLDER\n");
        return 2;
    }
    const std::string saved = argv[1];
    const std::string bareFolder = argv[2];

    quillon::PosixFileSystem disk;
    quillon::Workspace ws(disk);
    quillon::SaveCallbacks ask;
    ask.confirm = [](bool& createUndoFile) {
        createUndoFile = true;
        return true;
    };
    std::size_t failures = 0;
    ask.renameFailed = [&](const quillon::RenameFailure&) {
        ++failures;
        return quillon::RenameFailureChoice::Skip;
    };
    int progressCalls = 0;
    ask.progress = [&](int) {
        ++progressCalls;
    };

    ws.setCaseMode(quillon::CaseMode::Uppercase, {});
    // Loading is the Load command's cost, timed by load_bench.
    ws.load(saved, U"*.*");
    const Renames renames = pending(ws);

    auto start = Clock::now();
    double cpuStart = processorMilliseconds();
    const std::size_t bareDone = bareLoop(bareFolder, renames);
    const double bare = millisecondsSince(start);
    const double bareCpu = processorMilliseconds() - cpuStart;

    start = Clock::now();
    cpuStart = processorMilliseconds();
    const quillon::SaveResult result = ws.save(U"*.*", ask);
    const double save = millisecondsSince(start);
    const double saveCpu = processorMilliseconds() - cpuStart;
    if (result.status != quillon::SaveStatus::Saved || result.renamed != renames.size() ||
        bareDone != renames.size()) {
        std::fprintf(stderr, "saved %zu, bare %zu of %zu renames\n", result.renamed, bareDone,
                     renames.size());
        return 1;
    }
    std::printf("files: %zu, renames: %zu, failures: %zu, progress updates: %d\n",
                ws.folderList().names.size(), renames.size(), failures, progressCalls);
    std::printf("bare renameat2 loop:            %8.1f ms\n", bare);
    std::printf("save (script, renames, reload): %8.1f ms\n", save);
    std::printf("ratio save / bare:              %8.2f\n", save / bare);
    std::printf("processor time, bare loop:      %8.1f ms\n", bareCpu);
    std::printf("processor time, save:           %8.1f ms\n", saveCpu);

    start = Clock::now();
    cpuStart = processorMilliseconds();
    const quillon::UndoResult undone = ws.undoLastSave(U"*.*", ask);
    const double undo = millisecondsSince(start);
    const double undoCpu = processorMilliseconds() - cpuStart;
    if (undone.status != quillon::UndoStatus::Undone || undone.restored.size() != renames.size()) {
        std::fprintf(stderr, "undo took back %zu of %zu renames\n", undone.restored.size(),
                     renames.size());
        return 1;
    }
    std::printf("undo (record, renames, reload): %8.1f ms\n", undo);
    std::printf("ratio undo / save:              %8.2f\n", undo / save);
    std::printf("processor time, undo:           %8.1f ms\n", undoCpu);
    return 0;
}
