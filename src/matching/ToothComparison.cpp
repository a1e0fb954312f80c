#include "matching/ToothComparison.h"

#include "model/ToothChart.h"

namespace qdx {

namespace {

char charAt(const std::string& text, int position) {
    return static_cast<std::size_t>(position) < text.size() ? text[position] : '0';
}

bool withinClassChart(const DentalRecord& record, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < record.classChart.size() &&
           position < kToothCount;
}

} // namespace

int comparisonClass(const DentalRecord& record, int position) {
    if (!withinClassChart(record, position))
        return 5;
    const int value =
        (record.classChart[position] - '0') + (charAt(record.presentChart, position) - '0');
    return value >= 1 && value <= 6 ? value : 5;
}

bool deciduousFlag(const DentalRecord& record, int position) {
    return withinClassChart(record, position) && charAt(record.deciduousChart, position) != '0';
}

bool bridgeFlag(const DentalRecord& record, int position) {
    return position >= 0 && position < kToothCount &&
           static_cast<std::size_t>(position) < record.bridgeChart.size() &&
           record.bridgeChart[position] != '0';
}

bool isSexExcluded(const DentalRecord& searching, const DentalRecord& candidate) {
    return searching.sex != "0" && candidate.sex != "0" && searching.sex != candidate.sex;
}

std::string pairOutcomeKey(const DentalRecord& searching, const DentalRecord& candidate,
                           int direction) {
    if (direction == 0)
        return candidate.Dental_ID + "-" + searching.Dental_ID;
    return searching.Dental_ID + "-" + candidate.Dental_ID;
}

} // namespace qdx
