#pragma once

#include "views/print/PrintItems.h"

#include <string>
#include <vector>

namespace qdx {

struct PrintCandidate {
    std::string mark; // "*", "u", "i" or empty
    std::string displayId;
    int searchCount = 0;
    int exactMatchCount = 0;
    int fullRestorationMissingMatchCount = 0;
    int noContradictionMatchCount = 0;
    double score = 0.0;
};

// One row of the result table in its current order, with its visible candidates (at most N).
struct PrintRow {
    std::string mark; // the searching chart's mark
    std::string displayId;
    int priority = 0;
    std::vector<PrintCandidate> candidates;
};

struct FullSearchPrintJob {
    int direction = 0; // 0 ante-mortem -> post-mortem, 1 post-mortem -> ante-mortem
    std::string rankName;
    bool hideExcluded = false;
    bool english = false;
    int displayCount = 1;    // N
    std::string createdText; // "作成日：%Y年%m月%d日 %H時%M分"
    std::vector<PrintRow> rows;
};

constexpr int kFullSearchRowsPerPage = 34;
constexpr int kCandidatesPerPage = 3;

// Pages run block by block (34 rows), and within a block one page per group of three candidates.
std::vector<PrintPage> layoutFullSearchPrint(const FullSearchPrintJob& job,
                                             const PrintMetrics& metrics);

} // namespace qdx
