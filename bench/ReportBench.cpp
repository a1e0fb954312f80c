// The identification report's pattern evidence: packing one side's charts and counting the
// charts that share a pair's agreeing findings. Run on 20,000 charts on a shared machine; both
// steps are linear in the charts, so 300,000 take 15 times as long.
#include "views/report/PairJudgement.h"
#include "views/report/PatternEvidence.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

std::vector<qdx::DentalRecord> randomCharts(std::size_t count) {
    std::mt19937 random(7);
    std::vector<qdx::DentalRecord> charts(count);
    for (qdx::DentalRecord& chart : charts) {
        for (char& c : chart.classChart)
            c = static_cast<char>('1' + random() % 5);
        chart.sex = std::to_string(random() % 3);
    }
    return charts;
}

void BM_PackCharts(benchmark::State& state) {
    const auto charts = randomCharts(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        qdx::PatternIndex index(charts);
        benchmark::DoNotOptimize(index.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CountPattern(benchmark::State& state) {
    const auto charts = randomCharts(static_cast<std::size_t>(state.range(0)));
    const qdx::PatternIndex index(charts);
    const qdx::PairJudgement pair = qdx::judgePair(charts[0], charts[1], {});
    const auto pattern = qdx::agreementPattern(pair);
    for (auto _ : state)
        benchmark::DoNotOptimize(index.count(pattern, "1"));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_PackCharts)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountPattern)->Arg(20000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
