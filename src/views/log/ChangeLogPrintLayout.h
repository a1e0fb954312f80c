#pragma once

#include "views/log/ChangeLogRows.h"
#include "views/print/PrintItems.h"

#include <string>
#include <vector>

namespace qdx {

// The change-history printout: landscape pages with the title, the creation time and the page
// number, a heading band and the listed rows in their order. A change too long for its column
// continues on further lines of the same row, broken after ", " or " / ".
struct ChangeLogPrintJob {
    std::string filterText;  // what the list shows, as the window's filters say it
    std::string createdText; // "作成日：%Y年%m月%d日 %H時%M分"
    std::vector<ChangeLogRow> rows;
    // The English layout: the title, headings and labels through `wording` (what the project
    // stores prints as written) and a side column wide enough for its words. Without it the
    // Japanese texts print.
    bool english = false;
    Wording wording;
};

std::vector<PrintPage> layoutChangeLogPrint(const ChangeLogPrintJob& job,
                                            const PrintMetrics& metrics);

// The lines a change text takes in a column `width` units wide with `unit` units per
// single-width character (CP932 bytes).
std::vector<std::string> wrapChangeText(const std::string& text, int width, int unit);

} // namespace qdx
