#pragma once

#include "matching/CandidateCatalog.h"
#include "store/PairOutcomeMap.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace qdx {

// The recorded outcomes of a run resolved once to (entry, candidate) pairs, so that scoring
// never builds a text key per pair. For each entry: (candidate index, outcome code) sorted by
// candidate index.
using EntryOutcomes = std::vector<std::pair<std::uint32_t, std::uint16_t>>;

std::vector<EntryOutcomes> resolvePairOutcomes(const PairOutcomeMap& map,
                                               const std::vector<const DentalRecord*>& searching,
                                               const std::vector<DentalRecord>& candidates,
                                               int direction, CandidateCatalog& catalog);

} // namespace qdx
