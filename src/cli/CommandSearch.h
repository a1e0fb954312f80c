#pragma once

#include "matching/SearchRun.h"
#include "store/ProjectModel.h"

#include <optional>

namespace qdx::cli {

// Search choices given on the command line; the ones left out come from the project's stored
// search conditions.
struct SearchChoices {
    std::optional<int> direction;
    std::optional<int> rankKey;
    std::optional<int> top;
    std::optional<int> hideExcluded;
};

// The conditions a search window would end up with.
struct ResolvedConditions {
    int direction = 0;
    int rankKey = 0;
    int hideExcluded = 0;
    int candidateCount = 0; // c: the candidates the display-count list is built from
    int displayCount = 0;   // N; 0 when c is 0 (the list is empty)
};

// N from an explicit --top (clamped to 1 .. min(c, 50)) or, without it, from the stored
// display-count index by the windows' rule. 0 when c is 0.
int displayCountFor(std::optional<int> top, int storedIndex, int candidates);

// The full search of a window, run for a command: both record lists loaded and the search of
// the windows run on them. Shows progress on a terminal and stops on Ctrl-C (CommandError).
class CommandSearch {
public:
    CommandSearch(ProjectModel& model, const SearchChoices& choices);
    // The individual window's search of one chart: its entry alone, equal to the full
    // search's. The target must be in the window's target list: a searching chart, and not an
    // identified one while hiding (CommandError otherwise).
    CommandSearch(ProjectModel& model, const SearchChoices& choices, const std::string& target);

    const ResolvedConditions& conditions() const { return m_conditions; }
    const SearchRun& run() const { return m_run; }
    // The target's entry (one-chart search only).
    const SearchEntry& targetEntry() const { return m_run.entries().front(); }

private:
    void loadLists(ProjectModel& model, const SearchChoices& choices);

    SearchRun m_run;
    ResolvedConditions m_conditions;
};

} // namespace qdx::cli
