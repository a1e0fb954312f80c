#include "store/StoreError.h"

#include "StoreTestSupport.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

using test::rowsOf;

class ProjectModelTest : public ::testing::Test {
protected:
    void SetUp() override { test::openIn(model, dir, "p"); }

    test::TempDir dir;
    ProjectModel model;
};

TEST(RecordEntryTest, TheStoredRecordHoldsTheFieldsAndOnlyValidChartDigits) {
    RecordEntry e;
    e.iMatchId = "kept";
    e.upperIdPart = "AB";
    e.lowerIdPart = "00012";
    e.classes[0] = 1;
    e.classes[31] = 3;
    e.bridges[1] = 1;
    e.present[4] = 1;
    e.deciduous[2] = 1;
    e.registrationDate = "2011-03-20";
    e.place = "石巻";
    e.summary = "memo";
    e.sex = 2;
    e.dentalId = 42;
    e.valid = 2;
    e.name = "山田";
    e.agegroup = 11;
    e.matchId = "A-1";

    const DentalRecord r = e.toRecord();
    EXPECT_EQ(r.Dental_ID, "42");
    EXPECT_EQ(r.displayId, "AB-00012");
    EXPECT_EQ(r.classChart, "1" + std::string(30, '5') + "3");
    EXPECT_EQ(r.bridgeChart, "01" + std::string(30, '0'));
    EXPECT_EQ(r.presentChart.substr(0, 6), "000010");
    EXPECT_EQ(r.deciduousChart.substr(0, 4), "0010");
    EXPECT_EQ(r.UpdateTime, "2011-03-20");
    EXPECT_EQ(r.sex, "2");
    EXPECT_EQ(r.valid, "2");
    EXPECT_EQ(r.agegroup, "11");
    EXPECT_EQ(r.name, "山田");
    EXPECT_EQ(r.place, "石巻");
    EXPECT_EQ(r.summary, "memo");
    EXPECT_EQ(r.Match_ID, "A-1");
    EXPECT_EQ(r.MATCH_I_MATCHID, "kept");

    // Values a chart cannot hold never reach the stored strings.
    e.classes[3] = 9;
    e.classes[4] = -6;
    e.bridges[5] = 7;
    const DentalRecord clamped = e.toRecord();
    EXPECT_EQ(clamped.classChart.substr(3, 2), "55");
    EXPECT_EQ(clamped.bridgeChart[5], '1');

    e.clear();
    EXPECT_EQ(e.upperIdPart, "");
    EXPECT_EQ(e.classes[0], 5);
    EXPECT_EQ(e.valid, 1);
    EXPECT_EQ(e.iMatchId, "kept");
    EXPECT_EQ(e.registrationDate, DentalRecord::todayText());
}

TEST_F(ProjectModelTest, StoringAndDeletingSetFlagsAndSaveClearsThem) {
    EXPECT_FALSE(model.anyChanged());
    test::storeNew(model, AnteMortem, "A", "00001");
    EXPECT_TRUE(model.recordsChangedAM());
    EXPECT_FALSE(model.recordsChangedPM());
    test::storeNew(model, PostMortem, "P", "00001", "石巻");
    EXPECT_TRUE(model.recordsChangedPM());
    model.save();
    EXPECT_FALSE(model.anyChanged());

    long long key = -1;
    EXPECT_TRUE(model.isIdFree(PostMortem, "P-00002", key));
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(model.isIdFree(PostMortem, "P-00001", key));
    EXPECT_GT(key, 0);
    EXPECT_EQ(model.findRecordKey(PostMortem, "P", "00001"), key);
    EXPECT_EQ(model.findRecordKey(PostMortem, "P", "00002"), 0);
    EXPECT_EQ(model.getRecord(PostMortem, key).place, "石巻");
    EXPECT_TRUE(model.getRecord(PostMortem, key + 100).Dental_ID.empty());

    // An update keeps the key and the registration date.
    model.clearEntry();
    model.entry().side = PostMortem;
    model.entry().isUpdate = true;
    model.entry().dentalId = key;
    model.entry().upperIdPart = "P";
    model.entry().lowerIdPart = "00001";
    model.entry().registrationDate = "1999-01-01";
    model.entry().classes[0] = 2;
    EXPECT_EQ(model.storeEntry(), 1);
    EXPECT_TRUE(model.recordsChangedPM());
    const DentalRecord updated = model.getRecordWithMatch(PostMortem, key);
    EXPECT_EQ(updated.classChart[0], '2');
    EXPECT_EQ(updated.UpdateTime, DentalRecord::todayText());
    EXPECT_EQ(model.loadRecordList(PostMortem).size(), 1u);

    model.save();
    model.deleteRecord(AnteMortem, test::keyOf(model, AnteMortem, "A-00001"));
    EXPECT_TRUE(model.recordsChangedAM());
    EXPECT_FALSE(model.recordsChangedPM());
    model.close(false);
    EXPECT_FALSE(model.anyChanged());

    // The delete was rolled back; the saved records are there.
    ProjectModel again;
    test::openIn(again, dir, "p");
    EXPECT_EQ(again.loadRecordList(AnteMortem).size(), 1u);
}

