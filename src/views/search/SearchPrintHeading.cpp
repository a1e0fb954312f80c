#include "views/search/SearchPrintHeading.h"

#include <string>

namespace qdx {

void addSearchPrintHeading(PageBuilder& page, const SearchPrintHeading& heading,
                           const PrintMetrics& m, int pageNumber) {
    const bool en = heading.english;
    page.text(PrintFont::Heading, 2 * m.U, m.H,
              heading.direction == 0 ? "検索指定　：生前→死後" : "検索指定　：死後→生前");
    page.text(PrintFont::Heading, (en ? 17 : 15) * m.U, m.H, "表示順　　：");
    page.text(PrintFont::Heading, (en ? 26 : 21) * m.U, m.H, heading.rankName);
    page.text(PrintFont::Heading, 2 * m.U, 2 * m.H,
              heading.hideExcluded ? "検索対象外：非表示" : "検索対象外：表示");
    page.text(PrintFont::Heading, (en ? 35 : 30) * m.U, 2 * m.H, heading.title);
    page.text(PrintFont::Heading, heading.createdColumn * m.U, m.H, heading.createdText);
    page.text(PrintFont::Heading, 34 * m.U, 46 * m.H, "-" + std::to_string(pageNumber) + "-");
}

} // namespace qdx
