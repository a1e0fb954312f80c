#include "RandomPopulation.h"

#include "matching/CandidateCatalog.h"
#include "matching/CandidateMarks.h"
#include "matching/ChartScan.h"
#include "matching/MarkScan.h"
#include "matching/PairCounts.h"
#include "matching/WeightKernel.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace qdx {
namespace {

void restoreBestKernel() {
    selectWeightKernel("avx512f") || selectWeightKernel("avx2") || selectWeightKernel("portable");
}

struct ScanResult {
    std::vector<std::uint8_t> counts[4];
    std::vector<std::int16_t> bounds;
    std::vector<std::uint8_t> blockMax[3];
};

// Scans every candidate in stretches of `stretch` (a multiple of 32), as the runs do.
ScanResult scanAll(const ChartScanTables& tables, const PackedCandidates& pack,
                   std::size_t stretch) {
    ScanResult r;
    for (auto& column : r.counts)
        column.assign(pack.paddedCount, 0xEE);
    for (auto& column : r.blockMax)
        column.assign(pack.paddedCount / 32, 0xEE);
    r.bounds.assign(pack.paddedCount, 0x5555);
    for (std::size_t start = 0; start < pack.count; start += stretch) {
        std::uint8_t* const counts[4] = {r.counts[0].data() + start, r.counts[1].data() + start,
                                         r.counts[2].data() + start, r.counts[3].data() + start};
        std::uint8_t* const most[3] = {r.blockMax[0].data() + start / 32,
                                       r.blockMax[1].data() + start / 32,
                                       r.blockMax[2].data() + start / 32};
        scanCandidates(tables, pack, start, std::min(stretch, pack.count - start), counts,
                       r.bounds.data() + start, most);
    }
    return r;
}

// The one-pass scan of tooth codes gives, candidate for candidate, the counts of the column
// kernel (sex exclusion included) and the bounds of the block kernel, on every instruction
// set, for stretches that end inside a block of 32; each block maximum is its greatest count.
TEST(ChartScan, EqualsTheColumnCountsAndTheBlockBounds) {
    test::PopulationMaker maker(23);
    test::PopulationShape shape;
    shape.postMortem = 12;
    shape.anteMortem = 203; // six whole blocks of 32 and a partial one
    shape.templates = 4;
    shape.mutation = 0.3;
    shape.damaged = 0.05;
    const test::Population population = maker.make(shape);
    for (const int direction : {0, 1}) {
        CandidateCatalog catalog;
        PackedCandidates pack;
        packCandidates(pack, population.anteMortem, direction, catalog);
        const auto& matrix = direction == 1 ? population.pmToAm : population.amToPm;
        for (const DentalRecord& record : population.postMortem) {
            SearchingChart chart;
            prepareSearchingChart(chart, record, matrix, pack);
            WeightBounds bounds;
            prepareWeightBounds(bounds, chart.table);
            ASSERT_TRUE(bounds.usable());
            ChartScanTables tables;
            prepareChartScan(tables, chart, &bounds, direction);

            std::vector<std::uint8_t> expected[4];
            for (auto& column : expected)
                column.resize(pack.count);
            std::uint8_t* const out[4] = {expected[0].data(), expected[1].data(),
                                          expected[2].data(), expected[3].data()};
            countPairs(pack, chart, 0, pack.count, out);
            std::vector<std::int16_t> expectedBounds(pack.blocks * kLanes);
            boundWeightBlocks(bounds, pack.codes.data(), pack.blocks, expectedBounds.data());

            for (const char* isa : {"portable", "avx2"}) {
                if (!selectWeightKernel(isa))
                    continue;
                for (const std::size_t stretch : {std::size_t{32}, std::size_t{64}, pack.count}) {
                    const ScanResult r = scanAll(tables, pack, (stretch + 31) / 32 * 32);
                    for (int q = 0; q < 4; ++q)
                        ASSERT_TRUE(
                            std::equal(expected[q].begin(), expected[q].end(), r.counts[q].begin()))
                            << isa << " count " << q << " direction " << direction;
                    ASSERT_TRUE(std::equal(r.bounds.begin(), r.bounds.begin() + pack.count,
                                           expectedBounds.begin()))
                        << isa;
                    for (int q = 0; q < 3; ++q)
                        for (std::size_t b = 0; b * 32 < pack.count; ++b) {
                            const auto first = expected[q + 1].begin() + b * 32;
                            const auto last = expected[q + 1].begin() +
                                              std::min<std::size_t>(pack.count, b * 32 + 32);
                            ASSERT_GE(r.blockMax[q][b], *std::max_element(first, last)) << isa;
                            ASSERT_EQ(countAtLeast(r.counts[q + 1].data(), r.blockMax[q].data(),
                                                   pack.count, 1),
                                      countAtLeast(expected[q + 1].data(), pack.count, 1));
                        }
                }
            }
            restoreBestKernel();
        }
    }
}

// Counting by blocks skips only blocks below the threshold: it equals the plain count for
// every threshold, including a last block that is not whole.
TEST(ChartScan, CountingByBlocksEqualsThePlainCount) {
    test::PopulationMaker maker(5);
    for (const std::size_t n : {std::size_t{1}, std::size_t{31}, std::size_t{32}, std::size_t{257},
                                std::size_t{1000}, std::size_t{4099}}) {
        std::vector<std::uint8_t> keys((n + 31) / 32 * 32, 0);
        for (std::size_t i = 0; i < n; ++i)
            keys[i] = static_cast<std::uint8_t>(maker.chance(0.02) ? maker.uniform(20, 32)
                                                                   : maker.uniform(0, 12));
        std::vector<std::uint8_t> most(keys.size() / 32, 0);
        for (std::size_t i = 0; i < n; ++i)
            most[i / 32] = std::max(most[i / 32], keys[i]);
        for (int t = 0; t <= 33; ++t)
            ASSERT_EQ(countAtLeast(keys.data(), most.data(), n, static_cast<std::uint8_t>(t)),
                      countAtLeast(keys.data(), n, static_cast<std::uint8_t>(t)))
                << "n " << n << " threshold " << t;
    }
}

// Marks are visited once each, in candidate order, and a new set starts empty whether the last
// one was kept by blocks or written everywhere.
TEST(ChartScan, MarksAreVisitedInOrderAndClearedBetweenSets) {
    CandidateMarks marks;
    const auto visited = [&] {
        std::vector<std::size_t> seen;
        marks.forEach([&](std::size_t c) { seen.push_back(c); });
        return seen;
    };
    marks.reset(100);
    for (const std::size_t c : {99u, 3u, 40u, 3u, 64u, 33u})
        marks.mark(c);
    EXPECT_EQ(visited(), (std::vector<std::size_t>{3, 33, 40, 64, 99}));
    marks.reset(100);
    EXPECT_TRUE(visited().empty());
    marks.block(2)[5] = 1; // candidate 69
    marks.mark(7);
    EXPECT_EQ(visited(), (std::vector<std::size_t>{7, 69}));
    marks.reset(100);
    std::fill_n(marks.everyBlock(), 100, std::uint8_t{1});
    EXPECT_EQ(visited().size(), 100u);
    marks.reset(100);
    marks.mark(50);
    EXPECT_EQ(visited(), (std::vector<std::size_t>{50}));
}

} // namespace
} // namespace qdx

namespace qdx {
namespace {

// The word test that skips eight blocks at once agrees with a byte-by-byte comparison for
// every threshold, including 0 (everything) and thresholds no key below 128 reaches.
TEST(ChartScan, WordTestFindsEveryByteAtLeastTheThreshold) {
    std::uint8_t bytes[8];
    for (int start = 0; start < 128; start += 7) {
        for (int k = 0; k < 8; ++k)
            bytes[k] = static_cast<std::uint8_t>((start + 37 * k) % 128);
        for (const int t : {0, 1, 5, 32, 33, 64, 127, 128, 129, 200, 255}) {
            std::uint64_t expected = 0;
            for (int k = 0; k < 8; ++k)
                if (bytes[k] >= t)
                    expected |= std::uint64_t{0x80} << (8 * k);
            ASSERT_EQ(bytesAtLeast(bytes, static_cast<std::uint8_t>(t)), expected)
                << "start " << start << " threshold " << t;
        }
    }
}

} // namespace
} // namespace qdx
