#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include "io/TextCodec.h"
#include "views/bridge/BridgePattern.h"
#include "views/bridge/BridgeRows.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qdx {
namespace {

using test::runQdx;

DentalRecord bridged(const std::string& id, const std::string& classes,
                     const std::vector<int>& bridges, const std::string& sex = "0") {
    DentalRecord record = test::chartRecord(id, classes, sex);
    for (int p : bridges)
        record.bridgeChart[static_cast<std::size_t>(p)] = '1';
    return record;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (char c : line) {
        if (c == '\t') {
            cells.push_back(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.push_back(cell);
    return cells;
}

std::string allNoInformationWithBridges() {
    std::string cells;
    for (int p = 0; p < 32; ++p)
        cells += (p == 3 || p == 4 || p == 5) ? "5b " : "5 ";
    return cells;
}

class BridgeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string teeth = std::string(3, '3') + "4" + std::string(28, '5');
        // Post-mortem: P-1 bridges 3, 4, 5; P-2 bridges 3; P-3 none; P-4 of the other sex.
        test::writeProject(
            path,
            {bridged("P-00001", teeth, {3, 4, 5}, "1"), bridged("P-00002", teeth, {3}),
             bridged("P-00003", teeth, {}), bridged("P-00004", teeth, {3, 4, 5}, "2")},
            {bridged("A-00001", teeth, {3, 4}, "1"), bridged("A-00002", std::string(32, '5'), {})});
    }
    test::TempDir dir;
    std::string path = dir.file("b.qdx");
};

TEST(BridgePatternTest, TogglesAndCopies) {
    BridgePattern pattern;
    const BridgePattern start = pattern;
    pattern.toggleTooth(7);
    EXPECT_EQ(pattern.state[7], BridgePattern::kMissing);
    pattern.toggleTooth(7);
    pattern.toggleBridge(31);
    EXPECT_EQ(pattern.bridge[31], 1);
    pattern.toggleBridge(31);
    pattern.toggleTooth(32);
    pattern.toggleBridge(-1);
    EXPECT_EQ(pattern, start);

    DentalRecord chart = bridged("X-00001", "1234" + std::string(28, '6'), {1, 2});
    const BridgePattern fromChart = patternFromChart(chart);
    EXPECT_EQ(fromChart.state[3], BridgePattern::kMissing);
    EXPECT_EQ(fromChart.state[0], BridgePattern::kNoInformation);
    EXPECT_EQ(fromChart.bridge[1], 1);
    EXPECT_EQ(fromChart.bridge[0], 0);
    const DentalRecord record = patternRecord(fromChart);
    EXPECT_EQ(record.classChart, "5554" + std::string(28, '5'));
    EXPECT_EQ(record.bridgeChart, "011" + std::string(29, '0'));
    EXPECT_EQ(record.MATCH_KIND, MatchKind());
    // A list row's cells: "4" anywhere means missing, "b" a bridge; the frame is ignored.
    std::vector<std::string> cells(32, " 5  ");
    cells[0] = "*4b*";
    cells[1] = " 3b ";
    const BridgePattern fromRow = patternFromCells(cells);
    EXPECT_EQ(fromRow.state[0], BridgePattern::kMissing);
    EXPECT_EQ(fromRow.state[1], BridgePattern::kNoInformation);
    EXPECT_EQ(fromRow.bridge[0] + fromRow.bridge[1] + fromRow.bridge[2], 2);
}

TEST_F(BridgeCommandTest, TargetsOfBothSidesListAnteMortemFirst) {
    ProjectModel model;
    openProjectFile(model, splitProjectPath(path));
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    const BridgeLists lists = modelBridgeLists(model);
    EXPECT_EQ(bridgeTargetIds(lists, 2, 0),
              (std::vector<std::string>{"A-00001", "A-00002", "P-00001", "P-00002", "P-00003",
                                        "P-00004"}));
    EXPECT_EQ(bridgeTargetIds(lists, 1, 0).front(), "P-00001");
    EXPECT_EQ(bridgeTargetRecord(lists, 2, "P-00002")->displayId, "P-00002");
    EXPECT_EQ(bridgeTargetRecord(lists, 0, "P-00002"), nullptr);
}

TEST_F(BridgeCommandTest, RecordSearchListsBridgeCellsAndCounts) {
    const auto result = runQdx({"bridge", path, "--target", "A-00001"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 6u);
    const auto first = fields(lines[1]);
    EXPECT_EQ(first[1], "A-00001");
    EXPECT_EQ(first[2], "");
    EXPECT_EQ(first[5], "3 ");
    EXPECT_EQ(first[8], "4b");
    // View 0: most bridge matches first; P-1 (3 bridges, 2 shared), then P-2 (1 of 1).
    const auto best = fields(lines[2]);
    EXPECT_EQ(best[1], "P-00001");
    EXPECT_EQ(std::vector<std::string>(best.begin() + 2, best.begin() + 5),
              (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(best[5 + 3], "*4b*");
    EXPECT_EQ(best[5 + 5], " 5b ");
    EXPECT_EQ(best[5 + 0], " 3  ");
    EXPECT_EQ(fields(lines[3])[1], "P-00002");
    // The other sex counts nothing and frames nothing.
    const auto other = fields(lines[5]);
    EXPECT_EQ(other[1], "P-00004");
    EXPECT_EQ(other[2] + other[3] + other[4], "000");
    EXPECT_EQ(other[5 + 3], "4b");

    // View 1: fewest mismatches first, so the chart without bridges leads.
    const auto byMismatch =
        linesOf(runQdx({"bridge", path, "--target", "A-00001", "--rank", "1", "--top", "2"}).out);
    ASSERT_EQ(byMismatch.size(), 4u);
    EXPECT_EQ(fields(byMismatch[2])[1], "P-00002");
}

TEST_F(BridgeCommandTest, PatternSearchRanksTheBridgedCandidatesFirst) {
    const auto result = runQdx({"bridge", path, "--pattern", allNoInformationWithBridges()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = linesOf(result.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(fields(lines[1])[5 + 3], "5b");
    EXPECT_EQ(fields(lines[2])[1], "P-00001");
    EXPECT_EQ(fields(lines[2])[3], "3");

    // Side 1 searches the ante-mortem charts with the pattern.
    const auto am = linesOf(
        runQdx({"bridge", path, "--side", "1", "--pattern", allNoInformationWithBridges()}).out);
    EXPECT_EQ(fields(am[2])[1], "A-00001");
    EXPECT_TRUE(runQdx({"bridge", path, "--side", "2", "--pattern", allNoInformationWithBridges()})
                    .exitCode == 0);

    const auto bad = runQdx({"bridge", path, "--pattern", "3 " + std::string(62, '5')});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("--pattern"), std::string::npos);
    EXPECT_EQ(runQdx({"bridge", path, "--pattern", "5 5b"}).exitCode, 1);
    EXPECT_NE(runQdx({"bridge", path, "--target", "P-00001"}).exitCode, 0);
}

TEST_F(BridgeCommandTest, PatternWithoutCandidatesSaysSo) {
    // Every post-mortem chart identified: hiding leaves no candidate.
    const std::string identified = dir.file("i.qdx");
    test::writeProject(identified, {bridged("P-00001", std::string(32, '5'), {1})},
                       {bridged("A-00001", std::string(32, '5'), {})}, {test::matchRow(1, 1, "1")});
    const auto result = runQdx(
        {"bridge", identified, "--hide-excluded", "1", "--pattern", allNoInformationWithBridges()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("該当データがありませんでした。"), std::string::npos);
    EXPECT_EQ(linesOf(result.out).size(), 2u);
    EXPECT_EQ(runQdx({"bridge", identified, "--hide-excluded", "1", "--pattern",
                      allNoInformationWithBridges(), "--csv", dir.file("x.csv")})
                  .exitCode,
              1);
}

TEST_F(BridgeCommandTest, FileInTheIndividualSearchLayout) {
    const std::string csv = dir.file("out.csv");
    const auto result = runQdx({"bridge", path, "--target", "A-00001", "--top", "2", "--csv", csv});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = linesOf(TextCodec::toUtf8(test::readBytes(csv)));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(
        lines[0].rfind(",,検索数,完全一致数,全修復・欠損一致数,矛盾なし一致数,スコア,右上8", 0),
        0u);
    EXPECT_EQ(lines[1].rfind(",A-00001,,,,,,3,3,3,4,5", 0), 0u);
    EXPECT_EQ(lines[2].rfind(",P-00001,3,2,1,0,0.0000,3*,3*,3*,4*,5,", 0), 0u) << lines[2];
    EXPECT_EQ(lines[2].back(), '\r');
}

} // namespace
} // namespace qdx
