#pragma once

#include "matching/KeptPair.h"
#include "matching/RankedView.h"
#include "matching/SearchEntry.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace qdx {

// Tooth comparison with counts and weighted score, or bridge marks only.
enum class SearchMode { Pairs, Bridges };

// What a ranking criterion orders by: a count of 0 to 32, the weighted score, or nothing (every
// candidate ties and candidate order decides).
enum class KeyKind { Count, Score, None };

// The criteria of a mode. Pair scoring ranks by three counts and the score; bridge matching by
// shared bridges and by fewest bridges of the candidate's own, and its last two criteria rank
// nobody above anybody.
struct ScoringPolicy {
    SearchMode mode;
    std::array<KeyKind, kRankKeyCount> keys;

    static constexpr ScoringPolicy of(SearchMode mode) {
        if (mode == SearchMode::Bridges)
            return {mode, {KeyKind::Count, KeyKind::Count, KeyKind::None, KeyKind::None}};
        return {mode, {KeyKind::Count, KeyKind::Count, KeyKind::Count, KeyKind::Score}};
    }
};

// One kept list of an entry: the best candidates under a ranking criterion among those a
// filter admits.
struct ListId {
    int rankKey = 0;
    CandidateFilter filter = CandidateFilter::All;

    constexpr int index() const {
        return rankKey * kCandidateFilterCount + static_cast<int>(filter);
    }
    static constexpr ListId at(int index) {
        return {index / kCandidateFilterCount,
                static_cast<CandidateFilter>(index % kCandidateFilterCount)};
    }
};

// The lists a search keeps for every entry, and how many candidates of each. A window keeps all
// of them, so that any criterion, filter and display count can be shown without searching
// again; a command that writes one criterion's list keeps only that one, as long as it shows.
struct KeptLists {
    static constexpr std::uint32_t kEveryList = (1u << SearchEntry::kListCount) - 1;

    std::uint32_t lists = kEveryList;
    std::size_t length = kMaxDisplayCount;

    bool keeps(int list) const { return (lists >> list & 1u) != 0; }
    static KeptLists only(ListId list, std::size_t length) { return {1u << list.index(), length}; }
};

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

// Every kept list holds at most this many candidates.
constexpr std::size_t kKeptPerList = 50;

// The key of a score in the score lists: a score that is not a number ranks with minus infinity.
inline double scoreKey(double score) {
    return score != score ? -std::numeric_limits<double>::infinity() : score;
}

// Where a list is cut: every key above `threshold` belongs, and of the keys equal to it the
// first `ties` in candidate order.
struct TieCut {
    static constexpr std::size_t kEverything = static_cast<std::size_t>(-1);

    double threshold = -std::numeric_limits<double>::infinity();
    std::size_t ties = kEverything;

    // Whether the next candidate in candidate order, with this key, belongs.
    bool takes(double key) {
        if (key > threshold)
            return true;
        if (key < threshold || ties == 0)
            return false;
        --ties;
        return true;
    }
};

} // namespace qdx
