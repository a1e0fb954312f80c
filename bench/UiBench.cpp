// The main window's record lists: filling the list model from loaded records and answering
// the view's requests for one screen of cells.
#include "ui/main/RecordListModel.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

std::vector<qdx::DentalRecord> makeRecords(std::size_t count) {
    std::mt19937 random(7);
    std::vector<qdx::DentalRecord> records(count);
    for (std::size_t i = 0; i < count; ++i) {
        qdx::DentalRecord& r = records[i];
        r.Dental_ID = std::to_string(i + 1);
        r.displayId = "D" + std::to_string(i / 100) + "-" + std::to_string(10000 + i % 100);
        for (int p = 0; p < qdx::kToothCount; ++p) {
            const auto position = static_cast<std::size_t>(p);
            r.classChart[position] = static_cast<char>('1' + random() % 5);
            r.bridgeChart[position] = random() % 10 == 0 ? '1' : '0';
        }
        r.MATCH_KIND =
            i % 50 == 0 ? qdx::MatchKind(qdx::MatchKind::IdentifiedByChart) : qdx::MatchKind();
    }
    return records;
}

void BM_FillList(benchmark::State& state) {
    const auto records = makeRecords(static_cast<std::size_t>(state.range(0)));
    qdx::RecordListModel list;
    for (auto _ : state) {
        list.setRecords(records);
        benchmark::DoNotOptimize(list.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FillList)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);

// One screen: 25 rows of 35 cells, each asked for text, alignment and background.
void BM_PaintOneScreen(benchmark::State& state) {
    qdx::RecordListModel list;
    list.setRecords(makeRecords(300000));
    int top = 0;
    for (auto _ : state) {
        for (int row = top; row < top + 25; ++row) {
            for (int column = 0; column < qdx::RecordListModel::kColumnCount; ++column) {
                const QModelIndex index = list.index(row, column);
                benchmark::DoNotOptimize(list.data(index, Qt::DisplayRole));
                benchmark::DoNotOptimize(list.data(index, Qt::TextAlignmentRole));
                benchmark::DoNotOptimize(list.data(index, Qt::BackgroundRole));
            }
        }
        top = (top + 9973) % (300000 - 25);
    }
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
