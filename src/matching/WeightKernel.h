#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qdx {

// Candidates are scored eight at a time: for each block of eight the packed tooth codes are
// stored position by position, eight bytes (one per candidate) for each of the 32 positions.
constexpr std::size_t kLanes = 8;
constexpr std::size_t kBlockBytes = 32 * kLanes;

// For each candidate, adds the weights table[position][code] over positions 0..31 in order,
// starting from 0.0, so every lane gives the same bits as a plain loop over one candidate.
// `table` is 32 x 16 doubles aligned to 64 bytes; codes are 0..15.
void sumWeightBlocks(const double* table, const std::uint8_t* codes, std::size_t blocks,
                     double* sums);

// scores[i] = sums[i] / counts[i], or 0.0 when the count is 0.
void divideScores(const double* sums, const std::uint8_t* counts, std::size_t n, double* scores);

// Name of the instruction set the running machine uses, for benchmark reports.
const char* weightKernelName();
// Forces one instruction set ("avx512f", "avx2", "portable") so that every path can be
// compared with the plain one on this machine; false when the processor lacks it.
bool selectWeightKernel(const std::string& name);

} // namespace qdx
