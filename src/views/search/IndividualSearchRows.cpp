#include "views/search/IndividualSearchRows.h"

#include "io/SearchResultFile.h"
#include "matching/Ranking.h"
#include "matching/SearchRun.h"
#include "matching/ToothComparison.h"
#include "views/search/SearchLabels.h"
#include "views/search/SearchResultCsv.h"

#include <algorithm>
#include <string_view>

namespace qdx {

namespace {

constexpr std::array<int, kIndividualFixedColumns> kFixedWidths = {0,   0,   20,  60, 75,
                                                                   113, 180, 145, 80};
constexpr int kToothWidth = 60;

IndividualRow searchingRow(const DentalRecord& record) {
    IndividualRow row;
    row.kind = IndividualRow::Kind::Searching;
    row.mark = searchingMark(record.MATCH_KIND);
    row.displayId = record.displayId;
    row.dentalId = record.Dental_ID;
    for (int position = 0; position < kToothCount; ++position) {
        const int own = comparisonClass(record, position);
        row.classes[position] = own;
        row.teeth[position] = (deciduousFlag(record, position) ? "d" : " ") + std::to_string(own);
    }
    return row;
}

IndividualRow candidateRow(const DentalRecord& searching, const PairResult& result,
                           IndividualRow::Kind kind) {
    const DentalRecord& candidate = *result.candidate;
    IndividualRow row;
    row.kind = kind;
    row.mark = candidateMark(result.outcome);
    row.displayId = candidate.displayId;
    row.dentalId = candidate.Dental_ID;
    row.searchCount = result.searchCount;
    row.exactMatchCount = result.exactMatchCount;
    row.fullRestorationMissingMatchCount = result.fullRestorationMissingMatchCount;
    row.noContradictionMatchCount = result.noContradictionMatchCount;
    row.score = result.score;
    const bool excluded = isSexExcluded(searching, candidate);
    for (int position = 0; position < kToothCount; ++position) {
        const int own = comparisonClass(searching, position);
        const int other = comparisonClass(candidate, position);
        const bool deciduous = deciduousFlag(candidate, position);
        const bool agrees = !excluded && own != 5 && own == other &&
                            deciduous == deciduousFlag(searching, position);
        const std::string cell = (deciduous ? "d" : "") + std::to_string(other);
        row.classes[position] = other;
        row.agrees[position] = agrees;
        row.teeth[position] = agrees ? "#" + cell + "#" : cell;
    }
    return row;
}

} // namespace

std::vector<IndividualRow> buildIndividualRows(const SearchEntry& entry, int rankKey, int n,
                                               int hideExcluded) {
    const DentalRecord& searching = entry.record();
    std::vector<IndividualRow> rows{searchingRow(searching)};
    for (const PairResult& result : visibleCandidates(entry, rankKey, n, hideExcluded))
        rows.push_back(candidateRow(searching, result, IndividualRow::Kind::Candidate));
    for (const PairResult& result : greyCandidates(entry, rankKey, n, hideExcluded))
        rows.push_back(candidateRow(searching, result, IndividualRow::Kind::Grey));
    return rows;
}

std::vector<std::string> individualTargets(const SearchRun& run, int hideExcluded) {
    std::vector<std::string> targets;
    targets.reserve(run.entries().size());
    for (const SearchEntry& entry : run.entries())
        if (!isSearchRowHidden(entry.record(), hideExcluded))
            targets.push_back(entry.record().displayId);
    return targets;
}

std::vector<std::string> individualTargets(const std::vector<DentalRecord>& searching,
                                           int hideExcluded) {
    std::vector<std::string> targets;
    for (const DentalRecord& record : searching)
        if (isSearchable(record) && !isSearchRowHidden(record, hideExcluded))
            targets.push_back(record.displayId);
    return targets;
}

std::string individualCellText(const IndividualRow& row, int column) {
    if (column >= kIndividualFixedColumns && column < kIndividualColumnCount)
        return row.teeth[column - kIndividualFixedColumns];
    switch (column) {
    case 0:
    case kIndividualIdColumn:
        return row.displayId;
    case 1:
        return row.isSearching() ? "-1" : "";
    case 2:
        return row.mark;
    default:
        break;
    }
    if (row.isSearching() || column < 0 || column >= kIndividualFixedColumns)
        return {};
    switch (column) {
    case 4:
        return std::to_string(row.searchCount);
    case 5:
        return std::to_string(row.exactMatchCount);
    case 6:
        return std::to_string(row.fullRestorationMissingMatchCount);
    case 7:
        return std::to_string(row.noContradictionMatchCount);
    default:
        return formatSearchScore(row.score);
    }
}

std::string individualHeaderText(int column, const Wording& wording) {
    constexpr int firstCount = 4;
    if (column >= kIndividualFixedColumns && column < kIndividualColumnCount)
        return toothHeading(column - kIndividualFixedColumns, wording);
    if (column >= firstCount && column < kIndividualFixedColumns)
        return worded(wording,
                      resultCountHeadings()[static_cast<std::size_t>(column - firstCount)]);
    return {};
}

std::vector<std::string> individualListLines(const std::vector<IndividualRow>& rows) {
    constexpr int firstShown = 2; // the two hidden columns are not listed
    const auto line = [](const auto& cell) {
        std::string text;
        for (int column = firstShown; column < kIndividualColumnCount; ++column)
            text += (column > firstShown ? "\t" : "") + cell(column);
        return text;
    };
    std::vector<std::string> lines{line([](int column) { return individualHeaderText(column); })};
    for (const IndividualRow& row : rows)
        lines.push_back(line([&row](int column) { return individualCellText(row, column); }));
    return lines;
}

int individualInitialWidth(int column) {
    if (column >= 0 && column < kIndividualFixedColumns)
        return kFixedWidths[column];
    return kToothWidth;
}

bool isIndividualColumnRightAligned(int column) {
    return column >= 4 && column <= 8;
}

std::array<int, kToothCount> individualPictureKinds(const IndividualRow& row) {
    std::array<int, kToothCount> kinds{};
    for (int position = 0; position < kToothCount; ++position) {
        const bool shownAsClass = row.isSearching() || row.agrees[position];
        kinds[position] = shownAsClass ? row.classes[position] - 1 : kMismatchPictureKind;
    }
    return kinds;
}

std::string individualToothTooltip(const IndividualRow& searching, const IndividualRow& shown,
                                   int position, const Wording& wording) {
    if (shown.isSearching() || position < 0 || position >= kToothCount)
        return {};
    const std::string& cell = shown.teeth[position];
    if (!cell.empty() && cell.front() == '#')
        return {};
    return worded(wording, "不一致　") + searching.teeth[position] + ":" + cell;
}

std::string individualChartCaption(const std::string& searchingId, const std::string& shownId,
                                   const Wording& wording) {
    return worded(wording, "一致箇所の表示") + "\n\n" + searchingId + "\n ×\n " + shownId;
}

ProposedFileName individualCsvFileName(const std::string& targetId) {
    constexpr std::string_view invalid = ",\\/*?\"<>|:";
    ProposedFileName proposed;
    const std::string full = "個別検索結果_" + targetId + ".csv";
    for (char c : full) {
        if (invalid.find(c) != std::string_view::npos)
            proposed.removed = true;
        else
            proposed.name += c;
    }
    return proposed;
}

std::vector<std::string> individualSearchCsvLines(const SearchEntry& entry, int rankKey, int n,
                                                  int hideExcluded) {
    const DentalRecord& searching = entry.record();
    std::vector<std::string> lines{individualSearchCsvHeader(),
                                   individualSearchCsvSearchingLine(searching)};
    for (const PairResult& result : visibleCandidates(entry, rankKey, n, hideExcluded))
        lines.push_back(individualSearchCsvCandidateLine(searching, result));
    return lines;
}

void writeIndividualSearchCsv(const std::string& path, const std::vector<std::string>& lines) {
    SearchResultFile file(path);
    for (const std::string& line : lines)
        file.writeLine(line);
    file.close();
}

} // namespace qdx
