#pragma once

#include "matching/CandidateMarks.h"
#include "matching/ChartScan.h"
#include "matching/OutcomeIndex.h"
#include "matching/ScoringPolicy.h"
#include "matching/SearchEntry.h"
#include "matching/SearchingChart.h"
#include "matching/WeightBounds.h"

#include <array>
#include <cstddef>
#include <vector>

namespace qdx {

// Filter class of an outcome: open candidates, identified ones (in no filtered list) and the
// grey ones under examination or marked as another person.
enum class OutcomeClass : std::uint8_t { Open, Identified, Grey };

using EntryLists = std::array<std::vector<KeptPair>, SearchEntry::kListCount>;

// Shared, read-only inputs of one scoring pass.
struct ScoringInput {
    const PackedCandidates* pack = nullptr;
    const WeightMatrix* matrix = nullptr;
    const std::vector<OutcomeClass>* outcomeClasses = nullptr;
    std::uint32_t firstOrdinal = 0;
    SearchMode mode = SearchMode::Pairs;
    KeptLists kept;
};

// Compares one searching chart with every packed candidate and keeps the best of every list.
// The counts of every candidate are computed first, then a cut for each list that admits
// exactly its best 50, found by counting; only the few candidates that reach a cut are looked
// at one by one. Scores are exact only where they can matter: every candidate gets a cheap
// upper bound, and only those whose bound reaches the score cut get their exact score. One
// scorer per worker thread; it reuses its buffers.
class EntryScorer {
public:
    explicit EntryScorer(const ScoringInput& input)
        : m_input(input), m_policy(ScoringPolicy::of(input.mode)) {}

    // Fills `entry` with its lists; with `merge` they are merged with the lists it holds.
    void score(const DentalRecord& record, const EntryOutcomes& outcomes, SearchEntry& entry,
               bool merge);

    // The same in three steps, so that several searching charts can take their counts from
    // one stretch of candidates while it is in the cache: begin with the searching chart,
    // compare it with candidates [start, start + length) for consecutive stretches (starts
    // multiples of 32) that cover every candidate, then finish.
    void begin(const DentalRecord& record);
    void compare(std::size_t start, std::size_t length);
    void finish(const EntryOutcomes& outcomes, SearchEntry& entry, bool merge);

private:
    // Counts of keys at least t, t = 0..64, filled as needed.
    using CountCache = std::array<std::size_t, 65>;
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);

    void computeAllScores();
    void computeScores(std::size_t start, std::size_t length);
    void classifyOutcomes(const EntryOutcomes& outcomes);
    const std::uint8_t* countKeys(int rankKey) const;
    // The block maxima of the three count criteria, or null where there are none.
    const std::uint8_t* const* blockMaxima() const;
    bool isOpen(std::size_t candidate) const;

    // Cuts of the lists.
    TieCut countCut(const std::uint8_t* keys, const std::uint8_t* blockMax, bool openOnly,
                    CountCache& cache, CountCache* blocks, int& hint) const;
    std::size_t blocksReaching(const std::uint8_t* blockMax, CountCache& blocks, int t) const;
    void cutCountLists();
    void cutScoreLists();
    double scoreFloor();
    double boundedFloor(bool openOnly, std::size_t population);
    double upperScore(std::size_t candidate) const;
    void findReaching(double threshold);
    void scoreReaching();
    std::size_t reachingAtLeast(double threshold, bool openOnly);

    // Marking the candidates some list can take, then taking them in candidate order.
    void markCountCandidates();
    void markTies(const std::uint8_t* keys, const std::uint8_t* blockMax, const TieCut& cut,
                  bool openOnly);
    void markScoreCandidates();
    void collect();
    void visit(std::size_t candidate, std::array<TieCut, SearchEntry::kListCount>& cuts);
    void keepConstantLists();

    void orderList(int k);
    double keyOf(int rankKey, std::size_t candidate);
    double scoreOf(std::size_t candidate);
    void store(SearchEntry& entry, bool merge);
    OutcomeClass classOf(std::size_t candidate, std::uint16_t& outcome,
                         std::size_t& nextOverride) const;
    KeptPair pairAt(std::size_t candidate, std::uint16_t outcome);

    ScoringInput m_input;
    ScoringPolicy m_policy;
    SearchingChart m_chart;
    ChartScanTables m_scan;
    std::size_t m_count = 0;
    std::array<std::vector<std::uint8_t>, 4> m_counts;
    std::vector<std::uint8_t> m_alone; // 32 - bridge mismatches: ascending mismatches first
    CandidateMarks m_marks;
    // Per block of 32 candidates, the greatest count of each count criterion (pairs only).
    std::array<std::vector<std::uint8_t>, 3> m_blockMax;
    std::uint8_t* m_blockMaxOut[3] = {};

    // Scores: all of them, or (with usable bounds) those computed on demand, known by stamp.
    WeightBounds m_bounds;
    bool m_allScores = true;
    std::vector<std::int16_t> m_scoreBounds;
    std::vector<double> m_sums;
    std::vector<double> m_scores;
    std::vector<std::uint32_t> m_scoreStamp;
    std::uint32_t m_stamp = 0;
    // Candidates whose score may reach the score floor, ascending.
    std::vector<std::uint32_t> m_reaching;
    std::vector<double> m_reachingScores; // their scores, once scoreReaching has run
    double m_reachingThreshold = 0.0;
    std::vector<double> m_samples;
    std::vector<double> m_best;

    // Pair outcomes of candidates not identified themselves, and every candidate that is not
    // open, both ascending.
    EntryOutcomes m_overrides;
    std::vector<std::uint32_t> m_notOpen;
    std::size_t m_nextOverride = 0; // of the scan in candidate order

    // The cut of every list (grey lists take every grey candidate).
    std::array<TieCut, SearchEntry::kListCount> m_cuts;
    std::array<std::array<int, 2>, 3> m_lastCut{}; // last count thresholds, all and open
    bool m_fewOpen = false;

    // Comparisons reaching a list, and the lists as positions into them.
    std::vector<KeptPair> m_kept;
    struct ListItem {
        double key;
        std::uint32_t at;
    };
    std::array<std::vector<ListItem>, SearchEntry::kListCount> m_lists;
    std::vector<ListItem> m_sorted;
    bool m_keptInOrder = true;
    std::vector<std::uint32_t> m_newPosition;
    std::vector<std::uint32_t> m_used;
};

// Stores lists into an entry; with `merge` the entry's current lists (from an earlier list of
// candidates, so earlier in candidate order) are merged with them first.
void storeEntryLists(SearchEntry& entry, EntryLists& lists, SearchMode mode, bool merge);

} // namespace qdx
