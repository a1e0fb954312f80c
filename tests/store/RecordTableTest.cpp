#include "store/RecordTable.h"
#include "model/RecordId.h"
#include "store/ProjectDatabase.h"
#include "store/RecordInserter.h"
#include "store/StoreError.h"
#include "store/TableStatement.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qdx {
namespace {

using namespace records;

class RecordTableTest : public ::testing::Test {
protected:
    void SetUp() override { db.open(dir.file("p.qdx")); }

    DentalRecord makeRecord(const std::string& id) {
        DentalRecord r;
        r.displayId = id;
        r.name = "山田 太郎";
        r.sex = "1";
        r.agegroup = "4";
        r.place = "石巻";
        r.summary = "line1\r\nline2";
        r.UpdateTime = "2011-03-20";
        return r;
    }

    std::string keyOf(int side, const std::string& id) {
        const IdParts parts = splitDisplayId(id);
        return selectRecordById(db, side, parts.upper, parts.lower).Dental_ID;
    }

    void run(const std::string& sql) {
        TableStatement st(db);
        st.sql = sql;
        st.prepareInsert();
        st.step();
    }

    test::TempDir dir;
    ProjectDatabase db;
};

std::vector<std::string> ids(const std::vector<DentalRecord>& list) {
    std::vector<std::string> result;
    for (const auto& r : list)
        result.push_back(r.displayId);
    return result;
}

TEST_F(RecordTableTest, InsertAndReadBackEveryFieldOnBothSides) {
    DentalRecord r = makeRecord("AB-00012");
    r.classChart[0] = '3';
    r.bridgeChart[0] = '1';
    r.classChart[8] = '5';
    r.presentChart[8] = '1';
    r.deciduousChart[12] = '1';
    for (int side : {0, 1}) {
        insertRecord(db, side, r);
        const DentalRecord back = selectRecordByKey(db, side, keyOf(side, "AB-00012"));
        EXPECT_FALSE(back.Dental_ID.empty());
        EXPECT_EQ(back.displayId, "AB-00012");
        EXPECT_EQ(back.name, r.name);
        EXPECT_EQ(back.sex, "1");
        EXPECT_EQ(back.agegroup, "4");
        EXPECT_EQ(back.place, r.place);
        EXPECT_EQ(back.summary, r.summary);
        EXPECT_EQ(back.valid, "1");
        EXPECT_EQ(back.chart().classChart, r.classChart);
        EXPECT_EQ(back.bridgeChart, r.bridgeChart);
        EXPECT_EQ(back.presentChart, r.presentChart);
        EXPECT_EQ(back.deciduousChart, r.deciduousChart);
        EXPECT_EQ(back.UpdateTime, "2011-03-20");
        EXPECT_EQ(back.MATCH_KIND, MatchKind::Identified);
    }
    // Stored codes are ten characters, position 8 (@dc9) in column dlu1.
    TableStatement st(db);
    st.sql = "SELECT dru8, dlu1, dlu5 FROM TB_AFTER";
    st.prepare();
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnText(0), "3100000000");
    EXPECT_EQ(st.columnText(1), "5000010000");
    EXPECT_EQ(st.columnText(2), "5000001000");
}

TEST_F(RecordTableTest, LegacyFiveCharacterCodesReadAndWriteBack) {
    run("INSERT INTO TB_AFTER (EXT_IDu, EXT_IDl, dru8, dru7) VALUES ('X', '00001', '31000', "
        "'')");
    DentalRecord r = selectRecordById(db, 0, "X", "00001");
    EXPECT_EQ(r.classChart.substr(0, 3), "355");
    EXPECT_EQ(r.bridgeChart.substr(0, 2), "10");
    EXPECT_EQ(r.classChart.size(), 32u);
    EXPECT_EQ(r.presentChart, std::string(32, '0'));
    updateRecord(db, 0, r);
    TableStatement st(db);
    st.sql = "SELECT dru8, dru7 FROM TB_AFTER";
    st.prepare();
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnText(0), "3100000000");
    EXPECT_EQ(st.columnText(1), "5000000000");
}

