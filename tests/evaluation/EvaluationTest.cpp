#include "evaluation/PartnerRanks.h"
#include "evaluation/WeightEvaluation.h"
#include "evaluation/WeightLearning.h"
#include "io/TextCodec.h"
#include "matching/SearchRequest.h"
#include "support/ProjectFixture.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace qdx::test {
namespace {

std::string chartOf(char cls) {
    return std::string(32, cls);
}

std::string idOf(const char* prefix, int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%s-%02d", prefix, n);
    return text;
}

// Partners at known places of the exact-count list of direction 0: A-1's partner first,
// A-2's second behind a candidate with the same count that comes earlier in the list, A-3's
// behind 55 better candidates, and A-4 is not a searching chart at all.
struct KnownRanks {
    TempDir dir;
    std::string project = dir.file("ranks.qdx");
    std::vector<DentalRecord> pm;
    std::vector<DentalRecord> am;
    std::vector<TruthPair> truth{
        {"P-01", "A-1"}, {"P-03", "A-2"}, {"P-60", "A-3"}, {"P-02", "A-4"}};

    KnownRanks() {
        pm.push_back(chartRecord("P-01", chartOf('1')));
        pm.push_back(chartRecord("P-02", chartOf('2')));
        pm.push_back(chartRecord("P-03", chartOf('2')));
        for (int n = 4; n <= 58; ++n)
            pm.push_back(chartRecord(idOf("P", n), chartOf('3')));
        pm.push_back(chartRecord("P-59", chartOf('5')));
        pm.push_back(chartRecord("P-60", chartOf('4')));
        am.push_back(chartRecord("A-1", chartOf('1')));
        am.push_back(chartRecord("A-2", chartOf('2')));
        am.push_back(chartRecord("A-3", chartOf('3')));
        am.push_back(chartRecord("A-4", chartOf('2')));
        am.back().valid = "0";
        writeProject(project, pm, am);
    }
};

TEST(PartnerRanks, PartnersStandWhereTheWindowListsThem) {
    KnownRanks known;
    ProjectModel model;
    openProjectFile(model, splitProjectPath(known.project));
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    SearchRun run;
    ASSERT_TRUE(runSearch(model, 0, run));

    const RankTally tally = tallyRanks(run, 0, 0, known.truth);
    EXPECT_EQ(tally.pairs(), 4u);
    EXPECT_EQ(tally.atRank(1), 1u);
    EXPECT_EQ(tally.atRank(2), 1u); // tied with P-02, which comes first in the list
    EXPECT_EQ(tally.within(50), 2u);
    EXPECT_EQ(tally.beyond(), 2u); // behind 55 better candidates; not searched
    EXPECT_DOUBLE_EQ(tally.share(1), 0.25);
    EXPECT_DOUBLE_EQ(tally.share(5), 0.5);
    EXPECT_DOUBLE_EQ(tally.beyondShare(), 0.5);

    // The other direction searches with P-03, whose partner A-2 ties with A-4 and comes first.
    SearchRun reverse;
    ASSERT_TRUE(runSearch(model, 1, reverse));
    EXPECT_EQ(partnerRank(*reverse.findEntry("P-03"), 0, "A-2"), 1);
    EXPECT_EQ(partnerRank(*reverse.findEntry("P-03"), 0, "A-4"), 2);
    model.close(false);
}

TEST(TruthPairs, FileAndProjectRowsGiveThePairs) {
    TempDir dir;
    writeBytes(dir.file("truth.csv"),
               TextCodec::toCp932("死後ID,生前ID\r\nP-1,A-1\r\n\"P,2\",A-2\r\n"));
    EXPECT_EQ(readTruthFile(dir.file("truth.csv")),
              (std::vector<TruthPair>{{"P-1", "A-1"}, {"P,2", "A-2"}}));

    writeBytes(dir.file("bad.csv"), "P-1,A-1\nP-2\n");
    try {
        readTruthFile(dir.file("bad.csv"));
        FAIL() << "a line with one field was accepted";
    } catch (const TruthFileError& error) {
        EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
    }
    writeBytes(dir.file("open.csv"), "P-1,\"A-1\n");
    EXPECT_THROW(readTruthFile(dir.file("open.csv")), TruthFileError);
    EXPECT_THROW(readTruthFile(dir.file("missing.csv")), TruthFileError);

    std::vector<DentalRecord> pm{chartRecord("P-1", chartOf('1')),
                                 chartRecord("P-2", chartOf('1'))};
    std::vector<DentalRecord> am{chartRecord("A-1", chartOf('1')),
                                 chartRecord("A-2", chartOf('1'))};
    for (std::size_t i = 0; i < 2; ++i) {
        pm[i].Dental_ID = std::to_string(i + 1);
        am[i].Dental_ID = std::to_string(i + 1);
    }
    std::vector<MatchRow> rows{matchRow(1, 1, "1"), matchRow(2, 2, "3"), matchRow(1, 1, "2"),
                               matchRow(2, 9, "1"), matchRow(2, 2, "2")};
    rows.push_back(matchRow(0, 1, "1"));
    rows.back().I_MATCHID = "0P-9";
    EXPECT_EQ(confirmedPairs(pm, am, rows),
              (std::vector<TruthPair>{{"P-1", "A-1"}, {"P-2", "A-2"}}));

    std::size_t dropped = 0;
    EXPECT_EQ(pairsInProject({{"P-1", "A-1"}, {"P-1", "A-7"}, {"P-8", "A-2"}}, pm, am, dropped),
              (std::vector<TruthPair>{{"P-1", "A-1"}}));
    EXPECT_EQ(dropped, 2u);
}

// A population whose true pairs agree at every tooth.
struct AgreeingPopulation {
    std::vector<DentalRecord> pm;
    std::vector<DentalRecord> am;
    std::vector<TruthPair> truth;

