#pragma once

#include "model/MatchKind.h"
#include "model/ToothChart.h"

#include <string>

namespace qdx {

// One post-mortem or ante-mortem chart. Every field is text (numbers are decimal text) but the
// match kind.
struct DentalRecord {
    std::string Dental_ID;
    std::string displayId = " -    ";
    std::string name;
    std::string sex = "0";
    std::string valid = "1";
    std::string agegroup = "0";
    std::string place;
    std::string summary;
    std::string classChart = std::string(kToothCount, '5');
    std::string bridgeChart = std::string(kToothCount, '0');
    std::string presentChart = std::string(kToothCount, '0');
    std::string deciduousChart = std::string(kToothCount, '0');
    std::string UpdateTime = todayText();
    // Match summary, filled only by the list queries.
    std::string Match_ID;
    std::string MATCH;
    MatchKind MATCH_KIND = MatchKind::Identified;
    std::string MATCH_I_MATCHID;

    ChartStrings chart() const { return {classChart, bridgeChart, presentChart, deciduousChart}; }
    void setChart(ChartStrings c);

    // Today's local date as "%Y-%m-%d".
    static std::string todayText();
};

// "No.  %05d" of the record key; blank while the record has not been stored.
std::string keyLabel(const std::string& dentalId);

} // namespace qdx
