#include "matching/ChartScan.h"

#include "matching/WeightKernel.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace qdx {

namespace {

constexpr std::size_t kWide = PackedCandidates::kWideLanes;
constexpr std::size_t kWideBytes = PackedCandidates::kWideBlockBytes;
// Nibble counters take at most 15 positions before they are added to the byte counts.
constexpr int kNibbleRun = 14; // an even number: bounds take positions in twos
constexpr int kSearchClasses[5] = {1, 2, 3, 4, 6};

struct CodeFlags {
    bool compared, exact, full, agreeing;
};

// What a candidate code at position j adds to the counts, from the searching chart's masks as
// the column counts take them.
CodeFlags flagsOf(const SearchingChart& chart, int direction, int j, int code) {
    const std::uint32_t bit = 1u << j;
    const ChartMasks& m = chart.masks;
    const int candidateClass = code & 7;
    const bool candidateDeciduous = (code >> 3) != 0;
    const bool compared = candidateClass != 5 && (m.known & bit) != 0;
    const bool sameKind = compared && candidateDeciduous == ((m.dec & bit) != 0);
    int searchClass = 0;
    for (int p = 0; p < 3; ++p)
        searchClass |= (m.plane[p] & bit) != 0 ? 1 << p : 0;
    const bool exact = sameKind && candidateClass == searchClass;
    bool fits = false;
    for (int k = 0; k < 5; ++k) {
        const int s = kSearchClasses[k];
        const bool order = direction == 0 ? candidateClass >= s : candidateClass <= s;
        fits = fits || ((chart.classMask[k] & bit) != 0 && order);
    }
    return {compared, exact, exact && (chart.fullRestorationMissing & bit) != 0, sameKind && fits};
}

bool excludedBySex(std::uint32_t searchSex, std::uint32_t candidateSex) {
    return searchSex != 0 && candidateSex != 0 && searchSex != candidateSex;
}

void scanPortable(const ChartScanTables& t, const PackedCandidates& pack, std::size_t start,
                  std::size_t length, std::uint8_t* const counts[4], std::int16_t* bounds,
                  std::uint8_t* const blockMax[3]) {
    const std::size_t end = (start + length + kWide - 1) / kWide * kWide;
    for (std::size_t i = start; i < end; ++i) {
        if (i % kWide == 0)
            for (int q = 0; q < 3; ++q)
                blockMax[q][(i - start) / kWide] = 0;
        const std::uint8_t* block = pack.wideCodes.data() + i / kWide * kWideBytes + i % kWide;
        int c[4] = {};
        int bound = 0;
        for (int k = 0; k < t.positionCount; ++k) {
            const int j = t.positions[k];
            const std::uint8_t code = block[j * kWide] & 15;
            c[0] += t.compared[j][code] & 15;
            c[1] += t.compared[j][code] >> 4;
            c[2] += t.kept[j][code] & 15;
            c[3] += t.kept[j][code] >> 4;
            bound += t.bound[j][code] - ChartScanTables::kBoundOffset;
        }
        const bool excluded = excludedBySex(t.sex, pack.sex[i]);
        for (int q = 0; q < 4; ++q)
            counts[q][i - start] = excluded ? 0 : static_cast<std::uint8_t>(c[q]);
        for (int q = 0; q < 3; ++q) {
            std::uint8_t& most = blockMax[q][(i - start) / kWide];
            most = std::max(most, counts[q + 1][i - start]);
        }
        if (bounds != nullptr)
            bounds[i - start] = static_cast<std::int16_t>(bound);
    }
}

#if defined(__x86_64__)

#define QDX_AVX2 __attribute__((target("avx2")))

QDX_AVX2 inline __m256i row(const std::uint8_t (&table)[32][32], int j) {
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(table[j]));
}

