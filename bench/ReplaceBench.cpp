// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicNames.h"

#include "engine/ReplacePlan.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace quillon;

namespace {

constexpr std::size_t kEntries = 100'000;

const std::vector<Name>& names() {
    static const std::vector<Name> generated = bench::makeMusicNames(kEntries, 42);
    return generated;
}

// The baseline: what a press costs at least, writing every preview entry.
void benchPlainCopy(benchmark::State& state) {
    const auto& sources = names();
    std::vector<Name> preview(sources.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < sources.size(); ++i)
            preview[i] = Name(sources[i]);
        benchmark::DoNotOptimize(preview.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sources.size()));
}

// One press of "OK" over every entry, all checked: compile, then the loop.
void benchPress(benchmark::State& state, const char32_t* from, const char32_t* to,
                bool updateCase) {
    const auto& sources = names();
    ReplaceSettings settings;
    settings.find = from;
    settings.replaceWith = to;
    settings.updateCase = updateCase;
    // Smart is not what this measures; Lowercase converts every name.
    settings.caseMode = CaseMode::Lowercase;
    std::vector<Name> preview(sources.size());
    for (auto _ : state) {
        const ReplaceCompilation compiled = compileReplace(settings, sources.size());
        const auto* plan = std::get_if<ReplacePlan>(&compiled);
        if (!plan)
            throw std::logic_error("benchmark pattern refused");
        ReplaceCounter counter = plan->startCounter();
        for (std::size_t i = 0; i < sources.size(); ++i)
            preview[i] = applyReplace(*plan, sources[i], counter);
        benchmark::DoNotOptimize(preview.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sources.size()));
}

} // namespace

BENCHMARK(benchPlainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(benchPress, Regular, U"song", U"Tune", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(benchPress, RegularLowercase, U"song", U"Tune", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(benchPress, Reformat, U"/1/ - /2/", U"/2/ - /1/", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(benchPress, ReformatLowercase, U"/1/ - /2/", U"/2/ - /1/", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(benchPress, FileNameReplacement, U"*", U"Text - /1/ - *", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(benchPress, FileNameReplacementLowercase, U"*", U"Text - /1/ - *", true)
    ->Unit(benchmark::kMillisecond);