TEST_F(ProjectModelTest, DeletingARecordLeavesNoMatchRowNamingIt) {
    test::storeNew(model, AnteMortem, "A", "00001");
    test::storeNew(model, PostMortem, "P", "00001");
    test::storeNew(model, PostMortem, "P", "00002");
    const long long am = test::keyOf(model, AnteMortem, "A-00001");
    const long long pm1 = test::keyOf(model, PostMortem, "P-00001");
    const long long pm2 = test::keyOf(model, PostMortem, "P-00002");
    MatchRow under;
    under.ID_BEFOR = std::to_string(am);
    under.KIND = MatchKind::UnderInvestigation;
    under.Match_ID = "P-00001";
    MatchRow other = under;
    other.KIND = MatchKind::Imposter;
    other.Match_ID = "P-00002";
    model.replaceMatchHistory(AnteMortem, {under, other});
    ASSERT_EQ(model.getMatchHistory(PostMortem, pm1).size(), 1u);

    // The main window's order: read the history, mark every row deleted, delete, replace.
    auto history = model.getMatchHistory(AnteMortem, am);
    ASSERT_EQ(history.size(), 2u);
    for (auto& row : history)
        row.editState = MatchRow::Deleted;
    model.deleteRecord(AnteMortem, am);
    model.replaceMatchHistory(AnteMortem, history);
    EXPECT_TRUE(model.getMatchHistory(PostMortem, pm1).empty());
    EXPECT_TRUE(model.getMatchHistory(PostMortem, pm2).empty());
    EXPECT_TRUE(rowsOf(test::connectionOf(model), "SELECT * FROM TB_MATCH").empty());

    // Deleting alone also removes rows naming the record, pending ones included.
    test::exec(test::connectionOf(model),
               "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID) VALUES (" +
                   std::to_string(pm2) + ", 0, '3', '0Z-00001')");
    model.deleteRecord(PostMortem, pm2);
    EXPECT_TRUE(rowsOf(test::connectionOf(model), "SELECT * FROM TB_MATCH").empty());
}

TEST_F(ProjectModelTest, DataMatchingDeletesPostMortemRecordsWhoseIdIsOnTheOtherSide) {
    test::storeNew(model, AnteMortem, "K", "00001");
    test::storeNew(model, AnteMortem, "K", "00002");
    test::storeNew(model, AnteMortem, "A", "00009");
    test::storeNew(model, PostMortem, "K", "00001"); // shared, identified with A-00009
    test::storeNew(model, PostMortem, "K", "00002"); // shared, without match rows
    test::storeNew(model, PostMortem, "P", "00001"); // only post-mortem, under examination
    test::storeNew(model, PostMortem, "k", "00001"); // IDs compare case by case
    const long long shared = test::keyOf(model, PostMortem, "K-00001");
    const long long kept = test::keyOf(model, PostMortem, "P-00001");
    const long long am = test::keyOf(model, AnteMortem, "A-00009");
    MatchRow identified;
    identified.ID_AFTER = std::to_string(shared);
    identified.KIND = MatchKind::IdentifiedByChart;
    identified.Match_ID = "A-00009";
    model.replaceMatchHistory(PostMortem, {identified});
    MatchRow under;
    under.ID_AFTER = std::to_string(kept);
    under.KIND = MatchKind::UnderInvestigation;
    under.Match_ID = "A-00009";
    model.replaceMatchHistory(PostMortem, {under});
    test::exec(test::connectionOf(model),
               "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID) VALUES (" +
                   std::to_string(shared) + ", 0, '3', '0Z-00001')");
    model.save();

    EXPECT_EQ(model.deletePostMortemRecordsSharedWithAnteMortem(), 2);
    std::vector<std::string> left;
    for (const DentalRecord& record : model.loadRecordList(PostMortem))
        left.push_back(record.displayId);
    EXPECT_EQ(left, (std::vector<std::string>{"P-00001", "k-00001"}));
    EXPECT_EQ(model.loadRecordList(AnteMortem).size(), 3u);
    // The identified partner keeps no row naming the deleted record; the other pair stays.
    const auto partnerRows = model.getMatchHistory(AnteMortem, am);
    ASSERT_EQ(partnerRows.size(), 1u);
    EXPECT_EQ(partnerRows[0].KIND, MatchKind::UnderInvestigation);
    EXPECT_EQ(rowsOf(test::connectionOf(model), "SELECT COUNT(*) FROM TB_MATCH"),
              (std::vector<std::string>{"1"}));
    EXPECT_TRUE(model.recordsChangedPM());
    EXPECT_FALSE(model.recordsChangedAM());

    // Nothing shared any more: a second run deletes nothing.
    EXPECT_EQ(model.deletePostMortemRecordsSharedWithAnteMortem(), 0);
}

