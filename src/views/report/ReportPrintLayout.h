#pragma once

#include "views/print/PrintItems.h"
#include "views/report/IdentificationReport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qdx {

// The identification report is laid out on A4 portrait paper in the device units of a 600 dpi
// printer, inside 10 mm margins.
inline constexpr int kReportPageWidth = 4480;
inline constexpr int kReportPageHeight = 6540;
inline constexpr int kReportMarginMillimetres = 10;

// The report's pages: page 1 the two records, their charts side by side with the agreeing
// teeth ringed and the 32-position table; page 2 the counts, scores, ranks, the pattern
// evidence, the outcomes with their history, the check states, the conclusion, the names, the
// remarks and the signature lines. Never more than two pages: long texts are cut with "…".
std::vector<PrintPage> layoutIdentificationReport(const IdentificationReport& report,
                                                  const PrintMetrics& metrics);

// The values of a chart picture item (PrintItem::chart) of a record, ringing `ringed`
// positions (bit i for position i).
std::vector<std::uint8_t> reportChartValues(const DentalRecord& record, std::uint32_t ringed);

// `text` broken into lines of at most `columns` half-width columns (a full-width character
// takes two), at its own line breaks too.
std::vector<std::string> wrapColumns(const std::string& text, int columns);
// The half-width columns `text` takes.
int textColumns(const std::string& text);

// The rank as the report prints it: "3位", "50位以内になし", or "検索対象外" for a chart
// that does not search.
std::string rankText(const ReportRanks& ranks, int rankKey);

} // namespace qdx
