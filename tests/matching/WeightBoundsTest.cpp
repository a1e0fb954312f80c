#include "RandomPopulation.h"

#include "matching/PackedCandidates.h"
#include "matching/WeightBounds.h"
#include "matching/WeightKernel.h"

#include <array>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace qdx {
namespace {

struct RandomTable {
    alignas(64) double weights[32][16];
};

// Weights of one magnitude, some negative, some zero, like a user's edited matrix.
RandomTable randomTable(std::mt19937& random, double magnitude) {
    RandomTable table;
    std::uniform_real_distribution<double> weight(-magnitude, magnitude);
    for (auto& row : table.weights)
        for (double& w : row)
            w = random() % 7 == 0 ? 0.0 : weight(random);
    return table;
}

std::vector<std::uint8_t> randomCodes(std::mt19937& random, std::size_t blocks) {
    std::vector<std::uint8_t> codes(blocks * kBlockBytes);
    for (std::uint8_t& code : codes)
        code = static_cast<std::uint8_t>(random() % 16);
    return codes;
}

// The 32 codes of candidate c, taken from blocks of eight.
std::array<std::uint8_t, 32> rowOf(const std::vector<std::uint8_t>& codes, std::size_t c) {
    std::array<std::uint8_t, 32> row{};
    for (std::size_t j = 0; j < 32; ++j)
        row[j] = codes[c / kLanes * kBlockBytes + j * kLanes + c % kLanes];
    return row;
}

std::vector<std::int16_t> boundsWith(const char* isa, const WeightBounds& bounds,
                                     const std::vector<std::uint8_t>& codes) {
    EXPECT_TRUE(selectWeightKernel(isa));
    std::vector<std::int16_t> out(codes.size() / kBlockBytes * kLanes);
    boundWeightBlocks(bounds, codes.data(), codes.size() / kBlockBytes, out.data());
    return out;
}

void restoreBestKernel() {
    selectWeightKernel("avx512f") || selectWeightKernel("avx2") || selectWeightKernel("portable");
}

// The bound of a candidate is never below its exact score, on every instruction set, for
// weights of any size; the single sum equals the block kernel's lane bit for bit.
TEST(WeightBounds, BoundsHoldEveryExactSumAndAgreeAcrossInstructionSets) {
    std::mt19937 random(7);
    const std::size_t blocks = 13; // four-block steps and a remainder
    for (const double magnitude : {1e-9, 0.05, 1.0, 7.5, 3e4}) {
        const RandomTable table = randomTable(random, magnitude);
        WeightBounds bounds;
        prepareWeightBounds(bounds, table.weights);
        ASSERT_TRUE(bounds.usable()) << magnitude;
        const std::vector<std::uint8_t> codes = randomCodes(random, blocks);
        const std::vector<std::int16_t> portable = boundsWith("portable", bounds, codes);
        if (selectWeightKernel("avx2")) {
            EXPECT_EQ(boundsWith("avx2", bounds, codes), portable) << magnitude;
        }
        restoreBestKernel();
        std::vector<double> sums(blocks * kLanes);
        sumWeightBlocks(&table.weights[0][0], codes.data(), blocks, sums.data());
        for (std::size_t c = 0; c < sums.size(); ++c) {
            const double exact = weightSumOf(table.weights, rowOf(codes, c).data());
            const std::array<std::uint8_t, 32> four[4] = {rowOf(codes, c), rowOf(codes, 0),
                                                          rowOf(codes, 5),
                                                          rowOf(codes, sums.size() - 1 - c)};
            const std::uint8_t* const rows[4] = {four[0].data(), four[1].data(), four[2].data(),
                                                 four[3].data()};
            double side[4];
            weightSumsOf(table.weights, rows, side);
            ASSERT_EQ(std::memcmp(&side[0], &exact, sizeof exact), 0) << "candidate " << c;
            ASSERT_EQ(std::memcmp(&side[3], &sums[sums.size() - 1 - c], sizeof exact), 0);
            std::uint64_t a, b;
            std::memcpy(&a, &exact, sizeof a);
            std::memcpy(&b, &sums[c], sizeof b);
            ASSERT_EQ(a, b) << "candidate " << c;
            ASSERT_GE(portable[c] / bounds.scale + bounds.rounding, exact) << magnitude;
            // Tight: within one unit per position.
            ASSERT_LE(portable[c] / bounds.scale - 32.0 / bounds.scale, exact) << magnitude;
        }
    }
}

TEST(WeightBounds, WeightsThatAreNotNumbersOrTooLargeHaveNoBounds) {
    RandomTable table{};
    WeightBounds bounds;
    prepareWeightBounds(bounds, table.weights);
    EXPECT_TRUE(bounds.usable()); // all zero: every bound is 0
    table.weights[3][5] = std::nan("");
    prepareWeightBounds(bounds, table.weights);
    EXPECT_FALSE(bounds.usable());
    table.weights[3][5] = std::numeric_limits<double>::infinity();
    prepareWeightBounds(bounds, table.weights);
    EXPECT_FALSE(bounds.usable());
    table.weights[3][5] = 1e305;
    prepareWeightBounds(bounds, table.weights);
    EXPECT_FALSE(bounds.usable());
}

// Every candidate whose exact score reaches a threshold is collected, on both instruction
// sets alike, including candidates without compared positions (score 0.0).
TEST(WeightBounds, CollectingNeverMissesACandidateThatReaches) {
    std::mt19937 random(11);
    const std::size_t blocks = 40;
    const RandomTable table = randomTable(random, 0.8);
    WeightBounds bounds;
    prepareWeightBounds(bounds, table.weights);
    const std::vector<std::uint8_t> codes = randomCodes(random, blocks);
    const std::size_t n = blocks * kLanes - 3;
    std::vector<std::uint8_t> counts(n);
    for (std::uint8_t& count : counts)
        count = static_cast<std::uint8_t>(random() % 33);
    const std::vector<std::int16_t> bound = boundsWith("portable", bounds, codes);
    restoreBestKernel();
    for (const double threshold : {-0.4, -0.01, 0.0, 0.02, 0.1, 0.3}) {
        const double units = threshold * bounds.scale;
        float low = static_cast<float>(units);
        if (static_cast<double>(low) > units)
            low = std::nextafter(low, -INFINITY);
        const auto slack = static_cast<float>(bounds.rounding * bounds.scale + 1.0);
        std::vector<std::uint32_t> portable;
        selectWeightKernel("portable");
        collectReaching(bound.data(), counts.data(), n, low, slack, 0.0 >= threshold, portable);
        restoreBestKernel();
        std::vector<std::uint32_t> best;
        collectReaching(bound.data(), counts.data(), n, low, slack, 0.0 >= threshold, best);
        EXPECT_EQ(best, portable) << threshold;
        std::size_t next = 0;
        for (std::size_t c = 0; c < n; ++c) {
            const double score = counts[c] > 0
                                     ? weightSumOf(table.weights, rowOf(codes, c).data()) /
                                           static_cast<double>(counts[c])
                                     : 0.0;
            while (next < portable.size() && portable[next] < c)
                ++next;
            const bool collected = next < portable.size() && portable[next] == c;
            if (score >= threshold) {
                ASSERT_TRUE(collected) << "candidate " << c << " threshold " << threshold;
            }
        }
    }
}

} // namespace
} // namespace qdx
