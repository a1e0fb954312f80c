#include "evaluation/WeightEvaluation.h"

#include "evaluation/WeightLearning.h"
#include "matching/SearchRequest.h"
#include "store/ProjectModel.h"

#include <unordered_map>
#include <unordered_set>

namespace qdx {

namespace {

constexpr int kExactCountKey = 0;
constexpr int kScoreKey = 3;

int searchingSideOf(int direction) {
    return direction == 0 ? AnteMortem : PostMortem;
}

// The searching charts of the pairs, each once, in the order of the model's list.
std::vector<DentalRecord> searchingCharts(const ProjectModel& model, int direction,
                                          const std::vector<TruthPair>& pairs) {
    std::unordered_set<std::string> wanted;
    for (const TruthPair& pair : pairs)
        wanted.insert(searchingId(pair, direction));
    std::vector<DentalRecord> charts;
    for (const DentalRecord& record : model.records(searchingSideOf(direction)))
        if (wanted.count(record.displayId))
            charts.push_back(record);
    return charts;
}

} // namespace

Scores6 suggestWeights(const ProjectModel& model, int direction,
                       const std::vector<TruthPair>& pairs) {
    const int searchingSide = searchingSideOf(direction);
    return learnWeights(
        truePairCounts(direction, pairs, model.records(PostMortem), model.records(AnteMortem)),
        unrelatedPairShares(model.records(searchingSide), model.records(1 - searchingSide)));
}

bool crossValidate(const ProjectModel& model, int direction, const std::vector<TruthPair>& pairs,
                   int folds, FoldedComparison& result, const SearchControl& control,
                   const std::function<void(int, int)>& beforeSearch) {
    result = {};
    const Scores6& current = model.settings().scores6(direction);
    int search = 0;
    for (int fold = 0; fold < folds; ++fold) {
        std::vector<TruthPair> training;
        std::vector<TruthPair> heldOut;
        for (std::size_t i = 0; i < pairs.size(); ++i)
            (static_cast<int>(i % static_cast<std::size_t>(folds)) == fold ? heldOut : training)
                .push_back(pairs[i]);
        if (heldOut.empty())
            continue;
        const std::vector<DentalRecord> charts = searchingCharts(model, direction, heldOut);
        const Scores6 learned = suggestWeights(model, direction, training);
        SearchRun run;
        if (beforeSearch)
            beforeSearch(++search, 2 * folds);
        if (!runSearchWith(model, direction, charts, learned, run, control))
            return false;
        result.suggestedScore.merge(tallyRanks(run, direction, kScoreKey, heldOut));
        if (beforeSearch)
            beforeSearch(++search, 2 * folds);
        if (!runSearchWith(model, direction, charts, current, run, control))
            return false;
        result.currentScore.merge(tallyRanks(run, direction, kScoreKey, heldOut));
        result.exactCount.merge(tallyRanks(run, direction, kExactCountKey, heldOut));
    }
    return true;
}

} // namespace qdx
