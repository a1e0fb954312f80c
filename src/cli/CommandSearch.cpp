#include "cli/CommandSearch.h"

#include "cli/CommandGroup.h"
#include "cli/Interrupt.h"
#include "cli/Progress.h"
#include "matching/Ranking.h"
#include "store/SearchSettings.h"

#include <algorithm>
#include <cstdint>

namespace qdx::cli {

int candidateCount(const std::vector<DentalRecord>& candidates, int hideExcluded) {
    if (hideExcluded != 1)
        return static_cast<int>(candidates.size());
    return static_cast<int>(
        std::count_if(candidates.begin(), candidates.end(), [](const DentalRecord& record) {
            return !isIdentifiedKind(record.MATCH_KIND);
        }));
}

int displayCountFor(std::optional<int> top, int storedIndex, int candidates) {
    const int items = std::min(candidates, kMaxDisplayCount);
    if (items <= 0)
        return 0;
    if (top)
        return std::clamp(*top, 1, items);
    int index = storedIndex;
    if (index < 0 || index >= candidates)
        index = candidates >= 3 ? 2 : candidates - 1;
    return std::min(index, items - 1) + 1;
}

CommandSearch::CommandSearch(ProjectModel& model, const SearchChoices& choices) {
    const SearchSettings& settings = model.settings();
    const SearchConditions& stored = settings.conditions;
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
    m_conditions.candidateCount = candidateCount(candidates, m_conditions.hideExcluded);
    m_conditions.displayCount =
        displayCountFor(choices.top, stored.topNIndex, m_conditions.candidateCount);

    installInterruptHandler();
    m_run.pairOutcomes() = model.loadPairOutcomes();
    m_run.buildEntries(searching);
    Progress progress("searching");
    SearchControl control;
    control.progress = [&progress](std::size_t done, std::size_t total) {
        progress.update(done, total);
        return !interruptRequested();
    };
    control.cancel = &interruptFlag();
    if (!m_run.scoreAll(candidates, settings.scores6(m_conditions.direction),
                        m_conditions.direction, control) ||
        interruptRequested())
        throw CommandError("search interrupted; nothing was written");
    progress.finish();
    const auto factor = static_cast<std::uint16_t>(settings.factor);
    for (SearchEntry& entry : m_run.entries())
        rankEntry(entry, factor);
}

} // namespace qdx::cli
