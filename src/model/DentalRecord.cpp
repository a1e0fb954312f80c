#include "model/DentalRecord.h"

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
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string keyLabel(const std::string& dentalId) {
    if (dentalId.empty())
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "No.  %05ld", std::strtol(dentalId.c_str(), nullptr, 10));
    return text;
}

} // namespace qdx
