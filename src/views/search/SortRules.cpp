#include "views/search/SortRules.h"

#include <cstdlib>
#include <cstring>

namespace qdx {

bool SortRules::isSortable(int column) const {
    if (m_list == List::FullSearch)
        return column == 2 || column == 3;
    return column == 1 || column == 2;
}

bool SortRules::click(int column) {
    if (!isSortable(column))
        return false;
    if (column != m_lastColumn)
        m_flags[column] = (m_list == List::FullSearch && column == 3) ? 1 : 0;
    else
        m_flags[column] = m_flags[column] ? 0 : 1;
    m_lastColumn = column;
    return true;
}

int SortRules::flag(int column) const {
    const auto it = m_flags.find(column);
    return it == m_flags.end() ? 0 : it->second;
}

int SortRules::compareBytes(const std::string& a, const std::string& b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int SortRules::compareNumbers(const std::string& a, const std::string& b) {
    const long long x = std::strtoll(a.c_str(), nullptr, 10);
    const long long y = std::strtoll(b.c_str(), nullptr, 10);
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace qdx