TEST_F(RecordTableTest, UpdateKeepsTheRegistrationDateAndDeleteRemovesOneRecord) {
    insertRecord(db, 1, makeRecord("A-00001"));
    insertRecord(db, 1, makeRecord("A-00002"));
    DentalRecord r = selectRecordById(db, 1, "A", "00001");
    r.displayId = "B-00009";
    r.name = "changed";
    r.UpdateTime = "2099-01-01";
    updateRecord(db, 1, r);
    const DentalRecord back = selectRecordByKey(db, 1, r.Dental_ID);
    EXPECT_EQ(back.displayId, "B-00009");
    EXPECT_EQ(back.name, "changed");
    EXPECT_EQ(back.UpdateTime, "2011-03-20");

    deleteRecord(db, 1, r.Dental_ID);
    EXPECT_EQ(ids(selectRecords(db, 1)), std::vector<std::string>{"A-00002"});
    EXPECT_TRUE(selectRecords(db, 0).empty());
}

TEST_F(RecordTableTest, MissingRecordReadsAsEmptyNotAsError) {
    const DentalRecord none = selectRecordByKey(db, 0, "999");
    EXPECT_EQ(none.Dental_ID, "");
    EXPECT_EQ(none.displayId, "-");
    EXPECT_EQ(none.classChart, std::string(32, '5')); // empty codes read as the default
    EXPECT_EQ(selectRecordById(db, 1, "no", "such").Dental_ID, "");
    EXPECT_EQ(selectRecordWithMatchByKey(db, 0, "1").Dental_ID, "");
}

TEST_F(RecordTableTest, ListsSortByUtf8BytesOfTheIdParts) {
    for (const char* id : {"b-00001", "B-00002", "10-00001", "9-00001", "B-00010", "あ-00001"})
        insertRecord(db, 0, makeRecord(id));
    const std::vector<std::string> expected = {"10-00001", "9-00001", "B-00002",
                                               "B-00010",  "b-00001", "あ-00001"};
    EXPECT_EQ(ids(selectRecords(db, 0)), expected);
    EXPECT_EQ(ids(selectRecordsWithMatch(db, 0)), expected);
    EXPECT_EQ(selectIdUpperParts(db, 0), (std::vector<std::string>{"10", "9", "B", "b", "あ"}));
    EXPECT_EQ(selectIdLowerParts(db, 0, "B"), (std::vector<std::string>{"00002", "00010"}));
    EXPECT_TRUE(selectIdUpperParts(db, 1).empty());
    EXPECT_EQ(selectPlaces(db), std::vector<std::string>{"石巻"});
}

TEST_F(RecordTableTest, CountByIdGivesZeroTheKeyOrTheCount) {
    insertRecord(db, 0, makeRecord("A-00001"));
    insertRecord(db, 0, makeRecord("A-00002"));
    EXPECT_EQ(countById(db, 0, "A", "00003"), 0);
    EXPECT_EQ(countById(db, 0, "A", "00002"), std::stoll(keyOf(0, "A-00002")));
    EXPECT_EQ(countById(db, 1, "A", "00002"), 0);
    run("INSERT INTO TB_AFTER (EXT_IDu, EXT_IDl) VALUES ('A', '00001')");
    run("INSERT INTO TB_AFTER (EXT_IDu, EXT_IDl) VALUES ('A', '00001')");
    EXPECT_EQ(countById(db, 0, "A", "00001"), 3);
    // Quotes in typed IDs stay inside the value.
    insertRecord(db, 0, makeRecord("O'Neil-00001"));
    EXPECT_EQ(countById(db, 0, "O'Neil", "00001"), std::stoll(keyOf(0, "O'Neil-00001")));
    EXPECT_EQ(selectIdLowerParts(db, 0, "O'Neil"), std::vector<std::string>{"00001"});
}