TEST_F(ProjectModelTest, ListsForTheEntryWindows) {
    test::storeNew(model, PostMortem, "b", "00002", "石巻");
    test::storeNew(model, PostMortem, "B", "00001", "");
    test::storeNew(model, PostMortem, "B", "00003", "石巻");
    test::storeNew(model, PostMortem, "B", "00004", "気仙沼");
    test::storeNew(model, AnteMortem, "10", "00001", "東京");
    EXPECT_EQ(model.loadIdUpperParts(PostMortem), (std::vector<std::string>{"B", "b"}));
    EXPECT_EQ(model.pmIdUpperParts().size(), 2u);
    EXPECT_EQ(model.loadIdUpperParts(AnteMortem), (std::vector<std::string>{"10"}));
    EXPECT_EQ(model.amIdUpperParts(), (std::vector<std::string>{"10"}));
    EXPECT_EQ(model.loadIdLowerParts(PostMortem, "B"),
              (std::vector<std::string>{"00001", "00003", "00004"}));
    auto places = model.loadPlaces();
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, (std::vector<std::string>{"気仙沼", "石巻"}));

    const auto& kept = model.reloadRecords(PostMortem);
    EXPECT_EQ(&kept, &model.records(PostMortem));
    EXPECT_EQ(kept.size(), 4u);
    EXPECT_TRUE(model.records(AnteMortem).empty());
}

TEST_F(ProjectModelTest, ReadsAnotherProjectReadOnly) {
    ProjectModel other;
    test::openIn(other, dir, "other");
    test::storeNew(other, PostMortem, "P", "00001");
    test::storeNew(other, AnteMortem, "A", "00001");
    test::storeNew(other, AnteMortem, "A", "00002");
    MatchRow row;
    row.ID_AFTER = std::to_string(test::keyOf(other, PostMortem, "P-00001"));
    row.KIND = MatchKind::IdentifiedByChart;
    row.Match_ID = "A-00002";
    other.replaceMatchHistory(PostMortem, {row});
    test::exec(test::connectionOf(other), "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, "
                                          "I_MATCHID) VALUES (0, 1, '3', '1X-00001')");
    other.close(true);

    std::vector<DentalRecord> pm, am;
    std::vector<MatchRow> rows;
    ProjectModel::readOtherProject(dir.file("other.qdx"), pm, am, rows);
    EXPECT_EQ(pm.size(), 1u);
    ASSERT_EQ(am.size(), 2u);
    EXPECT_EQ(am[1].displayId, "A-00002");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].ID_BEFOR, am[1].Dental_ID);

    try {
        ProjectModel::readOtherProject(dir.file("missing.qdx"), pm, am, rows);
        FAIL() << "a missing file cannot be read";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.id(), ErrOpen);
    }
    // A file that is not a project fails on its first read.
    test::writeBytes(dir.file("text.qdx"), "not a database at all, just some text\n");
    EXPECT_THROW(ProjectModel::readOtherProject(dir.file("text.qdx"), pm, am, rows), StoreError);
}

} // namespace
} // namespace qdx
