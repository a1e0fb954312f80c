#include "views/bridge/BridgePattern.h"

#include "matching/PairResult.h"
#include "matching/Ranking.h"
#include "matching/SearchRequest.h"
#include "store/ProjectModel.h"

namespace qdx {

namespace {

std::size_t at(int position) {
    return static_cast<std::size_t>(position);
}

bool validPosition(int position) {
    return position >= 0 && position < kToothCount;
}

void addIds(const std::vector<DentalRecord>& records, int hideExcluded,
            std::vector<std::string>& ids) {
    for (const DentalRecord& record : records)
        if (hideExcluded != 1 || !record.MATCH_KIND.isIdentified())
            ids.push_back(record.displayId);
}

const DentalRecord* findById(const std::vector<DentalRecord>& records, const std::string& id) {
    for (const DentalRecord& record : records)
        if (record.displayId == id)
            return &record;
    return nullptr;
}

// The searching lists of a candidate side in the order of the run's entries.
std::vector<const std::vector<DentalRecord>*> searchingLists(const BridgeLists& lists,
                                                             int candidateSide) {
    if (candidateSide == 0)
        return {lists.anteMortem};
    if (candidateSide == 1)
        return {lists.postMortem};
    return {lists.anteMortem, lists.postMortem};
}

// The entry of this record is listed for the target: it has the target's ID, or with no target
// it is not hidden.
bool listsFor(const DentalRecord& record, const std::string& target, int hideExcluded) {
    if (!target.empty())
        return record.displayId == target;
    return hideExcluded != 1 || !record.MATCH_KIND.isIdentified();
}

} // namespace

void BridgePattern::toggleTooth(int position) {
    if (validPosition(position))
        state[at(position)] = state[at(position)] == kMissing ? kNoInformation : kMissing;
}

void BridgePattern::toggleBridge(int position) {
    if (validPosition(position))
        bridge[at(position)] = bridge[at(position)] == 1 ? 0 : 1;
}

BridgePattern patternFromChart(const DentalRecord& chart) {
    BridgePattern pattern;
    for (int i = 0; i < kToothCount; ++i) {
        const std::size_t p = at(i);
        pattern.state[p] = p < chart.classChart.size() && chart.classChart[p] == '4'
                               ? BridgePattern::kMissing
                               : BridgePattern::kNoInformation;
        pattern.bridge[p] = p < chart.bridgeChart.size() && chart.bridgeChart[p] == '1' ? 1 : 0;
    }
    return pattern;
}

BridgePattern patternFromCells(const std::vector<std::string>& toothCells) {
    BridgePattern pattern;
    for (int i = 0; i < kToothCount && at(i) < toothCells.size(); ++i) {
        const std::string& cell = toothCells[at(i)];
        if (cell.find('4') != std::string::npos)
            pattern.state[at(i)] = BridgePattern::kMissing;
        if (cell.find('b') != std::string::npos)
            pattern.bridge[at(i)] = 1;
    }
    return pattern;
}

DentalRecord patternRecord(const BridgePattern& pattern) {
    DentalRecord record;
    for (int i = 0; i < kToothCount; ++i) {
        record.classChart[at(i)] = static_cast<char>('0' + pattern.state[at(i)] + 1);
        record.bridgeChart[at(i)] = static_cast<char>('0' + pattern.bridge[at(i)]);
    }
    record.MATCH_KIND = MatchKind();
    return record;
}

std::vector<std::string> bridgeTargetIds(const BridgeLists& lists, int candidateSide,
                                         int hideExcluded) {
    std::vector<std::string> ids;
    if (candidateSide != 1)
        addIds(*lists.anteMortem, hideExcluded, ids);
    if (candidateSide != 0)
        addIds(*lists.postMortem, hideExcluded, ids);
    return ids;
}

const DentalRecord* bridgeTargetRecord(const BridgeLists& lists, int candidateSide,
                                       const std::string& target) {
    if (candidateSide == 0)
        return findById(*lists.anteMortem, target);
    const DentalRecord* found = findById(*lists.postMortem, target);
    if (found || candidateSide == 1)
        return found;
    return findById(*lists.anteMortem, target);
}

const SearchEntry* bridgeListedEntry(const SearchRun& run, const std::string& target,
                                     int hideExcluded) {
    if (!target.empty())
        return run.findEntry(target);
    for (const SearchEntry& entry : run.entries())
        if (hideExcluded != 1 || !entry.record().MATCH_KIND.isIdentified())
            return &entry;
    return nullptr;
}

const DentalRecord* bridgeListedRecord(const BridgeLists& lists, int candidateSide,
                                       const std::string& target, int hideExcluded) {
    for (const auto* list : searchingLists(lists, candidateSide))
        for (const DentalRecord& record : *list)
            if (isSearchable(record) && listsFor(record, target, hideExcluded))
                return &record;
    return nullptr;
}

bool runBridgePatternSearch(const ProjectModel& model, const BridgeLists& lists, int candidateSide,
                            const DentalRecord& pattern, SearchRun& run,
                            const SearchControl& control) {
    const auto& postMortem = *lists.postMortem;
    const auto& anteMortem = *lists.anteMortem;
    run.pairOutcomes() = model.loadPairOutcomes();
    bool completed = true;
    if (candidateSide == 2) {
        const DentalRecord* first = bridgeListedRecord(lists, 2, std::string(), 0);
        run.buildEntries(first ? std::span<const DentalRecord>(first, 1)
                               : std::span<const DentalRecord>());
        completed =
            run.scoreBridges(postMortem, 0, control) && run.scoreBridges(anteMortem, 0, control);
    } else {
        const std::vector<DentalRecord>& kept = run.keepRecords({pattern});
        run.buildEntries(kept);
        completed = candidateSide == 0 ? run.scoreBridges(postMortem, 0, control)
                                       : run.scoreBridges(anteMortem, 1, control);
    }
    return finishBridgeRun(run, completed);
}

} // namespace qdx
