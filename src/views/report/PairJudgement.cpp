#include "views/report/PairJudgement.h"

#include "matching/ToothComparison.h"

#include <algorithm>

namespace qdx {

namespace {

// The judgement of one position by the comparison rules of the searches: a compared position
// agrees when class and deciduous flag are equal, is consistent when the post-mortem class is
// not below the ante-mortem class (treatment only added since the ante-mortem record).
ToothJudgement judge(const PositionJudgement& p) {
    if (p.pmClass == 5 || p.amClass == 5)
        return ToothJudgement::NotComparable;
    if (p.pmDeciduous != p.amDeciduous)
        return ToothJudgement::Contradicts;
    if (p.pmClass == p.amClass)
        return ToothJudgement::Agrees;
    return p.pmClass >= p.amClass ? ToothJudgement::Consistent : ToothJudgement::Contradicts;
}

void count(const PositionJudgement& p, JudgementCounts& counts) {
    if (p.judgement == ToothJudgement::NotComparable)
        return;
    ++counts.searchCount;
    if (p.judgement == ToothJudgement::Agrees) {
        ++counts.exactMatchCount;
        if (p.pmClass == 3 || p.pmClass == 4)
            ++counts.fullRestorationMissingMatchCount;
    }
    if (p.judgement != ToothJudgement::Contradicts)
        ++counts.noContradictionMatchCount;
}

// The score of a direction: the weight of every position whose deciduous flags are equal, the
// candidate's class picking the row and the searching chart's the column, summed in position
// order and divided by the compared positions (none for a pair excluded by sex: score 0).
double scoreOf(const PairJudgement& pair, int direction, const Scores6& weights) {
    if (pair.counts.searchCount == 0)
        return 0.0;
    double sum = 0.0;
    for (const PositionJudgement& p : pair.positions) {
        if (p.pmDeciduous != p.amDeciduous)
            continue;
        const int row = direction == 0 ? p.pmClass : p.amClass;
        const int column = direction == 0 ? p.amClass : p.pmClass;
        sum += weights[static_cast<std::size_t>((row - 1) * 6 + (column - 1))];
    }
    return sum / pair.counts.searchCount;
}

} // namespace

int PairJudgement::countOf(ToothJudgement judgement) const {
    return static_cast<int>(std::count_if(positions.begin(), positions.end(),
                                          [&](const auto& p) { return p.judgement == judgement; }));
}

PairJudgement judgePair(const DentalRecord& postMortem, const DentalRecord& anteMortem,
                        const SearchSettings& settings) {
    PairJudgement pair;
    pair.sexExcluded = isSexExcluded(postMortem, anteMortem);
    for (int j = 0; j < kToothCount; ++j) {
        PositionJudgement& p = pair.positions[static_cast<std::size_t>(j)];
        p.pmClass = comparisonClass(postMortem, j);
        p.amClass = comparisonClass(anteMortem, j);
        p.pmDeciduous = deciduousFlag(postMortem, j);
        p.amDeciduous = deciduousFlag(anteMortem, j);
        p.pmBridge = bridgeFlag(postMortem, j);
        p.amBridge = bridgeFlag(anteMortem, j);
        p.judgement = pair.sexExcluded ? ToothJudgement::NotComparable : judge(p);
        count(p, pair.counts);
    }
    for (int direction : {0, 1})
        pair.score[static_cast<std::size_t>(direction)] =
            scoreOf(pair, direction, settings.scores6(direction));
    return pair;
}

std::string findingText(int comparisonClass, bool bridge, bool deciduous) {
    std::string text(1, static_cast<char>('0' + comparisonClass));
    if (bridge)
        text += 'b';
    if (deciduous)
        text += 'd';
    return text;
}

std::string_view judgementMark(ToothJudgement judgement) {
    switch (judgement) {
    case ToothJudgement::Agrees:
        return "○";
    case ToothJudgement::Consistent:
        return "△";
    case ToothJudgement::Contradicts:
        return "×";
    case ToothJudgement::NotComparable:
        break;
    }
    return "－";
}

std::string_view judgementLabel(ToothJudgement judgement) {
    switch (judgement) {
    case ToothJudgement::Agrees:
        return "一致";
    case ToothJudgement::Consistent:
        return "矛盾なし";
    case ToothJudgement::Contradicts:
        return "矛盾";
    case ToothJudgement::NotComparable:
        break;
    }
    return "比較不能";
}

} // namespace qdx
