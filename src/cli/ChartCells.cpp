#include "cli/ChartCells.h"

#include <vector>

namespace qdx::cli {

namespace {

std::vector<std::string> splitCells(const std::string& text) {
    std::vector<std::string> cells;
    std::string cell;
    for (char c : text) {
        if (c == ' ' || c == ',' || c == '\t') {
            if (!cell.empty())
                cells.push_back(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (!cell.empty())
        cells.push_back(cell);
    return cells;
}

// One cell into the chart; false when it is not digit [b] [d].
bool readCell(const std::string& cell, int position, EntryChart& chart, std::string& error) {
    const auto p = static_cast<std::size_t>(position);
    const std::string where = "chart cell " + std::to_string(position + 1) + " \"" + cell + "\"";
    if (cell[0] < '1' || cell[0] > '6') {
        error = where + ": the class must be a digit 1..6";
        return false;
    }
    const int cls = cell[0] - '0';
    chart.classIndex[p] = cls == 6 ? 4 : cls - 1;
    chart.presentFlag[p] = cls == 6 ? 1 : 0;
    std::size_t i = 1;
    if (i < cell.size() && cell[i] == 'b') {
        chart.bridgeFlag[p] = 1;
        ++i;
    }
    if (i < cell.size() && cell[i] == 'd') {
        if (!canBeDeciduous(position)) {
            error = where + ": only teeth 1..5 can be deciduous";
            return false;
        }
        chart.deciduousFlag[p] = 1;
        ++i;
    }
    if (i != cell.size()) {
        error = where + ": expected a class digit, then \"b\" and \"d\" if any";
        return false;
    }
    return true;
}

} // namespace

std::optional<EntryChart> parseChartCells(const std::string& text, std::string& error) {
    const std::vector<std::string> cells = splitCells(text);
    if (cells.size() != static_cast<std::size_t>(kToothCount)) {
        error = "the chart needs 32 cells, found " + std::to_string(cells.size());
        return std::nullopt;
    }
    EntryChart chart;
    for (int position = 0; position < kToothCount; ++position) {
        if (!readCell(cells[static_cast<std::size_t>(position)], position, chart, error))
            return std::nullopt;
    }
    return chart;
}

} // namespace qdx::cli
