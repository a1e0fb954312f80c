#pragma once

#include "views/print/PageBuilder.h"

#include <string>

namespace qdx {

// The heading every search printout carries: direction, ranking criterion, whether the
// excluded candidates are hidden, the window's title, the creation time and the page number.
struct SearchPrintHeading {
    int direction = 0;
    std::string rankName;
    bool hideExcluded = false;
    bool english = false;
    std::string title;      // "全検索" or "検索"
    int createdColumn = 48; // in units of U
    std::string createdText; // "作成日：%Y年%m月%d日 %H時%M分"
};

void addSearchPrintHeading(PageBuilder& page, const SearchPrintHeading& heading,
                           const PrintMetrics& metrics, int pageNumber);

} // namespace qdx
