#include "evaluation/PartnerRanks.h"

#include "matching/Ranking.h"

#include <unordered_map>

namespace qdx {

void RankTally::add(int rank) {
    ++m_pairs;
    if (rank >= 1 && rank <= kMaxDisplayCount)
        ++m_atRank[rank];
}

void RankTally::merge(const RankTally& other) {
    m_pairs += other.m_pairs;
    for (int r = 1; r <= kMaxDisplayCount; ++r)
        m_atRank[r] += other.m_atRank[r];
}

std::size_t RankTally::within(int rank) const {
    std::size_t sum = 0;
    for (int r = 1; r <= rank && r <= kMaxDisplayCount; ++r)
        sum += m_atRank[r];
    return sum;
}

double RankTally::share(int rank) const {
    return m_pairs == 0 ? 0.0 : static_cast<double>(within(rank)) / static_cast<double>(m_pairs);
}

double RankTally::beyondShare() const {
    return m_pairs == 0 ? 0.0 : static_cast<double>(beyond()) / static_cast<double>(m_pairs);
}

int partnerRank(const SearchEntry& entry, int rankKey, const std::string& partnerId) {
    const std::vector<PairResult> listed = visibleCandidates(entry, rankKey, kMaxDisplayCount, 0);
    for (std::size_t i = 0; i < listed.size(); ++i)
        if (listed[i].candidate->displayId == partnerId)
            return static_cast<int>(i) + 1;
    return 0;
}

const std::string& searchingId(const TruthPair& pair, int direction) {
    return direction == 0 ? pair.amId : pair.pmId;
}

const std::string& partnerId(const TruthPair& pair, int direction) {
    return direction == 0 ? pair.pmId : pair.amId;
}

RankTally tallyRanks(const SearchRun& run, int direction, int rankKey,
                     const std::vector<TruthPair>& pairs) {
    std::unordered_map<std::string, const SearchEntry*> entries;
    for (const SearchEntry& entry : run.entries())
        entries.emplace(entry.record().displayId, &entry);
    RankTally tally;
    for (const TruthPair& pair : pairs) {
        const auto found = entries.find(searchingId(pair, direction));
        tally.add(found == entries.end()
                      ? 0
                      : partnerRank(*found->second, rankKey, partnerId(pair, direction)));
    }
    return tally;
}

} // namespace qdx
