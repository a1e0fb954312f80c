#pragma once

#include <array>
#include <string_view>

namespace qdx {

// The four weight grids of the settings window, in the order their cells are checked and
// listed. Each grid holds one matrix of SearchSettings, stored column by column.
enum class SettingsGrid { AmToPm5, PmToAm5, AmToPm6, PmToAm6 };

inline constexpr std::array<SettingsGrid, 4> kSettingsGrids = {
    SettingsGrid::AmToPm5, SettingsGrid::PmToAm5, SettingsGrid::AmToPm6, SettingsGrid::PmToAm6};

// 25 + 25 + 36 + 36 cells.
inline constexpr int kSettingsCellCount = 122;

// 5 or 6.
int gridClassCount(SettingsGrid grid);
// "am-pm5", "pm-am5", "am-pm6", "pm-am6": how the command line names the grid.
std::string_view gridName(SettingsGrid grid);
// Index of the grid's first cell among all 122, in checking order.
int gridFirstCell(SettingsGrid grid);
// The grid holding cell `cell` (0..121) and the cell's element within the grid's matrix.
SettingsGrid cellGrid(int cell);
int cellElement(int cell);

// Element k of a matrix is column class k / n + 1 and row class k % n + 1 (classes 1..n).
int elementColumnClass(SettingsGrid grid, int element);
int elementRowClass(SettingsGrid grid, int element);
int gridElement(SettingsGrid grid, int columnClass, int rowClass);

// The class shown at screen position 0..n-1 (columns left to right, rows top to bottom): the
// five-class grids show classes 1..5, the six-class ones "歯あり" (class 6) first, then 1..5.
int screenClass(SettingsGrid grid, int position);
// Short class names over the grid columns and beside the rows, class 1..6.
std::string_view gridClassLabel(int toothClass);

// Texts around a grid.
std::string_view gridTitle(SettingsGrid grid); // "スコアの重みづけ（生前→死後）" ...
std::string_view gridColumnHeading(SettingsGrid grid); // side of the column classes
std::string_view gridRowHeading(SettingsGrid grid);    // side of the row classes
bool isSixClassGrid(SettingsGrid grid);

} // namespace qdx
