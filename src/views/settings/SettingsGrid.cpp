#include "views/settings/SettingsGrid.h"

namespace qdx {

namespace {

int gridIndex(SettingsGrid grid) {
    return static_cast<int>(grid);
}

// Row 1 of a table ("生前→死後") has post-mortem columns and ante-mortem rows; row 2 the
// other way round.
bool amToPm(SettingsGrid grid) {
    return grid == SettingsGrid::AmToPm5 || grid == SettingsGrid::AmToPm6;
}

} // namespace

bool isSixClassGrid(SettingsGrid grid) {
    return grid == SettingsGrid::AmToPm6 || grid == SettingsGrid::PmToAm6;
}

int gridClassCount(SettingsGrid grid) {
    return isSixClassGrid(grid) ? 6 : 5;
}

std::string_view gridName(SettingsGrid grid) {
    static constexpr std::string_view kNames[] = {"am-pm5", "pm-am5", "am-pm6", "pm-am6"};
    return kNames[gridIndex(grid)];
}

int gridFirstCell(SettingsGrid grid) {
    static constexpr int kFirst[] = {0, 25, 50, 86};
    return kFirst[gridIndex(grid)];
}

SettingsGrid cellGrid(int cell) {
    SettingsGrid found = SettingsGrid::AmToPm5;
    for (SettingsGrid grid : kSettingsGrids)
        if (cell >= gridFirstCell(grid))
            found = grid;
    return found;
}

int cellElement(int cell) {
    return cell - gridFirstCell(cellGrid(cell));
}

int elementColumnClass(SettingsGrid grid, int element) {
    return element / gridClassCount(grid) + 1;
}

int elementRowClass(SettingsGrid grid, int element) {
    return element % gridClassCount(grid) + 1;
}

int gridElement(SettingsGrid grid, int columnClass, int rowClass) {
    return (columnClass - 1) * gridClassCount(grid) + (rowClass - 1);
}

int screenClass(SettingsGrid grid, int position) {
    if (!isSixClassGrid(grid))
        return position + 1;
    return position == 0 ? 6 : position;
}

std::string_view gridClassLabel(int toothClass) {
    static constexpr std::string_view kLabels[] = {"健全歯", "部分修復", "全部修復",
                                                   "欠損",   "情報なし", "歯あり"};
    return toothClass >= 1 && toothClass <= 6 ? kLabels[toothClass - 1] : std::string_view();
}

std::string_view gridTitle(SettingsGrid grid) {
    return amToPm(grid) ? "スコアの重みづけ（生前→死後）" : "スコアの重みづけ（死後→生前）";
}

std::string_view gridColumnHeading(SettingsGrid grid) {
    return amToPm(grid) ? "死後" : "生前";
}

std::string_view gridRowHeading(SettingsGrid grid) {
    return amToPm(grid) ? "生前" : "死後";
}

} // namespace qdx
