#pragma once

#include "views/history/MatchHistoryEditor.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace qdx {

class SortRules;

// The history list: column 0 empty, 1 the kind text, 2 the partner's ID, 3..6 (hidden) ID,
// ID_AFTER, ID_BEFOR and KIND of the entry.
inline constexpr int kHistoryColumns = 7;
inline constexpr int kHistoryKindMinWidth = 180;
inline constexpr int kHistoryPartnerMinWidth = 270;

struct HistoryListRow {
    std::size_t entry = 0; // index into the editor's entries
    std::array<std::string, kHistoryColumns> cells;
};

// The listed entries in list order, sorted by the list's sort column when one was clicked.
std::vector<HistoryListRow> historyListRows(const MatchHistoryEditor& editor, const SortRules& sort,
                                            const Wording& wording = {});
// "照合種別"; "生前ID" over a post-mortem record's partners, "死後ID" over an ante-mortem one's.
std::string historyHeaderText(int column, int side);
// The row showing the entry, or -1.
int historyRowOfEntry(const std::vector<HistoryListRow>& rows, std::size_t entry);

// The record's line above the controls: "死後ID：" or "生前ID：".
std::string historySideLabel(int side);

// What `qdx history` prints: one "kind text<TAB>partner" line per listed row in list order,
// then "判明済み<TAB>on|off". Every line ends with "\n".
std::string historyListing(const MatchHistoryEditor& editor);

} // namespace qdx
