#include "evaluation/WeightEvaluation.h"
#include "io/TextCodec.h"
#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace qdx::test {
namespace {

// Post-mortem P-1..P-3 and ante-mortem A-1..A-3; P-1/A-1 agree everywhere, P-2/A-2 at half the
// teeth (behind P-3, which agrees with A-2 everywhere), P-3/A-3 nowhere.
struct SmallProject {
    TempDir dir;
    std::string project = dir.file("small.qdx");
    std::string truth = dir.file("truth.csv");

    explicit SmallProject(const std::vector<MatchRow>& rows = {}) {
        const std::string a1 = std::string(16, '1') + std::string(16, '3');
        const std::string a2 = std::string(16, '2') + std::string(16, '4');
        const std::string a3 = std::string(32, '6');
        writeProject(project,
                     {chartRecord("P-1", a1), chartRecord("P-2", a2.substr(0, 16) + a1.substr(16)),
                      chartRecord("P-3", a2)},
                     {chartRecord("A-1", a1), chartRecord("A-2", a2), chartRecord("A-3", a3)},
                     rows);
        writeBytes(truth, TextCodec::toCp932("死後ID,生前ID\r\nP-1,A-1\r\nP-2,A-2\r\nP-3,A-3\r\n"));
    }
};

TEST(EvaluateCommand, PrintsTheSharesAndWritesTheCumulativeFile) {
    SmallProject p;
    const QdxResult result = runQdx({"evaluate", p.project, "--truth", p.truth, "--direction", "0",
                                     "--rank-key", "0", "--csv", p.dir.file("ranks.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "direction\trank key\tpairs\trank 1\twithin 5\twithin 10\twithin 50\tbeyond 50\n"
              "生前→死後\t完全一致数\t3\t33.3%\t100.0%\t100.0%\t100.0%\t0.0%\n");
    const std::string csv = TextCodec::toUtf8(readBytes(p.dir.file("ranks.csv")));
    std::string expected = "方向,順位の基準,組数";
    for (int rank = 1; rank <= 50; ++rank)
        expected += "," + std::to_string(rank);
    expected += "\r\n生前→死後,完全一致数,3,0.3333,0.6667";
    for (int rank = 3; rank <= 50; ++rank)
        expected += ",1.0000";
    EXPECT_EQ(csv, expected + "\r\n");

    const QdxResult all = runQdx({"evaluate", p.project, "--truth", p.truth});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 1 + 2 * 4);
}

TEST(EvaluateCommand, FindsTheProjectsOwnIdentificationsAndRefusesBadTruth) {
    // Same person by the chart (1) and by other information (2); 3 and 4 are no truth.
    SmallProject p({matchRow(1, 1, "1"), matchRow(2, 2, "2"), matchRow(3, 3, "4")});
    const QdxResult own = runQdx({"evaluate", p.project, "--direction", "1", "--rank-key", "0"});
    ASSERT_EQ(own.exitCode, 0) << own.err;
    EXPECT_NE(own.out.find("死後→生前\t完全一致数\t2\t"), std::string::npos) << own.out;

    SmallProject none;
    const QdxResult nothing = runQdx({"evaluate", none.project});
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_NE(nothing.err.find("no true pairs"), std::string::npos) << nothing.err;

    writeBytes(p.truth, "P-1,A-1\nP-2;A-2\n");
    const QdxResult bad = runQdx({"evaluate", p.project, "--truth", p.truth});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("line 2"), std::string::npos) << bad.err;

    writeBytes(p.truth, "P-1,A-1\nP-9,A-2\n");
    const QdxResult unknown = runQdx({"evaluate", p.project, "--truth", p.truth});
    EXPECT_EQ(unknown.exitCode, 0) << unknown.err;
    EXPECT_NE(unknown.err.find("1 true pairs name charts that are not in the project"),
              std::string::npos);
}

TEST(SuggestWeightsCommand, ApplyStoresTheLearnedMatricesAndNoSaveKeepsTheFile) {
    SmallProject p;
    const std::string before = readBytes(p.project);
    const QdxResult shown =
        runQdx({"suggest-weights", p.project, "--truth", p.truth, "--folds", "3"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("スコア, suggested weights\t"), std::string::npos) << shown.out;
    EXPECT_EQ(readBytes(p.project), before);

    const QdxResult unsaved =
        runQdx({"suggest-weights", p.project, "--truth", p.truth, "--apply", "--no-save"});
    ASSERT_EQ(unsaved.exitCode, 0) << unsaved.err;
    EXPECT_EQ(readBytes(p.project), before);

    const QdxResult applied = runQdx({"suggest-weights", p.project, "--truth", p.truth, "--apply"});
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    ProjectModel model;
    openProjectFile(model, splitProjectPath(p.project));
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    const std::vector<TruthPair> truth{{"P-1", "A-1"}, {"P-2", "A-2"}, {"P-3", "A-3"}};
    EXPECT_EQ(model.settings().amToPmScores6, suggestWeights(model, 0, truth));
    EXPECT_EQ(model.settings().pmToAmScores6, suggestWeights(model, 1, truth));
    EXPECT_NE(model.settings().amToPmScores6, SearchSettings::defaultScores6(1));
    model.close(false);

    EXPECT_EQ(runQdx({"suggest-weights", p.project, "--truth", p.truth, "--folds", "1"}).exitCode,
              2);
}

} // namespace
} // namespace qdx::test
