#include "cli/SearchTables.h"

#include "io/SearchResultCsv.h"
#include "matching/Ranking.h"
#include "matching/ToothComparison.h"
#include "model/ToothChart.h"

namespace qdx::cli {

namespace {

const char* const kCountHeadings =
    "\t検索数\t完全一致数\t全修復・欠損一致数\t矛盾なし一致数\tスコア";

std::string countCells(const PairResult& result) {
    std::string cells;
    for (int count : {result.searchCount, result.exactMatchCount,
                      result.fullRestorationMissingMatchCount, result.noContradictionMatchCount})
        cells += "\t" + std::to_string(count);
    return cells + "\t" + formatSearchScore(result.score);
}

std::string searchingToothCell(const DentalRecord& record, int position) {
    return (deciduousFlag(record, position) ? "d" : " ") +
           std::to_string(comparisonClass(record, position));
}

std::string candidateToothCell(const DentalRecord& searching, const DentalRecord& candidate,
                               bool excluded, int position) {
    const int own = comparisonClass(searching, position);
    const int other = comparisonClass(candidate, position);
    const bool deciduous = deciduousFlag(candidate, position);
    const std::string cell = (deciduous ? "d" : "") + std::to_string(other);
    const bool agrees =
        own != 5 && own == other && deciduous == deciduousFlag(searching, position) && !excluded;
    return agrees ? "#" + cell + "#" : cell;
}

std::string candidateRow(const DentalRecord& searching, const PairResult& result) {
    const DentalRecord& candidate = *result.candidate;
    std::string line = candidateMark(result.outcome) + "\t" + candidate.displayId;
    line += countCells(result);
    const bool excluded = isSexExcluded(searching, candidate);
    for (int position = 0; position < kToothCount; ++position)
        line += "\t" + candidateToothCell(searching, candidate, excluded, position);
    return line;
}

} // namespace

std::vector<std::string> fullSearchTable(const std::vector<const SearchEntry*>& rows,
                                         const ResolvedConditions& conditions) {
    std::string heading = "\tID\t照合優先度";
    for (int k = 1; k <= conditions.displayCount; ++k)
        heading += "\t\tTop " + std::to_string(k) + kCountHeadings;
    std::vector<std::string> lines{heading};
    for (const SearchEntry* entry : rows) {
        const DentalRecord& record = entry->record();
        std::string line = searchingMark(record.MATCH_KIND) + "\t" + record.displayId + "\t";
        if (conditions.displayCount > 0)
            line += std::to_string(
                displayedPriority(*entry, conditions.rankKey, conditions.hideExcluded));
        for (const PairResult& result : visibleCandidates(
                 *entry, conditions.rankKey, conditions.displayCount, conditions.hideExcluded))
            line += "\t" + candidateMark(result.outcome) + "\t" + result.candidate->displayId +
                    countCells(result);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> individualSearchTable(const SearchEntry& entry,
                                               const ResolvedConditions& conditions) {
    std::string heading = "\tID";
    heading += kCountHeadings;
    for (int position = 0; position < kToothCount; ++position)
        heading += "\t" + toothHeading(position);
    const DentalRecord& searching = entry.record();
    std::string first = searchingMark(searching.MATCH_KIND) + "\t" + searching.displayId;
    first += "\t\t\t\t\t";
    for (int position = 0; position < kToothCount; ++position)
        first += "\t" + searchingToothCell(searching, position);
    std::vector<std::string> lines{heading, first};
    const int n = conditions.displayCount;
    for (const PairResult& result :
         visibleCandidates(entry, conditions.rankKey, n, conditions.hideExcluded))
        lines.push_back(candidateRow(searching, result));
    for (const PairResult& result :
         greyCandidates(entry, conditions.rankKey, n, conditions.hideExcluded))
        lines.push_back(candidateRow(searching, result));
    return lines;
}

} // namespace qdx::cli
