#include "views/search/SearchResultCsv.h"

#include "io/CsvQuote.h"
#include "matching/ToothComparison.h"
#include "model/ToothChart.h"
#include "views/search/SearchLabels.h"

#include <array>
#include <charconv>

namespace qdx {

namespace {

char digitAt(const std::string& chart, int position) {
    return position < static_cast<int>(chart.size()) ? chart[position] : '5';
}

std::array<int, 4> counts(const PairResult& result) {
    return {result.searchCount, result.exactMatchCount, result.fullRestorationMissingMatchCount,
            result.noContradictionMatchCount};
}

// ",検索数,完全一致数,全修復・欠損一致数,矛盾なし一致数,スコア".
std::string countHeadingFields() {
    std::string fields;
    for (std::string_view heading : resultCountHeadings()) {
        fields += ',';
        fields += heading;
    }
    return fields;
}

} // namespace

std::string formatSearchScore(double score) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, score, std::chars_format::fixed, 4);
    return std::string(text, end.ptr);
}

std::string fullSearchCsvHeader(int displayCount) {
    std::string line = ",  ";
    for (int k = 1; k <= displayCount; ++k)
        line += ",,Top " + std::to_string(k) + countHeadingFields();
    return line;
}

std::string fullSearchCsvLine(const std::string& searchingId, int priority,
                              const std::vector<PairResult>& candidates) {
    const std::string quotedId = CsvQuote(searchingId);
    std::string line = quotedId + "," + std::to_string(priority);
    for (const PairResult& result : candidates) {
        const std::string candidateId = CsvQuote(result.candidate->displayId);
        if (quotedId.find(candidateId) != std::string::npos)
            line += ",★, " + candidateId;
        else
            line += ", ," + candidateId;
        for (int count : counts(result))
            line += "," + std::to_string(count);
        line += "," + formatSearchScore(result.score);
    }
    return line;
}

std::string individualSearchCsvHeader() {
    std::string line = "," + countHeadingFields();
    for (int position = 0; position < kToothCount; ++position)
        line += "," + toothHeading(position);
    return line;
}

std::string individualSearchCsvSearchingLine(const DentalRecord& searching) {
    std::string line =
        searchingMark(searching.MATCH_KIND) + "," + CsvQuote(searching.displayId) + ",,,,,";
    for (int position = 0; position < kToothCount; ++position) {
        line += ',';
        line += digitAt(searching.classChart, position);
    }
    return line;
}

std::string individualSearchCsvCandidateLine(const DentalRecord& searching,
                                             const PairResult& result) {
    const DentalRecord& candidate = *result.candidate;
    std::string line = candidateMark(result.outcome) + "," + CsvQuote(candidate.displayId) + ",";
    for (int count : counts(result))
        line += std::to_string(count) + ",";
    line += formatSearchScore(result.score);
    const bool excluded = isSexExcluded(searching, candidate);
    for (int position = 0; position < kToothCount; ++position) {
        const char own = digitAt(searching.classChart, position);
        const char other = digitAt(candidate.classChart, position);
        line += ',';
        line += other;
        if (own != '5' && own == other && !excluded)
            line += '*';
    }
    return line;
}

} // namespace qdx
