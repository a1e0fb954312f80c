#pragma once

#include "matching/SearchEntry.h"

#include <cstdint>
#include <vector>

namespace qdx {

// Computes the match priorities of every ranking criterion: how far the best candidate leads
// the runner-up, less the compared teeth of the best that are not exact matches; once over
// all candidates and once over those without a recorded outcome.
void rankEntry(SearchEntry& entry, std::uint16_t factor);
// The bridge search has no priorities.
void rankBridgeEntry(SearchEntry& entry);

// The candidates a window lists for an entry, best first: the first n of the criterion's
// ranking, leaving out candidates with a recorded outcome when hideExcluded is 1. At most 50.
std::vector<PairResult> visibleCandidates(const SearchEntry& entry, int rankKey, int n,
                                          int hideExcluded);
// The grey rows the individual search adds below the visible candidates when hiding leaves
// fewer than n: candidates under examination or marked as another person, best first.
std::vector<PairResult> greyCandidates(const SearchEntry& entry, int rankKey, int n,
                                       int hideExcluded);

std::int32_t displayedPriority(const SearchEntry& entry, int rankKey, int hideExcluded);
// With hiding, a searching chart already identified gets no row.
bool isSearchRowHidden(const DentalRecord& searching, int hideExcluded);

} // namespace qdx
