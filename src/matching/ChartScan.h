#pragma once

#include "matching/PackedCandidates.h"
#include "matching/SearchingChart.h"
#include "matching/WeightBounds.h"

#include <cstddef>
#include <cstdint>

namespace qdx {

// One searching chart's lookups for a scan over the candidates' tooth codes, 32 candidates per
// step: per position, what each candidate code (class | deciduous << 3) adds to the four counts
// and, optionally, to the score bound. The lookups are stored twice side by side, as the
// shuffles that read them take one copy per half register.
struct ChartScanTables {
    static constexpr int kBoundOffset = kLargestRoundedWeight;

    alignas(32) std::uint8_t compared[32][32]; // compared | exact << 4
    alignas(32) std::uint8_t kept[32][32];     // full restoration or missing | agreeing << 4
    // The rounded weight plus kBoundOffset, so that two positions add up within a byte.
    alignas(32) std::uint8_t bound[32][32];
    std::uint8_t positions[32]; // positions where some lookup is not zero, ascending
    int positionCount = 0;
    bool withBounds = false;
    std::uint32_t sex = 0;
};

// The counts are those of countPairs (a candidate of the other known sex gets zeros), the
// bounds those of boundWeightBlocks; `bounds` may be null to leave them out.
void prepareChartScan(ChartScanTables& tables, const SearchingChart& chart,
                      const WeightBounds* bounds, int direction);

// Counts and bounds of candidates [start, start + length), `start` a multiple of 32; each output
// is written up to the next multiple of 32 past the last candidate. blockMax[q] receives, for
// each block of 32 candidates, the greatest of its counts[q + 1], so that later passes looking
// for high counts can skip whole blocks.
void scanCandidates(const ChartScanTables& tables, const PackedCandidates& pack, std::size_t start,
                    std::size_t length, std::uint8_t* const counts[4], std::int16_t* bounds,
                    std::uint8_t* const blockMax[3]);

} // namespace qdx
