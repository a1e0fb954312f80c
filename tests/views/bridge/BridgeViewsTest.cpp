#include "support/ProjectFixture.h"

#include "matching/SearchRun.h"
#include "store/RecordTable.h"
#include "views/bridge/BridgePattern.h"
#include "views/bridge/BridgeRows.h"
#include "views/bridge/BridgeSearchView.h"
#include "views/print/PrintItems.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

DentalRecord bridged(const std::string& id, const std::string& classes,
                     const std::vector<int>& bridges, const std::string& sex = "0") {
    DentalRecord record = test::chartRecord(id, classes, sex);
    for (int p : bridges)
        record.bridgeChart[static_cast<std::size_t>(p)] = '1';
    return record;
}

BridgePattern patternWithBridges(const std::vector<int>& positions) {
    BridgePattern pattern;
    for (int p : positions)
        pattern.toggleBridge(p);
    return pattern;
}

// Post-mortem P-1 bridges 3, 4, 5 (male), P-2 bridges 3, P-3 none, P-4 bridges 3, 4, 5
// (female); ante-mortem A-1 bridges 3, 4 (male), A-2 none; P-3 is under examination with A-1.
class BridgeViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string teeth = "3334" + std::string(28, '5');
        test::writeProject(
            path,
            {bridged("P-00001", teeth, {3, 4, 5}, "1"), bridged("P-00002", teeth, {3}),
             bridged("P-00003", teeth, {}), bridged("P-00004", teeth, {3, 4, 5}, "2")},
            {bridged("A-00001", teeth, {3, 4}, "1"), bridged("A-00002", std::string(32, '5'), {})},
            {test::matchRow(3, 1, "3")});
        test::openWithLists(model, path);
    }
    test::TempDir dir;
    std::string path = dir.file("b.qdx");
    ProjectModel model;
};

TEST_F(BridgeViewsTest, CellsHeadingsAndHighlightOfTheList) {
    SearchRun run;
    ASSERT_TRUE(runBridgeSearch(model, keepBridgeLists(model, run), 0, run));
    const std::vector<BridgeRow> rows = bridgeRows(*run.findEntry("A-00001"), 0, 50, 0);
    ASSERT_EQ(rows.size(), 5u);
    const BridgeRow& first = rows[0];
    EXPECT_EQ(bridgeCellText(first, 0), "A-00001");
    EXPECT_EQ(bridgeCellText(first, 1), "-1");
    EXPECT_EQ(bridgeCellText(first, kBridgeIdColumn), "A-00001");
    EXPECT_EQ(bridgeCellText(first, 4), "");
    EXPECT_EQ(bridgeCellText(first, kBridgeFixedColumns + 3), "4b");
    EXPECT_FALSE(isBridgeCellHighlighted(first, kBridgeFixedColumns + 3));

    const BridgeRow& best = rows[1];
    EXPECT_EQ(best.displayId, "P-00001");
    EXPECT_EQ(bridgeCellText(best, 1), "");
    EXPECT_EQ(bridgeCellText(best, 4) + bridgeCellText(best, 5) + bridgeCellText(best, 6), "321");
    EXPECT_EQ(bridgeCellText(best, kBridgeFixedColumns + 4), "*5b*");
    EXPECT_TRUE(isBridgeCellHighlighted(best, kBridgeFixedColumns + 4));
    EXPECT_EQ(bridgeCellText(best, kBridgeFixedColumns + 5), " 5b ");
    EXPECT_FALSE(isBridgeCellHighlighted(best, kBridgeFixedColumns + 5));
    // The mark column and the counts are no tooth cells, whatever they read.
    EXPECT_FALSE(isBridgeCellHighlighted(best, 2));
    EXPECT_EQ(bridgeCellText(best, kBridgeColumnCount), "");
    const auto under = std::find_if(rows.begin(), rows.end(),
                                    [](const BridgeRow& r) { return r.displayId == "P-00003"; });
    ASSERT_NE(under, rows.end());
    EXPECT_EQ(bridgeCellText(*under, 2), "u");

    // Hiding: the candidate under examination leaves its place and follows as a grey row.
    const std::vector<BridgeRow> hiding = bridgeRows(*run.findEntry("A-00001"), 0, 50, 1);
    ASSERT_EQ(hiding.size(), 5u);
    EXPECT_EQ(hiding.back().displayId, "P-00003");
    EXPECT_TRUE(hiding.back().grey);
    EXPECT_FALSE(hiding[1].grey);
    EXPECT_EQ(bridgeCsvLines(*run.findEntry("A-00001"), 0, 50, 1).size(), 5u); // no grey row

    EXPECT_EQ(bridgeHeaderText(3), "");
    EXPECT_EQ(bridgeHeaderText(4), "ブリッジ数");
    EXPECT_EQ(bridgeHeaderText(6), "ブリッジ不一致数");
    EXPECT_EQ(bridgeHeaderText(kBridgeFixedColumns), "右上8");
    EXPECT_EQ(bridgeHeaderText(kBridgeColumnCount - 1), "右下8");
    EXPECT_EQ(bridgeInitialWidth(0), 0);
    EXPECT_EQ(bridgeInitialWidth(6), 115);
    EXPECT_EQ(bridgeInitialWidth(kBridgeFixedColumns + 9), 50);
    EXPECT_EQ(bridgeChartCaption("A-00001", "P-00002"), "A-00001 : P-00002");
}

