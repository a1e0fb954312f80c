#include "store/MatchTable.h"
#include "store/StoreError.h"

#include "StoreTestSupport.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

using test::rowsOf;

class MatchTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::openIn(model, dir, "m");
        for (const char* lower : {"00001", "00002", "00003", "00004"}) {
            test::storeNew(model, PostMortem, "P", lower);
            test::storeNew(model, AnteMortem, "A", lower);
        }
        model.save();
    }

    std::string pm(int n) const { return key(PostMortem, n); }
    std::string am(int n) const { return key(AnteMortem, n); }
    std::string key(int side, int n) const {
        const char* upper = side == PostMortem ? "P-0000" : "A-0000";
        return std::to_string(test::keyOf(model, side, upper + std::to_string(n)));
    }

    void addRow(const std::string& after, const std::string& before, const std::string& kind,
                const std::string& pending = "") {
        test::exec(test::connectionOf(model),
                   "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID) VALUES (" + after +
                       ", " + before + ", '" + kind + "', '" + pending + "')");
    }

    std::vector<std::string> tableRows() const {
        return rowsOf(test::connectionOf(model),
                      "SELECT ID_AFTER, ID_BEFOR, KIND, I_MATCHID FROM TB_MATCH ORDER BY ID");
    }

    static std::vector<std::string> summary(const std::vector<MatchRow>& rows) {
        std::vector<std::string> texts;
        for (const MatchRow& r : rows)
            texts.push_back(r.KIND.storedText() + ":" + r.Match_ID);
        return texts;
    }

    test::TempDir dir;
    ProjectModel model;
};

TEST_F(MatchTableTest, HistoryIsOrderedByKindThenPartnerAndSkipsPendingRows) {
    addRow(pm(1), am(2), "4");
    addRow(pm(1), am(3), "3");
    addRow(pm(1), am(4), "1");
    addRow(pm(1), am(1), "3");
    addRow(pm(1), "0", "2", "0A-00009");
    addRow(pm(2), am(1), "1");
    EXPECT_EQ(summary(model.getMatchHistory(PostMortem, std::stoll(pm(1)))),
              (std::vector<std::string>{"1:A-00004", "3:A-00001", "3:A-00003", "4:A-00002"}));
    EXPECT_EQ(summary(model.getMatchHistory(AnteMortem, std::stoll(am(1)))),
              (std::vector<std::string>{"1:P-00002", "3:P-00001"}));
    EXPECT_TRUE(model.getMatchHistory(AnteMortem, 999).empty());

    const auto resolved = model.getResolvedMatches();
    ASSERT_EQ(resolved.size(), 5u);
    EXPECT_LT(std::stoll(resolved[0].ID), std::stoll(resolved[4].ID));
    const MatchRow one = model.getMatch(resolved[2].ID);
    EXPECT_EQ(one.KIND, MatchKind::IdentifiedByChart);
    EXPECT_EQ(one.ID_BEFOR, am(4));
    EXPECT_TRUE(model.getMatch("999").ID.empty());
}

TEST_F(MatchTableTest, ListSummaryTakesTheSmallestKindAndIgnoresPendingRows) {
    addRow(pm(1), am(2), "4");
    addRow(pm(1), am(3), "1");
    addRow(pm(2), am(4), "3");
    addRow(pm(2), "0", "1", "0A-00099"); // the smallest kind is pending: no summary
    addRow("0", am(4), "2", "1P-00077");
    const auto list = model.loadRecordList(PostMortem);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].displayId, "P-00001");
    EXPECT_EQ(list[0].MATCH_KIND, MatchKind::IdentifiedByChart);
    EXPECT_EQ(list[0].Match_ID, "A-00003");
    EXPECT_EQ(list[1].MATCH_KIND, MatchKind());
    EXPECT_EQ(list[1].Match_ID, "");
    EXPECT_EQ(list[2].MATCH, "");
    const auto amList = model.loadRecordList(AnteMortem);
    EXPECT_EQ(amList[3].MATCH_KIND, MatchKind());
    EXPECT_EQ(amList[2].MATCH_KIND, MatchKind::IdentifiedByChart);
    EXPECT_EQ(amList[2].Match_ID, "P-00001");
}

