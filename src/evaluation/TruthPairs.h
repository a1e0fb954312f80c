#pragma once

#include "model/DentalRecord.h"
#include "store/MatchRow.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace qdx {

// A post-mortem and an ante-mortem chart known to be the same person, by their displayIds.
struct TruthPair {
    std::string pmId;
    std::string amId;

    bool operator==(const TruthPair&) const = default;
};

class TruthFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a CSV file of true pairs (CP932, the header "死後ID,生前ID" and one "pm,am" line per
// pair, as `qdx demo --truth` writes it). A line without exactly two non-empty fields is an
// error naming its line number.
std::vector<TruthPair> readTruthFile(const std::string& path);

// The pairs the project itself holds as the same person: complete match rows that name a
// partner (kinds 1 and 2) whose two records both exist, once per pair, in row order.
std::vector<TruthPair> confirmedPairs(const std::vector<DentalRecord>& pmRecords,
                                      const std::vector<DentalRecord>& amRecords,
                                      const std::vector<MatchRow>& resolvedRows);

// The pairs whose two charts are both in the lists; `dropped` gets how many were not.
std::vector<TruthPair> pairsInProject(const std::vector<TruthPair>& pairs,
                                      const std::vector<DentalRecord>& pmRecords,
                                      const std::vector<DentalRecord>& amRecords,
                                      std::size_t& dropped);

} // namespace qdx
