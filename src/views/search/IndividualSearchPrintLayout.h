#pragma once

#include "model/ToothChart.h"
#include "views/print/PrintItems.h"
#include "views/search/SearchPrintHeading.h"

#include <array>
#include <string>
#include <vector>

namespace qdx {

class SearchEntry;

struct IndividualPrintCandidate {
    std::string mark; // "*", "u", "i" or empty
    std::string displayId;
    int searchCount = 0;
    int exactMatchCount = 0;
    int fullRestorationMissingMatchCount = 0;
    int noContradictionMatchCount = 0;
    double score = 0.0;
    // "*3" where the class digit equals the searching chart's (not '5'), otherwise " 3"; a
    // pair excluded by sex gets a blank instead of "*".
    std::array<std::string, kToothCount> teeth;
};

struct IndividualSearchPrintJob : SearchPrintConditions {
    bool searchingFound = false;
    std::string searchingMark;
    std::string searchingId;
    std::array<char, kToothCount> searchingDigits{};
    // At most N, best first; the grey rows of the list are not printed.
    std::vector<IndividualPrintCandidate> candidates;
};

// Every page repeats the searching chart's row above up to 33 candidates.
constexpr int kIndividualRowsPerPage = 34;

// What "印刷" prints for a target: the searching chart and the candidates the list shows
// before its grey rows. `entry` may be null (no target): a job without the searching chart.
IndividualSearchPrintJob individualSearchPrintJob(const SearchEntry* entry, int direction,
                                                  int rankKey, int n, int hideExcluded,
                                                  long long unixTime);

std::vector<PrintPage> layoutIndividualSearchPrint(const IndividualSearchPrintJob& job,
                                                   const PrintMetrics& metrics);

} // namespace qdx
