#pragma once

#include "matching/KeptPair.h"
#include "matching/PairResult.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace qdx {

// What a run's kept comparisons refer to: the candidate record lists in the order they were
// scored (candidate ordinals count on across lists) and the distinct outcomes, a damaged
// file's other texts included.
class CandidateCatalog {
public:
    // Outcome codes fit the eight bits a kept comparison has for them.
    static constexpr std::size_t kMaxOutcomes = 256;

    CandidateCatalog();

    // Registers a list and returns the ordinal of its first record.
    std::uint32_t addList(const std::vector<DentalRecord>& records);
    const DentalRecord& candidate(std::uint32_t ordinal) const;
    std::uint32_t candidateCount() const { return m_total; }

    std::uint16_t outcomeCode(const MatchKind& outcome);
    const MatchKind& outcome(std::uint16_t code) const { return m_outcomes[code]; }
    std::size_t outcomeCount() const { return m_outcomes.size(); }

    PairResult expand(const KeptPair& pair) const;
    void clear();

private:
    std::vector<const std::vector<DentalRecord>*> m_lists;
    std::vector<std::uint32_t> m_offsets;
    std::uint32_t m_total = 0;
    std::vector<MatchKind> m_outcomes;
    std::unordered_map<std::string, std::uint16_t> m_outcomeCodes;
};

} // namespace qdx