TEST_F(MatchTableTest, SamePersonHistoryTakesThePartnerAwayFromOthers) {
    // Y = A-00001 was the same person as P-00002 and has open questions with P-00003/P-00004.
    addRow(pm(2), am(1), "1");
    addRow(pm(3), am(1), "3");
    addRow(pm(4), am(1), "4");
    addRow(pm(1), am(2), "4");
    addRow(pm(1), am(3), "3");

    std::vector<MatchRow> history = model.getMatchHistory(PostMortem, std::stoll(pm(1)));
    ASSERT_EQ(history.size(), 2u);
    history[0].editState = MatchRow::Deleted; // the "3" row with A-00003
    MatchRow same;
    same.ID_AFTER = pm(1);
    same.KIND = MatchKind::IdentifiedByOther;
    same.Match_ID = "A-00001";
    same.editState = MatchRow::Added;
    history.push_back(same);
    model.save();
    model.replaceMatchHistory(PostMortem, history);
    EXPECT_TRUE(model.settingsOrMatchesChanged());

    EXPECT_EQ(tableRows(),
              (std::vector<std::string>{pm(3) + "|" + am(1) + "|3|", pm(4) + "|" + am(1) + "|4|",
                                        pm(1) + "|" + am(2) + "|4|", pm(1) + "|" + am(1) + "|2|"}));
    EXPECT_TRUE(model.getMatchHistory(PostMortem, std::stoll(pm(2))).empty());
}

TEST_F(MatchTableTest, ReplacingWithEveryRowDeletedOrUnknownPartners) {
    addRow(pm(1), am(2), "4");
    addRow(pm(1), am(3), "3");
    addRow(pm(1), "0", "3", "0A-00050"); // waits for an ante-mortem A-00050: not in the list
    addRow(pm(2), am(3), "3");
    auto history = model.getMatchHistory(PostMortem, std::stoll(pm(1)));
    for (auto& row : history)
        row.editState = MatchRow::Deleted;
    model.replaceMatchHistory(PostMortem, history);
    EXPECT_EQ(tableRows(),
              (std::vector<std::string>{pm(1) + "|0|3|0A-00050", pm(2) + "|" + am(3) + "|3|"}));

    // A partner ID that names no record is stored with partner key 0 and no pending mark.
    MatchRow unknown;
    unknown.ID_AFTER = pm(1);
    unknown.KIND = MatchKind::UnderInvestigation;
    unknown.Match_ID = "Z-12345";
    model.replaceMatchHistory(PostMortem, {unknown});
    EXPECT_EQ(tableRows().back(), pm(1) + "|0|3|");

    // An empty history writes nothing and changes no flag.
    model.save();
    model.replaceMatchHistory(PostMortem, {});
    EXPECT_FALSE(model.settingsOrMatchesChanged());
}

TEST_F(MatchTableTest, EditingAHistoryKeepsTheRowsWaitingForAPartner) {
    addRow(pm(1), am(2), "3");
    addRow(pm(1), "0", "4", "0A-00077"); // waits for the ante-mortem record A-00077
    addRow("0", am(1), "3", "1P-00001"); // names P-00001 only by its pending mark
    auto history = model.getMatchHistory(PostMortem, std::stoll(pm(1)));
    ASSERT_EQ(history.size(), 1u);
    history[0].KIND = MatchKind::Imposter;
    history[0].editState = MatchRow::Changed;
    model.replaceMatchHistory(PostMortem, history);
    EXPECT_EQ(tableRows(),
              (std::vector<std::string>{pm(1) + "|0|4|0A-00077", "0|" + am(1) + "|3|1P-00001",
                                        pm(1) + "|" + am(2) + "|4|"}));

    // The kept row still finds its partner when that record is entered.
    test::storeNew(model, AnteMortem, "A", "00077");
    const std::string newKey = std::to_string(test::keyOf(model, AnteMortem, "A-00077"));
    EXPECT_EQ(tableRows().front(), pm(1) + "|" + newKey + "|4|");
    EXPECT_EQ(summary(model.getMatchHistory(PostMortem, std::stoll(pm(1)))),
              (std::vector<std::string>{"4:A-00002", "4:A-00077"}));
}

TEST_F(MatchTableTest, PendingRowsAreLinkedToTheNewRecord) {
    addRow("0", am(1), "1", "1AB-00012");
    addRow("0", am(2), "3", "1AB-00012");
    addRow("0", am(3), "3", "1AB-00013");
    addRow(pm(1), "0", "3", "0AB-00012"); // waits for an ante-mortem AB-00012
    model.save();
    test::storeNew(model, PostMortem, "AB", "00012");
    EXPECT_TRUE(model.settingsOrMatchesChanged());
    const std::string newKey = std::to_string(test::keyOf(model, PostMortem, "AB-00012"));
    EXPECT_EQ(tableRows(),
              (std::vector<std::string>{newKey + "|" + am(1) + "|1|", newKey + "|" + am(2) + "|3|",
                                        "0|" + am(3) + "|3|1AB-00013", pm(1) + "|0|3|0AB-00012"}));
    const auto list = model.loadRecordList(PostMortem);
    EXPECT_EQ(list.front().displayId, "AB-00012");
    EXPECT_EQ(list.front().Match_ID, "A-00001");
    EXPECT_EQ(matches::pendingKey(AnteMortem, "X-1"), "0X-1");

    // The link alone, as stored files leave it: the waiting row loses its mark only.
    addRow("0", am(4), "4", "1Q-00001");
    model.linkPendingMatches(PostMortem, "Q-00001");
    EXPECT_EQ(tableRows().back(), "0|" + am(4) + "|4|");
}

