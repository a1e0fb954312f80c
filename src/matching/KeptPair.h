#pragma once

#include <cstdint>

namespace qdx {

// A comparison kept for display, in 16 bytes: a whole-project search keeps a few hundred per
// searching chart, for a hundred thousand charts. Counts never exceed 32.
struct KeptPair {
    double score = 0.0;
    std::uint32_t candidate = 0; // ordinal over the run's candidate lists
    std::uint32_t searchCount : 6 = 0;
    std::uint32_t exactMatchCount : 6 = 0;
    std::uint32_t fullRestorationMissingMatchCount : 6 = 0;
    std::uint32_t noContradictionMatchCount : 6 = 0;
    std::uint32_t outcome : 8 = 0; // index into the run's outcome texts; 0 is ""
};

static_assert(sizeof(KeptPair) == 16);

} // namespace qdx
