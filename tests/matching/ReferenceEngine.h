#pragma once

#include "matching/PairResult.h"
#include "store/PairOutcomeMap.h"

#include <array>
#include <cstdint>
#include <vector>

// The plain engine: every rule applied literally, every pair kept, views fully sorted. The
// production engine must give the same observable results.
namespace qdx::reference {

using Matrix = std::array<double, 36>;

struct Entry {
    const DentalRecord* record = nullptr;
    std::vector<PairResult> results;
    std::array<std::vector<const PairResult*>, 4> views;
    std::array<std::int32_t, 4> matchPriority{};
    std::array<std::int32_t, 4> openMatchPriority{};
};

struct Run {
    PairOutcomeMap pairOutcomes;
    std::vector<Entry> entries;
};

void buildEntries(Run& run, const std::vector<DentalRecord>& searching, bool append = false);
void scoreAll(Run& run, const std::vector<DentalRecord>& candidates, const Matrix& matrix,
              int direction);
void rankEntry(Entry& entry, std::uint16_t factor);
void scoreBridges(Run& run, const std::vector<DentalRecord>& candidates, int direction);
void rankBridgeEntry(Entry& entry);

std::vector<const PairResult*> visibleCandidates(const Entry& entry, int rankKey, int n,
                                                 int hideExcluded);
std::vector<const PairResult*> greyCandidates(const Entry& entry, int rankKey, int n,
                                              int hideExcluded);
std::int32_t displayedPriority(const Entry& entry, int rankKey, int hideExcluded);

} // namespace qdx::reference
