#include "views/report/PatternEvidence.h"

#include "matching/PackedCandidates.h"

#include <cstdio>

namespace qdx {

PatternIndex::PatternIndex(const std::vector<DentalRecord>& charts) {
    m_charts.reserve(charts.size());
    m_sex.reserve(charts.size());
    for (const DentalRecord& record : charts) {
        const ChartMasks masks = chartMasks(record);
        m_charts.push_back({masks.dec, {masks.plane[0], masks.plane[1], masks.plane[2]}});
        m_sex.push_back(record.sex);
    }
}

PatternIndex::Count PatternIndex::count(const Pattern& pattern, const std::string& sex) const {
    Count result;
    result.total = m_charts.size();
    const bool knownSex = sex != "0" && !sex.empty();
    for (std::size_t i = 0; i < m_charts.size(); ++i) {
        const Packed& c = m_charts[i];
        const std::uint32_t differs =
            (c.deciduous ^ pattern.deciduous) | (c.plane[0] ^ pattern.plane[0]) |
            (c.plane[1] ^ pattern.plane[1]) | (c.plane[2] ^ pattern.plane[2]);
        const bool shares = (differs & pattern.positions) == 0;
        result.shared += shares;
        if (knownSex && m_sex[i] == sex) {
            ++result.totalSameSex;
            result.sharedSameSex += shares;
        }
    }
    return result;
}

PatternIndex::Pattern agreementPattern(const PairJudgement& pair) {
    PatternIndex::Pattern pattern;
    for (int j = 0; j < kToothCount; ++j) {
        const PositionJudgement& p = pair.positions[static_cast<std::size_t>(j)];
        if (p.judgement != ToothJudgement::Agrees)
            continue;
        const std::uint32_t bit = 1u << j;
        pattern.positions |= bit;
        if (p.pmDeciduous)
            pattern.deciduous |= bit;
        for (int b = 0; b < 3; ++b)
            if (p.pmClass & (1 << b))
                pattern.plane[b] |= bit;
    }
    return pattern;
}

PatternEvidence patternEvidence(const PatternIndex& charts, int side, const PairJudgement& pair,
                                const DentalRecord& postMortem, const DentalRecord& anteMortem) {
    PatternEvidence evidence;
    evidence.side = side;
    evidence.positions = pair.countOf(ToothJudgement::Agrees);
    evidence.sex = postMortem.sex != "0" ? postMortem.sex : anteMortem.sex;
    evidence.count = charts.count(agreementPattern(pair), evidence.sex);
    return evidence;
}

std::string frequencyText(std::size_t shared, std::size_t total) {
    char text[160];
    const double ratio = static_cast<double>(shared + 1) / static_cast<double>(total + 1);
    std::snprintf(text, sizeof text, "%zu / %zu（(X+1)/(N+1) = %zu/%zu = %.4g%%）", shared, total,
                  shared + 1, total + 1, ratio * 100.0);
    return text;
}

} // namespace qdx
