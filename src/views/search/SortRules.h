#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace qdx {

// Header-click sorting of the result lists: which columns sort, the per-column direction flags,
// and the comparison of two rows by the texts shown in their cells.
class SortRules {
public:
    enum class List { FullSearch, History };

    explicit SortRules(List list) : m_list(list) {}

    bool isSortable(int column) const;
    // Updates the last column and its flag; false (and nothing changes) for other columns.
    bool click(int column);
    int lastColumn() const { return m_lastColumn; }
    int flag(int column) const;

    // Orders rows by the last clicked column. `cell(row, column)` gives a cell's text.
    template <class Row, class Cell> void sort(std::vector<Row>& rows, Cell cell) const {
        if (m_lastColumn < 0)
            return;
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            return compare([&](int column) { return cell(a, column); },
                           [&](int column) { return cell(b, column); }) < 0;
        });
    }

    // Negative when row a goes before row b.
    template <class CellA, class CellB> int compare(CellA a, CellB b) const {
        const int f = flag(m_lastColumn);
        if (m_list == List::FullSearch) {
            if (m_lastColumn == 2)
                return directed(compareBytes(a(2), b(2)), f == 0);
            return directed(compareNumbers(a(3), b(3)), f == 0);
        }
        if (m_lastColumn == 2)
            return directed(compareBytes(a(2), b(2)), f == 0);
        const int byKind = compareNumbers(a(6), b(6));
        if (byKind != 0)
            return directed(byKind, f == 0);
        return directed(compareBytes(a(2), b(2)), f == 0);
    }

    // Byte-wise comparison of two texts.
    static int compareBytes(const std::string& a, const std::string& b);
    // Both read as decimal integers; text without digits reads as 0.
    static int compareNumbers(const std::string& a, const std::string& b);

private:
    static int directed(int order, bool ascending) { return ascending ? order : -order; }

    List m_list;
    int m_lastColumn = -1;
    std::map<int, int> m_flags;
};

} // namespace qdx
