#pragma once

#include "model/DentalRecord.h"
#include "views/report/PairJudgement.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qdx {

// The charts of one side packed once for counting patterns: per chart the positions with
// their class and deciduous flag as bit masks, and the sex.
class PatternIndex {
public:
    explicit PatternIndex(const std::vector<DentalRecord>& charts);

    std::size_t size() const { return m_sex.size(); }

    // The positions a pattern fixes (bit i for position i) and their values: a chart shares
    // the pattern when its class and deciduous flag equal the pattern's at every such position.
    struct Pattern {
        std::uint32_t positions = 0;
        std::uint32_t deciduous = 0;
        std::uint32_t plane[3] = {}; // the three bits of the class
    };
    // How many charts share `pattern`: in all, and among the charts whose sex is `sex`.
    struct Count {
        std::size_t shared = 0;
        std::size_t total = 0;
        std::size_t sharedSameSex = 0;
        std::size_t totalSameSex = 0;
    };
    Count count(const Pattern& pattern, const std::string& sex) const;

private:
    struct Packed {
        std::uint32_t deciduous;
        std::uint32_t plane[3];
    };
    std::vector<Packed> m_charts;
    std::vector<std::string> m_sex;
};

// The pattern of a pair: the positions where the two charts agree, with their findings.
PatternIndex::Pattern agreementPattern(const PairJudgement& pair);

// How distinctive the agreement of a pair is among one side's charts, as X of N.
struct PatternEvidence {
    int side = AnteMortem; // the side whose charts were counted
    int positions = 0;     // agreeing positions
    std::string sex;       // the pair's known sex, or "0"
    PatternIndex::Count count;
};

// The evidence among `charts` (one side of the project) for the pair: the pair's known sex is
// the post-mortem one, or the ante-mortem one when that is unknown.
PatternEvidence patternEvidence(const PatternIndex& charts, int side, const PairJudgement& pair,
                                const DentalRecord& postMortem, const DentalRecord& anteMortem);

// "X / N（(X+1)/(N+1) = 13/3001 = 0.4332%）": the frequency within the project's own charts.
std::string frequencyText(std::size_t shared, std::size_t total);

} // namespace qdx
