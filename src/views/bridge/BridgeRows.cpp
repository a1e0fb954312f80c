#include "views/bridge/BridgeRows.h"

#include "matching/Ranking.h"
#include "matching/ToothComparison.h"
#include "views/search/SearchResultCsv.h"

namespace qdx {

namespace {

std::size_t at(int position) {
    return static_cast<std::size_t>(position);
}

BridgeRow searchingRow(const DentalRecord& searching) {
    BridgeRow row;
    row.record = &searching;
    row.first = true;
    row.mark = searchingMark(searching.MATCH_KIND);
    row.displayId = searching.displayId;
    for (int i = 0; i < kToothCount; ++i)
        row.teeth[at(i)] =
            std::to_string(comparisonClass(searching, i)) + (bridgeFlag(searching, i) ? "b" : " ");
    return row;
}

BridgeRow candidateRow(const DentalRecord& searching, const PairResult& result, bool grey) {
    const DentalRecord& candidate = *result.candidate;
    BridgeRow row;
    row.record = &candidate;
    row.grey = grey;
    row.mark = candidateMark(result.outcome);
    row.displayId = candidate.displayId;
    row.counts = {std::to_string(result.searchCount), std::to_string(result.exactMatchCount),
                  std::to_string(result.fullRestorationMissingMatchCount)};
    const bool excluded = isSexExcluded(searching, candidate);
    for (int i = 0; i < kToothCount; ++i) {
        const std::string digit = std::to_string(comparisonClass(candidate, i));
        const bool own = bridgeFlag(candidate, i);
        if (own && bridgeFlag(searching, i)) {
            row.bothBridged[at(i)] = !excluded;
            row.teeth[at(i)] = excluded ? digit + "b" : "*" + digit + "b*";
        } else {
            row.teeth[at(i)] = " " + digit + (own ? "b" : " ") + " ";
        }
    }
    return row;
}

} // namespace

std::vector<BridgeRow> bridgeRows(const SearchEntry& entry, int rankView, int n, int hideExcluded) {
    const DentalRecord& searching = entry.record();
    std::vector<BridgeRow> rows{searchingRow(searching)};
    for (const PairResult& result : visibleCandidates(entry, rankView, n, hideExcluded))
        rows.push_back(candidateRow(searching, result, false));
    for (const PairResult& result : greyCandidates(entry, rankView, n, hideExcluded))
        rows.push_back(candidateRow(searching, result, true));
    return rows;
}

std::vector<PairResult> bridgeFileCandidates(const SearchEntry& entry, int rankView, int n,
                                             int hideExcluded) {
    return visibleCandidates(entry, rankView, n, hideExcluded);
}

std::vector<std::string> bridgeCsvLines(const SearchEntry& entry, int rankView, int n,
                                        int hideExcluded) {
    std::vector<std::string> lines{individualSearchCsvHeader(),
                                   individualSearchCsvSearchingLine(entry.record())};
    for (const PairResult& result : bridgeFileCandidates(entry, rankView, n, hideExcluded))
        lines.push_back(individualSearchCsvCandidateLine(entry.record(), result));
    return lines;
}

std::vector<std::string> bridgeTableLines(const std::vector<BridgeRow>& rows) {
    std::string heading = "\tID\tブリッジ数\tブリッジ一致数\tブリッジ不一致数";
    for (int i = 0; i < kToothCount; ++i)
        heading += "\t" + toothHeading(i);
    std::vector<std::string> lines{heading};
    for (const BridgeRow& row : rows) {
        std::string line = row.mark + "\t" + row.displayId;
        for (const std::string& count : row.counts)
            line += "\t" + count;
        for (const std::string& tooth : row.teeth)
            line += "\t" + tooth;
        lines.push_back(line);
    }
    return lines;
}

} // namespace qdx
