#pragma once

#include "matching/OutcomeIndex.h"
#include "matching/SearchEntry.h"
#include "matching/SearchingChart.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace qdx {

// Tooth comparison with counts and weighted score, or bridge marks only.
enum class SearchMode { Pairs, Bridges };

// Filter class of an outcome: open candidates, identified ones (in no filtered list) and the
// grey ones under examination or marked as another person.
enum class OutcomeClass : std::uint8_t { Open, Identified, Grey };

// The ordering key of a ranking criterion; lists run from the greatest key down, ties in
// candidate order. Scores that are not numbers (a matrix holding one) rank with minus
// infinity, so every pair of results stays comparable.
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

// Compares one searching chart with every packed candidate and keeps the best of every list.
// All counts and scores of the entry are computed first; then thresholds that exactly admit
// each list's best 50 are found by counting, and only the few candidates that reach one are
// looked at one by one. One scorer per worker thread; it reuses its buffers.
class EntryScorer {
public:
    explicit EntryScorer(const ScoringInput& input) : m_input(input) {}

    // Fills `entry` with its lists; with `merge` they are merged with the lists it holds.
    void score(const DentalRecord& record, const EntryOutcomes& outcomes, SearchEntry& entry,
               bool merge);

private:
    // Keys above `threshold` belong to the list, and the first `ties` keys equal to it.
    struct ByteCut {
        std::uint8_t threshold = 0;
        std::size_t ties = 0;
    };

    void computeCounts();
    void classifyOutcomes(const EntryOutcomes& outcomes);
    // Counts of keys at least t, t = 0..64, filled as needed.
    using CountCache = std::array<std::size_t, 65>;
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    ByteCut cutFor(const std::uint8_t* keys, bool openOnly, CountCache& cache, int& hint) const;
    double scoreFloor();
    void markTies(const std::uint8_t* keys, const ByteCut& cut, bool openOnly);
    void markScoreTies(double floor, std::size_t ties, bool openOnly);
    void collect();
    void keepConstantViews();
    void orderList(int k);
    double viewKey(int view, std::size_t candidate) const;
    void store(SearchEntry& entry, bool merge);
    OutcomeClass classOf(std::size_t candidate, std::uint16_t& outcome,
                         std::size_t& nextOverride) const;
    KeptPair pairAt(std::size_t candidate, std::uint16_t outcome) const;

    ScoringInput m_input;
    SearchingChart m_chart;
    std::size_t m_count = 0;
    std::array<std::vector<std::uint8_t>, 4> m_counts;
    std::vector<std::uint8_t> m_alone; // 32 - bridge mismatches: ascending mismatches first
    std::vector<double> m_sums;
    std::vector<double> m_scores;
    std::vector<std::uint8_t> m_marks;
    // Pair outcomes of candidates not identified themselves, and every candidate that is not
    // open, both ascending.
    EntryOutcomes m_overrides;
    std::vector<std::uint32_t> m_notOpen;
    std::vector<double> m_samples;
    // Comparisons reaching a list, and the lists as positions into them.
    std::vector<KeptPair> m_kept;
    struct ListItem {
        double key;
        std::uint32_t at;
    };
    std::array<std::vector<ListItem>, SearchEntry::kListCount> m_lists;
    std::vector<ListItem> m_sorted;
    std::array<std::array<int, 2>, 3> m_lastCut{}; // last thresholds, all and open per view
    bool m_keptInOrder = true;
    std::vector<std::uint32_t> m_newPosition;
    std::vector<std::uint32_t> m_used;
};

// Stores lists into an entry; with `merge` the entry's current lists (from an earlier list of
// candidates, so earlier in candidate order) are merged with them first.
void storeEntryLists(SearchEntry& entry, EntryLists& lists, SearchMode mode, bool merge);

} // namespace qdx
