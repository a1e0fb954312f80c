#pragma once

#include "matching/PairResult.h"
#include "model/DentalRecord.h"

#include <string>
#include <vector>

namespace qdx {

// The lines of the two search-result files ("総検索結果.csv" of the full search and
// "個別検索結果_%s.csv" of the individual search), as UTF-8 without line ends. The windows
// and the command-line tool all write through these and io/SearchResultFile, so the files
// stay byte-identical whoever writes them.

// ",  " and N groups ",,Top k,検索数,完全一致数,全修復・欠損一致数,矛盾なし一致数,スコア".
std::string fullSearchCsvHeader(int displayCount);
// The searching chart's ID, its displayed priority and one group per visible candidate. A
// candidate whose quoted ID occurs inside the searching chart's quoted ID is marked "★".
std::string fullSearchCsvLine(const std::string& searchingId, int priority,
                              const std::vector<PairResult>& candidates);

// ",,検索数,...,スコア" and the 32 tooth headings.
std::string individualSearchCsvHeader();
// Mark, ID, four empty count fields and the searching chart's 32 class digits.
std::string individualSearchCsvSearchingLine(const DentalRecord& searching);
// Mark, ID, counts, score and the candidate's 32 class digits; a digit equal to the searching
// chart's (which is not '5') carries "*" unless the pair is excluded by sex.
std::string individualSearchCsvCandidateLine(const DentalRecord& searching,
                                             const PairResult& candidate);

// "%4.4f" independent of the C locale (the desktop program runs under the user's locale).
std::string formatSearchScore(double score);

} // namespace qdx
