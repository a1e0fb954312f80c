#include "views/history/MatchHistoryList.h"

#include "model/ToothChart.h"
#include "views/search/SortRules.h"

namespace qdx {

std::vector<HistoryListRow> historyListRows(const MatchHistoryEditor& editor, const SortRules& sort,
                                            const Wording& wording) {
    std::vector<HistoryListRow> rows;
    for (std::size_t index : editor.listedEntries()) {
        const MatchRow& entry = editor.entries()[index];
        HistoryListRow row;
        row.entry = index;
        row.cells = {"",
                     historyKindText(entry.KIND, wording),
                     entry.Match_ID,
                     entry.ID,
                     entry.ID_AFTER,
                     entry.ID_BEFOR,
                     entry.KIND.storedText()};
        rows.push_back(std::move(row));
    }
    sort.sort(rows, [](const HistoryListRow& row, int column) -> const std::string& {
        return row.cells[static_cast<std::size_t>(column)];
    });
    return rows;
}

std::string historyHeaderText(int column, int side) {
    if (column == 1)
        return "照合種別";
    if (column == 2)
        return side == PostMortem ? "生前ID" : "死後ID";
    return "";
}

int historyRowOfEntry(const std::vector<HistoryListRow>& rows, std::size_t entry) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].entry == entry)
            return static_cast<int>(i);
    }
    return -1;
}

std::string historySideLabel(int side) {
    return side == PostMortem ? "死後ID：" : "生前ID：";
}

std::string historyListing(const MatchHistoryEditor& editor) {
    std::string text;
    for (std::size_t index : editor.listedEntries()) {
        const MatchRow& entry = editor.entries()[index];
        text += historyKindText(entry.KIND) + "\t" + entry.Match_ID + "\n";
    }
    text += std::string("判明済み\t") + (editor.identified() ? "on" : "off") + "\n";
    return text;
}

} // namespace qdx
