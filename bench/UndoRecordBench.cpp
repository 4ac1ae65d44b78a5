// SPDX-License-Identifier: GPL-3.0-or-later
// Reading an undo record of a million renames: the time to read and check
// it, and the memory it takes beside the record's own size.
#include "workspace/record/UndoScript.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace quillon;

// Chains of one rename each, music-style names of some forty bytes.
std::string recordText(std::size_t renames) {
    UndoRecord record;
    record.saveId = "1";
    std::string from;
    std::string to;
    for (std::size_t i = 0; i < renames; ++i) {
        to = "Artist " + std::to_string(i % 997) + " - Track " + std::to_string(i) + ".mp3";
        from = "artist_" + std::to_string(i % 997) + "_track_" + std::to_string(i) + ".mp3";
        record.startUnit(UndoUnitKind::Chain);
        record.addName(to);
        record.addName(from);
    }
    return undoScriptText(record);
}

void parseRecord(benchmark::State& state) {
    const std::string text = recordText(static_cast<std::size_t>(state.range(0)));
    std::size_t units = 0;
    for (auto _ : state) {
        const auto record = parseUndoScript(text);
        units = record ? record->units.size() : 0;
        benchmark::DoNotOptimize(units);
    }
    state.counters["record MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["units"] = static_cast<double>(units);
}

BENCHMARK(parseRecord)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
