#pragma once

#include "matching/KeptPair.h"
#include "matching/PairResult.h"

#include <cstddef>
#include <cstdint>

namespace qdx {

class SearchEntry;

// Which candidates a ranked list holds: every candidate, the candidates without a recorded
// outcome, or those under examination or marked as another person.
enum class CandidateFilter : int { All = 0, Open = 1, Grey = 2 };
constexpr int kCandidateFilterCount = 3;

// The best candidates of one entry under one ranking criterion, best first, ties in
// candidate-list order. It refers to the entry's results and owns nothing.
class RankedView {
public:
    RankedView(const SearchEntry& entry, const std::uint16_t* positions, std::size_t size)
        : m_entry(&entry), m_positions(positions), m_size(size) {}

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    PairResult at(std::size_t i) const;
    const KeptPair& kept(std::size_t i) const;

private:
    const SearchEntry* m_entry;
    const std::uint16_t* m_positions;
    std::size_t m_size;
};

} // namespace qdx
