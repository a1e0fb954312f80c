#pragma once

#include "matching/PairResult.h"
#include "views/search/FullSearchPrintLayout.h"

#include <string>
#include <vector>

namespace qdx {

class SearchEntry;
class SearchRun;

// One row of the full search table: a searching chart and its visible candidates.
struct FullSearchRow {
    const SearchEntry* entry = nullptr;
    std::string mark;
    std::string displayId;
    int priority = 0;
    std::vector<PairResult> candidates;
};

// The rows in the run's entry order, leaving out searching charts hidden by hideExcluded.
// n = 0 (no display-count items) gives rows without candidates.
std::vector<FullSearchRow> buildFullSearchRows(const SearchRun& run, int rankKey, int n,
                                               int hideExcluded);

// The table's columns: three fixed, the priority, and seven per candidate.
constexpr int kFullSearchFixedColumns = 4;
constexpr int kColumnsPerCandidate = 7;
int fullSearchColumnCount(int n);
// The text of a cell; `priorityShown` is false when the display-count list has no items.
std::string fullSearchCellText(const FullSearchRow& row, int column, bool priorityShown);
std::string fullSearchHeaderText(int column);
int fullSearchInitialWidth(int column);

// The window offers saving and printing once it lists rows and its display-count list has
// items (n > 0).
bool fullSearchHasResults(const std::vector<FullSearchRow>& rows, int n);

// The table as tab-separated lines for a terminal: a heading line ("ID" over the searching
// charts), then per row the cells from the mark on, up to its last candidate.
std::vector<std::string> fullSearchTextLines(const std::vector<FullSearchRow>& rows, int n);

// Writes "総検索結果.csv" for the rows in their current order; throws SearchResultFileError.
void writeFullSearchCsv(const std::string& path, const std::vector<FullSearchRow>& rows, int n);

// The printout of the rows in their current order.
FullSearchPrintJob fullSearchPrintJob(const std::vector<FullSearchRow>& rows, int direction,
                                      int rankKey, int n, int hideExcluded);

} // namespace qdx
