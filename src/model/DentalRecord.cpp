#include "model/DentalRecord.h"

#include "platform/LocalTime.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace qdx {

void DentalRecord::setChart(ChartStrings c) {
    classChart = std::move(c.classChart);
    bridgeChart = std::move(c.bridgeChart);
    presentChart = std::move(c.presentChart);
    deciduousChart = std::move(c.deciduousChart);
}

std::string DentalRecord::todayText() {
    return platform::formatLocalTime(std::time(nullptr), "%Y-%m-%d");
}

std::string keyLabel(const std::string& dentalId) {
    if (dentalId.empty())
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "No.  %05ld", std::strtol(dentalId.c_str(), nullptr, 10));
    return text;
}

} // namespace qdx
