#pragma once

#include "matching/PairResult.h"
#include "model/DentalRecord.h"
#include "ui/search/FullSearchPrintLayout.h"

#include <string>
#include <vector>

namespace qdx {

class SearchEntry;
class SearchRun;

// The display-count list of a search window: how many "TOP %d を表示" items it offers for c
// candidates and which one a carried-over index selects (-1: the list is empty).
struct DisplayCountChoice {
    int items = 0;
    int selected = -1;
};
DisplayCountChoice displayCountChoice(int candidates, int carriedIndex);

// c: the candidate side's records, or only those not identified when hiding the excluded.
int displayCandidateCount(const std::vector<DentalRecord>& candidateSide, int hideExcluded);

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

// Writes "総検索結果.csv" for the rows in their current order; throws SearchResultFileError.
void writeFullSearchCsv(const std::string& path, const std::vector<FullSearchRow>& rows, int n);

// The printout of the rows in their current order.
FullSearchPrintJob fullSearchPrintJob(const std::vector<FullSearchRow>& rows, int direction,
                                      int rankKey, int n, int hideExcluded);

// "完全一致数", "全修復・欠損一致数", "矛盾なし一致数", "スコア".
const char* rankKeyName(int rankKey);
const char* directionName(int direction);

} // namespace qdx
