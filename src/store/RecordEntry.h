#pragma once

#include "model/DentalRecord.h"
#include "model/ToothChart.h"

#include <array>
#include <string>

namespace qdx {

// The numeric form of one record, filled by the entry dialog or an importer and stored by the
// project model. Fields can also be addressed by position (see EntryPosition).
struct RecordEntry {
    // Positions of the field interface. Class positions take classes counted from 0.
    enum EntryPosition : int {
        UpperIdPosition = 0,
        LowerIdPosition = 1,
        FirstClassPosition = 2,      // ..33
        FirstBridgePosition = 34,    // ..65
        FirstPresentPosition = 66,   // ..97
        FirstDeciduousPosition = 98, // ..129
        DatePosition = 130,
        PlacePosition = 131,
        SummaryPosition = 132,
        UnusedPosition = 133, // an integer nothing reads
        SexPosition = 134,
        DentalIdPosition = 135,
        ValidPosition = 136,
        NamePosition = 137,
        KindPosition = 138,
        AgeGroupPosition = 139,
        MatchIdPosition = 140,
        IMatchIdPosition = 141,
        PositionCount = 142,
    };

    std::string upperIdPart;
    std::string lowerIdPart;
    std::array<int, kToothCount> classes{}; // 1..5
    std::array<int, kToothCount> bridges{};
    std::array<int, kToothCount> present{};
    std::array<int, kToothCount> deciduous{};
    std::string registrationDate;
    std::string place;
    std::string summary;
    int unused = 0;
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
    // Sets the field at a position from the integer or the text, whichever the field holds.
    // Unknown positions are ignored.
    void setField(int position, long long value, const std::string& text);
    // The text fields (0, 1, 130, 131, 132, 137, 140, 141); "" for any other position.
    std::string text(int position) const;
    // The record as stored. Classes outside 1..5 are stored as 5 (no information) and flags
    // other than 0 as 1, so a stored chart always holds valid digits.
    DentalRecord toRecord() const;
};

} // namespace qdx
