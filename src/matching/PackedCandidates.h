#pragma once

#include "model/DentalRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace qdx {

// Positions of one chart as bit masks, bit i for position i.
struct ChartMasks {
    std::uint32_t known = 0;     // comparison class other than 5
    std::uint32_t dec = 0;       // deciduous
    std::uint32_t plane[3] = {}; // the three bits of the comparison class
    std::uint32_t bridge = 0;
};

// Candidate side of a run, packed once. Masks are kept column by column so that the counts of
// many candidates are taken in one vector loop; tooth codes are kept in blocks of eight for the
// weighted score.
struct PackedCandidates {
    static constexpr std::uint16_t kNoOutcome = 0xFFFF;
    static constexpr std::size_t kWideLanes = 32;
    static constexpr std::size_t kWideBlockBytes = 32 * kWideLanes;

    std::size_t count = 0;
    int direction = 1;
    std::size_t blocks = 0;
    std::vector<std::uint8_t> codes; // blocks * 256 bytes: class | deciduous << 3
    // The same codes in blocks of 32 candidates, position by position, and the number of
    // candidates rounded up to whole blocks of 32; columns read 32 at a time are that long.
    std::vector<std::uint8_t> wideCodes;
    // And candidate by candidate, 32 codes each, for the exact sums of a few candidates.
    std::vector<std::uint8_t> rowCodes;
    std::size_t paddedCount = 0;
    std::vector<std::uint32_t> known;
    std::vector<std::uint32_t> dec;
    std::array<std::vector<std::uint32_t>, 3> plane;
    std::vector<std::uint32_t> bridge;
    // Per searching class 1, 2, 3, 4, 6: positions where the candidate's class does not
    // contradict it (the post-mortem class is not below the ante-mortem class).
    std::array<std::vector<std::uint32_t>, 5> order;
    std::vector<std::uint32_t> sex;        // 0 for "0" (unknown); paddedCount long
    std::vector<std::uint16_t> identified; // outcome code of an identified kind, else kNoOutcome
    std::vector<std::uint32_t> identifiedList; // candidates with such a code, ascending
    std::unordered_map<std::string, std::uint32_t> sexCodes;

    // Sex code of a searching chart; a text no candidate carries gets a code of its own.
    std::uint32_t sexCodeOf(const std::string& sex) const;
};

class CandidateCatalog;

// `direction` decides which side is post-mortem for the contradiction masks.
void packCandidates(PackedCandidates& pack, const std::vector<DentalRecord>& candidates,
                    int direction, CandidateCatalog& catalog);

ChartMasks chartMasks(const DentalRecord& record);

} // namespace qdx
