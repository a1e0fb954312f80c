#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qdx {

// Upper bounds of the weighted sums, cheap enough to take for every candidate: each weight of
// a searching chart's table rounded up to a whole multiple of 1/scale, a power of two, so that
// a candidate's bound is a sum of small integers that a byte shuffle looks up sixteen codes at
// a time. Only the candidates whose bound can reach a list get their exact sum.
// Rounded weights lie within +-kLargestRoundedWeight.
constexpr int kLargestRoundedWeight = 63;

struct WeightBounds {
    // The two bytes of each rounded weight (a 16-bit integer of at most kLargestRoundedWeight in
    // size), per position and tooth code.
    alignas(16) std::uint8_t low[32][16];
    alignas(16) std::uint8_t high[32][16];
    double scale = 0.0; // 0 when the weights are not finite numbers
    // How far the exact sum, taken in double arithmetic, may lie above the real one.
    double rounding = 0.0;

    bool usable() const { return scale > 0.0; }
};

// Fills `bounds` from a 32 x 16 weight table.
void prepareWeightBounds(WeightBounds& bounds, const double (&table)[32][16]);

// The bound of every candidate of `blocks` blocks of eight packed tooth codes, in whole units
// of 1/scale; bounds[i] >= scale * (the real weighted sum of candidate i).
void boundWeightBlocks(const WeightBounds& bounds, const std::uint8_t* codes, std::size_t blocks,
                       std::int16_t* out);

// The exact weighted sum of one candidate whose 32 tooth codes are `row`, with the very
// additions of the block kernels.
double weightSumOf(const double (&table)[32][16], const std::uint8_t* row);

// Appends to `reaching` every candidate i < n whose bound reaches `threshold` units per compared
// position: bounds[i] + slack >= threshold * counts[i] in single precision; a candidate
// without compared positions when `zeroReaches`.
void collectReaching(const std::int16_t* bounds, const std::uint8_t* counts, std::size_t n,
                     float threshold, float slack, bool zeroReaches,
                     std::vector<std::uint32_t>& reaching);

// The exact weighted sums of N candidates (4 or 8), computed side by side so that their
// additions overlap; each is the very sum weightSumOf gives.
template <int N>
void weightSumsOf(const double (&table)[32][16], const std::uint8_t* const (&rows)[N],
                  double (&sums)[N]);

// Whether a candidate whose bound is `bound` and whose compared positions are `count` (> 0)
// can score at least `floor`.
inline bool boundReaches(const WeightBounds& bounds, std::int16_t bound, std::uint8_t count,
                         double floorTimesScale) {
    return static_cast<double>(bound) + bounds.rounding * bounds.scale >=
           floorTimesScale * static_cast<double>(count);
}

} // namespace qdx
