#include "matching/EntryScorer.h"

#include "matching/WeightKernel.h"

#include <algorithm>
#include <bit>

namespace qdx {

namespace {

std::uint8_t popcount8(std::uint32_t bits) {
    return static_cast<std::uint8_t>(std::popcount(bits));
}

} // namespace

void EntryScorer::score(const DentalRecord& record, const EntryOutcomes& outcomes,
                        EntryLists& lists) {
    static const WeightMatrix kNoWeights{};
    const PackedCandidates& pack = *m_input.pack;
    prepareSearchingChart(m_chart, record, m_input.matrix != nullptr ? *m_input.matrix : kNoWeights,
                          pack);
    for (auto& top : m_top)
        top.clear();
    std::size_t nextOutcome = 0;
    for (std::size_t start = 0; start < pack.count; start += kChunk) {
        const std::size_t length = std::min(kChunk, pack.count - start);
        countChunk(start, length);
        if (m_input.mode == SearchMode::Pairs) {
            sumWeightBlocks(&m_chart.table[0][0], pack.codes.data() + start / kLanes * kBlockBytes,
                            (length + kLanes - 1) / kLanes, m_sums);
            divideScores(m_sums, m_counts[0], length, m_scores);
        } else {
            std::fill(m_scores, m_scores + length, 0.0);
        }
        keepChunk(start, length, outcomes, nextOutcome);
    }
    for (std::size_t k = 0; k < lists.size(); ++k)
        m_top[k].takeSorted(lists[k]);
}

void EntryScorer::countChunk(std::size_t start, std::size_t length) {
    const PackedCandidates& pack = *m_input.pack;
    const ChartMasks& s = m_chart.masks;
    const std::uint32_t searchSex = m_chart.sex;
    const bool bridges = m_input.mode == SearchMode::Bridges;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t c = start + i;
        const std::uint32_t candidateSex = pack.sex[c];
        // Both sexes known and different: the candidate counts as a chart without information.
        if (searchSex != 0 && candidateSex != 0 && searchSex != candidateSex) {
            for (auto& counts : m_counts)
                counts[i] = 0;
            continue;
        }
        const ChartMasks& w = pack.masks[c];
        if (bridges) {
            m_counts[0][i] = popcount8(w.bridge);
            m_counts[1][i] = popcount8(w.bridge & s.bridge);
            m_counts[2][i] = popcount8(w.bridge & ~s.bridge);
            m_counts[3][i] = 0;
            continue;
        }
        const std::uint32_t searched = w.known & s.known;
        const std::uint32_t sameKind = ~(w.dec ^ s.dec) & searched;
        const std::uint32_t classDiffers =
            (w.plane[0] ^ s.plane[0]) | (w.plane[1] ^ s.plane[1]) | (w.plane[2] ^ s.plane[2]);
        const std::uint32_t exact = sameKind & ~classDiffers;
        const auto& order = pack.order[c];
        const std::uint32_t agreeing =
            (m_chart.classMask[0] & order[0]) | (m_chart.classMask[1] & order[1]) |
            (m_chart.classMask[2] & order[2]) | (m_chart.classMask[3] & order[3]) |
            (m_chart.classMask[4] & order[4]);
        m_counts[0][i] = popcount8(searched);
        m_counts[1][i] = popcount8(exact);
        m_counts[2][i] = popcount8(exact & m_chart.fullRestorationMissing);
        m_counts[3][i] = popcount8(sameKind & agreeing);
    }
}

void EntryScorer::keepChunk(std::size_t start, std::size_t length, const EntryOutcomes& outcomes,
                            std::size_t& nextOutcome) {
    const PackedCandidates& pack = *m_input.pack;
    const std::vector<OutcomeClass>& classes = *m_input.outcomeClasses;
    const SearchMode mode = m_input.mode;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t c = start + i;
        std::uint16_t outcome = pack.identified[c];
        while (nextOutcome < outcomes.size() && outcomes[nextOutcome].first < c)
            ++nextOutcome;
        if (outcome == PackedCandidates::kNoOutcome)
            outcome = nextOutcome < outcomes.size() && outcomes[nextOutcome].first == c
                          ? outcomes[nextOutcome].second
                          : 0;
        KeptPair pair;
        pair.score = m_scores[i];
        pair.candidate = m_input.firstOrdinal + static_cast<std::uint32_t>(c);
        pair.outcome = outcome;
        pair.searchCount = m_counts[0][i];
        pair.exactMatchCount = m_counts[1][i];
        pair.fullRestorationMissingMatchCount = m_counts[2][i];
        pair.noContradictionMatchCount = m_counts[3][i];
        const OutcomeClass cls = classes[outcome];
        for (int v = 0; v < kRankKeyCount; ++v) {
            const double key = rankingKey(pair, v, mode);
            TopList& all = m_top[v * kCandidateFilterCount];
            if (all.admits(key))
                all.insert(key, pair);
            if (cls == OutcomeClass::Identified)
                continue;
            TopList& filtered =
                m_top[v * kCandidateFilterCount + (cls == OutcomeClass::Open ? 1 : 2)];
            if (filtered.admits(key))
                filtered.insert(key, pair);
        }
    }
}

void storeEntryLists(SearchEntry& entry, EntryLists& lists, SearchMode mode, bool merge) {
    if (merge) {
        for (int k = 0; k < SearchEntry::kListCount; ++k) {
            const int rankKey = k / kCandidateFilterCount;
            const RankedView old =
                entry.view(rankKey, static_cast<CandidateFilter>(k % kCandidateFilterCount));
            std::vector<KeptPair> earlier;
            for (std::size_t i = 0; i < old.size(); ++i)
                earlier.push_back(old.kept(i));
            std::vector<KeptPair> merged;
            std::merge(earlier.begin(), earlier.end(), lists[k].begin(), lists[k].end(),
                       std::back_inserter(merged), [&](const KeptPair& a, const KeptPair& b) {
                           return rankingKey(a, rankKey, mode) > rankingKey(b, rankKey, mode);
                       });
            if (merged.size() > TopList::kCapacity)
                merged.resize(TopList::kCapacity);
            lists[k] = std::move(merged);
        }
    }
    std::vector<KeptPair> kept;
    for (const auto& list : lists)
        kept.insert(kept.end(), list.begin(), list.end());
    std::sort(kept.begin(), kept.end(),
              [](const KeptPair& a, const KeptPair& b) { return a.candidate < b.candidate; });
    kept.erase(std::unique(
                   kept.begin(), kept.end(),
                   [](const KeptPair& a, const KeptPair& b) { return a.candidate == b.candidate; }),
               kept.end());
    std::array<std::vector<std::uint16_t>, SearchEntry::kListCount> positions;
    for (int k = 0; k < SearchEntry::kListCount; ++k)
        for (const KeptPair& pair : lists[k]) {
            const auto at = std::lower_bound(
                kept.begin(), kept.end(), pair.candidate,
                [](const KeptPair& a, std::uint32_t ordinal) { return a.candidate < ordinal; });
            positions[k].push_back(static_cast<std::uint16_t>(at - kept.begin()));
        }
    entry.assign(std::move(kept), positions);
}

} // namespace qdx
