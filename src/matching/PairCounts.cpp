#include "matching/PairCounts.h"

#include "matching/VectorClones.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace qdx {

namespace {

inline std::uint32_t bitCount(std::uint32_t x) {
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return (x + (x >> 8) + (x >> 16) + (x >> 24)) & 0x3Fu;
}

// All masks of a candidate of the other known sex read as empty.
inline std::uint32_t comparable(std::uint32_t searchSex, std::uint32_t candidateSex) {
    const bool excluded = searchSex != 0 && candidateSex != 0 && searchSex != candidateSex;
    return excluded ? 0u : ~0u;
}

// The searching chart's masks, passed by value so that the loops below see them as constants.
struct SearchMasks {
    std::uint32_t known, dec, plane0, plane1, plane2, class0, class1, class2, class3, class4, full,
        sex, bridge;
};

SearchMasks searchMasks(const SearchingChart& chart) {
    const ChartMasks& m = chart.masks;
    return {m.known,
            m.dec,
            m.plane[0],
            m.plane[1],
            m.plane[2],
            chart.classMask[0],
            chart.classMask[1],
            chart.classMask[2],
            chart.classMask[3],
            chart.classMask[4],
            chart.fullRestorationMissing,
            chart.sex,
            m.bridge};
}

// Restrict-qualified parameters tell the vectorizer that the count rows overlap no column.
QDX_WIDE_CLONES void
countPairColumns(std::size_t length, SearchMasks s, const std::uint32_t* __restrict known,
                 const std::uint32_t* __restrict dec, const std::uint32_t* __restrict p0,
                 const std::uint32_t* __restrict p1, const std::uint32_t* __restrict p2,
                 const std::uint32_t* __restrict o0, const std::uint32_t* __restrict o1,
                 const std::uint32_t* __restrict o2, const std::uint32_t* __restrict o3,
                 const std::uint32_t* __restrict o4, const std::uint32_t* __restrict sex,
                 std::uint8_t* __restrict searchCount, std::uint8_t* __restrict exactCount,
                 std::uint8_t* __restrict fullCount, std::uint8_t* __restrict agreeCount) {
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint32_t searched = known[i] & s.known & comparable(s.sex, sex[i]);
        const std::uint32_t sameKind = ~(dec[i] ^ s.dec) & searched;
        const std::uint32_t differs = (p0[i] ^ s.plane0) | (p1[i] ^ s.plane1) | (p2[i] ^ s.plane2);
        const std::uint32_t exact = sameKind & ~differs;
        const std::uint32_t agreeing = (s.class0 & o0[i]) | (s.class1 & o1[i]) |
                                       (s.class2 & o2[i]) | (s.class3 & o3[i]) | (s.class4 & o4[i]);
        searchCount[i] = static_cast<std::uint8_t>(bitCount(searched));
        exactCount[i] = static_cast<std::uint8_t>(bitCount(exact));
        fullCount[i] = static_cast<std::uint8_t>(bitCount(exact & s.full));
        agreeCount[i] = static_cast<std::uint8_t>(bitCount(sameKind & agreeing));
    }
}

QDX_WIDE_CLONES void
countBridgeColumns(std::size_t length, std::uint32_t searchBridges, std::uint32_t searchSex,
                   const std::uint32_t* __restrict bridge, const std::uint32_t* __restrict sex,
                   std::uint8_t* __restrict bridges, std::uint8_t* __restrict shared,
                   std::uint8_t* __restrict alone, std::uint8_t* __restrict none) {
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint32_t own = bridge[i] & comparable(searchSex, sex[i]);
        bridges[i] = static_cast<std::uint8_t>(bitCount(own));
        shared[i] = static_cast<std::uint8_t>(bitCount(own & searchBridges));
        alone[i] = static_cast<std::uint8_t>(bitCount(own & ~searchBridges));
        none[i] = 0;
    }
}

} // namespace

void countPairs(const PackedCandidates& pack, const SearchingChart& chart, std::size_t start,
                std::size_t length, std::uint8_t* const out[4]) {
    countPairColumns(length, searchMasks(chart), pack.known.data() + start, pack.dec.data() + start,
                     pack.plane[0].data() + start, pack.plane[1].data() + start,
                     pack.plane[2].data() + start, pack.order[0].data() + start,
                     pack.order[1].data() + start, pack.order[2].data() + start,
                     pack.order[3].data() + start, pack.order[4].data() + start,
                     pack.sex.data() + start, out[0], out[1], out[2], out[3]);
}

