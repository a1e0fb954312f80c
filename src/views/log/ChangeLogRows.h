#pragma once

#include "model/Wording.h"
#include "store/JournalTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

class ProjectModel;

// The columns of the change-history window, its CSV file and its printout.
enum class LogColumn { Time, Examiner, Login, Kind, Side, Id, Check, Origin, Change };
inline constexpr int kLogColumnCount = 9;
std::string_view logColumnHeading(LogColumn column);

// What the window lists: every condition left out takes all.
struct LogFilter {
    std::optional<int> side; // with dentalId: one record's rows
    long long dentalId = 0;
    std::string examiner;       // JournalRow::who()
    std::string kind;           // a KIND of the history
    bool uncheckedOnly = false; // rows of records whose chart is not yet checked
};

// One listed row: the stored row and the texts its cells show.
struct ChangeLogRow {
    JournalRow row;
    std::string check; // "確認済み", "未確認" or empty (ChartCheck.h)
};

// The kinds in the order the window offers them, and the label of each ("登録", "修正", ...);
// a kind the program does not know is shown as stored.
const std::vector<std::string>& journalKinds();
std::string kindLabel(const std::string& kind);
// The record's side as listed: "死後", "生前", or empty for a change of the project.
std::string sideText(const JournalRow& row);
// The change as one text: the teeth, then the rest, joined by " / ".
std::string changeText(const JournalRow& row);

// The filter as the printout's heading states it: "死後 T01-00001 / 担当者 佐藤 / 修正 /
// 未確認のみ", "すべて" without conditions. `idText` is the record's ID as chosen; `wording`
// words the labels, not the ID or the examiner's name.
std::string logFilterText(const LogFilter& filter, const std::string& idText,
                          const Wording& wording = {});

// The rows the filter lets through, newest first.
std::vector<ChangeLogRow> loadChangeLog(const ProjectModel& model, const LogFilter& filter);
// A cell's text. `wording` words the program's labels (kind, side, check); what the project
// stores (times, names, IDs, the change) is shown as written.
std::string logCell(const ChangeLogRow& row, LogColumn column, const Wording& wording = {});
// Sorts by the column's text as `wording` shows it (the time in written order when the texts
// are equal), as a click on the window's column heading does.
void sortChangeLog(std::vector<ChangeLogRow>& rows, LogColumn column, bool ascending,
                   const Wording& wording = {});

// The lines of "変更履歴.csv" (heading, then one line per row) as UTF-8 without line ends; the
// file is written as CP932 like the other result files.
std::vector<std::string> changeLogCsvLines(const std::vector<ChangeLogRow>& rows);
// Throws SearchResultFileError when the file cannot be written.
void writeChangeLogCsv(const std::string& path, const std::vector<ChangeLogRow>& rows);
inline constexpr std::string_view kChangeLogFileName = "変更履歴.csv";

} // namespace qdx
