#include "views/search/FullSearchTable.h"

#include "io/SearchResultFile.h"
#include "matching/Ranking.h"
#include "matching/SearchRun.h"
#include "views/search/SearchLabels.h"
#include "views/search/SearchResultCsv.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>

namespace qdx {

namespace {

std::string formatInt(const char* pattern, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

const std::array<int, kColumnsPerCandidate> kCandidateWidths = {20, 65, 75, 113, 180, 145, 80};

std::string candidateCell(const PairResult& c, int part) {
    switch (part) {
    case 0:
        return candidateMark(c.outcome);
    case 1:
        return c.candidate ? c.candidate->displayId : std::string();
    case 2:
        return formatInt("%lld", c.searchCount);
    case 3:
        return formatInt("%lld", c.exactMatchCount);
    case 4:
        return formatInt("%lld", c.fullRestorationMissingMatchCount);
    case 5:
        return formatInt("%lld", c.noContradictionMatchCount);
    default:
        return formatSearchScore(c.score);
    }
}

} // namespace

std::vector<FullSearchRow> buildFullSearchRows(const SearchRun& run, int rankKey, int n,
                                               int hideExcluded) {
    std::vector<FullSearchRow> rows;
    rows.reserve(run.entries().size());
    for (const SearchEntry& entry : run.entries()) {
        if (isSearchRowHidden(entry.record(), hideExcluded))
            continue;
        FullSearchRow row;
        row.entry = &entry;
        row.mark = searchingMark(entry.record().MATCH_KIND);
        row.displayId = entry.record().displayId;
        row.priority = displayedPriority(entry, rankKey, hideExcluded);
        if (n > 0)
            row.candidates = visibleCandidates(entry, rankKey, n, hideExcluded);
        rows.push_back(std::move(row));
    }
    return rows;
}

int fullSearchColumnCount(int n) {
    return kFullSearchFixedColumns + kColumnsPerCandidate * std::max(n, 0);
}

std::string fullSearchCellText(const FullSearchRow& row, int column, bool priorityShown) {
    switch (column) {
    case 0:
    case 2:
        return row.displayId;
    case 1:
        return row.mark;
    case 3:
        return priorityShown ? formatInt("%lld", row.priority) : std::string();
    default:
        break;
    }
    const int k = (column - kFullSearchFixedColumns) / kColumnsPerCandidate;
    const int part = (column - kFullSearchFixedColumns) % kColumnsPerCandidate;
    if (k < 0 || k >= static_cast<int>(row.candidates.size()))
        return {};
    return candidateCell(row.candidates[k], part);
}

std::string fullSearchHeaderText(int column) {
    if (column < kFullSearchFixedColumns)
        return column == 3 ? "照合優先度" : "";
    const int k = (column - kFullSearchFixedColumns) / kColumnsPerCandidate;
    const int part = (column - kFullSearchFixedColumns) % kColumnsPerCandidate;
    if (part == 0)
        return {};
    if (part == 1)
        return formatInt("Top %lld", k + 1);
    return std::string(resultCountHeadings()[static_cast<std::size_t>(part - 2)]);
}

int fullSearchInitialWidth(int column) {
    static const std::array<int, kFullSearchFixedColumns> fixed = {0, 20, 60, 113};
    if (column < kFullSearchFixedColumns)
        return fixed[column];
    return kCandidateWidths[(column - kFullSearchFixedColumns) % kColumnsPerCandidate];
}

bool fullSearchHasResults(const std::vector<FullSearchRow>& rows, int n) {
    return !rows.empty() && n > 0;
}

std::vector<std::string> fullSearchTextLines(const std::vector<FullSearchRow>& rows, int n) {
    std::string heading = "\tID";
    for (int column = 3; column < fullSearchColumnCount(n); ++column)
        heading += "\t" + fullSearchHeaderText(column);
    std::vector<std::string> lines{heading};
    lines.reserve(rows.size() + 1);
    for (const FullSearchRow& row : rows) {
        const int columns = fullSearchColumnCount(static_cast<int>(row.candidates.size()));
        std::string line = fullSearchCellText(row, 1, n > 0);
        for (int column = 2; column < columns; ++column)
            line += "\t" + fullSearchCellText(row, column, n > 0);
        lines.push_back(std::move(line));
    }
    return lines;
}

void writeFullSearchCsv(const std::string& path, const std::vector<FullSearchRow>& rows, int n) {
    SearchResultFile file(path);
    file.writeLine(fullSearchCsvHeader(n));
    for (const FullSearchRow& row : rows)
        file.writeLine(fullSearchCsvLine(row.displayId, row.priority, row.candidates));
    file.close();
}

FullSearchPrintJob fullSearchPrintJob(const std::vector<FullSearchRow>& rows, int direction,
                                      int rankKey, int n, int hideExcluded) {
    FullSearchPrintJob job;
    job.direction = direction;
    job.rankName = rankKeyLabel(std::clamp(rankKey, 0, 3));
    job.hideExcluded = hideExcluded == 1;
    job.displayCount = n;
    job.createdText = printCreatedText(std::time(nullptr));
    for (const FullSearchRow& row : rows) {
        PrintRow printRow;
        printRow.mark = row.mark;
        printRow.displayId = row.displayId;
        printRow.priority = row.priority;
        for (const PairResult& c : row.candidates) {
            printRow.candidates.push_back(
                {candidateMark(c.outcome), c.candidate ? c.candidate->displayId : std::string(),
                 c.searchCount, c.exactMatchCount, c.fullRestorationMissingMatchCount,
                 c.noContradictionMatchCount, c.score});
        }
        job.rows.push_back(std::move(printRow));
    }
    return job;
}

} // namespace qdx