// Bytes 0xFF for the 32 candidates from `sex` whose known sex differs from the searching one.
QDX_AVX2 inline __m256i sexExclusion(std::uint32_t searchSex, const std::uint32_t* sex) {
    const __m256i search = _mm256_set1_epi32(static_cast<int>(searchSex));
    const __m256i zero = _mm256_setzero_si256();
    __m256i excluded[4];
    for (int q = 0; q < 4; ++q) {
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(sex + 8 * q));
        const __m256i other =
            _mm256_or_si256(_mm256_cmpeq_epi32(c, zero), _mm256_cmpeq_epi32(c, search));
        excluded[q] = _mm256_xor_si256(other, _mm256_set1_epi32(-1));
    }
    const __m256i bytes = _mm256_packs_epi16(_mm256_packs_epi32(excluded[0], excluded[1]),
                                             _mm256_packs_epi32(excluded[2], excluded[3]));
    return _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

QDX_AVX2 inline std::uint8_t greatestByte(__m256i v) {
    __m128i m = _mm_max_epu8(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 8));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 4));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 2));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 1));
    return static_cast<std::uint8_t>(_mm_cvtsi128_si32(m));
}

template <bool kBounds>
QDX_AVX2 void scanAvx2(const ChartScanTables& t, const PackedCandidates& pack, std::size_t start,
                       std::size_t length, std::uint8_t* const counts[4], std::int16_t* bounds,
                       std::uint8_t* const blockMax[3]) {
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    for (std::size_t done = 0; done < length; done += kWide) {
        const std::uint8_t* block = pack.wideCodes.data() + (start + done) / kWide * kWideBytes;
        __m256i sum[4] = {_mm256_setzero_si256(), _mm256_setzero_si256(), _mm256_setzero_si256(),
                          _mm256_setzero_si256()};
        // Bounds of the even and the odd candidates in 16-bit lanes: widened by a mask and a
        // shift, which leave the shuffle units to the lookups.
        __m256i evenLanes = _mm256_setzero_si256();
        __m256i oddLanes = _mm256_setzero_si256();
        // Every position, in runs the nibble counters can take; positions that add nothing
        // have lookups of zeros. Bounds add up two positions in a byte before widening.
        const __m256i lowByte = _mm256_set1_epi16(0x00FF);
        for (int first = 0; first < 32; first += kNibbleRun) {
            const int last = first + kNibbleRun < 32 ? first + kNibbleRun : 32;
            __m256i compared = _mm256_setzero_si256();
            __m256i kept = _mm256_setzero_si256();
#pragma GCC unroll 7
            for (int j = first; j < last; j += 2) {
                const __m256i codes =
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + j * kWide));
                const __m256i next =
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + (j + 1) * kWide));
                compared =
                    _mm256_add_epi8(compared, _mm256_shuffle_epi8(row(t.compared, j), codes));
                kept = _mm256_add_epi8(kept, _mm256_shuffle_epi8(row(t.kept, j), codes));
                compared =
                    _mm256_add_epi8(compared, _mm256_shuffle_epi8(row(t.compared, j + 1), next));
                kept = _mm256_add_epi8(kept, _mm256_shuffle_epi8(row(t.kept, j + 1), next));
                if constexpr (kBounds) {
                    const __m256i pair =
                        _mm256_add_epi8(_mm256_shuffle_epi8(row(t.bound, j), codes),
                                        _mm256_shuffle_epi8(row(t.bound, j + 1), next));
                    evenLanes = _mm256_add_epi16(evenLanes, _mm256_and_si256(pair, lowByte));
                    oddLanes = _mm256_add_epi16(oddLanes, _mm256_srli_epi16(pair, 8));
                }
            }
            sum[0] = _mm256_add_epi8(sum[0], _mm256_and_si256(compared, nibble));
            sum[1] =
                _mm256_add_epi8(sum[1], _mm256_and_si256(_mm256_srli_epi16(compared, 4), nibble));
            sum[2] = _mm256_add_epi8(sum[2], _mm256_and_si256(kept, nibble));
            sum[3] = _mm256_add_epi8(sum[3], _mm256_and_si256(_mm256_srli_epi16(kept, 4), nibble));
        }
        // Candidates 0-7 and 16-23, then 8-15 and 24-31, as the halves of a register hold them.
        __m256i even = _mm256_setzero_si256();
        __m256i odd = _mm256_setzero_si256();
        if constexpr (kBounds) {
            const __m256i offset = _mm256_set1_epi16(32 * ChartScanTables::kBoundOffset);
            even = _mm256_sub_epi16(_mm256_unpacklo_epi16(evenLanes, oddLanes), offset);
            odd = _mm256_sub_epi16(_mm256_unpackhi_epi16(evenLanes, oddLanes), offset);
        }
        if (t.sex != 0) {
            const __m256i excluded = sexExclusion(t.sex, pack.sex.data() + start + done);
            for (__m256i& s : sum)
                s = _mm256_andnot_si256(excluded, s);
        }
        for (int q = 0; q < 4; ++q)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(counts[q] + done), sum[q]);
        for (int q = 0; q < 3; ++q)
            blockMax[q][done / kWide] = greatestByte(sum[q + 1]);
        if constexpr (kBounds) {
            auto* target = reinterpret_cast<__m128i*>(bounds + done);
            _mm_storeu_si128(target, _mm256_castsi256_si128(even));
            _mm_storeu_si128(target + 1, _mm256_castsi256_si128(odd));
            _mm_storeu_si128(target + 2, _mm256_extracti128_si256(even, 1));
            _mm_storeu_si128(target + 3, _mm256_extracti128_si256(odd, 1));
        }
    }
}

