#pragma once

#include "model/Wording.h"

#include "store/SearchSettings.h"
#include "views/bridge/BridgeRows.h"
#include "views/search/DisplayCount.h"
#include "views/search/IndividualSearchPrintLayout.h"

#include <string>
#include <string_view>

namespace qdx {

class SearchEntry;

// "死後", "生前", "両方": the candidate sides of the bridge window (0, 1, 2).
std::string_view bridgeSideLabel(int side);
// "ブリッジ一致数" (view 0) or "ブリッジ不一致数" (view 1).
std::string_view bridgeRankLabel(int rankView);

// The search direction a side stands for where only two exist: the printout's heading and the
// main window's kept direction. Side 0 searches from the ante-mortem charts (0 "生前→死後");
// sides 1 and 2 are kept as 1 "死後→生前", the direction side 2's printout names. The window
// opens on side 0 whatever is kept, so nothing depends on telling 1 and 2 apart there.
int bridgeDirection(int side);
// The window's choices as the main window keeps them: the side's direction, the display-count
// index, the ranking (0 or 1) in the place of the rank key, and hiding.
SearchConditions bridgeConditions(int side, int topNIndex, int rankView, int hideExcluded);

// Columns: two hidden (ID, "-1" on the first row), mark, ID, the three bridge counts, 32 teeth.
constexpr int kBridgeFixedColumns = 7;
constexpr int kBridgeColumnCount = kBridgeFixedColumns + kToothCount;
constexpr int kBridgeIdColumn = 3;
std::string bridgeCellText(const BridgeRow& row, int column);
// "ブリッジ数", "ブリッジ一致数", "ブリッジ不一致数" and the tooth headings; the others empty.
std::string bridgeHeaderText(int column, const Wording& wording = {});
// The display-count list after a listing of `listedRows` rows, the searching chart's first: one
// item per row below it (the window lists at most 50 candidates). The item of `keptIndex`
// stays chosen where the list still has it (another target, hiding toggled); otherwise, and
// after a fresh search, the last one.
DisplayCountChoice bridgeDisplayCountChoice(int listedRows, int keptIndex = -1);
int bridgeInitialWidth(int column);
// The tooth cells where both charts bridge the tooth (they begin with "*").
bool isBridgeCellHighlighted(const BridgeRow& row, int column);

// The searching chart's ID, " : " and the selected row's.
std::string bridgeChartCaption(const std::string& searchingId, const std::string& shownId);

// What "印刷" prints: the individual search's printout of the listed entry, its counts columns
// holding the bridge counts, under the side's direction and the ranking's name.
IndividualSearchPrintJob bridgeSearchPrintJob(const SearchEntry* entry, int side, int rankView,
                                              int n, int hideExcluded, long long unixTime);

// The message of a pattern search that lists no candidate.
inline constexpr const char* kBridgeNothingFoundMessage = "該当データがありませんでした。";

} // namespace qdx
