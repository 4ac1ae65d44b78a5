// Times "Save" of a folder whose every name changes (upper case, then lower
// case, alternating) against a bare loop of renameat2(RENAME_NOREPLACE) doing
// the same renames in an identical second folder, round by round in the same
// run. The save includes the checks, the undo script and the reload.
#include "engine/Utf8.h"
#include "workspace/PosixFileSystem.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
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
        if (names[i] != ws.preview()[i].name)
            out.emplace_back(quillon::encodeName(names[i]),
                             quillon::encodeName(ws.preview()[i].name));
    }
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: save_bench SAVE_FOLDER BARE_FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::string saved = argv[1];
    const std::string bareFolder = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 4;

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

    std::vector<double> bare;
    std::vector<double> save;
    std::size_t renamed = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto mode =
            round % 2 == 0 ? quillon::CaseMode::Uppercase : quillon::CaseMode::Lowercase;
        ws.setCaseMode(mode, {});
        // Loading is the Load command's cost, timed by load_bench.
        ws.load(saved, U"*.*");
        const Renames renames = pending(ws);

        auto start = Clock::now();
        const std::size_t bareDone = bareLoop(bareFolder, renames);
        bare.push_back(millisecondsSince(start));

        start = Clock::now();
        const quillon::SaveResult result = ws.save(U"*.*", ask);
        save.push_back(millisecondsSince(start));
        renamed = result.renamed;
        if (result.status != quillon::SaveStatus::Saved || renamed != renames.size() ||
            bareDone != renames.size()) {
            std::fprintf(stderr, "round %d: saved %zu, bare %zu of %zu renames\n", round, renamed,
                         bareDone, renames.size());
            return 1;
        }
    }
    const double b = median(bare);
    const double s = median(save);
    std::printf("files: %zu, renames per round: %zu, rounds: %d, failures: %zu, "
                "progress updates: %d\n",
                ws.folderList().names.size(), renamed, rounds, failures, progressCalls);
    std::printf("bare renameat2 loop:           %8.1f ms (median)\n", b);
    std::printf("save (script, renames, reload): %7.1f ms (median)\n", s);
    std::printf("ratio save / bare:             %8.2f\n", s / b);
    return 0;
}
