#include "matching/WeightBounds.h"

#include "matching/WeightKernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// Compiled with -ffp-contract=off like the block kernels: weightSumOf must add exactly as they do.

namespace qdx {

namespace {

constexpr int kLargestBound = kLargestRoundedWeight;

double largestWeight(const double (&table)[32][16]) {
    double largest = 0.0;
    for (const auto& row : table)
        for (const double weight : row) {
            if (!std::isfinite(weight))
                return std::numeric_limits<double>::infinity();
            largest = std::max(largest, std::fabs(weight));
        }
    return largest;
}

bool fillRounded(WeightBounds& bounds, const double (&table)[32][16], double scale) {
    for (int j = 0; j < 32; ++j)
        for (int code = 0; code < 16; ++code) {
            const double rounded = std::ceil(table[j][code] * scale);
            if (!(std::fabs(rounded) <= kLargestBound))
                return false;
            const auto value = static_cast<std::uint16_t>(static_cast<std::int16_t>(rounded));
            bounds.low[j][code] = static_cast<std::uint8_t>(value & 0xFF);
            bounds.high[j][code] = static_cast<std::uint8_t>(value >> 8);
        }
    return true;
}

std::int16_t boundAt(const WeightBounds& bounds, const std::uint8_t* block, std::size_t lane) {
    int sum = 0;
    for (int j = 0; j < 32; ++j) {
        const std::uint8_t code = block[j * kLanes + lane] & 15;
        sum += static_cast<std::int16_t>(bounds.low[j][code] | bounds.high[j][code] << 8);
    }
    return static_cast<std::int16_t>(sum);
}

void boundPortable(const WeightBounds& bounds, const std::uint8_t* codes, std::size_t blocks,
                   std::int16_t* out) {
    for (std::size_t b = 0; b < blocks; ++b)
        for (std::size_t lane = 0; lane < kLanes; ++lane)
            out[b * kLanes + lane] = boundAt(bounds, codes + b * kBlockBytes, lane);
}

void collectPortable(const std::int16_t* bounds, const std::uint8_t* counts, std::size_t n,
                     float threshold, float slack, bool zeroReaches,
                     std::vector<std::uint32_t>& reaching, std::uint32_t first) {
    for (std::size_t i = 0; i < n; ++i) {
        const bool reaches = counts[i] == 0 ? zeroReaches
                                            : static_cast<float>(bounds[i]) + slack >=
                                                  threshold * static_cast<float>(counts[i]);
        if (reaches)
            reaching.push_back(first + static_cast<std::uint32_t>(i));
    }
}

#if defined(__x86_64__)

// Four blocks at a time: blocks 0 and 1 in the low half of a register, 2 and 3 in the high
// half; the shuffles look up the low and the high bytes of sixteen bounds per half.
__attribute__((target("avx2"))) void boundAvx2(const WeightBounds& bounds,
                                               const std::uint8_t* codes, std::size_t blocks,
                                               std::int16_t* out) {
    std::size_t b = 0;
    for (; b + 4 <= blocks; b += 4) {
        const std::uint8_t* c = codes + b * kBlockBytes;
        __m256i even = _mm256_setzero_si256(); // blocks 0 and 2
        __m256i odd = _mm256_setzero_si256();  // blocks 1 and 3
        for (int j = 0; j < 32; ++j) {
            const std::size_t at = static_cast<std::size_t>(j) * kLanes;
            const __m128i first = _mm_unpacklo_epi64(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + at)),
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + kBlockBytes + at)));
            const __m128i second = _mm_unpacklo_epi64(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + 2 * kBlockBytes + at)),
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + 3 * kBlockBytes + at)));
            const __m256i index = _mm256_set_m128i(second, first);
            const __m256i low =
                _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_load_si128(
                                        reinterpret_cast<const __m128i*>(bounds.low[j]))),
                                    index);
            const __m256i high =
                _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_load_si128(
                                        reinterpret_cast<const __m128i*>(bounds.high[j]))),
                                    index);
            even = _mm256_add_epi16(even, _mm256_unpacklo_epi8(low, high));
            odd = _mm256_add_epi16(odd, _mm256_unpackhi_epi8(low, high));
        }
        auto* target = reinterpret_cast<__m128i*>(out + b * kLanes);
        _mm_storeu_si128(target, _mm256_castsi256_si128(even));
        _mm_storeu_si128(target + 1, _mm256_castsi256_si128(odd));
        _mm_storeu_si128(target + 2, _mm256_extracti128_si256(even, 1));
        _mm_storeu_si128(target + 3, _mm256_extracti128_si256(odd, 1));
    }
    boundPortable(bounds, codes + b * kBlockBytes, blocks - b, out + b * kLanes);
}