TEST_F(MatchTableTest, PairIndexKeepsTheLowestIdAndImportedRowsAreComplete) {
    MatchRow a;
    a.ID_AFTER = "5";
    a.ID_BEFOR = "7";
    a.KIND = MatchKind::UnderInvestigation;
    a.I_MATCHID = "1X-00001"; // imported rows are always stored complete
    MatchRow b = a;
    b.KIND = MatchKind::IdentifiedByChart;
    MatchRow c = a;
    c.ID_BEFOR = "8";
    c.KIND = MatchKind::Imposter;
    model.save();
    model.insertMatches({a, b, c});
    EXPECT_TRUE(model.settingsOrMatchesChanged());
    const PairOutcomeMap index = model.loadPairOutcomes();
    EXPECT_EQ(index, (PairOutcomeMap{{"5-7", MatchKind::UnderInvestigation},
                                     {"5-8", MatchKind::Imposter}}));
    addRow("5", "9", "2", "0A-1");
    EXPECT_EQ(model.loadPairOutcomes().count("5-9"), 0u);
}

TEST_F(MatchTableTest, AFailedStepLeavesTheTransactionOpenAndNoStatementBehind) {
    addRow(pm(1), am(2), "4");
    model.save();
    sqlite3* connection = test::connectionOf(model);
    test::exec(connection, "CREATE TEMP TRIGGER refuse BEFORE INSERT ON TB_MATCH "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    auto history = model.getMatchHistory(PostMortem, std::stoll(pm(1)));
    try {
        model.replaceMatchHistory(PostMortem, history);
        FAIL() << "the insert should have failed";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.id(), ErrStep);
        EXPECT_NE(error.databaseText().find("refused"), std::string::npos);
    }
    EXPECT_EQ(sqlite3_next_stmt(connection, nullptr), nullptr);
    EXPECT_EQ(sqlite3_get_autocommit(connection), 0); // still inside the project transaction
    EXPECT_TRUE(model.settingsOrMatchesChanged());
    EXPECT_TRUE(tableRows().empty()); // the delete ran before the failing insert
    model.close(false);               // the rollback restores the saved row
    test::RawFile raw(dir.file("m.qdx"));
    EXPECT_EQ(rowsOf(raw.get(), "SELECT KIND FROM TB_MATCH"), (std::vector<std::string>{"4"}));
}

TEST_F(MatchTableTest, AFailedPrepareReportsAndASaveStillWorks) {
    test::exec(test::connectionOf(model), "DROP TABLE TB_SETUP_PRO");
    try {
        model.saveSettings6(SettingsWrite::Update);
        FAIL() << "the update should have failed";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.id(), ErrUpdate);
        EXPECT_FALSE(error.databaseText().empty());
    }
    EXPECT_THROW(model.loadSettings6(), StoreError);
    EXPECT_EQ(sqlite3_next_stmt(test::connectionOf(model), nullptr), nullptr);
    test::storeNew(model, PostMortem, "P", "00009");
    model.save();
    EXPECT_TRUE(model.isOpen());
    model.close(false);
    ProjectModel again;
    test::openIn(again, dir, "m"); // the dropped table is created again with its rows
    EXPECT_EQ(rowsOf(test::connectionOf(again), "SELECT ID FROM TB_SETUP_PRO ORDER BY ID"),
              (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(again.loadRecordList(PostMortem).size(), 5u);
}

TEST_F(MatchTableTest, ADamagedKindIsReadAsNoOutcomeAndWrittenBackAsItWas) {
    addRow(pm(1), am(1), "9");
    addRow(pm(1), am(2), "x,");
    addRow(pm(2), am(3), "9");
    const auto history = model.getMatchHistory(PostMortem, std::stoll(pm(1)));
    EXPECT_EQ(summary(history), (std::vector<std::string>{"9:A-00001", "x,:A-00002"}));
    EXPECT_FALSE(history[0].KIND.isRecorded());
    for (const DentalRecord& record : model.loadRecordList(PostMortem)) {
        if (record.displayId == "P-00002") {
            EXPECT_EQ(record.MATCH_KIND, MatchKind::fromStored("9"));
        }
    }

    model.replaceMatchHistory(PostMortem, history);
    EXPECT_EQ(tableRows(),
              (std::vector<std::string>{pm(2) + "|" + am(3) + "|9|", pm(1) + "|" + am(1) + "|9|",
                                        pm(1) + "|" + am(2) + "|x,|"}));
    EXPECT_EQ(model.loadPairOutcomes().at(pm(1) + "-" + am(2)), MatchKind::fromStored("x,"));
}

} // namespace
} // namespace qdx
