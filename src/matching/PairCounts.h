#pragma once

#include "matching/PackedCandidates.h"
#include "matching/SearchingChart.h"

#include <cstddef>
#include <cstdint>

namespace qdx {

// Counts of candidates [start, start + length): out[0] compared positions, out[1] exact
// matches, out[2] exact full restorations or missing teeth, out[3] positions without
// contradiction. A candidate of the other known sex gets zeros. Straight-line code over
// columns, so that the compiler runs it on as many candidates at once as the machine allows.
void countPairs(const PackedCandidates& pack, const SearchingChart& chart, std::size_t start,
                std::size_t length, std::uint8_t* const out[4]);
// Bridge counts: out[0] candidate bridges, out[1] shared, out[2] the candidate's alone,
// out[3] zero.
void countBridges(const PackedCandidates& pack, const SearchingChart& chart, std::size_t start,
                  std::size_t length, std::uint8_t* const out[4]);

// How many keys are at least `threshold`.
std::size_t countAtLeast(const std::uint8_t* keys, std::size_t n, std::uint8_t threshold);
std::size_t countAtLeast(const double* keys, std::size_t n, double threshold);
// The same for keys in blocks of 32 whose greatest keys are `blockMax`: only blocks that reach
// the threshold are counted.
std::size_t countAtLeast(const std::uint8_t* keys, const std::uint8_t* blockMax, std::size_t n,
                         std::uint8_t threshold);

} // namespace qdx
