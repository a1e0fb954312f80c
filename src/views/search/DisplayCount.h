#pragma once

#include "model/Wording.h"

#include "model/DentalRecord.h"

#include <string>
#include <vector>

namespace qdx {

// The display-count list of the main window and the search windows: "TOP %d を表示" for
// 1 .. min(c, 50), c being the candidates. An index carried over stays when 0 <= d < c,
// otherwise TOP 3 is taken (the last item with fewer than three candidates); an index beyond
// the fifty items is brought onto the last one.
struct DisplayCountChoice {
    int items = 0;
    int selected = -1; // -1: the list is empty
    // N, the candidates shown per row; 0 for an empty list.
    int displayCount() const { return selected + 1; }
};
DisplayCountChoice displayCountChoice(int candidates, int carriedIndex);

// "TOP %d を表示" of the item with this index.
std::string displayCountCaption(int index, const Wording& wording = {});

// c of the search windows: the candidate side's records, or only those not identified when
// hiding the excluded.
int searchCandidateCount(const std::vector<DentalRecord>& candidateSide, int hideExcluded);

// The main window keeps per list its rows and its searchable records: not identified and with
// a record state of at most 2.
bool countsAsSearchable(const DentalRecord& record);
struct ListCounts {
    int rows = 0;
    int searchable = 0;
};
// c of the main window: the candidate side of the direction (post-mortem for 0), its
// searchable count instead of its rows when hiding the excluded.
int listCandidateCount(int direction, bool hideExcluded, ListCounts postMortem,
                       ListCounts anteMortem);

} // namespace qdx
