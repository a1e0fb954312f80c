// The record lists are put in ID order in the program instead of by SQLite's ORDER BY; these
// tests hold the lists against SQLite's own sort of the same table, including the cases where
// the program must leave the sorting to SQLite.
#include "store/ProjectDatabase.h"
#include "store/RecordTable.h"
#include "store/TableStatement.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qdx {
namespace {

using namespace records;

class RecordListOrderTest : public ::testing::Test {
protected:
    void SetUp() override { db.open(dir.file("p.qdx")); }

    void run(const std::string& sql) {
        TableStatement st(db);
        st.sql = sql;
        st.prepareInsert();
        st.step();
    }

    // Adds a record with the ID parts given as SQL values (so that any text, or a BLOB, can be
    // stored as another tool might have).
    void addRaw(int side, const std::string& upper, const std::string& lower) {
        run("INSERT INTO " + std::string(tableName(side)) + " (EXT_IDu, EXT_IDl, name) VALUES (" +
            upper + ", " + lower + ", 'n')");
    }

    // The keys in the order SQLite's ORDER BY on the ID parts gives.
    std::vector<std::string> sqliteOrder(int side) {
        TableStatement st(db);
        st.sql =
            "SELECT Dental_ID FROM " + std::string(tableName(side)) + " ORDER BY EXT_IDu, EXT_IDl;";
        st.prepare();
        std::vector<std::string> keys;
        while (st.step())
            keys.push_back(st.columnText(0));
        return keys;
    }

    static std::vector<std::string> keys(const std::vector<DentalRecord>& list) {
        std::vector<std::string> result;
        for (const DentalRecord& record : list)
            result.push_back(record.Dental_ID);
        return result;
    }

    test::TempDir dir;
    ProjectDatabase db;
};

TEST_F(RecordListOrderTest, ListsFollowSqliteByteOrderOfTheIdParts) {
    // Prefixes, case, digits, multi-byte and high bytes, empty parts and a dash inside the upper
    // part (which a displayed ID cannot tell from the separator).
    const std::vector<std::pair<std::string, std::string>> ids = {
        {"'A'", "'1'"},
        {"'A'", "'10'"},
        {"'A'", "'9'"},
        {"'AB'", "''"},
        {"'A-B'", "'1'"},
        {"'A'", "'-B-1'"},
        {"''", "'1'"},
        {"''", "''"},
        {"'a'", "'1'"},
        {"'あ'", "'1'"},
        {"'ア'", "'1'"},
        {"'Ａ'", "'1'"},
        {"'é'", "'00001'"},
        {"'e'", "'00001'"},
        {"'A '", "'1'"},
        {"'A'", "' 1'"},
        {"x'ff41'", "'1'"},
        {"'~'", "'1'"},
        {"'10'", "'00001'"},
        {"'9'", "'00001'"},
        // Parts that share their first eight bytes or end right there.
        {"'ABCDEFGH'", "'1'"},
        {"'ABCDEFGHI'", "'2'"},
        {"'ABCDEFGHIZ'", "'3'"},
        {"'ABCDEFGHIA'", "'4'"},
        {"'ABCDEFGHIJ'", "'0000000012'"},
        {"'ABCDEFGHIJ'", "'00000000012'"},
        {"'ABCDEFGH'", "'00000000'"},
        {"'ABCDEFGH'", "'000000001'"},
        {"'ABCDEFG'", "'1'"}};
    for (int side : {PostMortem, AnteMortem}) {
        for (const auto& [upper, lower] : ids)
            addRaw(side, upper == "x'ff41'" ? "CAST(x'ff41' AS TEXT)" : upper, lower);
        EXPECT_EQ(keys(selectRecordsWithMatch(db, side)), sqliteOrder(side)) << side;
    }
    // Many random IDs of a few characters, so that common starts are frequent.
    run("DELETE FROM TB_BEFOR");
    std::mt19937 random(7);
    const std::string letters = "AaB0-9";
    for (int i = 0; i < 2000; ++i) {
        std::string upper, lower;
        if (i % 3 == 0)
            upper = "ABCDEFG"; // long parts with a common start
        for (int n = 0; n < 1 + static_cast<int>(random() % 3); ++n)
            upper += letters[random() % letters.size()];
        lower = (i % 2 == 0 ? "0000000" : "") + std::to_string(i);
        addRaw(AnteMortem, "'" + upper + "'", "'" + lower + "'");
    }
    EXPECT_EQ(keys(selectRecordsWithMatch(db, AnteMortem)), sqliteOrder(AnteMortem));
}

TEST_F(RecordListOrderTest, SharedIdsAndBlobIdsLeaveTheOrderToSqlite) {
    for (int i = 0; i < 50; ++i)
        addRaw(PostMortem, "'D'", "'" + std::to_string(i % 7) + "'"); // IDs repeat
    addRaw(PostMortem, "'C'", "'1'");
    EXPECT_EQ(keys(selectRecordsWithMatch(db, PostMortem)), sqliteOrder(PostMortem));

    // A BLOB sorts after every text whatever its bytes.
    addRaw(AnteMortem, "x'41'", "'1'");
    addRaw(AnteMortem, "'B'", "'1'");
    addRaw(AnteMortem, "'A'", "x'30'");
    addRaw(AnteMortem, "'A'", "'1'");
    const std::vector<DentalRecord> am = selectRecordsWithMatch(db, AnteMortem);
    EXPECT_EQ(keys(am), sqliteOrder(AnteMortem));
    EXPECT_EQ(am.back().displayId, "A-1"); // the BLOB upper part
}

TEST_F(RecordListOrderTest, EveryRecordKeepsTheMatchSummaryOfItsKeyedQuery) {
    std::mt19937 random(11);
    for (int i = 0; i < 60; ++i) {
        addRaw(PostMortem, "'P" + std::to_string(random() % 5) + "'",
               "'" + std::to_string(i) + "'");
        addRaw(AnteMortem, "'A" + std::to_string(random() % 5) + "'",
               "'" + std::to_string(i) + "'");
    }
    // Several rows per record, every kind, pending rows (key 0, partner ID waiting) and rows
    // naming records that do not exist.
    for (int i = 0; i < 300; ++i) {
        const bool pending = i % 9 == 0;
        const std::string after = pending ? "0" : std::to_string(1 + random() % 65);
        const std::string before = std::to_string(1 + random() % 65);
        run("INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID) VALUES ('" + after +
            "', '" + before + "', '" + std::to_string(random() % 5) + "', '" +
            (pending ? "P1-1" : "") + "')");
    }
    for (int side : {PostMortem, AnteMortem}) {
        const std::vector<DentalRecord> list = selectRecordsWithMatch(db, side);
        ASSERT_EQ(keys(list), sqliteOrder(side));
        int matched = 0;
        for (const DentalRecord& record : list) {
            const DentalRecord keyed = selectRecordWithMatchByKey(db, side, record.Dental_ID);
            EXPECT_EQ(record.displayId, keyed.displayId);
            EXPECT_EQ(record.MATCH, keyed.MATCH) << record.Dental_ID;
            EXPECT_EQ(record.MATCH_KIND, keyed.MATCH_KIND) << record.Dental_ID;
            EXPECT_EQ(record.Match_ID, keyed.Match_ID) << record.Dental_ID;
            EXPECT_EQ(record.MATCH_I_MATCHID, keyed.MATCH_I_MATCHID);
            matched += record.MATCH.empty() ? 0 : 1;
        }
        EXPECT_GT(matched, 10) << side;
    }
}

} // namespace
} // namespace qdx