// For each count 0..32, the smallest bound that collectPortable's test takes. Bounds lie within
// +-32 * kLargestRoundedWeight, and the test is monotone in the bound (a 16-bit integer is a
// float exactly, and adding the slack keeps the order), so one comparison with the limit of a
// candidate's count decides as the test does.
void reachLimits(float threshold, float slack, bool zeroReaches, std::int16_t (&limits)[33]) {
    constexpr int kLowest = -32 * kLargestRoundedWeight;
    constexpr int kNone = 32 * kLargestRoundedWeight + 1;
    limits[0] = static_cast<std::int16_t>(zeroReaches ? kLowest : kNone);
    for (int c = 1; c <= 32; ++c) {
        const float needed = threshold * static_cast<float>(c);
        int low = kLowest;
        int high = kNone;
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (static_cast<float>(mid) + slack >= needed)
                high = mid;
            else
                low = mid + 1;
        }
        limits[c] = static_cast<std::int16_t>(low);
    }
}

// One byte of each candidate's limit: from the first table for counts 0-15, the second for
// 16-31, and `whole` for 32.
__attribute__((target("avx2"))) inline __m256i
limitBytes(__m256i first, __m256i next, __m256i whole, __m256i index, __m256i second, __m256i top) {
    const __m256i byHalf = _mm256_blendv_epi8(_mm256_shuffle_epi8(first, index),
                                              _mm256_shuffle_epi8(next, index), second);
    return _mm256_blendv_epi8(byHalf, whole, top);
}

// Thirty-two candidates at a time: the limit of each candidate's count is looked up by byte
// shuffles (counts 0-15, 16-31 and 32), then compared with the bounds as 16-bit integers.
__attribute__((target("avx2,bmi2"))) void
collectAvx2(const std::int16_t* bounds, const std::uint8_t* counts, std::size_t n, float threshold,
            float slack, bool zeroReaches, std::vector<std::uint32_t>& reaching) {
    std::int16_t limits[33];
    reachLimits(threshold, slack, zeroReaches, limits);
    alignas(16) std::uint8_t bytes[4][16];
    for (int c = 0; c < 32; ++c) {
        const auto limit = static_cast<std::uint16_t>(limits[c]);
        bytes[c / 16][c % 16] = static_cast<std::uint8_t>(limit & 0xFF);
        bytes[2 + c / 16][c % 16] = static_cast<std::uint8_t>(limit >> 8);
    }
    __m256i tables[4];
    for (int k = 0; k < 4; ++k)
        tables[k] =
            _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(bytes[k])));
    const auto last = static_cast<std::uint16_t>(limits[32]);
    const __m256i lowLast = _mm256_set1_epi8(static_cast<char>(last & 0xFF));
    const __m256i highLast = _mm256_set1_epi8(static_cast<char>(last >> 8));
    const __m256i fifteen = _mm256_set1_epi8(15);
    const __m256i thirtyTwo = _mm256_set1_epi8(32);
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256i count = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(counts + i));
        const __m256i index = _mm256_and_si256(count, fifteen);
        const __m256i second = _mm256_cmpgt_epi8(count, fifteen);
        const __m256i top = _mm256_cmpeq_epi8(count, thirtyTwo);
        const __m256i low = limitBytes(tables[0], tables[1], lowLast, index, second, top);
        const __m256i high = limitBytes(tables[2], tables[3], highLast, index, second, top);
        // Candidates 0-7 and 16-23, then 8-15 and 24-31, as the byte unpacking orders them.
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bounds + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bounds + i + 16));
        const __m256i evenMiss = _mm256_cmpgt_epi16(_mm256_unpacklo_epi8(low, high),
                                                    _mm256_permute2x128_si256(a, b, 0x20));
        const __m256i oddMiss = _mm256_cmpgt_epi16(_mm256_unpackhi_epi8(low, high),
                                                   _mm256_permute2x128_si256(a, b, 0x31));
        const unsigned even =
            ~_pext_u32(static_cast<unsigned>(_mm256_movemask_epi8(evenMiss)), 0x55555555u) &
            0xFFFFu;
        const unsigned odd =
            ~_pext_u32(static_cast<unsigned>(_mm256_movemask_epi8(oddMiss)), 0x55555555u) & 0xFFFFu;
        unsigned mask = (even & 0xFFu) | (odd & 0xFFu) << 8 | (even >> 8) << 16 | (odd >> 8) << 24;
        for (; mask != 0; mask &= mask - 1)
            reaching.push_back(static_cast<std::uint32_t>(i) +
                               static_cast<std::uint32_t>(__builtin_ctz(mask)));
    }
    collectPortable(bounds + i, counts + i, n - i, threshold, slack, zeroReaches, reaching,
                    static_cast<std::uint32_t>(i));
}