TEST_F(BridgeViewsTest, SidesAsTheMainWindowKeepsThem) {
    EXPECT_EQ(bridgeSideLabel(2), "両方");
    EXPECT_EQ(bridgeRankLabel(1), "ブリッジ不一致数");
    EXPECT_EQ(bridgeDirection(0), 0);
    EXPECT_EQ(bridgeDirection(1), 1);
    EXPECT_EQ(bridgeDirection(2), 1);
    EXPECT_EQ(bridgeConditions(2, 3, 1, 1), (SearchConditions{1, 3, 1, 1}));
}

TEST_F(BridgeViewsTest, APatternRanksTheCandidatesWithItsBridgesFirst) {
    SearchRun run;
    const BridgeLists lists = keepBridgeLists(model, run);
    ASSERT_TRUE(
        runBridgePatternSearch(model, lists, 0, patternRecord(patternWithBridges({3, 4, 5})), run));
    ASSERT_EQ(run.entries().size(), 1u);
    // The run keeps the pattern and the lists: a reload of the model leaves them readable.
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    const std::vector<BridgeRow> rows = bridgeRows(run.entries().front(), 0, 50, 0);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(lists.sideOf(rows[0].record), -1);
    EXPECT_EQ(rows[0].teeth[3], "5b");
    EXPECT_EQ(rows[1].displayId, "P-00001");
    EXPECT_EQ(rows[1].counts[1], "3");
    EXPECT_EQ(lists.sideOf(rows[1].record), PostMortem);
    // The other sex is no excluded pair here: the pattern has no sex.
    EXPECT_EQ(rows[2].displayId, "P-00004");

    // Side 2 lists the first chart, ante-mortem charts first, not the pattern: its entry alone,
    // as the whole side's search scores it.
    SearchRun both;
    const BridgeLists bothLists = keepBridgeLists(model, both);
    ASSERT_TRUE(runBridgePatternSearch(model, bothLists, 2, patternRecord(BridgePattern()), both));
    ASSERT_EQ(both.entries().size(), 1u);
    EXPECT_EQ(both.entries().front().record().displayId, "A-00001");
    EXPECT_EQ(bothLists.sideOf(&both.entries().front().record()), AnteMortem);
    SearchRun whole;
    ASSERT_TRUE(runBridgeSearch(model, bothLists, 2, whole));
    EXPECT_EQ(&whole.entries().front().record(), &both.entries().front().record());
    for (int view : {0, 1})
        EXPECT_EQ(bridgeCsvLines(both.entries().front(), view, 50, 0),
                  bridgeCsvLines(whole.entries().front(), view, 50, 0));
    EXPECT_EQ(bridgeTargetIds(bothLists, 2, 0).front(), "A-00001");
    EXPECT_EQ(bridgeTargetIds(bothLists, 2, 0).back(), "P-00004");
}

