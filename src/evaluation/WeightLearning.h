#pragma once

#include "evaluation/TruthPairs.h"
#include "store/SearchSettings.h"

#include <array>
#include <cstddef>
#include <vector>

namespace qdx {

// Tallies of six-class pairs at one tooth position, indexed as the weight matrices are:
// (candidate's class - 1) * 6 + (searching chart's class - 1).
using ClassPairCounts = std::array<double, 36>;

// How often each pair of classes occurs at one position of the true pairs of a direction.
// Only positions whose deciduous flags agree count (the others add no weight to a score), and
// pairs excluded by sex count nothing. Pairs naming a chart not in the lists are skipped.
ClassPairCounts truePairCounts(int direction, const std::vector<TruthPair>& pairs,
                               const std::vector<DentalRecord>& pmRecords,
                               const std::vector<DentalRecord>& amRecords);

// The expected shares (summing to 1) of each pair of classes at one position of a searching
// chart and an unrelated candidate: per position, the class frequencies of the searching side
// times those of the candidate side, with equal deciduous flags, over all positions.
ClassPairCounts unrelatedPairShares(const std::vector<DentalRecord>& searching,
                                    const std::vector<DentalRecord>& candidates);

// The weights: for every pair of classes the logarithm of how much more often it occurs in
// true pairs than in unrelated ones, both smoothed by half a pair per cell so that rare cells
// stay finite, scaled so that the largest magnitude is 1 and rounded to four decimals as the
// settings window stores weights. All zero without true positions.
Scores6 learnWeights(const ClassPairCounts& truth, const ClassPairCounts& unrelatedShares);

// A weight rounded to four decimals ("%.4f" as the settings window shows and reads it).
double roundWeight(double value);

} // namespace qdx
