#include "matching/SearchEntry.h"

namespace qdx {

PairResult RankedView::at(std::size_t i) const {
    return m_entry->result(m_positions[i]);
}

const KeptPair& RankedView::kept(std::size_t i) const {
    return m_entry->kept(m_positions[i]);
}

RankedView SearchEntry::view(int rankKey, CandidateFilter filter) const {
    const int list = rankKey * kCandidateFilterCount + static_cast<int>(filter);
    const std::uint16_t begin = m_listStart[list];
    return RankedView(*this, m_positions.data() + begin,
                      static_cast<std::size_t>(m_listStart[list + 1] - begin));
}

void SearchEntry::setPriorities(int rankKey, std::int32_t match, std::int32_t open) {
    m_matchPriority[rankKey] = match;
    m_openMatchPriority[rankKey] = open;
}

void SearchEntry::assign(std::vector<KeptPair> kept,
                         const std::array<std::vector<std::uint16_t>, kListCount>& lists) {
    m_kept = std::move(kept);
    m_kept.shrink_to_fit();
    m_positions.clear();
    std::size_t total = 0;
    for (const auto& list : lists)
        total += list.size();
    m_positions.reserve(total);
    for (int k = 0; k < kListCount; ++k) {
        m_listStart[k] = static_cast<std::uint16_t>(m_positions.size());
        m_positions.insert(m_positions.end(), lists[k].begin(), lists[k].end());
    }
    m_listStart[kListCount] = static_cast<std::uint16_t>(m_positions.size());
}

} // namespace qdx

namespace qdx {

void SearchEntry::assign(std::vector<KeptPair> kept, std::vector<std::uint16_t> positions,
                         const std::array<std::uint16_t, kListCount + 1>& starts) {
    m_kept = std::move(kept);
    m_positions = std::move(positions);
    m_listStart = starts;
}

} // namespace qdx
