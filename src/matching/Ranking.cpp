#include "matching/Ranking.h"

#include <algorithm>

namespace qdx {

namespace {

std::int32_t priority(const RankedView& view, std::uint16_t factor) {
    if (view.empty())
        return 0;
    const KeptPair& top1 = view.kept(0);
    const std::int32_t runnerUp = view.size() > 1 ? view.kept(1).exactMatchCount : 0;
    const std::int32_t exact = top1.exactMatchCount;
    return (exact - top1.searchCount) + (exact - runnerUp) * static_cast<std::int32_t>(factor);
}

std::vector<PairResult> firstOf(const RankedView& view, std::size_t n) {
    std::vector<PairResult> out;
    const std::size_t count = std::min(n, view.size());
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(view.at(i));
    return out;
}

std::size_t clampCount(int n) {
    return static_cast<std::size_t>(std::clamp(n, 0, kMaxDisplayCount));
}

} // namespace

void rankEntry(SearchEntry& entry, std::uint16_t factor) {
    for (int key = 0; key < kRankKeyCount; ++key)
        entry.setPriorities(key, priority(entry.view(key, CandidateFilter::All), factor),
                            priority(entry.view(key, CandidateFilter::Open), factor));
}

void rankBridgeEntry(SearchEntry& entry) {
    for (int key = 0; key < kRankKeyCount; ++key)
        entry.setPriorities(key, 0, 0);
}

std::vector<PairResult> visibleCandidates(const SearchEntry& entry, int rankKey, int n,
                                          int hideExcluded) {
    const CandidateFilter filter = hideExcluded == 1 ? CandidateFilter::Open : CandidateFilter::All;
    return firstOf(entry.view(rankKey, filter), clampCount(n));
}

std::vector<PairResult> greyCandidates(const SearchEntry& entry, int rankKey, int n,
                                       int hideExcluded) {
    if (hideExcluded != 1)
        return {};
    const std::size_t wanted = clampCount(n);
    const std::size_t shown = std::min(wanted, entry.view(rankKey, CandidateFilter::Open).size());
    return firstOf(entry.view(rankKey, CandidateFilter::Grey), wanted - shown);
}

std::int32_t displayedPriority(const SearchEntry& entry, int rankKey, int hideExcluded) {
    return hideExcluded == 1 ? entry.openMatchPriority(rankKey) : entry.matchPriority(rankKey);
}

bool isSearchRowHidden(const DentalRecord& searching, int hideExcluded) {
    return hideExcluded == 1 && searching.MATCH_KIND.isIdentified();
}

} // namespace qdx
