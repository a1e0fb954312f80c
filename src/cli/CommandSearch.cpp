#include "cli/CommandSearch.h"

#include "cli/CommandGroup.h"
#include "cli/Interrupt.h"
#include "cli/Progress.h"
#include "matching/PairResult.h"
#include "matching/Ranking.h"
#include "matching/SearchRequest.h"
#include "store/SearchSettings.h"
#include "views/search/DisplayCount.h"

#include <algorithm>

namespace qdx::cli {

int displayCountFor(std::optional<int> top, int storedIndex, int candidates) {
    const DisplayCountChoice choice = displayCountChoice(candidates, storedIndex);
    if (choice.items == 0)
        return 0;
    return top ? std::clamp(*top, 1, choice.items) : choice.displayCount();
}

void CommandSearch::loadLists(ProjectModel& model, const SearchChoices& choices) {
    const SearchConditions& stored = model.settings().conditions;
    m_conditions.direction = choices.direction.value_or(stored.searchDirection) == 1 ? 1 : 0;
    const int rankKey = choices.rankKey.value_or(stored.rankKey);
    m_conditions.rankKey = rankKey >= 0 && rankKey < kRankKeyCount ? rankKey : 0;
    m_conditions.hideExcluded = choices.hideExcluded.value_or(stored.hideExcluded) == 1 ? 1 : 0;

    const int searchingSide = m_conditions.direction == 0 ? AnteMortem : PostMortem;
    Progress loading("loading records");
    loading.update(0, 2);
    const std::vector<DentalRecord>& searching = model.reloadRecords(searchingSide);
    loading.update(1, 2);
    const std::vector<DentalRecord>& candidates = model.reloadRecords(1 - searchingSide);
    loading.update(2, 2);
    loading.finish();
    // The windows open only when both lists have rows.
    if (searching.empty() || candidates.empty())
        throw CommandError("a search needs records on both sides");
    m_conditions.candidateCount = searchCandidateCount(candidates, m_conditions.hideExcluded);
    m_conditions.displayCount =
        displayCountFor(choices.top, stored.topNIndex, m_conditions.candidateCount);
}

CommandSearch::CommandSearch(ProjectModel& model, const SearchChoices& choices) {
    loadLists(model, choices);
    installInterruptHandler();
    Progress progress("searching");
    SearchControl control;
    control.progress = [&progress](std::size_t done, std::size_t total) {
        progress.update(done, total);
        return !interruptRequested();
    };
    control.cancel = &interruptFlag();
    // The command writes one list of every entry and its priority, which needs two candidates.
    const CandidateFilter filter =
        m_conditions.hideExcluded == 1 ? CandidateFilter::Open : CandidateFilter::All;
    m_run.keepLists(
        KeptLists::only({m_conditions.rankKey, filter},
                        static_cast<std::size_t>(std::max(m_conditions.displayCount, 2))));
    if (!runSearch(model, m_conditions.direction, m_run, control) || interruptRequested())
        throw CommandError("search interrupted; nothing was written");
    progress.finish();
}

CommandSearch::CommandSearch(ProjectModel& model, const SearchChoices& choices,
                             const std::string& target) {
    loadLists(model, choices);
    const int direction = m_conditions.direction;
    const DentalRecord* record =
        findSearchable(model.records(direction == 0 ? AnteMortem : PostMortem), target);
    if (!record || isSearchRowHidden(*record, m_conditions.hideExcluded))
        throw CommandError("not a searching chart of this search: " + target);
    runEntrySearch(model, direction, *record, m_run);
}

} // namespace qdx::cli
