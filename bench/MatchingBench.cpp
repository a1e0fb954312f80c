#include "RandomPopulation.h"
#include "ReferenceEngine.h"

#include "matching/Ranking.h"
#include "matching/SearchRun.h"
#include "matching/WeightKernel.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {

using qdx::test::Population;

// Realistic variety: many base charts, moderate change per record, few match rows.
const Population& population(std::size_t size) {
    static std::map<std::size_t, Population> cache;
    auto found = cache.find(size);
    if (found == cache.end()) {
        qdx::test::PopulationMaker maker(static_cast<std::uint32_t>(size));
        qdx::test::PopulationShape shape;
        shape.postMortem = size;
        shape.anteMortem = size;
        shape.templates = 2000;
        shape.mutation = 0.15;
        shape.matchRows = 0.0005;
        Population p = maker.make(shape);
        for (auto* side : {&p.postMortem, &p.anteMortem})
            for (qdx::DentalRecord& r : *side)
                r.valid = "1"; // every chart searches: pairs = size * size
        found = cache.emplace(size, std::move(p)).first;
    }
    return found->second;
}

void fullSearch(benchmark::State& state) {
    const Population& p = population(static_cast<std::size_t>(state.range(0)));
    if (state.range(1) > 0)
        qdx::selectWeightKernel(state.range(1) == 1 ? "portable" : "avx512f");
    std::size_t pairs = 0;
    for (auto _ : state) {
        qdx::SearchRun run;
        run.pairOutcomes() = p.pairOutcomes;
        run.buildEntries(p.anteMortem);
        run.scoreAll(p.postMortem, p.amToPm, 0);
        for (qdx::SearchEntry& entry : run.entries())
            qdx::rankEntry(entry, p.factor);
        benchmark::DoNotOptimize(run.entries().data());
        pairs += run.entries().size() * p.postMortem.size();
    }
    state.counters["pairs/s"] =
        benchmark::Counter(static_cast<double>(pairs), benchmark::Counter::kIsRate);
    state.SetLabel(qdx::weightKernelName());
    qdx::selectWeightKernel("avx512f") || qdx::selectWeightKernel("avx2");
}

void referenceSearch(benchmark::State& state) {
    const Population& p = population(static_cast<std::size_t>(state.range(0)));
    std::size_t pairs = 0;
    for (auto _ : state) {
        qdx::reference::Run run;
        run.pairOutcomes = p.pairOutcomes;
        qdx::reference::buildEntries(run, p.anteMortem);
        qdx::reference::scoreAll(run, p.postMortem, p.amToPm, 0);
        for (auto& entry : run.entries)
            qdx::reference::rankEntry(entry, p.factor);
        benchmark::DoNotOptimize(run.entries.data());
        pairs += run.entries.size() * p.postMortem.size();
    }
    state.counters["pairs/s"] =
        benchmark::Counter(static_cast<double>(pairs), benchmark::Counter::kIsRate);
}

void bridgeSearch(benchmark::State& state) {
    const Population& p = population(static_cast<std::size_t>(state.range(0)));
    std::size_t pairs = 0;
    for (auto _ : state) {
        qdx::SearchRun run;
        run.buildEntries(p.anteMortem);
        run.scoreBridges(p.postMortem, 0);
        benchmark::DoNotOptimize(run.entries().data());
        pairs += run.entries().size() * p.postMortem.size();
    }
    state.counters["pairs/s"] =
        benchmark::Counter(static_cast<double>(pairs), benchmark::Counter::kIsRate);
}

} // namespace

// Second argument: 0 the best instruction set of the machine, 1 the portable kernel.
BENCHMARK(fullSearch)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
// The CPU column is the whole process's CPU time, so pairs / CPU time stays meaningful when
// other work shares the machine.
BENCHMARK(referenceSearch)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(bridgeSearch)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

BENCHMARK_MAIN();
