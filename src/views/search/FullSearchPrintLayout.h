#pragma once

#include "views/print/PrintItems.h"
#include "views/search/SearchPrintHeading.h"

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

struct FullSearchPrintJob : SearchPrintConditions {
    int displayCount = 1; // N
    std::vector<PrintRow> rows;
};

constexpr int kFullSearchRowsPerPage = 34;
constexpr int kCandidatesPerPage = 3;

// Pages run block by block (34 rows), and within a block one page per group of three candidates.
std::vector<PrintPage> layoutFullSearchPrint(const FullSearchPrintJob& job,
                                             const PrintMetrics& metrics);

} // namespace qdx
