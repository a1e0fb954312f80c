#include "matching/SearchRequest.h"

#include "matching/Ranking.h"
#include "store/ProjectModel.h"

#include <algorithm>
#include <functional>

namespace qdx {

namespace {

// FACTOR is an unsigned 16-bit number; a stored value outside that range keeps its low bits,
// as the 16-bit field it is read into would.
std::uint16_t factorOf(const SearchSettings& settings) {
    return static_cast<std::uint16_t>(settings.factor);
}

// Every entry built from `searching` scored against `candidates` with the weights and ranked.
bool scoreAndRank(const ProjectModel& model, int direction,
                  const std::vector<DentalRecord>& searching,
                  const std::vector<DentalRecord>& candidates, const Scores6& weights,
                  SearchRun& run, const SearchControl& control) {
    WeightMatrix matrix;
    std::copy(weights.begin(), weights.end(), matrix.begin());
    run.pairOutcomes() = model.loadPairOutcomes();
    run.buildEntries(searching);
    if (!run.scoreAll(candidates, matrix, direction, control)) {
        run.buildEntries({});
        return false;
    }
    const std::uint16_t factor = factorOf(model.settings());
    for (SearchEntry& entry : run.entries())
        rankEntry(entry, factor);
    return true;
}

int candidateSideOf(int direction) {
    return direction == 0 ? PostMortem : AnteMortem;
}

} // namespace

bool runSearch(const ProjectModel& model, int direction, SearchRun& run,
               const SearchControl& control) {
    const int searchingSide = direction == 0 ? AnteMortem : PostMortem;
    return runSearchWith(model, direction, model.records(searchingSide),
                         model.settings().scores6(direction), run, control);
}

bool runSearchWith(const ProjectModel& model, int direction,
                   const std::vector<DentalRecord>& searching, const Scores6& weights,
                   SearchRun& run, const SearchControl& control) {
    return scoreAndRank(model, direction, searching, model.records(candidateSideOf(direction)),
                        weights, run, control);
}

void runEntrySearch(const ProjectModel& model, int direction, const DentalRecord& target,
                    SearchRun& run) {
    run.clear();
    const auto& searching = run.keepRecords({target});
    scoreAndRank(model, direction, searching, model.records(candidateSideOf(direction)),
                 model.settings().scores6(direction), run, {});
}

bool runSearchOnCopies(const ProjectModel& model, int direction, SearchRun& run,
                       const SearchControl& control) {
    const int candidateSide = candidateSideOf(direction);
    run.clear();
    const auto& searching = run.keepRecords(model.records(1 - candidateSide));
    const auto& candidates = run.keepRecords(model.records(candidateSide));
    return scoreAndRank(model, direction, searching, candidates,
                        model.settings().scores6(direction), run, control);
}

int BridgeLists::sideOf(const DentalRecord* record) const {
    // std::less orders pointers into different lists too.
    const std::less<const DentalRecord*> before;
    const auto holds = [&](const std::vector<DentalRecord>* list) {
        return list && !list->empty() && !before(record, list->data()) &&
               before(record, list->data() + list->size());
    };
    if (holds(postMortem))
        return PostMortem;
    return holds(anteMortem) ? AnteMortem : -1;
}

BridgeLists modelBridgeLists(const ProjectModel& model) {
    return {&model.records(PostMortem), &model.records(AnteMortem)};
}

BridgeLists keepBridgeLists(const ProjectModel& model, SearchRun& run) {
    run.clear();
    const auto& postMortem = run.keepRecords(model.records(PostMortem));
    const auto& anteMortem = run.keepRecords(model.records(AnteMortem));
    return {&postMortem, &anteMortem};
}

namespace {

// Scores the run's entries against the candidates of the side: side 2 scores the post-mortem
// candidates first.
bool scoreBridgeCandidates(const BridgeLists& lists, int candidateSide, SearchRun& run,
                           const SearchControl& control) {
    if (candidateSide == 0)
        return run.scoreBridges(*lists.postMortem, 0, control);
    if (candidateSide == 1)
        return run.scoreBridges(*lists.anteMortem, 1, control);
    return run.scoreBridges(*lists.postMortem, 0, control) &&
           run.scoreBridges(*lists.anteMortem, 1, control);
}

} // namespace

bool runBridgeSearch(const ProjectModel& model, const BridgeLists& lists, int candidateSide,
                     SearchRun& run, const SearchControl& control) {
    run.pairOutcomes() = model.loadPairOutcomes();
    if (candidateSide == 0) {
        run.buildEntries(*lists.anteMortem);
    } else if (candidateSide == 1) {
        run.buildEntries(*lists.postMortem);
    } else {
        run.buildEntries(*lists.anteMortem);
        run.buildEntries(*lists.postMortem, true);
    }
    return finishBridgeRun(run, scoreBridgeCandidates(lists, candidateSide, run, control));
}

bool finishBridgeRun(SearchRun& run, bool completed) {
    if (!completed) {
        run.buildEntries({});
        return false;
    }
    for (SearchEntry& entry : run.entries())
        rankBridgeEntry(entry);
    return true;
}

bool runBridgeEntrySearch(const ProjectModel& model, const BridgeLists& lists, int candidateSide,
                          const DentalRecord& target, SearchRun& run,
                          const SearchControl& control) {
    run.pairOutcomes() = model.loadPairOutcomes();
    run.buildEntries(std::span<const DentalRecord>(&target, 1));
    return finishBridgeRun(run, scoreBridgeCandidates(lists, candidateSide, run, control));
}

} // namespace qdx