void countBridges(const PackedCandidates& pack, const SearchingChart& chart, std::size_t start,
                  std::size_t length, std::uint8_t* const out[4]) {
    countBridgeColumns(length, chart.masks.bridge, chart.sex, pack.bridge.data() + start,
                       pack.sex.data() + start, out[0], out[1], out[2], out[3]);
}

// Byte counters, one per lane of 32 keys, never pass 255 within a chunk; the vectorizer keeps
// them in one register.
QDX_AVX2_CLONES std::size_t countAtLeast(const std::uint8_t* keys, std::size_t n,
                                         std::uint8_t threshold) {
    constexpr std::size_t kLaneCount = 32;
    constexpr std::size_t kChunk = 255 * kLaneCount;
    std::size_t total = 0;
    for (std::size_t start = 0; start < n; start += kChunk) {
        const std::size_t end = std::min(n, start + kChunk);
        std::uint8_t lanes[kLaneCount] = {};
        std::size_t i = start;
        for (; i + kLaneCount <= end; i += kLaneCount)
            for (std::size_t k = 0; k < kLaneCount; ++k)
                lanes[k] = static_cast<std::uint8_t>(lanes[k] + (keys[i + k] >= threshold ? 1 : 0));
        for (const std::uint8_t lane : lanes)
            total += lane;
        for (; i < end; ++i)
            total += keys[i] >= threshold ? 1u : 0u;
    }
    return total;
}

namespace {

// Keys of one block of 32 (fewer in the last) that reach the threshold.
std::size_t countBlockPortable(const std::uint8_t* keys, std::size_t length,
                               std::uint8_t threshold) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < length; ++i)
        total += keys[i] >= threshold ? 1u : 0u;
    return total;
}

#if defined(__x86_64__)
__attribute__((target("avx2,popcnt"))) std::size_t countBlocksAvx2(const std::uint8_t* keys,
                                                                   const std::uint8_t* blockMax,
                                                                   std::size_t blocks,
                                                                   std::uint8_t threshold) {
    // Keys stay below 128, so a signed comparison with threshold - 1 tells "at least".
    const __m256i below = _mm256_set1_epi8(static_cast<char>(threshold - 1));
    const __m256i limit = _mm256_set1_epi8(static_cast<char>(threshold));
    std::size_t total = 0;
    for (std::size_t b = 0; b < blocks; b += 32) {
        const std::size_t group = std::min<std::size_t>(32, blocks - b);
        unsigned reaching = 0;
        if (group == 32) {
            const __m256i most = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(blockMax + b));
            reaching = static_cast<unsigned>(
                _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_max_epu8(most, limit), most)));
        } else {
            for (std::size_t k = 0; k < group; ++k)
                reaching |= blockMax[b + k] >= threshold ? 1u << k : 0u;
        }
        for (; reaching != 0; reaching &= reaching - 1) {
            const std::size_t block = b + static_cast<std::size_t>(__builtin_ctz(reaching));
            const __m256i v =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(keys + 32 * block));
            total += static_cast<std::size_t>(__builtin_popcount(
                static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(v, below)))));
        }
    }
    return total;
}

bool hasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
}

const bool g_avx2 = hasAvx2();
#endif

} // namespace

std::size_t countAtLeast(const std::uint8_t* keys, const std::uint8_t* blockMax, std::size_t n,
                         std::uint8_t threshold) {
    if (threshold == 0)
        return n;
    constexpr std::size_t kBlock = 32;
    const std::size_t whole = n / kBlock;
    std::size_t total = 0;
#if defined(__x86_64__)
    if (g_avx2 && threshold <= 128) {
        total = countBlocksAvx2(keys, blockMax, whole, threshold);
    } else
#endif
    {
        for (std::size_t b = 0; b < whole; ++b)
            if (blockMax[b] >= threshold)
                total += countBlockPortable(keys + b * kBlock, kBlock, threshold);
    }
    if (whole * kBlock < n && blockMax[whole] >= threshold)
        total += countBlockPortable(keys + whole * kBlock, n - whole * kBlock, threshold);
    return total;
}

QDX_AVX2_CLONES std::size_t countAtLeast(const double* keys, std::size_t n, double threshold) {
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < n; ++i)
        total += keys[i] >= threshold ? 1u : 0u;
    return total;
}

} // namespace qdx
