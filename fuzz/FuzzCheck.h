#pragma once

#include <cstdio>
#include <cstdlib>

namespace qdx::fuzz {

// A broken invariant: says which and stops, so the fuzzer keeps the input that broke it.
inline void require(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

} // namespace qdx::fuzz
