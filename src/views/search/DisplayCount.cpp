#include "views/search/DisplayCount.h"

#include "matching/PairResult.h"

#include <algorithm>
#include <cstdlib>

namespace qdx {

DisplayCountChoice displayCountChoice(int candidates, int carriedIndex) {
    DisplayCountChoice choice;
    if (candidates <= 0)
        return choice;
    choice.items = std::min(candidates, kMaxDisplayCount);
    if (carriedIndex >= 0 && carriedIndex < candidates)
        choice.selected = carriedIndex;
    else
        choice.selected = candidates >= 3 ? 2 : candidates - 1;
    choice.selected = std::min(choice.selected, choice.items - 1);
    return choice;
}

std::string displayCountCaption(int index, const Wording& wording) {
    return fillText(worded(wording, "TOP %1 を表示"), {std::to_string(index + 1)});
}

int searchCandidateCount(const std::vector<DentalRecord>& candidateSide, int hideExcluded) {
    if (hideExcluded != 1)
        return static_cast<int>(candidateSide.size());
    return static_cast<int>(
        std::count_if(candidateSide.begin(), candidateSide.end(),
                      [](const DentalRecord& r) { return !r.MATCH_KIND.isIdentified(); }));
}

bool countsAsSearchable(const DentalRecord& record) {
    return !record.MATCH_KIND.isIdentified() && std::atoi(record.valid.c_str()) <= 2;
}

int listCandidateCount(int direction, bool hideExcluded, ListCounts postMortem,
                       ListCounts anteMortem) {
    const ListCounts& side = direction == 0 ? postMortem : anteMortem;
    return hideExcluded ? side.searchable : side.rows;
}

} // namespace qdx