bool hasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

const bool g_avx2 = hasAvx2();

#endif

void fillTwice(std::uint8_t (&row)[32], int code, std::uint8_t value) {
    row[code] = value;
    row[code + 16] = value;
}

} // namespace

void prepareChartScan(ChartScanTables& tables, const SearchingChart& chart,
                      const WeightBounds* bounds, int direction) {
    tables.withBounds = bounds != nullptr;
    tables.sex = chart.sex;
    tables.positionCount = 0;
    for (int j = 0; j < 32; ++j) {
        bool used = false;
        for (int code = 0; code < 16; ++code) {
            const CodeFlags f = flagsOf(chart, direction, j, code);
            const auto compared = static_cast<std::uint8_t>(f.compared | f.exact << 4);
            const auto kept = static_cast<std::uint8_t>(f.full | f.agreeing << 4);
            const int rounded =
                bounds != nullptr
                    ? static_cast<std::int16_t>(bounds->low[j][code] | bounds->high[j][code] << 8)
                    : 0;
            fillTwice(tables.compared[j], code, compared);
            fillTwice(tables.kept[j], code, kept);
            fillTwice(tables.bound[j], code,
                      static_cast<std::uint8_t>(rounded + ChartScanTables::kBoundOffset));
            used = used || compared != 0 || kept != 0 || rounded != 0;
        }
        if (used)
            tables.positions[tables.positionCount++] = static_cast<std::uint8_t>(j);
    }
}

void scanCandidates(const ChartScanTables& tables, const PackedCandidates& pack, std::size_t start,
                    std::size_t length, std::uint8_t* const counts[4], std::int16_t* bounds,
                    std::uint8_t* const blockMax[3]) {
#if defined(__x86_64__)
    if (g_avx2 && std::strcmp(weightKernelName(), "portable") != 0) {
        if (tables.withBounds)
            return scanAvx2<true>(tables, pack, start, length, counts, bounds, blockMax);
        return scanAvx2<false>(tables, pack, start, length, counts, nullptr, blockMax);
    }
#endif
    scanPortable(tables, pack, start, length, counts, tables.withBounds ? bounds : nullptr,
                 blockMax);
}

} // namespace qdx
