#pragma once

#include "model/DentalRecord.h"
#include "model/ToothChart.h"

#include <array>
#include <string>

namespace qdx {

// The numeric form of one record, filled by the entry dialog or an importer and stored by the
// project model.
struct RecordEntry {
    std::string upperIdPart;
    std::string lowerIdPart;
    std::array<int, kToothCount> classes{}; // 1..5
    std::array<int, kToothCount> bridges{};
    std::array<int, kToothCount> present{};
    std::array<int, kToothCount> deciduous{};
    std::string registrationDate;
    std::string place;
    std::string summary;
    int valid = 1;
    int sex = 0;
    long long dentalId = 0;
    std::string name;
    int agegroup = 0;
    int kind = 0;
    std::string matchId;
    std::string iMatchId; // kept by clear()
    bool isUpdate = false;
    int side = PostMortem;

    RecordEntry() { clear(); }
    // Every field back to its default (registration date today) except iMatchId.
    void clear();
    // The record as stored. Classes outside 1..5 are stored as 5 (no information) and flags
    // other than 0 as 1, so a stored chart always holds valid digits.
    DentalRecord toRecord() const;
};

} // namespace qdx
