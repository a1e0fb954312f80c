#pragma once

#include "matching/OutcomeIndex.h"
#include "matching/SearchEntry.h"
#include "matching/SearchingChart.h"
#include "matching/TopList.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace qdx {

// Tooth comparison with counts and weighted score, or bridge marks only.
enum class SearchMode { Pairs, Bridges };

// Filter class of an outcome: open candidates, identified ones (in no filtered list) and the
// grey ones under examination or marked as another person.
enum class OutcomeClass : std::uint8_t { Open, Identified, Grey };

// The ordering key of a ranking criterion; lists run from the greatest key down. Scores
// that are not numbers (a matrix holding one) rank with minus infinity, so every pair of
// results stays comparable.
inline double rankingKey(const KeptPair& pair, int rankKey, SearchMode mode) {
    if (mode == SearchMode::Bridges) {
        if (rankKey == 0)
            return pair.exactMatchCount;
        if (rankKey == 1)
            return -static_cast<double>(pair.fullRestorationMissingMatchCount);
        return 0.0;
    }
    switch (rankKey) {
    case 0:
        return pair.exactMatchCount;
    case 1:
        return pair.fullRestorationMissingMatchCount;
    case 2:
        return pair.noContradictionMatchCount;
    default:
        return std::isnan(pair.score) ? -std::numeric_limits<double>::infinity() : pair.score;
    }
}

using EntryLists = std::array<std::vector<KeptPair>, SearchEntry::kListCount>;

// Shared, read-only inputs of one scoring pass.
struct ScoringInput {
    const PackedCandidates* pack = nullptr;
    const WeightMatrix* matrix = nullptr;
    const std::vector<OutcomeClass>* outcomeClasses = nullptr;
    std::uint32_t firstOrdinal = 0;
    SearchMode mode = SearchMode::Pairs;
};

// Compares one searching chart with every packed candidate and keeps the best of every
// list. One per worker thread; it reuses its buffers from entry to entry.
class EntryScorer {
public:
    explicit EntryScorer(const ScoringInput& input) : m_input(input) {}

    void score(const DentalRecord& record, const EntryOutcomes& outcomes, EntryLists& lists);

private:
    static constexpr std::size_t kChunk = 512;

    void countChunk(std::size_t start, std::size_t length);
    void markChunk(std::size_t start, std::size_t length, const EntryOutcomes& outcomes,
                   std::size_t nextOutcome);
    template <SearchMode Mode>
    void keepChunk(std::size_t start, std::size_t length, const EntryOutcomes& outcomes,
                   std::size_t& nextOutcome);

    ScoringInput m_input;
    SearchingChart m_chart;
    std::array<TopList, SearchEntry::kListCount> m_top;
    alignas(64) double m_sums[kChunk];
    alignas(64) double m_scores[kChunk];
    std::uint8_t m_counts[4][kChunk];
    std::uint8_t m_marks[kChunk];
};

// Stores lists into an entry; with `merge` the entry's current lists (from an earlier list of
// candidates, so earlier in candidate order) are merged with them first.
void storeEntryLists(SearchEntry& entry, EntryLists& lists, SearchMode mode, bool merge);

} // namespace qdx
