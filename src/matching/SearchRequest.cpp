#include "matching/SearchRequest.h"

#include "matching/Ranking.h"
#include "store/ProjectModel.h"

#include <algorithm>

namespace qdx {

namespace {

// FACTOR is an unsigned 16-bit number; a stored value outside that range keeps its low bits,
// as the 16-bit field it is read into would.
std::uint16_t factorOf(const SearchSettings& settings) {
    return static_cast<std::uint16_t>(settings.factor);
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
    const int searchingSide = direction == 0 ? AnteMortem : PostMortem;
    WeightMatrix matrix;
    std::copy(weights.begin(), weights.end(), matrix.begin());
    run.pairOutcomes() = model.loadPairOutcomes();
    run.buildEntries(searching);
    if (!run.scoreAll(model.records(1 - searchingSide), matrix, direction, control)) {
        run.buildEntries({});
        return false;
    }
    const std::uint16_t factor = factorOf(model.settings());
    for (SearchEntry& entry : run.entries())
        rankEntry(entry, factor);
    return true;
}

bool runSearchOnCopies(const ProjectModel& model, int direction, SearchRun& run,
                       const SearchControl& control) {
    const int searchingSide = direction == 0 ? AnteMortem : PostMortem;
    run.clear();
    const auto& searching = run.keepRecords(model.records(searchingSide));
    const auto& candidates = run.keepRecords(model.records(1 - searchingSide));
    const Scores6& scores = model.settings().scores6(direction);
    WeightMatrix matrix;
    std::copy(scores.begin(), scores.end(), matrix.begin());
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

bool runBridgeSearch(const ProjectModel& model, int candidateSide, SearchRun& run,
                     const SearchControl& control) {
    const auto& postMortem = model.records(PostMortem);
    const auto& anteMortem = model.records(AnteMortem);
    run.pairOutcomes() = model.loadPairOutcomes();
    bool completed = true;
    if (candidateSide == 0) {
        run.buildEntries(anteMortem);
        completed = run.scoreBridges(postMortem, 0, control);
    } else if (candidateSide == 1) {
        run.buildEntries(postMortem);
        completed = run.scoreBridges(anteMortem, 1, control);
    } else {
        run.buildEntries(anteMortem);
        run.buildEntries(postMortem, true);
        completed =
            run.scoreBridges(postMortem, 0, control) && run.scoreBridges(anteMortem, 1, control);
    }
    if (!completed) {
        run.buildEntries({});
        return false;
    }
    for (SearchEntry& entry : run.entries())
        rankBridgeEntry(entry);
    return true;
}

} // namespace qdx
