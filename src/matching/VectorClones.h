#pragma once

// Loops written for the vectorizer are compiled once per instruction set on x86-64 and the
// widest one the processor has is picked when the program starts; elsewhere they are compiled
// once for the target.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define QDX_WIDE_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#define QDX_AVX2_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define QDX_WIDE_CLONES
#define QDX_AVX2_CLONES
#endif
