#pragma once

#include <cstdint>

namespace qdx {

// A comparison kept for display, in compact form: a large search keeps hundreds of millions
// of comparisons' worth of candidates per run, so every byte here counts.
struct KeptPair {
    double score = 0.0;
    std::uint32_t candidate = 0; // ordinal over the run's candidate lists
    std::uint16_t outcome = 0;   // index into the run's outcome texts; 0 is ""
    std::uint8_t searchCount = 0;
    std::uint8_t exactMatchCount = 0;
    std::uint8_t fullRestorationMissingMatchCount = 0;
    std::uint8_t noContradictionMatchCount = 0;
};

} // namespace qdx
