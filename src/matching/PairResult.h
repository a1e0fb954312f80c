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
    std::string outcome; // KIND of the recorded outcome, or empty
    double score = 0.0;
};

// Direction of a search: 0 ante-mortem charts search the post-mortem ones, 1 the reverse.
constexpr int kAnteToPostMortem = 0;
constexpr int kPostToAnteMortem = 1;

// Ranking criteria; the bridge search reads views 0 and 1 as matches and mismatches.
constexpr int kRankKeyCount = 4;
// A window lists at most this many candidates per searching chart.
constexpr int kMaxDisplayCount = 50;

// Outcomes "0", "1", "2" mean the pair or candidate is identified.
bool isIdentifiedKind(const std::string& kind);
// Any recorded outcome "0".."4": such candidates are excluded from the search when hiding.
bool isRecordedOutcome(const std::string& outcome);
// Under examination ("3") or other person ("4"): the grey rows of the individual search.
bool isGreyOutcome(const std::string& outcome);
// Mark beside a candidate: "*" identified, "u" under examination, "i" other person.
std::string candidateMark(const std::string& outcome);
// Mark beside a searching chart by its own match kind: "*" or "u"; other persons get none.
std::string searchingMark(const std::string& matchKind);

} // namespace qdx
