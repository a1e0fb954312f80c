#pragma once

#include "model/Wording.h"

#include "model/DentalRecord.h"
#include "model/ToothChart.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qdx {

class SearchEntry;
class SearchRun;

// One row of the individual search list. A row copies what it shows, so the list stays
// readable while the run it came from is replaced.
struct IndividualRow {
    enum class Kind { Searching, Candidate, Grey };
    Kind kind = Kind::Searching;
    std::string mark;
    std::string displayId;
    std::string dentalId; // Dental_ID of the row's record
    std::int32_t searchCount = 0;
    std::int32_t exactMatchCount = 0;
    std::int32_t fullRestorationMissingMatchCount = 0;
    std::int32_t noContradictionMatchCount = 0;
    double score = 0.0;
    // Comparison class 1..6 of the row's own chart, per position.
    std::array<int, kToothCount> classes{};
    // Candidate rows: the tooth agrees with the searching chart's (framed by "#").
    std::array<bool, kToothCount> agrees{};
    // The tooth cells as listed: " 3" / "d3" on the first row, "3", "d3", "#3#", "#d3#" below.
    std::array<std::string, kToothCount> teeth;

    bool isSearching() const { return kind == Kind::Searching; }
};

// The list for a target: the searching chart, the first n candidates of the criterion's
// ranking (without those with a recorded outcome when hideExcluded is 1) and, when hiding
// leaves fewer than n, the candidates under examination or marked as another person as grey
// rows.
std::vector<IndividualRow> buildIndividualRows(const SearchEntry& entry, int rankKey, int n,
                                               int hideExcluded);

// The target list: the searching charts of the run in run order, without those already
// identified when hiding.
std::vector<std::string> individualTargets(const SearchRun& run, int hideExcluded);
// The same list from the searching side's records, without searching: the charts that get an
// entry, in list order.
std::vector<std::string> individualTargets(const std::vector<DentalRecord>& searching,
                                           int hideExcluded);

// Columns: two hidden (ID, "-1" on the first row), mark, ID, four counts, score, 32 teeth.
constexpr int kIndividualFixedColumns = 9;
constexpr int kIndividualColumnCount = kIndividualFixedColumns + kToothCount;
constexpr int kIndividualIdColumn = 3;
std::string individualCellText(const IndividualRow& row, int column);
std::string individualHeaderText(int column, const Wording& wording = {});
// The list as a terminal shows it: the visible columns' headings, then every row (the grey
// rows too), tab-separated.
std::vector<std::string> individualListLines(const std::vector<IndividualRow>& rows);
int individualInitialWidth(int column);
// Counts and score are right-aligned, everything else centred.
bool isIndividualColumnRightAligned(int column);

// Picture kinds of the chart drawing for a row: the searching chart's teeth in the kind of
// their class (class - 1); a candidate's agreeing teeth likewise, every other tooth as a
// mismatch.
constexpr int kMismatchPictureKind = 7;
std::array<int, kToothCount> individualPictureKinds(const IndividualRow& row);

// The tooltip of the tooth at `position` (-1: none) while `shown` is pictured: empty for the
// searching chart, for no tooth and for an agreeing tooth; otherwise "不一致　", the searching
// chart's cell, ":" and the candidate's cell.
std::string individualToothTooltip(const IndividualRow& searching, const IndividualRow& shown,
                                   int position, const Wording& wording = {});

// "一致箇所の表示", two line breaks, the searching chart's ID, " ×" on its own line and the
// pictured row's ID after a blank.
std::string individualChartCaption(const std::string& searchingId, const std::string& shownId,
                                   const Wording& wording = {});

// The proposed name of the saved file, "個別検索結果_%s.csv", without the characters a file
// name cannot hold; `removed` tells the window to warn.
struct ProposedFileName {
    std::string name;
    bool removed = false;
};
ProposedFileName individualCsvFileName(const std::string& targetId);
inline constexpr const char* kInvalidFileNameMessage =
    "ファイル名に使用できない文字がIDに含まれています。IDからファイル名に使用できない文字を削除し"
    "ています。";

// The lines of "個別検索結果_%s.csv": the header, the searching chart and the visible
// candidates (the grey rows are not written).
std::vector<std::string> individualSearchCsvLines(const SearchEntry& entry, int rankKey, int n,
                                                  int hideExcluded);
// Writes those lines in CP932 with CR LF; throws SearchResultFileError.
void writeIndividualSearchCsv(const std::string& path, const std::vector<std::string>& lines);

} // namespace qdx
