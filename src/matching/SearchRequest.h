#pragma once

#include "matching/SearchRun.h"
#include "store/SearchSettings.h"

#include <vector>

namespace qdx {

class ProjectModel;

// The search every search window and the command-line tool run: the project's complete match
// rows indexed by pair, the searching and candidate lists of the direction (the lists last
// loaded into the model with reloadRecords), the six-class matrix of the direction, every
// searchable chart scored against every candidate and ranked with the project's FACTOR.
// Returns false when cancelled; the run is then empty.
bool runSearch(const ProjectModel& model, int direction, SearchRun& run,
               const SearchControl& control = {});
// The same search over the given searching charts (which must outlive the run) with weights of
// the caller's, for measuring how other weights would rank.
bool runSearchWith(const ProjectModel& model, int direction,
                   const std::vector<DentalRecord>& searching, const Scores6& weights,
                   SearchRun& run, const SearchControl& control = {});
// The search of runSearch on copies of the two lists that the run keeps, so that the run and
// everything listed from it stay valid while the model reloads its lists (the windows' runs:
// a change of outcomes reloads the main window's lists while a search window is open).
bool runSearchOnCopies(const ProjectModel& model, int direction, SearchRun& run,
                       const SearchControl& control = {});

// The bridge search of a candidate side: 0 post-mortem candidates for the ante-mortem charts,
// 1 the reverse, 2 both sides (ante-mortem then post-mortem charts; post-mortem candidates
// first).
bool runBridgeSearch(const ProjectModel& model, int candidateSide, SearchRun& run,
                     const SearchControl& control = {});

} // namespace qdx
