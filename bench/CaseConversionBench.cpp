// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/MusicNames.h"
#include "engine/CaseConversion.h"

#include <benchmark/benchmark.h>

using namespace quillon;

namespace {

constexpr std::size_t kNameCount = 100000;

const std::vector<Name>& names() {
    static const std::vector<Name> all = bench::makeMusicNames(kNameCount, 20240611);
    return all;
}

// Both benchmarks convert every name once per iteration, so their times
// compare directly: Smart case against a plain lower-casing of the same names.
void SmartCaseDefaultOptions(benchmark::State& state) {
    const auto& all = names();
    const SmartCaseOptions options;
    prepareCaseTables();
    for (auto _ : state) {
        for (const Name& name : all) {
            Name converted = smartCase(name, options);
            benchmark::DoNotOptimize(converted);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}
BENCHMARK(SmartCaseDefaultOptions)->Unit(benchmark::kMillisecond);

void LowerCase(benchmark::State& state) {
    const auto& all = names();
    for (auto _ : state) {
        for (const Name& name : all) {
            Name converted = lowerCase(name);
            benchmark::DoNotOptimize(converted);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}
BENCHMARK(LowerCase)->Unit(benchmark::kMillisecond);

} // namespace