bool hasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
}

const bool g_avx2 = hasAvx2();

#endif

} // namespace

void prepareWeightBounds(WeightBounds& bounds, const double (&table)[32][16]) {
    bounds.scale = 0.0;
    const double largest = largestWeight(table);
    // Sums of such weights could overflow; they keep the plain path.
    if (!(largest < 1e300))
        return;
    int exponent = largest > 0.0 ? std::ilogb(kLargestBound / largest) : 0;
    exponent = std::min(exponent, 900);
    for (; exponent > -900; --exponent) {
        const double scale = std::ldexp(1.0, exponent);
        if (fillRounded(bounds, table, scale)) {
            bounds.scale = scale;
            // Far above what 32 additions and one division can round, far below one unit.
            bounds.rounding = std::ldexp(32.0 * largest, -30) + 1e-300;
            return;
        }
    }
}

void boundWeightBlocks(const WeightBounds& bounds, const std::uint8_t* codes, std::size_t blocks,
                       std::int16_t* out) {
#if defined(__x86_64__)
    if (g_avx2 && std::strcmp(weightKernelName(), "portable") != 0)
        return boundAvx2(bounds, codes, blocks, out);
#endif
    boundPortable(bounds, codes, blocks, out);
}

void collectReaching(const std::int16_t* bounds, const std::uint8_t* counts, std::size_t n,
                     float threshold, float slack, bool zeroReaches,
                     std::vector<std::uint32_t>& reaching) {
#if defined(__x86_64__)
    if (g_avx2 && std::strcmp(weightKernelName(), "portable") != 0)
        return collectAvx2(bounds, counts, n, threshold, slack, zeroReaches, reaching);
#endif
    collectPortable(bounds, counts, n, threshold, slack, zeroReaches, reaching, 0);
}

template <int N>
void weightSumsOf(const double (&table)[32][16], const std::uint8_t* const (&rows)[N],
                  double (&sums)[N]) {
    double sum[N] = {};
    for (int j = 0; j < 32; ++j)
        for (int k = 0; k < N; ++k)
            sum[k] += table[j][rows[k][j]];
    for (int k = 0; k < N; ++k)
        sums[k] = sum[k];
}

template void weightSumsOf<4>(const double (&)[32][16], const std::uint8_t* const (&)[4],
                              double (&)[4]);
template void weightSumsOf<8>(const double (&)[32][16], const std::uint8_t* const (&)[8],
                              double (&)[8]);

double weightSumOf(const double (&table)[32][16], const std::uint8_t* row) {
    double sum = 0.0;
    for (int j = 0; j < 32; ++j)
        sum += table[j][row[j]];
    return sum;
}

} // namespace qdx
