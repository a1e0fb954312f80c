#pragma once

#include "model/MatchKind.h"

#include <string>
#include <vector>

namespace qdx {

// One TB_MATCH row as the program holds it; every field is text except the kind and the edit
// state.
struct MatchRow {
    // Set by the match-history window; only Deleted matters when a history is stored.
    enum EditState : int { AsRead = 0, Added = 1, Changed = 2, Deleted = 3 };

    std::string ID;             // row key, empty for a row not yet stored
    std::string ID_AFTER = "0"; // post-mortem Dental_ID, 0 when that record is not here
    std::string ID_BEFOR = "0"; // ante-mortem Dental_ID, 0 when that record is not here
    MatchKind KIND = MatchKind::Identified;
    // "" for a complete row; "1"/"0" + displayId for a row waiting for a post-/ante-mortem record.
    std::string I_MATCHID;
    std::string Match_ID; // displayId of the record on the other side
    int editState = AsRead;

    // The column naming the record of `side` (ID_AFTER for 0, ID_BEFOR for 1).
    std::string& ownColumn(int side) { return side == 0 ? ID_AFTER : ID_BEFOR; }
    const std::string& ownColumn(int side) const { return side == 0 ? ID_AFTER : ID_BEFOR; }
    std::string& partnerColumn(int side) { return ownColumn(1 - side); }
    const std::string& partnerColumn(int side) const { return ownColumn(1 - side); }
};

// A record's match history, in the order the history query returns it.
using MatchHistory = std::vector<MatchRow>;

} // namespace qdx
