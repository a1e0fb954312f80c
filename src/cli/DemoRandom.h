#pragma once

#include <cstdint>

namespace qdx::cli {

// A small generator of our own (SplitMix64) so that a seed gives the same population on every
// platform and standard library; the standard distributions are not portable in their output.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 <= value < bound; bound must be positive.
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    // lowest <= value <= highest.
    int between(int lowest, int highest) { return lowest + below(highest - lowest + 1); }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double probability) { return uniform() < probability; }

private:
    std::uint64_t m_state;
};

} // namespace qdx::cli
