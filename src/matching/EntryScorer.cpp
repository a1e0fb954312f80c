#include "matching/EntryScorer.h"

#include "matching/ChartScan.h"
#include "matching/PairCounts.h"
#include "matching/WeightKernel.h"

#include <algorithm>
#include <utility>

namespace qdx {

void EntryScorer::score(const DentalRecord& record, const EntryOutcomes& outcomes,
                        SearchEntry& entry, bool merge) {
    begin(record);
    compare(0, m_count);
    finish(outcomes, entry, merge);
}

void EntryScorer::begin(const DentalRecord& record) {
    static const WeightMatrix kNoWeights{};
    const PackedCandidates& pack = *m_input.pack;
    prepareSearchingChart(m_chart, record, m_input.matrix != nullptr ? *m_input.matrix : kNoWeights,
                          pack);
    m_count = pack.count;
    for (auto& column : m_counts)
        column.resize(pack.paddedCount);
    for (int q = 0; q < 3; ++q) {
        m_blockMax[q].resize(pack.paddedCount / CandidateMarks::kBlock);
        m_blockMaxOut[q] = m_blockMax[q].data();
    }
    if (m_policy.mode == SearchMode::Bridges) {
        m_alone.resize(m_count);
        return;
    }
    m_reaching.clear();
    m_reachingThreshold = std::numeric_limits<double>::quiet_NaN();
    prepareWeightBounds(m_bounds, m_chart.table);
    m_allScores = !m_bounds.usable();
    prepareChartScan(m_scan, m_chart, m_allScores ? nullptr : &m_bounds, pack.direction);
    m_scores.resize(m_count);
    if (m_allScores) {
        m_sums.resize(pack.blocks * kLanes);
        return;
    }
    m_scoreBounds.resize(pack.paddedCount);
    if (m_scoreStamp.size() != m_count) {
        m_scoreStamp.assign(m_count, 0);
        m_stamp = 0;
    }
    if (++m_stamp == 0) {
        std::fill(m_scoreStamp.begin(), m_scoreStamp.end(), 0);
        m_stamp = 1;
    }
}

void EntryScorer::compare(std::size_t start, std::size_t length) {
    const PackedCandidates& pack = *m_input.pack;
    std::uint8_t* const out[4] = {m_counts[0].data() + start, m_counts[1].data() + start,
                                  m_counts[2].data() + start, m_counts[3].data() + start};
    if (m_policy.mode == SearchMode::Bridges) {
        countBridges(pack, m_chart, start, length, out);
        for (std::size_t i = start; i < start + length; ++i)
            m_alone[i] = static_cast<std::uint8_t>(32 - m_counts[2][i]);
        return;
    }
    const std::size_t block = start / CandidateMarks::kBlock;
    std::uint8_t* const most[3] = {m_blockMaxOut[0] + block, m_blockMaxOut[1] + block,
                                   m_blockMaxOut[2] + block};
    scanCandidates(m_scan, pack, start, length, out,
                   m_allScores ? nullptr : m_scoreBounds.data() + start, most);
    if (m_allScores)
        computeScores(start, length);
}

void EntryScorer::finish(const EntryOutcomes& outcomes, SearchEntry& entry, bool merge) {
    classifyOutcomes(outcomes);
    m_kept.clear();
    m_keptInOrder = true;
    for (auto& list : m_lists)
        list.clear();
    m_cuts.fill(TieCut{});
    cutCountLists();
    if (m_policy.mode == SearchMode::Pairs)
        cutScoreLists();
    collect();
    if (m_policy.mode == SearchMode::Bridges)
        keepConstantLists();
    for (int k = 0; k < SearchEntry::kListCount; ++k) {
        orderList(k);
        if (!m_input.kept.keeps(k))
            m_lists[k].clear();
        else if (m_lists[k].size() > m_input.kept.length)
            m_lists[k].resize(m_input.kept.length);
    }
    store(entry, merge);
}

// Scores of candidates [start, start + length), eight at a time.
void EntryScorer::computeScores(std::size_t start, std::size_t length) {
    const PackedCandidates& pack = *m_input.pack;
    const std::size_t blocks = (length + kLanes - 1) / kLanes;
    sumWeightBlocks(&m_chart.table[0][0], pack.codes.data() + start / kLanes * kBlockBytes, blocks,
                    m_sums.data() + start);
    divideScores(m_sums.data() + start, m_counts[0].data() + start, length,
                 m_scores.data() + start);
}

// Every score: for weights without bounds, or when most candidates need their exact score
// anyway.
void EntryScorer::computeAllScores() {
    m_sums.resize(m_input.pack->blocks * kLanes);
    computeScores(0, m_count);
    m_allScores = true;
}

double EntryScorer::scoreOf(std::size_t candidate) {
    if (m_policy.mode == SearchMode::Bridges)
        return 0.0;
    if (m_allScores)
        return m_scores[candidate];
    if (m_scoreStamp[candidate] != m_stamp) {
        const std::uint8_t count = m_counts[0][candidate];
        m_scores[candidate] =
            count > 0 ? weightSumOf(m_chart.table, m_input.pack->rowCodes.data() + candidate * 32) /
                            static_cast<double>(count)
                      : 0.0;
        m_scoreStamp[candidate] = m_stamp;
    }
    return m_scores[candidate];
}

void EntryScorer::classifyOutcomes(const EntryOutcomes& outcomes) {
    const PackedCandidates& pack = *m_input.pack;
    const auto& classes = *m_input.outcomeClasses;
    m_overrides.clear();
    for (const auto& [candidate, code] : outcomes)
        if (pack.identified[candidate] == PackedCandidates::kNoOutcome)
            m_overrides.emplace_back(candidate, code);
    m_notOpen.clear();
    auto override = m_overrides.begin();
    for (const std::uint32_t identified : pack.identifiedList) {
        for (; override != m_overrides.end() && override->first < identified; ++override)
            if (classes[override->second] != OutcomeClass::Open)
                m_notOpen.push_back(override->first);
        m_notOpen.push_back(identified);
    }
    for (; override != m_overrides.end(); ++override)
        if (classes[override->second] != OutcomeClass::Open)
            m_notOpen.push_back(override->first);
}

bool EntryScorer::isOpen(std::size_t candidate) const {
    return !std::binary_search(m_notOpen.begin(), m_notOpen.end(),
                               static_cast<std::uint32_t>(candidate));
}

const std::uint8_t* const* EntryScorer::blockMaxima() const {
    return m_policy.mode == SearchMode::Pairs ? m_blockMaxOut : nullptr;
}

const std::uint8_t* EntryScorer::countKeys(int rankKey) const {
    if (m_policy.mode == SearchMode::Bridges && rankKey == 1)
        return m_alone.data();
    return m_counts[rankKey + 1].data();
}

OutcomeClass EntryScorer::classOf(std::size_t candidate, std::uint16_t& outcome,
                                  std::size_t& nextOverride) const {
    outcome = m_input.pack->identified[candidate];
    if (outcome == PackedCandidates::kNoOutcome) {
        while (nextOverride < m_overrides.size() && m_overrides[nextOverride].first < candidate)
            ++nextOverride;
        outcome = nextOverride < m_overrides.size() && m_overrides[nextOverride].first == candidate
                      ? m_overrides[nextOverride].second
                      : 0;
    }
    return (*m_input.outcomeClasses)[outcome];
}

double EntryScorer::keyOf(int rankKey, std::size_t candidate) {
    switch (m_policy.keys[rankKey]) {
    case KeyKind::Count:
        return countKeys(rankKey)[candidate];
    case KeyKind::Score:
        return scoreKey(scoreOf(candidate));
    case KeyKind::None:
        break;
    }
    return 0.0;
}

KeptPair EntryScorer::pairAt(std::size_t candidate, std::uint16_t outcome) {
    // Built in one expression so that the packed counts are assembled in a register.
    return KeptPair{scoreOf(candidate),
                    m_input.firstOrdinal + static_cast<std::uint32_t>(candidate),
                    m_counts[0][candidate],
                    m_counts[1][candidate],
                    m_counts[2][candidate],
                    m_counts[3][candidate],
                    static_cast<std::uint32_t>(outcome)};
}

} // namespace qdx
