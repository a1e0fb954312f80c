#include "matching/WeightKernel.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// GCC 12 reports the deliberately undefined pass-through operand inside the intrinsics
// headers as maybe-uninitialized.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// This file is compiled with -ffp-contract=off: every lane must add its weights one by one in
// position order, exactly like the plain comparison loop.

namespace qdx {

namespace {

void sumPortable(const double* table, const std::uint8_t* codes, std::size_t blocks, double* sums) {
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* block = codes + b * kBlockBytes;
        double acc[kLanes] = {};
        for (int j = 0; j < 32; ++j)
            for (std::size_t lane = 0; lane < kLanes; ++lane)
                acc[lane] += table[j * 16 + block[j * kLanes + lane]];
        for (std::size_t lane = 0; lane < kLanes; ++lane)
            sums[b * kLanes + lane] = acc[lane];
    }
}

void dividePortable(const double* sums, const std::uint8_t* counts, std::size_t n, double* scores) {
    for (std::size_t i = 0; i < n; ++i)
        scores[i] = counts[i] > 0 ? sums[i] / static_cast<double>(counts[i]) : 0.0;
}

#if defined(__x86_64__)

__attribute__((target("avx512f"))) inline __m512d weightsAt(const double* row,
                                                            const std::uint8_t* laneCodes) {
    const __m512i index =
        _mm512_cvtepu8_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(laneCodes)));
    return _mm512_permutex2var_pd(_mm512_load_pd(row), index, _mm512_load_pd(row + 8));
}

// Four blocks at a time keep four independent addition chains in flight.
__attribute__((target("avx512f"))) void sumAvx512(const double* table, const std::uint8_t* codes,
                                                  std::size_t blocks, double* sums) {
    std::size_t b = 0;
    for (; b + 4 <= blocks; b += 4) {
        const std::uint8_t* c = codes + b * kBlockBytes;
        __m512d a0 = _mm512_setzero_pd();
        __m512d a1 = _mm512_setzero_pd();
        __m512d a2 = _mm512_setzero_pd();
        __m512d a3 = _mm512_setzero_pd();
        for (int j = 0; j < 32; ++j) {
            const double* row = table + j * 16;
            const std::size_t at = static_cast<std::size_t>(j) * kLanes;
            a0 = _mm512_add_pd(a0, weightsAt(row, c + at));
            a1 = _mm512_add_pd(a1, weightsAt(row, c + kBlockBytes + at));
            a2 = _mm512_add_pd(a2, weightsAt(row, c + 2 * kBlockBytes + at));
            a3 = _mm512_add_pd(a3, weightsAt(row, c + 3 * kBlockBytes + at));
        }
        _mm512_storeu_pd(sums + b * kLanes, a0);
        _mm512_storeu_pd(sums + (b + 1) * kLanes, a1);
        _mm512_storeu_pd(sums + (b + 2) * kLanes, a2);
        _mm512_storeu_pd(sums + (b + 3) * kLanes, a3);
    }
    for (; b < blocks; ++b) {
        const std::uint8_t* c = codes + b * kBlockBytes;
        __m512d acc = _mm512_setzero_pd();
        for (int j = 0; j < 32; ++j)
            acc = _mm512_add_pd(acc, weightsAt(table + j * 16, c + j * kLanes));
        _mm512_storeu_pd(sums + b * kLanes, acc);
    }
}

__attribute__((target("avx512f"))) void divideAvx512(const double* sums, const std::uint8_t* counts,
                                                     std::size_t n, double* scores) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i wide =
            _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(counts + i)));
        const __m512d divisor = _mm512_cvtepi32_pd(wide);
        const __mmask8 known = _mm512_cmp_pd_mask(divisor, _mm512_setzero_pd(), _CMP_NEQ_OQ);
        const __m512d quotient = _mm512_maskz_div_pd(known, _mm512_loadu_pd(sums + i), divisor);
        _mm512_storeu_pd(scores + i, quotient);
    }
    dividePortable(sums + i, counts + i, n - i, scores + i);
}

// AVX2 has no two-register permute of doubles; a gather reads the weight of each lane.
__attribute__((target("avx2"))) void sumAvx2(const double* table, const std::uint8_t* codes,
                                             std::size_t blocks, double* sums) {
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* c = codes + b * kBlockBytes;
        __m256d lo = _mm256_setzero_pd();
        __m256d hi = _mm256_setzero_pd();
        for (int j = 0; j < 32; ++j) {
            const std::uint8_t* laneCodes = c + j * kLanes;
            const __m128i idx =
                _mm_cvtepu8_epi32(_mm_cvtsi32_si128(*reinterpret_cast<const int*>(laneCodes)));
            const __m128i idxHi =
                _mm_cvtepu8_epi32(_mm_cvtsi32_si128(*reinterpret_cast<const int*>(laneCodes + 4)));
            lo = _mm256_add_pd(lo, _mm256_i32gather_pd(table + j * 16, idx, 8));
            hi = _mm256_add_pd(hi, _mm256_i32gather_pd(table + j * 16, idxHi, 8));
        }
        _mm256_storeu_pd(sums + b * kLanes, lo);
        _mm256_storeu_pd(sums + b * kLanes + 4, hi);
    }
}

enum class Isa { Portable, Avx2, Avx512 };

Isa detectIsa() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f"))
        return Isa::Avx512;
    if (__builtin_cpu_supports("avx2"))
        return Isa::Avx2;
    return Isa::Portable;
}

Isa g_isa = detectIsa();

#endif

} // namespace

void sumWeightBlocks(const double* table, const std::uint8_t* codes, std::size_t blocks,
                     double* sums) {
#if defined(__x86_64__)
    if (g_isa == Isa::Avx512)
        return sumAvx512(table, codes, blocks, sums);
    if (g_isa == Isa::Avx2)
        return sumAvx2(table, codes, blocks, sums);
#endif
    sumPortable(table, codes, blocks, sums);
}

void divideScores(const double* sums, const std::uint8_t* counts, std::size_t n, double* scores) {
#if defined(__x86_64__)
    if (g_isa == Isa::Avx512)
        return divideAvx512(sums, counts, n, scores);
#endif
    dividePortable(sums, counts, n, scores);
}

const char* weightKernelName() {
#if defined(__x86_64__)
    if (g_isa == Isa::Avx512)
        return "avx512f";
    if (g_isa == Isa::Avx2)
        return "avx2";
#endif
    return "portable";
}

} // namespace qdx

namespace qdx {

bool selectWeightKernel(const std::string& name) {
#if defined(__x86_64__)
    const Isa best = detectIsa();
    if (name == "avx512f" && best == Isa::Avx512) {
        g_isa = Isa::Avx512;
        return true;
    }
    if (name == "avx2" && best != Isa::Portable) {
        g_isa = Isa::Avx2;
        return true;
    }
    if (name == "portable") {
        g_isa = Isa::Portable;
        return true;
    }
    return false;
#else
    return name == "portable";
#endif
}

} // namespace qdx