TEST_F(RecordTableTest, MatchSummaryShowsTheSmallestResolvedKind) {
    insertRecord(db, 0, makeRecord("P-00001")); // kinds 4 and 1
    insertRecord(db, 0, makeRecord("P-00002")); // no rows
    insertRecord(db, 0, makeRecord("P-00003")); // pending rows only
    insertRecord(db, 0, makeRecord("P-00004")); // smallest kind is pending
    insertRecord(db, 1, makeRecord("A-00001"));
    insertRecord(db, 1, makeRecord("A-00002"));
    const std::string p1 = keyOf(0, "P-00001"), p3 = keyOf(0, "P-00003");
    const std::string p4 = keyOf(0, "P-00004");
    const std::string a1 = keyOf(1, "A-00001"), a2 = keyOf(1, "A-00002");
    const auto match = [&](const std::string& after, const std::string& before, const char* kind,
                           const char* pending) {
        run("INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID) VALUES ('" + after +
            "', '" + before + "', '" + kind + "', '" + pending + "')");
    };
    match(p1, a1, "4", "");
    match(p1, a2, "1", "");
    match(p3, "0", "1", "0Z-00001");
    match(p4, "0", "1", "0Z-00002");
    match(p4, a1, "3", "");

    const auto list = selectRecordsWithMatch(db, 0);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].Match_ID, "A-00002");
    EXPECT_EQ(list[0].MATCH_KIND, MatchKind::IdentifiedByChart);
    EXPECT_EQ(list[0].MATCH_I_MATCHID, "");
    EXPECT_FALSE(list[0].MATCH.empty());
    for (int i : {1, 2, 3}) {
        EXPECT_EQ(list[i].Match_ID, "") << i;
        EXPECT_EQ(list[i].MATCH, "") << i;
        EXPECT_EQ(list[i].MATCH_KIND, MatchKind()) << i;
    }
    const auto am = selectRecordsWithMatch(db, 1);
    ASSERT_EQ(am.size(), 2u);
    EXPECT_EQ(am[0].MATCH_KIND, MatchKind::UnderInvestigation); // A-00001: kinds 4 (P1) and 3 (P4)
    EXPECT_EQ(am[0].Match_ID, "P-00004");
    EXPECT_EQ(am[1].MATCH_KIND, MatchKind::IdentifiedByChart);
    EXPECT_EQ(selectRecordWithMatchByKey(db, 0, p1).Match_ID, "A-00002");
}

TEST_F(RecordTableTest, FailedStepLeavesTheProjectTransactionUsable) {
    insertRecord(db, 0, makeRecord("A-00001"));
    run("CREATE TRIGGER refuse BEFORE INSERT ON TB_BEFOR BEGIN SELECT RAISE(ABORT, 'no'); END");
    try {
        insertRecord(db, 1, makeRecord("A-00001"));
        FAIL() << "insert should fail";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.id(), ErrStep);
        EXPECT_EQ(error.databaseText(), "no");
    }
    db.save();
    db.close(false);
    db.open(dir.file("p.qdx"));
    EXPECT_EQ(ids(selectRecords(db, 0)), std::vector<std::string>{"A-00001"});
}

// Every stored column but the key, of each row of a side's table in key order.
std::vector<std::string> storedRows(const ProjectDatabase& db, int side) {
    TableStatement st(db);
    st.sql = std::string("SELECT * FROM ") + tableName(side);
    st.prepareWhere("1 ORDER BY Dental_ID;");
    std::vector<std::string> rows;
    while (st.step()) {
        std::string row;
        for (int c = 1; c <= 41; ++c)
            row += st.columnText(c) + "|";
        rows.push_back(row);
    }
    return rows;
}

// The kept insert statement writes what insertRecord writes, on both sides, across a save and
// a reopen; a row the file refused does not leave its texts to the next one.
TEST_F(RecordTableTest, TheKeptInserterWritesTheSameRowsAndRecoversFromARefusal) {
    DentalRecord chart = makeRecord("A-00001");
    ChartStrings teeth = chart.chart();
    teeth.classChart = "12345670123456701234567012345670";
    teeth.bridgeChart = std::string(16, '0') + std::string(16, '1');
    teeth.deciduousChart = std::string(8, '1') + std::string(24, '0');
    chart.setChart(teeth);
    insertRecord(db, 0, chart);
    RecordInserter inserter(db);
    chart.displayId = "A-00002";
    inserter.insert(0, chart);
    std::vector<std::string> rows = storedRows(db, 0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(rows[0].find('|', rows[0].find('|') + 1)),
              rows[1].substr(rows[1].find('|', rows[1].find('|') + 1)));
    EXPECT_EQ(rows[1].substr(0, 8), "A|00002|");

    inserter.insert(1, makeRecord("B-00001"));
    db.save();
    run("CREATE TRIGGER refuse BEFORE INSERT ON TB_BEFOR BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_THROW(inserter.insert(1, makeRecord("B-00002")), StoreError);
    run("DROP TRIGGER refuse");
    inserter.insert(1, makeRecord("B-00003"));
    db.close(true);
    db.open(dir.file("p.qdx"));
    inserter.insert(1, makeRecord("B-00004"));
    EXPECT_EQ(ids(selectRecords(db, 1)),
              (std::vector<std::string>{"B-00001", "B-00003", "B-00004"}));
    insertRecord(db, 1, makeRecord("B-00005"));
    rows = storedRows(db, 1);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].substr(rows[3].find('|', rows[3].find('|') + 1)),
              rows[2].substr(rows[2].find('|', rows[2].find('|') + 1)));
}

} // namespace
} // namespace qdx
