#include "matching/EntryScorer.h"

#include "matching/WeightKernel.h"

#include <algorithm>
#include <bit>

namespace qdx {

namespace {

using CountRows = std::uint8_t (*)[512];

template <bool Bridges>
[[gnu::always_inline]] inline void countCandidates(const PackedCandidates& pack,
                                                   const SearchingChart& chart, std::size_t start,
                                                   std::size_t length, CountRows counts) {
    const ChartMasks& s = chart.masks;
    const std::uint32_t searchSex = chart.sex;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t c = start + i;
        const std::uint32_t candidateSex = pack.sex[c];
        // Both sexes known and different: the candidate counts as a chart without information.
        if (searchSex != 0 && candidateSex != 0 && searchSex != candidateSex) {
            for (int k = 0; k < 4; ++k)
                counts[k][i] = 0;
            continue;
        }
        const ChartMasks& w = pack.masks[c];
        if constexpr (Bridges) {
            counts[0][i] = static_cast<std::uint8_t>(std::popcount(w.bridge));
            counts[1][i] = static_cast<std::uint8_t>(std::popcount(w.bridge & s.bridge));
            counts[2][i] = static_cast<std::uint8_t>(std::popcount(w.bridge & ~s.bridge));
            counts[3][i] = 0;
        } else {
            const std::uint32_t searched = w.known & s.known;
            const std::uint32_t sameKind = ~(w.dec ^ s.dec) & searched;
            const std::uint32_t classDiffers =
                (w.plane[0] ^ s.plane[0]) | (w.plane[1] ^ s.plane[1]) | (w.plane[2] ^ s.plane[2]);
            const std::uint32_t exact = sameKind & ~classDiffers;
            const auto& order = pack.order[c];
            const std::uint32_t agreeing =
                (chart.classMask[0] & order[0]) | (chart.classMask[1] & order[1]) |
                (chart.classMask[2] & order[2]) | (chart.classMask[3] & order[3]) |
                (chart.classMask[4] & order[4]);
            counts[0][i] = static_cast<std::uint8_t>(std::popcount(searched));
            counts[1][i] = static_cast<std::uint8_t>(std::popcount(exact));
            counts[2][i] =
                static_cast<std::uint8_t>(std::popcount(exact & chart.fullRestorationMissing));
            counts[3][i] = static_cast<std::uint8_t>(std::popcount(sameKind & agreeing));
        }
    }
}

void countPortable(bool bridges, const PackedCandidates& pack, const SearchingChart& chart,
                   std::size_t start, std::size_t length, CountRows counts) {
    if (bridges)
        countCandidates<true>(pack, chart, start, length, counts);
    else
        countCandidates<false>(pack, chart, start, length, counts);
}

#if defined(__x86_64__)
__attribute__((target("popcnt"))) void countPopcnt(bool bridges, const PackedCandidates& pack,
                                                   const SearchingChart& chart, std::size_t start,
                                                   std::size_t length, CountRows counts) {
    if (bridges)
        countCandidates<true>(pack, chart, start, length, counts);
    else
        countCandidates<false>(pack, chart, start, length, counts);
}

const bool g_hasPopcnt = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("popcnt") != 0;
}();
#endif

constexpr double kMinusInfinity = -std::numeric_limits<double>::infinity();

// Marks the candidates whose counts reach a threshold in any of the three count criteria.
__attribute__((target_clones("avx2", "default"))) void
markCounts(const std::uint8_t* exact, const std::uint8_t* full, const std::uint8_t* agreeing,
           std::size_t length, std::uint8_t t0, std::uint8_t t1, std::uint8_t t2,
           std::uint8_t* marks) {
    for (std::size_t i = 0; i < length; ++i)
        marks[i] =
            static_cast<std::uint8_t>((exact[i] >= t0) | (full[i] >= t1) | (agreeing[i] >= t2));
}

__attribute__((target_clones("avx2", "default"))) void
markScores(const double* scores, std::size_t length, double threshold, std::uint8_t* marks) {
    for (std::size_t i = 0; i < length; ++i)
        marks[i] = static_cast<std::uint8_t>(marks[i] | (scores[i] >= threshold));
}

// A count threshold as a byte: counts never exceed 32, so 255 admits nothing.
std::uint8_t countThreshold(double floor) {
    if (!(floor <= 255.0))
        return 255;
    return floor <= 0.0 ? 0 : static_cast<std::uint8_t>(std::ceil(floor));
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
    const bool bridges = m_input.mode == SearchMode::Bridges;
    for (std::size_t start = 0; start < pack.count; start += kChunk) {
        const std::size_t length = std::min(kChunk, pack.count - start);
        countChunk(start, length);
        if (!bridges) {
            sumWeightBlocks(&m_chart.table[0][0], pack.codes.data() + start / kLanes * kBlockBytes,
                            (length + kLanes - 1) / kLanes, m_sums);
            divideScores(m_sums, m_counts[0], length, m_scores);
            keepChunk<SearchMode::Pairs>(start, length, outcomes, nextOutcome);
        } else {
            keepChunk<SearchMode::Bridges>(start, length, outcomes, nextOutcome);
        }
    }
    for (std::size_t k = 0; k < lists.size(); ++k)
        m_top[k].takeSorted(lists[k]);
}

