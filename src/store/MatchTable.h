#pragma once

#include "store/MatchRow.h"
#include "store/PairOutcomeMap.h"

#include <string>
#include <vector>

namespace qdx {

class ProjectDatabase;

// Table functions and consistency procedures of TB_MATCH. `side` is the RecordSide of the
// record the operation is about. Every failure is a StoreError; statements are finalized first.
namespace matches {

inline constexpr const char* kKeyColumn = "TB_MATCH.ID";

// The statement texts as executed.
const char* historyText(int side); // with the partner's displayId as Match_ID
const char* selectText();
const char* insertText();
const char* updateText();
const char* deleteText();

// The record's complete rows ordered by kind, then partner displayId.
std::vector<MatchRow> selectMatchHistory(const ProjectDatabase& db, int side, long long dentalId);
// Every complete row of the project in key order (no Match_ID).
std::vector<MatchRow> selectResolvedMatches(const ProjectDatabase& db);
// The row with the key; empty ID when there is none.
MatchRow selectMatchByKey(const ProjectDatabase& db, const std::string& id);
// The first row waiting for a record of `side` with the pending key ("1AB-00012" for a
// post-mortem AB-00012); empty ID when there is none.
MatchRow selectPendingMatch(const ProjectDatabase& db, int side, const std::string& key);
// Every such row, in key order.
std::vector<MatchRow> selectPendingMatches(const ProjectDatabase& db, int side,
                                           const std::string& key);
void insertMatch(const ProjectDatabase& db, const MatchRow& row);
void updateMatch(const ProjectDatabase& db, const MatchRow& row);
// Every row naming the record, pending rows included.
void deleteMatchesOf(const ProjectDatabase& db, int side, const std::string& dentalId);
// The record's complete rows (those its history lists); rows waiting for a partner stay.
void deleteResolvedMatchesOf(const ProjectDatabase& db, int side, const std::string& dentalId);
// The record's rows of kinds "0", "1" and "2".
void deleteSamePersonMatchesOf(const ProjectDatabase& db, int side, const std::string& dentalId);

// "1" + displayId for a post-mortem record, "0" + displayId for an ante-mortem one.
std::string pendingKey(int side, const std::string& displayId);

// Clears I_MATCHID of the rows waiting for the new record `displayId` of `side` (called before
// the record is inserted) and returns them as updated, so the caller can fill in the new key.
std::vector<MatchRow> linkPendingMatches(const ProjectDatabase& db, int side,
                                         const std::string& displayId);
// The keys storing a record's edited history works with: the record's own and that of the
// same-person partner it names (each "" when there is none).
struct HistoryKeys {
    std::string own;
    std::string partner;
};
HistoryKeys historyKeys(const ProjectDatabase& db, int side, const std::vector<MatchRow>& rows);

// Stores a record's edited history: removes the record's complete rows (its rows waiting for a
// partner record are not part of the history and stay), removes every same-person row of its
// same-person partner, then inserts the rows not marked deleted with their partner keys looked
// up by Match_ID. Returns true when it wrote anything.
bool replaceMatchHistory(const ProjectDatabase& db, int side, const std::vector<MatchRow>& rows);
// Inserts rows read from another project as complete rows.
void insertMatches(const ProjectDatabase& db, const std::vector<MatchRow>& rows);

// "%s-%s" of (ID_AFTER, ID_BEFOR) -> KIND; rows in ascending ID order, so the lowest ID wins.
PairOutcomeMap buildPairKindIndex(const std::vector<MatchRow>& rows);

} // namespace matches
} // namespace qdx
