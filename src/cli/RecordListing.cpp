#include "cli/RecordListing.h"

namespace qdx::cli {

std::string toothCell(const ChartStrings& chart, int position) {
    std::string cell = std::to_string(effectiveClass(chart, position));
    const bool bridged =
        position < static_cast<int>(chart.bridgeChart.size()) && chart.bridgeChart[position] == '1';
    cell += bridged ? 'b' : ' ';
    return cell;
}

std::string recordListLine(const DentalRecord& record) {
    std::string line(record.MATCH_KIND.listMark());
    line += '\t';
    line += record.displayId;
    const ChartStrings chart = record.chart();
    for (int position = 0; position < kToothCount; ++position) {
        line += '\t';
        line += toothCell(chart, position);
    }
    line += '\t';
    line += record.Dental_ID;
    return line;
}

} // namespace qdx::cli
