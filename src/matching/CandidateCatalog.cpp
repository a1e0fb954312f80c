#include "matching/CandidateCatalog.h"

#include <algorithm>
#include <stdexcept>

namespace qdx {

CandidateCatalog::CandidateCatalog() {
    clear();
}

void CandidateCatalog::clear() {
    m_lists.clear();
    m_offsets.clear();
    m_total = 0;
    m_outcomes.assign(1, MatchKind());
    m_outcomeCodes.clear();
    m_outcomeCodes.emplace(std::string(), 0);
    for (const MatchKind kind :
         {MatchKind::Identified, MatchKind::IdentifiedByChart, MatchKind::IdentifiedByOther,
          MatchKind::UnderInvestigation, MatchKind::Imposter})
        outcomeCode(kind);
}

std::uint32_t CandidateCatalog::addList(const std::vector<DentalRecord>& records) {
    if (records.size() > UINT32_MAX - m_total)
        throw std::length_error("too many candidate records");
    const std::uint32_t first = m_total;
    m_lists.push_back(&records);
    m_offsets.push_back(first);
    m_total += static_cast<std::uint32_t>(records.size());
    return first;
}

const DentalRecord& CandidateCatalog::candidate(std::uint32_t ordinal) const {
    const auto it = std::upper_bound(m_offsets.begin(), m_offsets.end(), ordinal);
    const std::size_t list = static_cast<std::size_t>(it - m_offsets.begin()) - 1;
    return (*m_lists[list])[ordinal - m_offsets[list]];
}

std::uint16_t CandidateCatalog::outcomeCode(const MatchKind& outcome) {
    const std::string text = outcome.storedText();
    const auto found = m_outcomeCodes.find(text);
    if (found != m_outcomeCodes.end())
        return found->second;
    // Only the five kinds (always present) mean anything; should a damaged match table hold
    // hundreds of other texts, the rest read as no outcome rather than failing the search.
    if (m_outcomes.size() >= kMaxOutcomes)
        return 0;
    const auto code = static_cast<std::uint16_t>(m_outcomes.size());
    m_outcomes.push_back(outcome);
    m_outcomeCodes.emplace(text, code);
    return code;
}

PairResult CandidateCatalog::expand(const KeptPair& pair) const {
    PairResult result;
    result.candidate = &candidate(pair.candidate);
    result.searchCount = pair.searchCount;
    result.exactMatchCount = pair.exactMatchCount;
    result.fullRestorationMissingMatchCount = pair.fullRestorationMissingMatchCount;
    result.noContradictionMatchCount = pair.noContradictionMatchCount;
    result.outcome = m_outcomes[pair.outcome];
    result.score = pair.score;
    return result;
}

} // namespace qdx
