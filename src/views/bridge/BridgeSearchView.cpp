#include "views/bridge/BridgeSearchView.h"

#include <algorithm>
#include <array>

namespace qdx {

namespace {

constexpr std::array<int, kBridgeFixedColumns> kFixedWidths = {0, 0, 20, 60, 83, 100, 115};
constexpr int kToothWidth = 50;

} // namespace

std::string_view bridgeSideLabel(int side) {
    static constexpr std::array<std::string_view, 3> labels = {"死後", "生前", "両方"};
    return side >= 0 && side < 3 ? labels[static_cast<std::size_t>(side)] : std::string_view();
}

std::string_view bridgeRankLabel(int rankView) {
    return rankView == 1 ? "ブリッジ不一致数" : "ブリッジ一致数";
}

int bridgeDirection(int side) {
    return side == 0 ? 0 : 1;
}

SearchConditions bridgeConditions(int side, int topNIndex, int rankView, int hideExcluded) {
    SearchConditions c;
    c.searchDirection = bridgeDirection(side);
    c.topNIndex = topNIndex;
    c.rankKey = rankView;
    c.hideExcluded = hideExcluded;
    return c;
}

std::string bridgeCellText(const BridgeRow& row, int column) {
    if (column >= kBridgeFixedColumns && column < kBridgeColumnCount)
        return row.teeth[static_cast<std::size_t>(column - kBridgeFixedColumns)];
    switch (column) {
    case 0:
    case kBridgeIdColumn:
        return row.displayId;
    case 1:
        return row.first ? "-1" : "";
    case 2:
        return row.mark;
    case 4:
    case 5:
    case 6:
        return row.counts[static_cast<std::size_t>(column - 4)];
    default:
        return {};
    }
}

std::string bridgeHeaderText(int column, const Wording& wording) {
    static constexpr std::array<const char*, 3> counts = {"ブリッジ数", "ブリッジ一致数",
                                                          "ブリッジ不一致数"};
    if (column >= kBridgeFixedColumns && column < kBridgeColumnCount)
        return toothHeading(column - kBridgeFixedColumns, wording);
    if (column >= 4 && column <= 6)
        return worded(wording, counts[static_cast<std::size_t>(column - 4)]);
    return {};
}

int bridgeInitialWidth(int column) {
    if (column >= 0 && column < kBridgeFixedColumns)
        return kFixedWidths[static_cast<std::size_t>(column)];
    return kToothWidth;
}

bool isBridgeCellHighlighted(const BridgeRow& row, int column) {
    const std::string text = bridgeCellText(row, column);
    return column >= kBridgeFixedColumns && !text.empty() && text.front() == '*';
}

std::string bridgeChartCaption(const std::string& searchingId, const std::string& shownId) {
    return searchingId + " : " + shownId;
}

IndividualSearchPrintJob bridgeSearchPrintJob(const SearchEntry* entry, int side, int rankView,
                                              int n, int hideExcluded, long long unixTime) {
    IndividualSearchPrintJob job =
        individualSearchPrintJob(entry, bridgeDirection(side), rankView, n, hideExcluded, unixTime);
    job.rankName = std::string(bridgeRankLabel(rankView));
    return job;
}

DisplayCountChoice bridgeDisplayCountChoice(int listedRows, int keptIndex) {
    DisplayCountChoice choice;
    choice.items = std::max(listedRows - 1, 0);
    choice.selected = keptIndex >= 0 && keptIndex < choice.items ? keptIndex : choice.items - 1;
    return choice;
}

} // namespace qdx
