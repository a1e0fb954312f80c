#include "store/RecordTable.h"
#include "store/RecordInserter.h"

#include "model/RecordId.h"
#include "store/ProjectDatabase.h"
#include "store/RecordListOrder.h"
#include "store/TableStatement.h"

#include <cstdlib>

namespace qdx::records {

namespace {

// Statement texts for TB_AFTER; the ante-mortem table's read the same with the table name
// exchanged, except the join, which has its own text.
const char* const kSelectAll =
    "SELECT TB_AFTER.Dental_ID,TB_AFTER.EXT_IDu, TB_AFTER.EXT_IDl, TB_AFTER.name, TB_AFTER.sex, "
    "TB_AFTER.agegroup, TB_AFTER.place, TB_AFTER.summary, TB_AFTER.valid, TB_AFTER.dru8, "
    "TB_AFTER.dru7, TB_AFTER.dru6, TB_AFTER.dru5, TB_AFTER.dru4, TB_AFTER.dru3, TB_AFTER.dru2, "
    "TB_AFTER.dru1, TB_AFTER.dlu1, TB_AFTER.dlu2, TB_AFTER.dlu3, TB_AFTER.dlu4, TB_AFTER.dlu5, "
    "TB_AFTER.dlu6, TB_AFTER.dlu7, TB_AFTER.dlu8, TB_AFTER.dld8, TB_AFTER.dld7, TB_AFTER.dld6, "
    "TB_AFTER.dld5, TB_AFTER.dld4, TB_AFTER.dld3, TB_AFTER.dld2, TB_AFTER.dld1, TB_AFTER.drd1, "
    "TB_AFTER.drd2, TB_AFTER.drd3, TB_AFTER.drd4, TB_AFTER.drd5, TB_AFTER.drd6, TB_AFTER.drd7, "
    "TB_AFTER.drd8, TB_AFTER.UpdateTime  FROM TB_AFTER ORDER BY TB_AFTER.EXT_IDu,TB_AFTER.EXT_IDl ";
const char* const kSelectPlain =
    "SELECT TB_AFTER.Dental_ID,TB_AFTER.EXT_IDu, TB_AFTER.EXT_IDl, TB_AFTER.name, TB_AFTER.sex, "
    "TB_AFTER.agegroup, TB_AFTER.place, TB_AFTER.summary, TB_AFTER.valid, TB_AFTER.dru8, "
    "TB_AFTER.dru7, TB_AFTER.dru6, TB_AFTER.dru5, TB_AFTER.dru4, TB_AFTER.dru3, TB_AFTER.dru2, "
    "TB_AFTER.dru1, TB_AFTER.dlu1, TB_AFTER.dlu2, TB_AFTER.dlu3, TB_AFTER.dlu4, TB_AFTER.dlu5, "
    "TB_AFTER.dlu6, TB_AFTER.dlu7, TB_AFTER.dlu8, TB_AFTER.dld8, TB_AFTER.dld7, TB_AFTER.dld6, "
    "TB_AFTER.dld5, TB_AFTER.dld4, TB_AFTER.dld3, TB_AFTER.dld2, TB_AFTER.dld1, TB_AFTER.drd1, "
    "TB_AFTER.drd2, TB_AFTER.drd3, TB_AFTER.drd4, TB_AFTER.drd5, TB_AFTER.drd6, TB_AFTER.drd7, "
    "TB_AFTER.drd8, TB_AFTER.UpdateTime  FROM TB_AFTER";
const char* const kSelectJoinPm =
    "SELECT TB_AFTER.Dental_ID,TB_AFTER.EXT_IDu, TB_AFTER.EXT_IDl, TB_AFTER.name, TB_AFTER.sex, "
    "TB_AFTER.agegroup, TB_AFTER.place, TB_AFTER.summary, TB_AFTER.valid, TB_AFTER.dru8, "
    "TB_AFTER.dru7, TB_AFTER.dru6, TB_AFTER.dru5, TB_AFTER.dru4, TB_AFTER.dru3, TB_AFTER.dru2, "
    "TB_AFTER.dru1, TB_AFTER.dlu1, TB_AFTER.dlu2, TB_AFTER.dlu3, TB_AFTER.dlu4, TB_AFTER.dlu5, "
    "TB_AFTER.dlu6, TB_AFTER.dlu7, TB_AFTER.dlu8, TB_AFTER.dld8, TB_AFTER.dld7, TB_AFTER.dld6, "
    "TB_AFTER.dld5, TB_AFTER.dld4, TB_AFTER.dld3, TB_AFTER.dld2, TB_AFTER.dld1, TB_AFTER.drd1, "
    "TB_AFTER.drd2, TB_AFTER.drd3, TB_AFTER.drd4, TB_AFTER.drd5, TB_AFTER.drd6, TB_AFTER.drd7, "
    "TB_AFTER.drd8, TB_AFTER.UpdateTime ,(TB_BEFOR.EXT_IDu||'-'||TB_BEFOR.EXT_IDl) as Match_ID, "
    "TB_MATCH.ID AS MATCH, TB_MATCH.KIND AS MATCH_KIND, TB_MATCH.I_MATCHID AS MATCH_I_MATCHID FROM "
    "TB_AFTER LEFT JOIN (select AA.ID, AA.ID_AFTER, AA.ID_BEFOR, AA.KIND, AA.I_MATCHID from "
    "TB_MATCH AS AA where AA.I_MATCHID = '' AND AA.KIND = (select min(BB.KIND) from TB_MATCH AS BB "
    "where AA.ID_AFTER = BB.ID_AFTER group by ID_AFTER) group by ID_AFTER ) AS TB_MATCH ON "
    "TB_MATCH.ID_AFTER=TB_AFTER.Dental_ID LEFT JOIN TB_BEFOR ON "
    "TB_MATCH.ID_BEFOR=TB_BEFOR.Dental_ID ";
const char* const kSelectJoinAm =
    "SELECT TB_BEFOR.Dental_ID,TB_BEFOR.EXT_IDu, TB_BEFOR.EXT_IDl, TB_BEFOR.name, TB_BEFOR.sex, "
    "TB_BEFOR.agegroup, TB_BEFOR.place, TB_BEFOR.summary, TB_BEFOR.valid, TB_BEFOR.dru8, "
    "TB_BEFOR.dru7, TB_BEFOR.dru6, TB_BEFOR.dru5, TB_BEFOR.dru4, TB_BEFOR.dru3, TB_BEFOR.dru2, "
    "TB_BEFOR.dru1, TB_BEFOR.dlu1, TB_BEFOR.dlu2, TB_BEFOR.dlu3, TB_BEFOR.dlu4, TB_BEFOR.dlu5, "
    "TB_BEFOR.dlu6, TB_BEFOR.dlu7, TB_BEFOR.dlu8, TB_BEFOR.dld8, TB_BEFOR.dld7, TB_BEFOR.dld6, "
    "TB_BEFOR.dld5, TB_BEFOR.dld4, TB_BEFOR.dld3, TB_BEFOR.dld2, TB_BEFOR.dld1, TB_BEFOR.drd1, "
    "TB_BEFOR.drd2, TB_BEFOR.drd3, TB_BEFOR.drd4, TB_BEFOR.drd5, TB_BEFOR.drd6, TB_BEFOR.drd7, "
    "TB_BEFOR.drd8, TB_BEFOR.UpdateTime ,(TB_AFTER.EXT_IDu||'-'||TB_AFTER.EXT_IDl) as Match_ID, "
    "TB_MATCH.ID AS MATCH, TB_MATCH.KIND AS MATCH_KIND, TB_MATCH.I_MATCHID AS MATCH_I_MATCHID FROM "
    "TB_BEFOR LEFT JOIN (select AA.ID, AA.ID_AFTER, AA.ID_BEFOR, AA.KIND, AA.I_MATCHID from "
    "TB_MATCH AS AA where AA.I_MATCHID = '' AND AA.KIND = (select min(BB.KIND) from TB_MATCH AS BB "
    "where AA.ID_BEFOR = BB.ID_BEFOR group by ID_BEFOR) group by ID_BEFOR ) AS TB_MATCH ON "
    "TB_MATCH.ID_BEFOR=TB_BEFOR.Dental_ID LEFT JOIN TB_AFTER ON "
    "TB_MATCH.ID_AFTER=TB_AFTER.Dental_ID";
const char* const kInsert =
    "INSERT INTO TB_AFTER (EXT_IDu, EXT_IDl, name, sex, agegroup, place, summary, valid, dru8, "
    "dru7, dru6, dru5, dru4, dru3, dru2, dru1, dlu1, dlu2, dlu3, dlu4, dlu5, dlu6, dlu7, dlu8, "
    "dld8, dld7, dld6, dld5, dld4, dld3, dld2, dld1, drd1, drd2, drd3, drd4, drd5, drd6, drd7, "
    "drd8, UpdateTime ) "
    "VALUES(@EXT_IDu,@EXT_IDl,@name,@sex,@agegroup,@place,@summary,@valid,@dc1,@dc2,@dc3,@dc4,@dc5,"
    "@dc6,@dc7,@dc8,@dc9,@dc10,@dc11,@dc12,@dc13,@dc14,@dc15,@dc16,@dc17,@dc18,@dc19,@dc20,@dc21,@"
    "dc22,@dc23,@dc24,@dc25,@dc26,@dc27,@dc28,@dc29,@dc30,@dc31,@dc32,@date);";
const char* const kUpdate =
    "UPDATE TB_AFTER SET EXT_IDu=@EXT_IDu, EXT_IDl=@EXT_IDl, name=@name, sex=@sex, "
    "agegroup=@agegroup, place=@place, summary=@summary, valid=@valid, dru8=@dc1, dru7=@dc2, "
    "dru6=@dc3, dru5=@dc4, dru4=@dc5, dru3=@dc6, dru2=@dc7, dru1=@dc8, dlu1=@dc9, dlu2=@dc10, "
    "dlu3=@dc11, dlu4=@dc12, dlu5=@dc13, dlu6=@dc14, dlu7=@dc15, dlu8=@dc16, dld8=@dc17, "
    "dld7=@dc18, dld6=@dc19, dld5=@dc20, dld4=@dc21, dld3=@dc22, dld2=@dc23, dld1=@dc24, "
    "drd1=@dc25, drd2=@dc26, drd3=@dc27, drd4=@dc28, drd5=@dc29, drd6=@dc30, drd7=@dc31, "
    "drd8=@dc32 ";
const char* const kDelete = "DELETE FROM TB_AFTER";
const char* const kOrderPm = " ORDER BY TB_AFTER.EXT_IDu,TB_AFTER.EXT_IDl ;";
const char* const kOrderAm = " ORDER BY TB_BEFOR.EXT_IDu,TB_BEFOR.EXT_IDl ;";

std::string forSide(const char* text, int side) {
    std::string result = text;
    if (side == PostMortem)
        return result;
    for (auto at = result.find("TB_AFTER"); at != std::string::npos;
         at = result.find("TB_AFTER", at + 8))
        result.replace(at, 8, "TB_BEFOR");
    return result;
}

constexpr int kFirstToothColumn = 9;
constexpr int kInsertDateParameter = 41;
constexpr int kUpdateTimeColumn = 41;

// Fills a new record from the current row. The columns are read in place into the record's own
// strings (lists read hundreds of thousands of rows, straight into the list's new element), and
// the chart strings keep the room their defaults already hold.
void readRowInto(const TableStatement& st, bool withMatch, DentalRecord& record) {
    record.Dental_ID.assign(st.columnView(0));
    record.displayId =
        composeDisplayId(fromDatabaseText(st.columnView(1)), fromDatabaseText(st.columnView(2)));
    record.name.assign(fromDatabaseText(st.columnView(3)));
    record.sex.assign(st.columnView(4));
    record.agegroup.assign(st.columnView(5));
    record.place.assign(fromDatabaseText(st.columnView(6)));
    record.summary.assign(fromDatabaseText(st.columnView(7)));
    record.valid.assign(st.columnView(8));
    ChartStrings chart{std::move(record.classChart), std::move(record.bridgeChart),
                       std::move(record.presentChart), std::move(record.deciduousChart)};
    for (std::string* s :
         {&chart.classChart, &chart.bridgeChart, &chart.presentChart, &chart.deciduousChart}) {
        s->clear();
        s->reserve(kToothCount);
    }
    for (int i = 0; i < kToothCount; ++i)
        appendToothCode(chart, st.columnView(kFirstToothColumn + i));
    record.setChart(std::move(chart));
    record.UpdateTime.assign(st.columnView(kUpdateTimeColumn));
    if (withMatch) {
        record.Match_ID.assign(fromDatabaseText(st.columnView(42)));
        record.MATCH.assign(st.columnView(43));
        record.MATCH_KIND = MatchKind::fromStored(st.columnView(44));
        record.MATCH_I_MATCHID.assign(fromDatabaseText(st.columnView(45)));
    }
}

DentalRecord readRow(const TableStatement& st, bool withMatch) {
    DentalRecord record;
    readRowInto(st, withMatch, record);
    return record;
}

std::vector<DentalRecord> readList(TableStatement& st, bool withMatch, std::size_t expected) {
    std::vector<DentalRecord> list;
    list.reserve(expected);
    while (st.step())
        readRowInto(st, withMatch, list.emplace_back());
    return list;
}

// The number of records of a side, so that a list is allocated once at its final size.
std::size_t countRecords(const ProjectDatabase& db, int side) {
    TableStatement st(db, keyColumn(side));
    st.sql = forSide("SELECT count(*) FROM TB_AFTER;", side);
    st.prepare();
    st.step();
    return static_cast<std::size_t>(std::strtoull(st.columnText(0).c_str(), nullptr, 10));
}

// The list query without its ORDER BY, with what the ordering here needs.
UnsortedList readUnsortedWithMatch(const ProjectDatabase& db, int side, std::size_t expected) {
    TableStatement st(db, keyColumn(side));
    st.sql = selectJoinText(side);
    st.prepare();
    UnsortedList list;
    list.records.reserve(expected);
    list.upperLengths.reserve(expected);
    while (st.step()) {
        // Asked before reading: a column's type is undefined once its value was converted.
        if (!st.columnIsText(1) || !st.columnIsText(2))
            list.idsAreTexts = false;
        readRowInto(st, true, list.records.emplace_back());
        list.upperLengths.push_back(st.columnView(1).size());
    }
    return list;
}

DentalRecord readOne(TableStatement& st, bool withMatch) {
    st.step();
    return readRow(st, withMatch);
}

std::vector<std::string> readTexts(TableStatement& st) {
    std::vector<std::string> list;
    while (st.step())
        list.push_back(fromDatabaseText(st.columnText(0)));
    return list;
}

// The record's fields and teeth by position: the insert and the update statements name them
// in the same order (@EXT_IDu ... @valid, @dc1 ... @dc32), and the insert's @date comes last.
void bindRecord(TableStatement& st, const DentalRecord& record) {
    const IdParts id = splitDisplayId(record.displayId);
    int at = 0;
    for (const std::string* value :
         {&toDatabaseText(id.upper), &toDatabaseText(id.lower), &toDatabaseText(record.name),
          &record.sex, &record.agegroup, &toDatabaseText(record.place),
          &toDatabaseText(record.summary), &record.valid})
        st.bindTextAt(++at, *value);
    const ChartStrings chart = record.chart();
    for (int i = 0; i < kToothCount; ++i)
        st.bindTextAt(++at, buildToothCode(chart, i));
}

void bindNewRecord(TableStatement& st, const DentalRecord& record) {
    bindRecord(st, record);
    st.bindTextAt(kInsertDateParameter, record.UpdateTime);
}

std::string idCondition(const std::string& upper, const std::string& lower) {
    return " (EXT_IDu='" + quoteValue(toDatabaseText(upper)) + "') AND (EXT_IDl='" +
           quoteValue(toDatabaseText(lower)) + "')";
}

} // namespace

const char* tableName(int side) {
    return side == PostMortem ? "TB_AFTER" : "TB_BEFOR";
}

std::string keyColumn(int side) {
    return std::string(tableName(side)) + ".Dental_ID";
}

std::string selectAllText(int side) {
    return forSide(kSelectAll, side);
}
std::string selectPlainText(int side) {
    return forSide(kSelectPlain, side);
}
std::string selectJoinText(int side) {
    return side == PostMortem ? kSelectJoinPm : kSelectJoinAm;
}
std::string selectJoinListText(int side) {
    return selectJoinText(side) + (side == PostMortem ? kOrderPm : kOrderAm);
}
std::string insertText(int side) {
    return forSide(kInsert, side);
}
std::string updateText(int side) {
    return forSide(kUpdate, side);
}
std::string deleteText(int side) {
    return forSide(kDelete, side);
}

std::vector<DentalRecord> selectRecords(const ProjectDatabase& db, int side) {
    TableStatement st(db, keyColumn(side));
    const std::size_t expected = countRecords(db, side);
    st.sql = selectAllText(side);
    st.prepare();
    return readList(st, false, expected);
}

std::vector<DentalRecord> selectRecordsWithMatch(const ProjectDatabase& db, int side) {
    const std::size_t expected = countRecords(db, side);
    if (idsSortAsBytes(db, side)) {
        UnsortedList list = readUnsortedWithMatch(db, side, expected);
        if (sortByIdParts(list))
            return std::move(list.records);
    }
    TableStatement st(db, keyColumn(side));
    st.sql = selectJoinListText(side);
    st.prepare();
    return readList(st, true, expected);
}

DentalRecord selectRecordWithMatchByKey(const ProjectDatabase& db, int side,
                                        const std::string& dentalId) {
    TableStatement st(db, keyColumn(side));
    st.sql = selectJoinText(side);
    st.prepareWhereKey(dentalId);
    return readOne(st, true);
}

DentalRecord selectRecordByKey(const ProjectDatabase& db, int side, const std::string& dentalId) {
    TableStatement st(db, keyColumn(side));
    st.sql = selectPlainText(side);
    st.prepareWhereKey(dentalId);
    return readOne(st, false);
}

DentalRecord selectRecordById(const ProjectDatabase& db, int side, const std::string& upper,
                              const std::string& lower) {
    TableStatement st(db, keyColumn(side));
    st.sql = selectPlainText(side);
    st.prepareWhere(idCondition(upper, lower) + ";");
    return readOne(st, false);
}

void insertRecord(const ProjectDatabase& db, int side, const DentalRecord& record) {
    TableStatement st(db, keyColumn(side));
    st.sql = insertText(side);
    st.prepareInsert();
    bindNewRecord(st, record);
    st.step();
}

void updateRecord(const ProjectDatabase& db, int side, const DentalRecord& record) {
    TableStatement st(db, keyColumn(side));
    st.sql = updateText(side);
    st.prepareUpdateWhereKey(record.Dental_ID);
    bindRecord(st, record);
    st.step();
}

void deleteRecord(const ProjectDatabase& db, int side, const std::string& dentalId) {
    TableStatement st(db, keyColumn(side));
    st.sql = deleteText(side);
    st.prepareDeleteWhereKeyText(dentalId);
    st.step();
}

std::vector<std::string> selectIdUpperParts(const ProjectDatabase& db, int side) {
    TableStatement st(db, keyColumn(side));
    st.sql = forSide(
        "SELECT DISTINCT EXT_IDu FROM TB_AFTER WHERE EXT_IDu LIKE '_%' ORDER BY EXT_IDu;", side);
    st.prepare();
    return readTexts(st);
}

std::vector<std::string> selectIdLowerParts(const ProjectDatabase& db, int side,
                                            const std::string& upper) {
    TableStatement st(db, keyColumn(side));
    st.sql = forSide("SELECT DISTINCT EXT_IDl FROM TB_AFTER WHERE EXT_IDu='", side) +
             quoteValue(toDatabaseText(upper)) + "' ORDER BY EXT_IDl;";
    st.prepare();
    return readTexts(st);
}

std::vector<std::string> selectPlaces(const ProjectDatabase& db) {
    TableStatement st(db, keyColumn(PostMortem));
    st.sql = "SELECT DISTINCT place FROM TB_AFTER WHERE place LIKE '_%';";
    st.prepare();
    return readTexts(st);
}

long long countById(const ProjectDatabase& db, int side, const std::string& upper,
                    const std::string& lower) {
    TableStatement st(db, keyColumn(side));
    st.sql = forSide("SELECT TB_AFTER.Dental_ID, count(*) As count  FROM TB_AFTER", side);
    st.prepareWhere(idCondition(upper, lower));
    st.step();
    const long long count = std::atoll(st.columnText(1).c_str());
    return count == 1 ? std::atoll(st.columnText(0).c_str()) : count;
}

} // namespace qdx::records

namespace qdx {

RecordInserter::RecordInserter(const ProjectDatabase& db) : m_db(db) {}

RecordInserter::~RecordInserter() = default;

void RecordInserter::insert(int side, const DentalRecord& record) {
    std::unique_ptr<TableStatement>& kept = m_statements[side == PostMortem ? 0 : 1];
    if (!kept || !kept->isPrepared()) {
        kept = std::make_unique<TableStatement>(m_db, records::keyColumn(side));
        kept->sql = records::insertText(side);
        kept->prepareInsert();
    }
    // Rewound on every way out, so nothing of it stays active over a commit.
    struct RewindAfter {
        TableStatement& statement;
        ~RewindAfter() { statement.rewind(); }
    } rewindAfter{*kept};
    records::bindNewRecord(*kept, record);
    kept->step();
}

void RecordInserter::release() {
    for (std::unique_ptr<TableStatement>& kept : m_statements)
        kept.reset();
}

} // namespace qdx
