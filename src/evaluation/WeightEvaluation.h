#pragma once

#include "evaluation/PartnerRanks.h"
#include "evaluation/TruthPairs.h"
#include "matching/SearchControl.h"
#include "store/SearchSettings.h"

#include <functional>
#include <vector>

namespace qdx {

class ProjectModel;

// Weights learned from the true pairs of a direction, with the searching and candidate lists
// the model last loaded.
Scores6 suggestWeights(const ProjectModel& model, int direction,
                       const std::vector<TruthPair>& pairs);

// How the score ranking with learned weights compares with the project's own, measured on
// pairs the weights were not learned from.
struct FoldedComparison {
    RankTally currentScore;   // by score with the project's weights
    RankTally suggestedScore; // by score with weights learned on the other folds
    RankTally exactCount;     // by exact count, which no weight changes
};

// K-fold cross-validation: pair i belongs to fold i % K; each fold's pairs are ranked by a
// search of their searching charts with weights learned from the other folds, and with the
// project's weights. `beforeSearch` is told each search (1-based, of 2 K) before it runs.
// Returns false when a search was cancelled.
bool crossValidate(const ProjectModel& model, int direction, const std::vector<TruthPair>& pairs,
                   int folds, FoldedComparison& result, const SearchControl& control = {},
                   const std::function<void(int, int)>& beforeSearch = {});

} // namespace qdx
