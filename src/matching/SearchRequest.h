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
// The entry runSearch gives one searching chart, alone: `target` (a record of the model's
// searching list of the direction, which must outlive the run) scored against every
// candidate and ranked, bit for bit as in the full run. The run holds that entry only, or none
// when the chart is not searchable. What a window lists for one chart needs no more.
void runEntrySearch(const ProjectModel& model, int direction, const DentalRecord& target,
                    SearchRun& run);
// The search of runSearch on copies of the two lists that the run keeps, so that the run and
// everything listed from it stay valid while the model reloads its lists (the windows' runs:
// a change of outcomes reloads the main window's lists while a search window is open).
bool runSearchOnCopies(const ProjectModel& model, int direction, SearchRun& run,
                       const SearchControl& control = {});

// The two record lists a bridge search reads.
struct BridgeLists {
    const std::vector<DentalRecord>* postMortem = nullptr;
    const std::vector<DentalRecord>* anteMortem = nullptr;
    // The side (0 post-mortem, 1 ante-mortem) whose list holds this very record; -1 for a
    // record of neither list (a drawn pattern).
    int sideOf(const DentalRecord* record) const;
};
// The lists last loaded into the model (valid until the model reloads them).
BridgeLists modelBridgeLists(const ProjectModel& model);
// Copies of the model's lists kept by `run`, which is cleared first: they and everything
// searched from them stay valid while the model reloads its lists (the bridge window's run).
BridgeLists keepBridgeLists(const ProjectModel& model, SearchRun& run);

// The bridge search of a candidate side over `lists`: 0 post-mortem candidates for the
// ante-mortem charts, 1 the reverse, 2 both sides (ante-mortem then post-mortem charts;
// post-mortem candidates first). Returns false when cancelled; the run is then empty.
bool runBridgeSearch(const ProjectModel& model, const BridgeLists& lists, int candidateSide,
                     SearchRun& run, const SearchControl& control = {});
// The end of every bridge search: a cancelled search leaves no entry (false), a completed one
// ranks every entry (true).
bool finishBridgeRun(SearchRun& run, bool completed);
// The entry of runBridgeSearch for one searching chart alone, scored and ranked exactly as the
// full run scores it: `target` is a record of `lists` (an entry of it when its `valid` is not
// 0; the run is left without entries otherwise). The run refers to the target and the lists,
// which must outlive it. Returns false when cancelled; the run is then empty.
bool runBridgeEntrySearch(const ProjectModel& model, const BridgeLists& lists, int candidateSide,
                          const DentalRecord& target, SearchRun& run,
                          const SearchControl& control = {});

} // namespace qdx
