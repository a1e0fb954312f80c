// A project file of arbitrary bytes opened as both programs open one: the open sequence
// (tables created, settings loaded and repaired), both record lists, the change history and a
// full search each way with the stored weights. A failure must come out as StoreError; any
// other exception is a fault, and every loaded chart holds 32 characters per string.
#include "FuzzCheck.h"
#include "ScratchProject.h"

#include "matching/SearchRequest.h"
#include "store/ProjectOpen.h"
#include "store/StoreError.h"

#include <cstdint>

namespace {

void requireWholeCharts(const std::vector<qdx::DentalRecord>& records) {
    for (const qdx::DentalRecord& record : records) {
        const qdx::ChartStrings chart = record.chart();
        qdx::fuzz::require(chart.classChart.size() == qdx::kToothCount &&
                               chart.bridgeChart.size() == qdx::kToothCount &&
                               chart.presentChart.size() == qdx::kToothCount &&
                               chart.deciduousChart.size() == qdx::kToothCount,
                           "a loaded chart holds 32 characters per string");
    }
}

void searchBothWays(const qdx::ProjectModel& model) {
    qdx::SearchControl control;
    control.threads = 1;
    for (int direction = 0; direction < 2; ++direction) {
        qdx::SearchRun run;
        qdx::fuzz::require(qdx::runSearch(model, direction, run, control),
                           "an uncancelled search completes");
        const int searchingSide = direction == 0 ? qdx::AnteMortem : qdx::PostMortem;
        qdx::fuzz::require(run.entries().size() <= model.records(searchingSide).size(),
                           "a search has at most one entry per searching chart");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qdx::ProjectModel model; // a new one per input, as each qdx run has
    const std::string path =
        qdx::fuzz::writeScratchFile("open.qdx", {reinterpret_cast<const char*>(data), size})
            .string();
    try {
        qdx::openProjectFile(model, qdx::splitProjectPath(path));
        requireWholeCharts(model.reloadRecords(qdx::PostMortem));
        requireWholeCharts(model.reloadRecords(qdx::AnteMortem));
        (void)model.loadJournal();
        searchBothWays(model);
        model.close(false);
    } catch (const qdx::StoreError&) {
        model.abandon();
    }
    return 0;
}
