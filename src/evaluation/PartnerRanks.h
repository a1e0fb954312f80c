#pragma once

#include "evaluation/TruthPairs.h"
#include "matching/PairResult.h"
#include "matching/SearchRun.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace qdx {

// Where the true partners of a search stand: how many pairs have their partner at each rank
// 1..50 of the searching chart's list (the window's order, nothing hidden), and how many
// beyond, including pairs whose chart was not searched.
class RankTally {
public:
    void add(int rank); // 1..50, or 0 for beyond
    void merge(const RankTally& other);

    std::size_t pairs() const { return m_pairs; }
    std::size_t atRank(int rank) const { return m_atRank[rank]; }
    // Pairs whose partner stands at rank 1..rank.
    std::size_t within(int rank) const;
    std::size_t beyond() const { return m_pairs - within(kMaxDisplayCount); }
    // within(rank) / pairs(), 0 without pairs.
    double share(int rank) const;
    double beyondShare() const;

private:
    std::size_t m_pairs = 0;
    std::array<std::size_t, kMaxDisplayCount + 1> m_atRank{};
};

// The rank (1..50) of the candidate with this displayId in the entry's list under the rank
// key, as the search windows list it without hiding; 0 when it is not among the first 50.
int partnerRank(const SearchEntry& entry, int rankKey, const std::string& partnerId);

// The searching chart's and the partner's displayId of a pair in a direction: direction 0
// searches with the ante-mortem chart.
const std::string& searchingId(const TruthPair& pair, int direction);
const std::string& partnerId(const TruthPair& pair, int direction);

// Ranks every pair's partner in a ranked run of the direction.
RankTally tallyRanks(const SearchRun& run, int direction, int rankKey,
                     const std::vector<TruthPair>& pairs);

} // namespace qdx
