#pragma once

#include "model/DentalRecord.h"

#include <cstdint>
#include <string>

namespace qdx {

// The comparison of one searching chart with one candidate, as the windows list it.
struct PairResult {
    const DentalRecord* candidate = nullptr; // owned by the project model's record list
    std::int32_t searchCount = 0;
    std::int32_t exactMatchCount = 0;
    std::int32_t fullRestorationMissingMatchCount = 0;
    std::int32_t noContradictionMatchCount = 0;
    MatchKind outcome; // the recorded outcome, or none
    double score = 0.0;
};

// Direction of a search: 0 ante-mortem charts search the post-mortem ones, 1 the reverse.
constexpr int kAnteToPostMortem = 0;
constexpr int kPostToAnteMortem = 1;

// Ranking criteria; the bridge search reads views 0 and 1 as matches and mismatches.
constexpr int kRankKeyCount = 4;
// A window lists at most this many candidates per searching chart.
constexpr int kMaxDisplayCount = 50;

// Mark beside a candidate: "*" identified, "u" under examination, "i" other person.
std::string candidateMark(const MatchKind& outcome);
// Mark beside a searching chart by its own match kind: "*" or "u"; other persons get none.
std::string searchingMark(const MatchKind& matchKind);

} // namespace qdx
