#pragma once

#include "model/Wording.h"
#include "views/print/PageBuilder.h"

#include <string>
#include <string_view>

namespace qdx {

// What every search printout states of its conditions in its heading.
struct SearchPrintConditions {
    int direction = 0; // 0 ante-mortem -> post-mortem, 1 post-mortem -> ante-mortem
    std::string rankName;
    bool hideExcluded = false;
    bool english = false;    // the English layout: legal paper, its own positions and numbers
    Wording wording;         // the printed words; none prints the Japanese texts
    std::string createdText; // "作成日：%Y年%m月%d日 %H時%M分"
};

// The heading: direction, ranking criterion, whether the excluded candidates are hidden, the
// window's title ("全検索", "検索"), the creation time at `createdColumn` (in units of U) and
// the page number.
void addSearchPrintHeading(PageBuilder& page, const SearchPrintConditions& conditions,
                           std::string_view title, int createdColumn, const PrintMetrics& metrics,
                           int pageNumber);

// One number as the printouts write it ("%2d", "%8d", "Top%d").
std::string printNumberText(const char* pattern, int value);
// A score as "% 4.4f" writes it in the C locale (a blank before a score that is not negative),
// whatever the user's locale.
std::string printScoreText(double score);

} // namespace qdx