    explicit AgreeingPopulation(int pairs, int strangers) {
        std::mt19937 random(7);
        const std::string classes = "123456";
        auto randomChart = [&] {
            std::string chart(32, '1');
            for (char& c : chart)
                c = classes[random() % classes.size()];
            return chart;
        };
        for (int n = 0; n < pairs; ++n) {
            const std::string chart = randomChart();
            pm.push_back(chartRecord(idOf("P", n), chart));
            am.push_back(chartRecord(idOf("A", n), chart));
            truth.push_back({pm.back().displayId, am.back().displayId});
        }
        for (int n = 0; n < strangers; ++n)
            am.push_back(chartRecord(idOf("S", n), randomChart()));
    }
};

TEST(WeightLearning, AgreeingPairsPutTheLargestWeightsOnTheDiagonal) {
    const AgreeingPopulation population(60, 120);
    for (int direction : {0, 1}) {
        const auto& searching = direction == 0 ? population.am : population.pm;
        const auto& candidates = direction == 0 ? population.pm : population.am;
        const Scores6 weights =
            learnWeights(truePairCounts(direction, population.truth, population.pm, population.am),
                         unrelatedPairShares(searching, candidates));
        double largest = 0.0;
        for (int candidate = 1; candidate <= 6; ++candidate)
            for (int s = 1; s <= 6; ++s) {
                const double w = weights[(candidate - 1) * 6 + (s - 1)];
                EXPECT_GE(w, -1.0);
                EXPECT_LE(w, 1.0);
                EXPECT_EQ(w, roundWeight(w));
                largest = std::max(largest, std::abs(w));
                if (candidate != s) {
                    EXPECT_LT(w, 0.0) << candidate << "," << s;
                    EXPECT_LT(w, weights[(s - 1) * 6 + (s - 1)]);
                    EXPECT_LT(w, weights[(candidate - 1) * 6 + (candidate - 1)]);
                }
            }
        EXPECT_EQ(largest, 1.0);
    }
}

TEST(WeightLearning, CountsFollowTheScoringRules) {
    DentalRecord pm = chartRecord("P", "1" + std::string(31, '5'));
    DentalRecord am = chartRecord("A", "2" + std::string(31, '5'));
    pm.deciduousChart[1] = '1'; // flags differ at position 1: no weight, not counted
    ClassPairCounts counts = truePairCounts(0, {{"P", "A"}}, {pm}, {am});
    EXPECT_EQ(counts[(1 - 1) * 6 + (2 - 1)], 1.0); // candidate (post-mortem) 1, searching 2
    EXPECT_EQ(counts[(5 - 1) * 6 + (5 - 1)], 30.0);
    counts = truePairCounts(1, {{"P", "A"}}, {pm}, {am});
    EXPECT_EQ(counts[(2 - 1) * 6 + (1 - 1)], 1.0);

    pm.sex = "1";
    am.sex = "2";
    counts = truePairCounts(0, {{"P", "A"}}, {pm}, {am});
    for (double count : counts)
        EXPECT_EQ(count, 0.0);
    EXPECT_EQ(learnWeights(counts, unrelatedPairShares({am}, {pm})), Scores6{});
    EXPECT_EQ(roundWeight(-0.00004), 0.0);
    EXPECT_FALSE(std::signbit(roundWeight(-0.00004)));
    EXPECT_EQ(roundWeight(0.12345), 0.1235);
}

TEST(CrossValidation, HeldOutSearchesRankAsTheFullSearch) {
    TempDir dir;
    const AgreeingPopulation population(30, 40);
    std::vector<DentalRecord> pm = population.pm;
    // A few partners differ at some teeth so that ranks vary.
    for (std::size_t i = 0; i < pm.size(); i += 3)
        pm[i].classChart.replace(0, 12, std::string(12, '4'));
    writeProject(dir.file("cv.qdx"), pm, population.am);
    ProjectModel model;
    openProjectFile(model, splitProjectPath(dir.file("cv.qdx")));
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    for (int direction : {0, 1}) {
        SearchRun full;
        ASSERT_TRUE(runSearch(model, direction, full));
        FoldedComparison folded;
        int searches = 0;
        ASSERT_TRUE(crossValidate(model, direction, population.truth, 4, folded, {},
                                  [&](int, int) { ++searches; }));
        EXPECT_EQ(searches, 8);
        for (int rank : {1, 5, 10, 50}) {
            EXPECT_EQ(folded.exactCount.within(rank),
                      tallyRanks(full, direction, 0, population.truth).within(rank));
            EXPECT_EQ(folded.currentScore.within(rank),
                      tallyRanks(full, direction, 3, population.truth).within(rank));
        }
        EXPECT_EQ(folded.suggestedScore.pairs(), population.truth.size());
        // Learned from pairs that agree, the score finds every agreeing partner first.
        EXPECT_GE(folded.suggestedScore.within(1), population.truth.size() * 2 / 3);
    }
    model.close(false);
}

} // namespace
} // namespace qdx::test
