#pragma once

#include "matching/PackedCandidates.h"

#include <array>
#include <cstdint>

namespace qdx {

using WeightMatrix = std::array<double, 36>;

// A searching chart decoded once per entry: its masks and, per position, the weight each
// candidate tooth code (class | deciduous << 3) adds to the score. Codes whose deciduous flag
// differs from the searching tooth add 0.0, which leaves a sum started at 0.0 unchanged.
struct SearchingChart {
    alignas(64) double table[32][16];
    ChartMasks masks;
    std::array<std::uint32_t, 5> classMask{}; // positions of class 1, 2, 3, 4, 6
    std::uint32_t fullRestorationMissing = 0; // positions of class 3 or 4
    std::uint32_t sex = 0;
};

void prepareSearchingChart(SearchingChart& chart, const DentalRecord& record,
                           const WeightMatrix& matrix, const PackedCandidates& pack);

} // namespace qdx