void EntryScorer::countChunk(std::size_t start, std::size_t length) {
    const bool bridges = m_input.mode == SearchMode::Bridges;
#if defined(__x86_64__)
    if (g_hasPopcnt)
        return countPopcnt(bridges, *m_input.pack, m_chart, start, length, m_counts);
#endif
    countPortable(bridges, *m_input.pack, m_chart, start, length, m_counts);
}

// Floors only rise while a chunk is kept, so the floors at the chunk's start pass every
// candidate that a list will take. Candidates with a pair outcome of their own (few) always
// take the exact path, because grey candidates answer to their own lists.
void EntryScorer::markChunk(std::size_t start, std::size_t length, const EntryOutcomes& outcomes,
                            std::size_t nextOutcome) {
    double floors[kRankKeyCount];
    for (int v = 0; v < kRankKeyCount; ++v)
        floors[v] = std::min(m_top[v * kCandidateFilterCount].floor(),
                             m_top[v * kCandidateFilterCount + 1].floor());
    if (m_input.mode == SearchMode::Pairs) {
        markCounts(m_counts[1], m_counts[2], m_counts[3], length, countThreshold(floors[0]),
                   countThreshold(floors[1]), countThreshold(floors[2]), m_marks);
        markScores(m_scores, length, floors[3], m_marks);
    } else {
        // Bridge keys: matches, minus mismatches, and two constant criteria.
        const std::uint8_t t0 = countThreshold(floors[0]);
        const bool constantsWanted = 0.0 >= floors[2] || 0.0 >= floors[3];
        for (std::size_t i = 0; i < length; ++i)
            m_marks[i] = static_cast<std::uint8_t>(
                (m_counts[1][i] >= t0) | (-static_cast<double>(m_counts[2][i]) >= floors[1]) |
                constantsWanted);
    }
    for (std::size_t k = nextOutcome; k < outcomes.size() && outcomes[k].first < start + length;
         ++k)
        if (outcomes[k].first >= start)
            m_marks[outcomes[k].first - start] = 1;
}

template <SearchMode Mode>
void EntryScorer::keepChunk(std::size_t start, std::size_t length, const EntryOutcomes& outcomes,
                            std::size_t& nextOutcome) {
    const PackedCandidates& pack = *m_input.pack;
    const std::vector<OutcomeClass>& classes = *m_input.outcomeClasses;
    markChunk(start, length, outcomes, nextOutcome);
    for (std::size_t i = 0; i < length; ++i) {
        if (m_marks[i] == 0)
            continue;
        const std::size_t c = start + i;
        std::uint16_t outcome = pack.identified[c];
        if (outcome == PackedCandidates::kNoOutcome) {
            while (nextOutcome < outcomes.size() && outcomes[nextOutcome].first < c)
                ++nextOutcome;
            outcome = nextOutcome < outcomes.size() && outcomes[nextOutcome].first == c
                          ? outcomes[nextOutcome].second
                          : 0;
        }
        double keys[kRankKeyCount];
        if constexpr (Mode == SearchMode::Pairs) {
            const double score = m_scores[i];
            keys[0] = m_counts[1][i];
            keys[1] = m_counts[2][i];
            keys[2] = m_counts[3][i];
            keys[3] = score != score ? kMinusInfinity : score;
        } else {
            keys[0] = m_counts[1][i];
            keys[1] = -static_cast<double>(m_counts[2][i]);
            keys[2] = 0.0;
            keys[3] = 0.0;
        }
        const OutcomeClass cls = classes[outcome];
        const int filtered = cls == OutcomeClass::Open ? 1 : 2;
        // Most candidates reach no list: decide that with one comparison per list.
        bool wanted = false;
        for (int v = 0; v < kRankKeyCount; ++v) {
            wanted |= m_top[v * kCandidateFilterCount].admits(keys[v]);
            wanted |= cls != OutcomeClass::Identified &&
                      m_top[v * kCandidateFilterCount + filtered].admits(keys[v]);
        }
        if (!wanted)
            continue;
        KeptPair pair;
        pair.score = Mode == SearchMode::Pairs ? m_scores[i] : 0.0;
        pair.candidate = m_input.firstOrdinal + static_cast<std::uint32_t>(c);
        pair.outcome = outcome;
        pair.searchCount = m_counts[0][i];
        pair.exactMatchCount = m_counts[1][i];
        pair.fullRestorationMissingMatchCount = m_counts[2][i];
        pair.noContradictionMatchCount = m_counts[3][i];
        for (int v = 0; v < kRankKeyCount; ++v) {
            TopList& all = m_top[v * kCandidateFilterCount];
            if (all.admits(keys[v]))
                all.insert(keys[v], pair);
            if (cls == OutcomeClass::Identified)
                continue;
            TopList& kept = m_top[v * kCandidateFilterCount + filtered];
            if (kept.admits(keys[v]))
                kept.insert(keys[v], pair);
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
