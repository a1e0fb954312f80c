#include "store/MatchTable.h"

#include "model/RecordId.h"
#include "store/ProjectDatabase.h"
#include "store/RecordTable.h"
#include "store/TableStatement.h"

#include <cstdlib>

namespace qdx::matches {

namespace {

const char* const kHistoryPm =
    "SELECT TB_MATCH.ID,TB_MATCH.ID_AFTER, TB_MATCH.ID_BEFOR, TB_MATCH.KIND, TB_MATCH.I_MATCHID "
    ",(TB_BEFOR.EXT_IDu||'-'||TB_BEFOR.EXT_IDl) as Match_ID FROM TB_AFTER LEFT JOIN TB_MATCH ON "
    "TB_MATCH.ID_AFTER=TB_AFTER.Dental_ID LEFT JOIN TB_BEFOR ON "
    "TB_MATCH.ID_BEFOR=TB_BEFOR.Dental_ID";
const char* const kHistoryAm =
    "SELECT TB_MATCH.ID,TB_MATCH.ID_AFTER, TB_MATCH.ID_BEFOR, TB_MATCH.KIND, TB_MATCH.I_MATCHID "
    ",(TB_AFTER.EXT_IDu||'-'||TB_AFTER.EXT_IDl) as Match_ID FROM TB_BEFOR LEFT JOIN TB_MATCH ON "
    "TB_MATCH.ID_BEFOR=TB_BEFOR.Dental_ID LEFT JOIN TB_AFTER ON "
    "TB_MATCH.ID_AFTER=TB_AFTER.Dental_ID";
const char* const kSelect = "SELECT TB_MATCH.ID,TB_MATCH.ID_AFTER, TB_MATCH.ID_BEFOR, "
                            "TB_MATCH.KIND, TB_MATCH.I_MATCHID  FROM TB_MATCH";
const char* const kInsert = "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID ) "
                            "VALUES(@ID_AFTER, @ID_BEFOR, @KIND, @I_MATCHID );";
const char* const kUpdate =
    "UPDATE TB_MATCH SET ID_AFTER=@ID_AFTER, ID_BEFOR=@ID_BEFOR, KIND=@KIND, I_MATCHID=@I_MATCHID ";
const char* const kDelete = "DELETE FROM TB_MATCH";

const char* ownColumnName(int side) {
    return side == 0 ? "ID_AFTER" : "ID_BEFOR";
}

MatchRow readRow(const TableStatement& st, bool withPartner) {
    MatchRow row;
    row.ID = st.columnText(0);
    row.ID_AFTER = st.columnText(1);
    row.ID_BEFOR = st.columnText(2);
    row.KIND = MatchKind::fromStored(st.columnText(3));
    row.I_MATCHID = fromDatabaseText(st.columnText(4));
    if (withPartner)
        row.Match_ID = fromDatabaseText(st.columnText(5));
    return row;
}

std::vector<MatchRow> readList(TableStatement& st, bool withPartner) {
    std::vector<MatchRow> rows;
    while (st.step())
        rows.push_back(readRow(st, withPartner));
    return rows;
}

void bindRow(TableStatement& st, const MatchRow& row) {
    st.bindText("@ID_AFTER", row.ID_AFTER);
    st.bindText("@ID_BEFOR", row.ID_BEFOR);
    st.bindText("@KIND", row.KIND.storedText());
    st.bindText("@I_MATCHID", toDatabaseText(row.I_MATCHID));
}

std::string pendingCondition(int side, const std::string& key) {
    return std::string(ownColumnName(side)) + "='0' AND I_MATCHID='" +
           quoteValue(toDatabaseText(key)) + "'";
}

// The Dental_ID of the record of `side` whose displayId is `displayId`, or "" when none.
std::string findPartnerKey(const ProjectDatabase& db, int side, const std::string& displayId) {
    const IdParts id = splitDisplayId(displayId);
    return records::selectRecordById(db, side, id.upper, id.lower).Dental_ID;
}

} // namespace

const char* historyText(int side) {
    return side == 0 ? kHistoryPm : kHistoryAm;
}
const char* selectText() {
    return kSelect;
}
const char* insertText() {
    return kInsert;
}
const char* updateText() {
    return kUpdate;
}
const char* deleteText() {
    return kDelete;
}

std::vector<MatchRow> selectMatchHistory(const ProjectDatabase& db, int side, long long dentalId) {
    TableStatement st(db, kKeyColumn);
    st.sql = historyText(side);
    st.prepareWhere(" " + std::string(ownColumnName(side)) + "='" + std::to_string(dentalId) +
                    "' AND I_MATCHID=''" + " ORDER BY KIND, Match_ID; ");
    return readList(st, true);
}

std::vector<MatchRow> selectResolvedMatches(const ProjectDatabase& db) {
    TableStatement st(db, kKeyColumn);
    st.sql = kSelect;
    st.prepareWhere(std::string(" I_MATCHID=''") + " ORDER BY ID; ");
    return readList(st, false);
}

MatchRow selectMatchByKey(const ProjectDatabase& db, const std::string& id) {
    TableStatement st(db, kKeyColumn);
    st.sql = kSelect;
    // The key is a row number; anything else must not reach the statement text.
    st.prepareWhereKey(std::to_string(std::atoll(id.c_str())));
    st.step();
    return readRow(st, false);
}

MatchRow selectPendingMatch(const ProjectDatabase& db, int side, const std::string& key) {
    TableStatement st(db, kKeyColumn);
    st.sql = kSelect;
    st.prepareWhere(pendingCondition(side, key) + ";");
    st.step();
    return readRow(st, false);
}

std::vector<MatchRow> selectPendingMatches(const ProjectDatabase& db, int side,
                                           const std::string& key) {
    TableStatement st(db, kKeyColumn);
    st.sql = kSelect;
    st.prepareWhere(pendingCondition(side, key) + " ORDER BY ID;");
    return readList(st, false);
}

void insertMatch(const ProjectDatabase& db, const MatchRow& row) {
    TableStatement st(db, kKeyColumn);
    st.sql = kInsert;
    st.prepareInsert();
    bindRow(st, row);
    st.step();
}

void updateMatch(const ProjectDatabase& db, const MatchRow& row) {
    TableStatement st(db, kKeyColumn);
    st.sql = kUpdate;
    st.prepareUpdateWhereKey(std::to_string(std::atoll(row.ID.c_str())));
    bindRow(st, row);
    st.step();
}

void deleteMatchesOf(const ProjectDatabase& db, int side, const std::string& dentalId) {
    TableStatement st(db, kKeyColumn);
    st.sql = kDelete;
    st.prepareDeleteWhere(std::string(ownColumnName(side)) + " = '" + quoteValue(dentalId) + "'");
    st.step();
}

void deleteResolvedMatchesOf(const ProjectDatabase& db, int side, const std::string& dentalId) {
    TableStatement st(db, kKeyColumn);
    st.sql = kDelete;
    st.prepareDeleteWhere(std::string(ownColumnName(side)) + " = '" + quoteValue(dentalId) +
                          "' AND I_MATCHID = ''");
    st.step();
}

void deleteSamePersonMatchesOf(const ProjectDatabase& db, int side, const std::string& dentalId) {
    TableStatement st(db, kKeyColumn);
    st.sql = kDelete;
    st.prepareDeleteWhere(std::string(ownColumnName(side)) + " = '" + quoteValue(dentalId) +
                          "' AND (KIND = '0' OR KIND = '1' OR KIND = '2')");
    st.step();
}

std::string pendingKey(int side, const std::string& displayId) {
    return (side == 0 ? "1" : "0") + displayId;
}

std::vector<MatchRow> linkPendingMatches(const ProjectDatabase& db, int side,
                                         const std::string& displayId) {
    // Every waiting row is linked: a record's ID is unique on its side, so rows left waiting
    // here would never surface again.
    std::vector<MatchRow> rows = selectPendingMatches(db, side, pendingKey(side, displayId));
    for (MatchRow& row : rows) {
        row.I_MATCHID.clear();
        updateMatch(db, row);
    }
    return rows;
}

HistoryKeys historyKeys(const ProjectDatabase& db, int side, const std::vector<MatchRow>& rows) {
    HistoryKeys keys;
    for (const MatchRow& row : rows) {
        keys.own = row.ownColumn(side);
        if (row.KIND.isIdentified() && !row.Match_ID.empty()) {
            const std::string found = findPartnerKey(db, 1 - side, row.Match_ID);
            if (!found.empty())
                keys.partner = found;
        }
    }
    return keys;
}

bool replaceMatchHistory(const ProjectDatabase& db, int side, const std::vector<MatchRow>& rows) {
    const int partnerSide = 1 - side;
    const HistoryKeys keys = historyKeys(db, side, rows);
    const std::string& ownId = keys.own;
    const std::string& partnerId = keys.partner;
    if (ownId.empty())
        return false;
    // The edited list holds only the complete rows; rows still waiting for a partner record
    // were never shown and must not be lost by editing the others.
    deleteResolvedMatchesOf(db, side, ownId);
    // The partner loses every same-person row, whichever record it named: a record has at
    // most one same-person partner.
    if (!partnerId.empty())
        deleteSamePersonMatchesOf(db, partnerSide, partnerId);
    for (const MatchRow& row : rows) {
        if (row.editState == MatchRow::Deleted)
            continue;
        MatchRow stored;
        stored.ID_AFTER = row.ID_AFTER;
        stored.ID_BEFOR = row.ID_BEFOR;
        stored.KIND = row.KIND;
        if (!row.Match_ID.empty()) {
            const std::string found = findPartnerKey(db, partnerSide, row.Match_ID);
            if (!found.empty())
                stored.partnerColumn(side) = found;
        }
        insertMatch(db, stored);
    }
    return true;
}

void insertMatches(const ProjectDatabase& db, const std::vector<MatchRow>& rows) {
    for (const MatchRow& row : rows) {
        MatchRow stored;
        stored.ID_AFTER = row.ID_AFTER;
        stored.ID_BEFOR = row.ID_BEFOR;
        stored.KIND = row.KIND;
        insertMatch(db, stored);
    }
}

PairOutcomeMap buildPairKindIndex(const std::vector<MatchRow>& rows) {
    PairOutcomeMap index;
    for (const MatchRow& row : rows)
        index.emplace(row.ID_AFTER + "-" + row.ID_BEFOR, row.KIND);
    return index;
}

} // namespace qdx::matches
