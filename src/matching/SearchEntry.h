#pragma once

#include "matching/CandidateCatalog.h"
#include "matching/KeptPair.h"
#include "matching/RankedView.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qdx {

// One searching chart of a run with the comparisons a window can show: for every ranking
// criterion the best 50 candidates overall, the best 50 without a recorded outcome and the
// best 50 under examination or marked as another person. That is enough for every display
// count up to 50, both settings of hiding the excluded candidates, both priorities and the
// grey rows of the individual search, without keeping every pair.
class SearchEntry {
public:
    static constexpr int kListCount = kRankKeyCount * kCandidateFilterCount;

    SearchEntry(const DentalRecord& record, const CandidateCatalog& catalog)
        : m_record(&record), m_catalog(&catalog) {}

    const DentalRecord& record() const { return *m_record; }

    // Kept results in candidate-list order.
    std::size_t resultCount() const { return m_kept.size(); }
    const KeptPair& kept(std::size_t i) const { return m_kept[i]; }
    PairResult result(std::size_t i) const { return m_catalog->expand(m_kept[i]); }

    RankedView view(int rankKey, CandidateFilter filter = CandidateFilter::All) const;

    std::int32_t matchPriority(int rankKey) const { return m_matchPriority[rankKey]; }
    std::int32_t openMatchPriority(int rankKey) const { return m_openMatchPriority[rankKey]; }
    void setPriorities(int rankKey, std::int32_t match, std::int32_t open);

    // Replaces the kept results; lists[k] are positions into `kept`, best first, for list
    // k = rankKey * 3 + filter.
    void assign(std::vector<KeptPair> kept,
                const std::array<std::vector<std::uint16_t>, kListCount>& lists);
    // The same with the lists one after another in `positions`, list k from starts[k].
    void assign(std::vector<KeptPair> kept, std::vector<std::uint16_t> positions,
                const std::array<std::uint16_t, kListCount + 1>& starts);
    const CandidateCatalog& catalog() const { return *m_catalog; }

private:
    const DentalRecord* m_record;
    const CandidateCatalog* m_catalog;
    std::vector<KeptPair> m_kept;
    std::vector<std::uint16_t> m_positions;
    std::array<std::uint16_t, kListCount + 1> m_listStart{};
    std::array<std::int32_t, kRankKeyCount> m_matchPriority{};
    std::array<std::int32_t, kRankKeyCount> m_openMatchPriority{};
};

} // namespace qdx
