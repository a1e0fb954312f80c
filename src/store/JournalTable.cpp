#include "store/JournalTable.h"

#include "store/ProjectDatabase.h"
#include "store/TableStatement.h"

namespace qdx::journal {

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS TB_JOURNAL (ID INTEGER PRIMARY KEY AUTOINCREMENT,TIME "
    "TEXT,EXAMINER TEXT,LOGIN TEXT,KIND TEXT,SIDE INTEGER,Dental_ID INTEGER,EXT_ID TEXT,TEETH "
    "TEXT,DETAIL TEXT,ORIGIN TEXT);";
const char* const kIndex =
    "CREATE INDEX IF NOT EXISTS IX_TB_JOURNAL_RECORD ON TB_JOURNAL (SIDE,Dental_ID);";
const char* const kSelect = "SELECT ID,TIME,EXAMINER,LOGIN,KIND,SIDE,Dental_ID,EXT_ID,TEETH,"
                            "DETAIL,ORIGIN FROM TB_JOURNAL";

// Fills the row from the current result row (assign reuses what room a string still has).
void readRowInto(const TableStatement& st, JournalRow& row) {
    row.ID.assign(st.columnView(0));
    row.TIME.assign(fromDatabaseText(st.columnView(1)));
    row.EXAMINER.assign(fromDatabaseText(st.columnView(2)));
    row.LOGIN.assign(fromDatabaseText(st.columnView(3)));
    row.KIND.assign(st.columnView(4));
    row.SIDE.assign(st.columnView(5));
    row.Dental_ID.assign(st.columnView(6));
    row.EXT_ID.assign(fromDatabaseText(st.columnView(7)));
    row.TEETH.assign(fromDatabaseText(st.columnView(8)));
    row.DETAIL.assign(fromDatabaseText(st.columnView(9)));
    row.ORIGIN.assign(fromDatabaseText(st.columnView(10)));
}

} // namespace

const char* schemaText() {
    return kSchema;
}

const char* indexText() {
    return kIndex;
}

void readJournal(const ProjectDatabase& db, const JournalQuery& query,
                 const std::function<void(JournalRow&)>& take) {
    std::string condition = "1";
    if (query.side)
        condition += " AND SIDE=@SIDE AND Dental_ID=@Dental_ID";
    if (!query.examiner.empty())
        condition += " AND (CASE WHEN EXAMINER<>'' THEN EXAMINER ELSE LOGIN END)=@EXAMINER";
    if (!query.kind.empty())
        condition += " AND KIND=@KIND";
    if (query.chartAndChecks)
        condition +=
            std::string(" AND (TEETH<>'' OR KIND='") + kChecked + "' OR KIND='" + kDeleted + "')";
    TableStatement st(db);
    st.sql = kSelect;
    st.prepareWhere(condition + " ORDER BY ID;");
    if (query.side) {
        st.bindText("@SIDE", std::to_string(*query.side));
        st.bindText("@Dental_ID", std::to_string(query.dentalId));
    }
    st.bindText("@EXAMINER", toDatabaseText(query.examiner));
    st.bindText("@KIND", query.kind);
    JournalRow row;
    while (st.step()) {
        readRowInto(st, row);
        take(row);
    }
}

std::vector<JournalRow> selectJournal(const ProjectDatabase& db, const JournalQuery& query) {
    std::vector<JournalRow> rows;
    readJournal(db, query, [&rows](JournalRow& row) { rows.push_back(std::move(row)); });
    return rows;
}

std::vector<std::string> selectExaminers(const ProjectDatabase& db) {
    TableStatement st(db);
    st.sql = "SELECT DISTINCT CASE WHEN EXAMINER<>'' THEN EXAMINER ELSE LOGIN END AS WHO FROM "
             "TB_JOURNAL";
    st.prepareWhere("WHO<>'' ORDER BY WHO;");
    std::vector<std::string> names;
    while (st.step())
        names.push_back(fromDatabaseText(st.columnText(0)));
    return names;
}

bool hasJournal(const ProjectDatabase& db) {
    TableStatement st(db);
    st.sql = "SELECT count(*) FROM sqlite_master";
    st.prepareWhere("type='table' AND name='TB_JOURNAL';");
    st.step();
    return st.columnText(0) != "0";
}

} // namespace qdx::journal
