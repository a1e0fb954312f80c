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
    // Every record made starts with today's date, and lists make hundreds of thousands of
    // them: the text is formatted again only when the second has changed.
    thread_local std::time_t formattedAt = -1;
    thread_local std::string today;
    const std::time_t now = std::time(nullptr);
    if (now != formattedAt) {
        today = platform::formatLocalTime(now, "%Y-%m-%d");
        formattedAt = now;
    }
    return today;
}

std::string keyLabel(const std::string& dentalId) {
    if (dentalId.empty())
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "No.  %05ld", std::strtol(dentalId.c_str(), nullptr, 10));
    return text;
}

} // namespace qdx
