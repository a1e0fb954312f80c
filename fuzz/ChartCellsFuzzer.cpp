// The --chart text of `qdx add` and `qdx edit`. A text that reads must give a chart whose
// cells, written out again with any of the separators, read as the same chart, and that comes
// back unchanged from the record it is stored as; a text that does not read must say why.
#include "FuzzCheck.h"

#include "cli/ChartCells.h"
#include "store/RecordEntry.h"
#include "views/entry/EntryForm.h"

#include <cstdint>

namespace {

std::string cellsText(const qdx::EntryChart& chart, char separator) {
    std::string text;
    for (std::size_t p = 0; p < qdx::kToothCount; ++p) {
        if (p > 0)
            text += separator;
        text += static_cast<char>('0' + (chart.presentFlag[p] ? 6 : chart.classIndex[p] + 1));
        if (chart.bridgeFlag[p])
            text += 'b';
        if (chart.deciduousFlag[p])
            text += 'd';
    }
    return text;
}

void requireConsistent(const qdx::EntryChart& chart) {
    for (int p = 0; p < qdx::kToothCount; ++p) {
        const auto at = static_cast<std::size_t>(p);
        qdx::fuzz::require(chart.classIndex[at] >= 0 && chart.classIndex[at] <= 4,
                           "a class index is 0..4");
        qdx::fuzz::require(!chart.presentFlag[at] || chart.classIndex[at] == 4,
                           "歯あり is class index 4 with the present flag");
        qdx::fuzz::require(!chart.deciduousFlag[at] || qdx::canBeDeciduous(p),
                           "only teeth 1..5 are deciduous");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<qdx::EntryChart> chart = qdx::cli::parseChartCells(text, error);
    if (!chart) {
        qdx::fuzz::require(!error.empty(), "a chart text that does not read says why");
        return 0;
    }
    requireConsistent(*chart);
    const char separator = " ,\t"[size % 3];
    std::string again;
    qdx::fuzz::require(qdx::cli::parseChartCells(cellsText(*chart, separator), again) == chart,
                       "the cells written out read as the same chart");

    qdx::EntryForm form;
    form.chart = *chart;
    qdx::RecordEntry entry;
    qdx::fillRecordEntry(form, "00001", entry);
    qdx::fuzz::require(qdx::EntryChart::fromRecord(entry.toRecord()) == *chart,
                       "the stored chart reads back as entered");
    return 0;
}