// One ID on both sides, an identified pair and a chart that does not search: for every
// target, none and an unknown one, the chart the window searches alone is the one the whole
// side's search lists.
TEST(BridgeListedRecord, IsTheChartTheWholeSidesSearchLists) {
    test::TempDir dir;
    const std::string path = dir.file("l.qdx");
    const std::string teeth = "3334" + std::string(28, '5');
    DentalRecord off = bridged("A-00003", teeth, {3});
    off.valid = "0";
    test::writeProject(path,
                       {bridged("P-00001", teeth, {3, 4}), bridged("A-00002", teeth, {4}),
                        bridged("P-00003", teeth, {})},
                       {bridged("A-00001", teeth, {3}), off, bridged("A-00002", teeth, {5}),
                        bridged("P-00003", teeth, {4})},
                       {test::matchRow(1, 1, "0")});
    ProjectModel model;
    test::openWithLists(model, path);
    const BridgeLists lists = modelBridgeLists(model);
    int found = 0;
    for (int side : {0, 1, 2}) {
        SearchRun whole;
        ASSERT_TRUE(runBridgeSearch(model, lists, side, whole));
        for (int hide : {0, 1}) {
            std::vector<std::string> targets = bridgeTargetIds(lists, side, hide);
            targets.insert(targets.end(), {"", "A-00003", "Z-00009"});
            for (const std::string& target : targets) {
                const SearchEntry* entry = bridgeListedEntry(whole, target, hide);
                EXPECT_EQ(bridgeListedRecord(lists, side, target, hide),
                          entry ? &entry->record() : nullptr)
                    << side << "/" << hide << "/" << target;
                found += entry ? 1 : 0;
            }
        }
    }
    EXPECT_GT(found, 10);
    EXPECT_EQ(lists.sideOf(bridgeListedRecord(lists, 2, "A-00002", 0)), AnteMortem);
    // Hiding skips the identified A-00001, and A-00003 does not search.
    const DentalRecord* firstShown = bridgeListedRecord(lists, 2, "", 1);
    ASSERT_NE(firstShown, nullptr);
    EXPECT_EQ(firstShown->displayId, "A-00002");
}

TEST_F(BridgeViewsTest, ThePrintoutIsTheIndividualSearchsWithBridgeCounts) {
    SearchRun run;
    ASSERT_TRUE(runBridgeSearch(model, keepBridgeLists(model, run), 1, run));
    const SearchEntry* entry = run.findEntry("P-00001");
    ASSERT_NE(entry, nullptr);
    const IndividualSearchPrintJob job = bridgeSearchPrintJob(entry, 1, 1, 2, 0, 0);
    EXPECT_EQ(job.direction, 1);
    EXPECT_EQ(job.rankName, "ブリッジ不一致数");
    EXPECT_EQ(bridgeSearchPrintJob(entry, 2, 0, 2, 0, 0).direction, 1);
    EXPECT_EQ(bridgeSearchPrintJob(entry, 0, 0, 2, 0, 0).rankName, "ブリッジ一致数");
    ASSERT_EQ(job.candidates.size(), 2u);
    // View 1: neither has a mismatch, so the list order stands.
    EXPECT_EQ(job.candidates[1].displayId, "A-00002");
    const IndividualPrintCandidate& c = job.candidates[0];
    EXPECT_EQ(c.displayId, "A-00001");
    EXPECT_EQ(c.searchCount, 2);
    EXPECT_EQ(c.exactMatchCount, 2);
    EXPECT_EQ(c.fullRestorationMissingMatchCount, 0);
    EXPECT_EQ(c.score, 0.0);
    EXPECT_EQ(c.teeth[0], "*3");
    EXPECT_EQ(c.teeth[3], "*4");
    EXPECT_EQ(c.teeth[4], " 5");
    const std::vector<PrintPage> pages = layoutIndividualSearchPrint(job, PrintMetrics{});
    EXPECT_EQ(pages.size(), 1u);
}

} // namespace
} // namespace qdx

namespace qdx {
namespace {

// One item per candidate row below the searching chart, the last chosen; a listing with only
// the searching chart (or nothing) gives an empty, unselected list.
TEST(BridgeDisplayCount, OneItemPerCandidateRowTheLastChosen) {
    const DisplayCountChoice three = bridgeDisplayCountChoice(4);
    EXPECT_EQ(three.items, 3);
    EXPECT_EQ(three.selected, 2);
    EXPECT_EQ(three.displayCount(), 3);
    for (int rows : {0, 1}) {
        const DisplayCountChoice none = bridgeDisplayCountChoice(rows);
        EXPECT_EQ(none.items, 0);
        EXPECT_EQ(none.selected, -1);
        EXPECT_EQ(none.displayCount(), 0);
    }
    // Another target or hiding keeps the chosen count where the new list still offers it.
    EXPECT_EQ(bridgeDisplayCountChoice(11, 4).selected, 4);
    EXPECT_EQ(bridgeDisplayCountChoice(5, 3).selected, 3);
    EXPECT_EQ(bridgeDisplayCountChoice(5, 4).selected, 3);
    EXPECT_EQ(bridgeDisplayCountChoice(1, 0).selected, -1);
}

} // namespace
} // namespace qdx
