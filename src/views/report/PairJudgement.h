#pragma once

#include "model/DentalRecord.h"
#include "model/ToothChart.h"
#include "store/SearchSettings.h"

#include <array>
#include <string>

namespace qdx {

// How one tooth position of a post-mortem and an ante-mortem chart compare.
enum class ToothJudgement {
    Agrees,        // same class and deciduous flag
    Consistent,    // differs in a way the comparison counts as without contradiction
    Contradicts,   // differs otherwise (also equal classes with different deciduous flags)
    NotComparable, // no information on one side or both
};

// One position as the report lists it: the finding of each chart and the judgement.
struct PositionJudgement {
    int pmClass = 5; // comparison class 1..6, 5 for no information
    int amClass = 5;
    bool pmDeciduous = false;
    bool amDeciduous = false;
    bool pmBridge = false;
    bool amBridge = false;
    ToothJudgement judgement = ToothJudgement::NotComparable;
};

// The counts of a pair, the same whichever side searches.
struct JudgementCounts {
    int searchCount = 0;
    int exactMatchCount = 0;
    int fullRestorationMissingMatchCount = 0;
    int noContradictionMatchCount = 0;
};

struct PairJudgement {
    std::array<PositionJudgement, kToothCount> positions{};
    // Both sexes known and different: the searches compare nothing.
    bool sexExcluded = false;
    JudgementCounts counts;
    // The weighted score of each search direction (0 ante-mortem charts search, 1 post-mortem).
    std::array<double, 2> score{};

    int countOf(ToothJudgement judgement) const;
};

// The tooth-by-tooth comparison of a post-mortem and an ante-mortem chart under the matching
// engine's rules, with the counts and scores the searches compute for the pair.
PairJudgement judgePair(const DentalRecord& postMortem, const DentalRecord& anteMortem,
                        const SearchSettings& settings);

// A finding as the report's table shows it: the class digit, "b" for a bridge, "d" for a
// deciduous tooth ("3b", "1d", "5").
std::string findingText(int comparisonClass, bool bridge, bool deciduous);
// "○", "△", "×" or "－".
std::string_view judgementMark(ToothJudgement judgement);
// "一致", "矛盾なし", "矛盾", "比較不能".
std::string_view judgementLabel(ToothJudgement judgement);

} // namespace qdx
