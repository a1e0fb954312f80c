#pragma once

#include "matching/PairResult.h"
#include "matching/SearchEntry.h"
#include "model/ToothChart.h"

#include <array>
#include <string>
#include <vector>

namespace qdx {

// One row of the bridge search list as the window shows it.
struct BridgeRow {
    const DentalRecord* record = nullptr;
    bool first = false; // the searching chart's own row
    bool grey = false;  // a candidate with a recorded outcome shown while hiding
    std::string mark;
    std::string displayId;
    std::array<std::string, 3>
        counts; // ブリッジ数, ブリッジ一致数, ブリッジ不一致数; empty on the first row
    std::array<std::string, kToothCount> teeth;
    std::array<bool, kToothCount> bothBridged{}; // the cells drawn on the highlight colour
};

// The searching chart's row, then the candidates of view `rankView` (0 bridge matches, 1
// mismatches) as the individual search lists them: the first n, candidates with a recorded
// outcome left out when hiding and then added as grey rows while fewer than n are shown.
std::vector<BridgeRow> bridgeRows(const SearchEntry& entry, int rankView, int n, int hideExcluded);
// The candidates written to the file and printed: the rows without the grey ones.
std::vector<PairResult> bridgeFileCandidates(const SearchEntry& entry, int rankView, int n,
                                             int hideExcluded);
// The file lines in the individual search's layout (see io/SearchResultCsv.h).
std::vector<std::string> bridgeCsvLines(const SearchEntry& entry, int rankView, int n,
                                        int hideExcluded);
// The list as tab-separated lines with a heading line, for the command-line tool.
std::vector<std::string> bridgeTableLines(const std::vector<BridgeRow>& rows);

} // namespace qdx
