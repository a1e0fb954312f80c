#include "views/search/SearchPrintHeading.h"

#include "views/search/SearchLabels.h"
#include "views/search/SearchResultCsv.h"

#include <cmath>
#include <cstdio>

namespace qdx {

void addSearchPrintHeading(PageBuilder& page, const SearchPrintConditions& conditions,
                           std::string_view title, int createdColumn, const PrintMetrics& m,
                           int pageNumber) {
    const bool en = conditions.english;
    const auto word = [&conditions](std::string_view text) {
        return worded(conditions.wording, text);
    };
    page.text(PrintFont::Heading, 2 * m.U, m.H,
              word("検索指定　：") + word(directionLabel(conditions.direction)));
    page.text(PrintFont::Heading, (en ? 17 : 15) * m.U, m.H, word("表示順　　："));
    page.text(PrintFont::Heading, (en ? 26 : 21) * m.U, m.H, word(conditions.rankName));
    page.text(PrintFont::Heading, 2 * m.U, 2 * m.H,
              word(conditions.hideExcluded ? "検索対象外：非表示" : "検索対象外：表示"));
    page.text(PrintFont::Heading, (en ? 35 : 30) * m.U, 2 * m.H, word(title));
    page.text(PrintFont::Heading, createdColumn * m.U, m.H, conditions.createdText);
    page.text(PrintFont::Heading, 34 * m.U, 46 * m.H, printNumberText("-%d-", pageNumber));
}

std::string printNumberText(const char* pattern, int value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string printScoreText(double score) {
    return (std::signbit(score) ? "" : " ") + formatSearchScore(score);
}

} // namespace qdx
