#pragma once

#include "matching/SearchRequest.h"
#include "matching/SearchRun.h"
#include "model/DentalRecord.h"
#include "model/ToothChart.h"

#include <array>
#include <string>
#include <vector>

namespace qdx {

class ProjectModel;

// The drawn pattern of the bridge search: per position missing (class 4) or no information
// (class 5), and a bridge flag.
struct BridgePattern {
    static constexpr int kMissing = 3;
    static constexpr int kNoInformation = 4;
    std::array<int, kToothCount> state{};
    std::array<int, kToothCount> bridge{};

    BridgePattern() { state.fill(kNoInformation); }
    void toggleTooth(int position);
    void toggleBridge(int position);
    bool operator==(const BridgePattern&) const = default;
};

// Missing where the chart's class digit is '4', otherwise no information; the chart's bridges.
BridgePattern patternFromChart(const DentalRecord& chart);
// From a list row's 32 tooth cells: missing where a cell holds "4", a bridge where it holds
// "b".
BridgePattern patternFromCells(const std::vector<std::string>& toothCells);
// A new record with its defaults whose charts hold the pattern ("4"/"5", bridges "0"/"1"). It
// is no stored record, so it carries no match summary.
DentalRecord patternRecord(const BridgePattern& pattern);

// The searching side's IDs for a candidate side (0 ante-mortem, 1 post-mortem, 2 ante-mortem
// then post-mortem records), leaving out identified records when hiding; from the lists the
// search read.
std::vector<std::string> bridgeTargetIds(const BridgeLists& lists, int candidateSide,
                                         int hideExcluded);
// The record a target names: side 2 looks among the post-mortem records first.
const DentalRecord* bridgeTargetRecord(const BridgeLists& lists, int candidateSide,
                                       const std::string& target);
// The entry listed for a target: the one with its ID; with an empty target the first entry,
// or when hiding the first whose chart is not identified. Null when there is none.
const SearchEntry* bridgeListedEntry(const SearchRun& run, const std::string& target,
                                     int hideExcluded);
// The searching chart whose entry bridgeListedEntry lists from runBridgeSearch over `lists`
// (the first searchable record of the target's ID in the run's order), found without
// searching: the one record a window has to search. Null when that run would list none.
const DentalRecord* bridgeListedRecord(const BridgeLists& lists, int candidateSide,
                                       const std::string& target, int hideExcluded);

// The search with a pattern: sides 0 and 1 score the pattern alone against the post-mortem
// (direction 0) or ante-mortem (direction 1) records. Side 2 lists the first searchable
// ante-mortem, else post-mortem record (not the pattern): the run holds that entry alone, scored
// against the post-mortem, then the ante-mortem records, both with direction 0. Returns false
// when cancelled; the run is then empty. The records come from `lists`, which must outlive the
// run, the match rows from the model.
bool runBridgePatternSearch(const ProjectModel& model, const BridgeLists& lists, int candidateSide,
                            const DentalRecord& pattern, SearchRun& run,
                            const SearchControl& control = {});

} // namespace qdx
