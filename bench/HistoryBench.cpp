// SPDX-License-Identifier: GPL-3.0-or-later
// Lists a full history (100 saves) whose records are tiny against one whose
// records are 32 MiB each, in the same run: listing reads the headers only,
// so the two should take about the same time. Reading one large record back
// is timed beside them. The histories live under the temporary folder and
// are removed at the end (about 3.2 GiB while the run lasts).
#include "workspace/disk/PosixFileSystem.h"
#include "workspace/history/UndoHistory.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kSaves = 100;

// One history per record size, filled once and removed at exit.
class FilledHistory final {
public:
    explicit FilledHistory(std::size_t recordBytes) {
        std::string folder =
            (std::filesystem::temp_directory_path() / "quillon-history-bench-XXXXXX").string();
        m_base = ::mkdtemp(folder.data());
        m_history = std::make_unique<quillon::UndoHistory>(m_fs, m_base + "/history");
        const std::string record(recordBytes, 'r');
        const quillon::HistoryLimits unlimited{1000, ~std::uint64_t{0}};
        quillon::HistoryEntry entry;
        for (int i = 0; i < kSaves; ++i)
            m_history->add("/home/user/folder " + std::to_string(i), 1'800'000'000'000'000'000 + i,
                           1000, "id", record, entry, unlimited);
    }
    ~FilledHistory() {
        std::error_code error;
        std::filesystem::remove_all(m_base, error);
    }
    FilledHistory(const FilledHistory&) = delete;
    FilledHistory& operator=(const FilledHistory&) = delete;

    quillon::UndoHistory& history() { return *m_history; }

private:
    quillon::PosixFileSystem m_fs;
    std::string m_base;
    std::unique_ptr<quillon::UndoHistory> m_history;
};

FilledHistory& filled(std::size_t recordBytes) {
    static std::map<std::size_t, std::unique_ptr<FilledHistory>> histories;
    auto& slot = histories[recordBytes];
    if (!slot)
        slot = std::make_unique<FilledHistory>(recordBytes);
    return *slot;
}

void ListHistory(benchmark::State& state) {
    quillon::UndoHistory& history = filled(static_cast<std::size_t>(state.range(0))).history();
    for (auto _ : state) {
        auto entries = history.list();
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(ListHistory)->Arg(100)->Arg(32 << 20)->Unit(benchmark::kMillisecond);

void ReadNewestRecord(benchmark::State& state) {
    quillon::UndoHistory& history = filled(static_cast<std::size_t>(state.range(0))).history();
    const quillon::HistoryEntry newest = history.list().back();
    std::string record;
    for (auto _ : state)
        benchmark::DoNotOptimize(history.readRecord(newest, record));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(ReadNewestRecord)->Arg(32 << 20)->Unit(benchmark::kMillisecond);

} // namespace
