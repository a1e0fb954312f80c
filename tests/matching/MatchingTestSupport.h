#pragma once

#include "matching/Ranking.h"
#include "matching/SearchRun.h"

#include <string>
#include <vector>

namespace qdx::test {

// A record with a key, a uniform class chart and optional changes at single positions.
inline DentalRecord chart(const std::string& id, char tooth = '1', const std::string& sex = "0") {
    DentalRecord r;
    r.Dental_ID = id;
    r.displayId = "T-" + id;
    r.sex = sex;
    r.MATCH_KIND = MatchKind();
    r.classChart = std::string(32, tooth);
    return r;
}

// Scores every entry and ranks it; the candidate lists must outlive the run.
inline SearchRun search(const std::vector<DentalRecord>& searching,
                        const std::vector<DentalRecord>& candidates, const WeightMatrix& matrix,
                        int direction, std::uint16_t factor = 2, PairOutcomeMap outcomes = {}) {
    SearchRun run;
    run.pairOutcomes() = std::move(outcomes);
    run.buildEntries(searching);
    run.scoreAll(candidates, matrix, direction);
    for (SearchEntry& entry : run.entries())
        rankEntry(entry, factor);
    return run;
}

// The result for one candidate, taken from the entry's full list.
inline PairResult resultFor(const SearchEntry& entry, const DentalRecord& candidate) {
    for (const PairResult& r : visibleCandidates(entry, 0, kMaxDisplayCount, 0))
        if (r.candidate == &candidate)
            return r;
    return {};
}

inline std::vector<const DentalRecord*> candidatesOf(const std::vector<PairResult>& results) {
    std::vector<const DentalRecord*> out;
    for (const PairResult& r : results)
        out.push_back(r.candidate);
    return out;
}

} // namespace qdx::test
