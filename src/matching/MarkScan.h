#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qdx {

// Calls `visit` for every candidate with a nonzero mark, in candidate order. Marks are sparse:
// eight unmarked candidates are skipped at a time.
template <class Visit>
void forEachMarked(const std::uint8_t* marks, std::size_t count, Visit visit) {
    std::size_t c = 0;
    for (; c + 8 <= count; c += 8) {
        std::uint64_t word;
        std::memcpy(&word, marks + c, sizeof word);
        if (word == 0)
            continue;
        for (std::size_t i = c; i < c + 8; ++i)
            if (marks[i] != 0)
                visit(i);
    }
    for (; c < count; ++c)
        if (marks[c] != 0)
            visit(c);
}

// The top bit of each of the eight bytes at `bytes` that is at least `threshold`; the bytes are
// below 128, and a threshold above 128 is reached by none.
inline std::uint64_t bytesAtLeast(const std::uint8_t* bytes, std::uint8_t threshold) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    if (threshold > 128)
        return 0;
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return (word + kOnes * (128u - threshold)) & (kOnes << 7);
}

} // namespace qdx
