#include "matching/RandomPopulation.h"

#include "matching/Ranking.h"
#include "matching/SearchRequest.h"
#include "matching/ToothComparison.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "support/ProjectFixture.h"
#include "support/TestFiles.h"
#include "views/report/IdentificationReport.h"
#include "views/report/PairJudgement.h"
#include "views/report/PatternEvidence.h"

#include <cstring>
#include <gtest/gtest.h>

namespace qdx {
namespace {

std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A random project small enough that every candidate stays in each entry's kept lists, with
// random weights, damaged chart text, deciduous and bridge flags and every sex.
void fillProject(ProjectModel& model, test::PopulationMaker& maker) {
    test::StoredShape shape;
    shape.population.postMortem = 40;
    shape.population.anteMortem = 45;
    shape.population.templates = 4;
    shape.population.mutation = 0.3;
    shape.population.damaged = 0.1;
    test::storePopulation(model, maker, shape);
    model.settings().amToPmScores6 = maker.randomMatrix();
    model.settings().pmToAmScores6 = maker.randomMatrix();
}

// The judgement's totals are the searches' counts of the pair, and its scores their scores, bit
// for bit, in both directions, for every searched pair of random projects.
TEST(PairJudgement, TotalsAndScoresEqualTheSearchesOnRandomPairs) {
    for (std::uint32_t seed : {5u, 17u, 41u}) {
        test::TempDir dir;
        ProjectModel model;
        openProjectFile(model, splitProjectPath(dir.file("project")));
        test::PopulationMaker maker(seed);
        fillProject(model, maker);
        std::size_t pairs = 0;
        for (int direction : {0, 1}) {
            SearchRun run;
            ASSERT_TRUE(runSearch(model, direction, run));
            for (const SearchEntry& entry : run.entries()) {
                // Fewer than 50 candidates: every pair is kept.
                ASSERT_EQ(entry.resultCount(),
                          model.records(direction == 0 ? PostMortem : AnteMortem).size());
                for (std::size_t i = 0; i < entry.resultCount(); ++i) {
                    const PairResult r = entry.result(i);
                    const DentalRecord& pm = direction == 0 ? *r.candidate : entry.record();
                    const DentalRecord& am = direction == 0 ? entry.record() : *r.candidate;
                    const PairJudgement j = judgePair(pm, am, model.settings());
                    const std::string where = "seed " + std::to_string(seed) + " direction " +
                                              std::to_string(direction) + " " + pm.displayId + " " +
                                              am.displayId;
                    ASSERT_EQ(j.counts.searchCount, r.searchCount) << where;
                    ASSERT_EQ(j.counts.exactMatchCount, r.exactMatchCount) << where;
                    ASSERT_EQ(j.counts.fullRestorationMissingMatchCount,
                              r.fullRestorationMissingMatchCount)
                        << where;
                    ASSERT_EQ(j.counts.noContradictionMatchCount, r.noContradictionMatchCount)
                        << where;
                    ASSERT_EQ(bitsOf(j.score[static_cast<std::size_t>(direction)]), bitsOf(r.score))
                        << where;
                    // The positions' judgements add up to the counts.
                    EXPECT_EQ(j.countOf(ToothJudgement::Agrees), r.exactMatchCount) << where;
                    EXPECT_EQ(j.countOf(ToothJudgement::Agrees) +
                                  j.countOf(ToothJudgement::Consistent),
                              r.noContradictionMatchCount)
                        << where;
                    EXPECT_EQ(kToothCount - j.countOf(ToothJudgement::NotComparable), r.searchCount)
                        << where;
                    ++pairs;
                }
            }
        }
        EXPECT_GT(pairs, 1000u) << "seed " << seed;
    }
}

TEST(PairJudgement, PositionsJudgedByTheComparisonRules) {
    // AM 2 → PM 3 is treatment added (consistent), AM 3 → PM 2 contradicts, equal classes with
    // different deciduous flags contradict, a tooth without information is not comparable.
    DentalRecord pm = test::chartRecord("P-1", "32155" + std::string(27, '1'), "0",
                                        "00100" + std::string(27, '0'));
    DentalRecord am = test::chartRecord("A-1", "23151" + std::string(27, '1'));
    const PairJudgement j = judgePair(pm, am, SearchSettings());
    EXPECT_EQ(j.positions[0].judgement, ToothJudgement::Consistent);
    EXPECT_EQ(j.positions[1].judgement, ToothJudgement::Contradicts);
    EXPECT_EQ(j.positions[2].judgement, ToothJudgement::Contradicts);
    EXPECT_EQ(j.positions[3].judgement, ToothJudgement::NotComparable);
    EXPECT_EQ(j.positions[4].judgement, ToothJudgement::NotComparable);
    EXPECT_EQ(j.positions[5].judgement, ToothJudgement::Agrees);
    EXPECT_EQ(findingText(j.positions[2].pmClass, false, j.positions[2].pmDeciduous), "1d");

    // Known, different sexes: the searches compare nothing, and neither does the report.
    pm.sex = "1";
    am.sex = "2";
    const PairJudgement excluded = judgePair(pm, am, SearchSettings());
    EXPECT_TRUE(excluded.sexExcluded);
    EXPECT_EQ(excluded.countOf(ToothJudgement::NotComparable), kToothCount);
    EXPECT_EQ(excluded.counts.searchCount, 0);
    EXPECT_EQ(excluded.score[0], 0.0);
}

// The ranks are the places of the partner in the one-record search's lists, 0 beyond the 50th.
TEST(PairJudgement, RanksComeFromOneRecordSearchesInBothDirections) {
    test::TempDir dir;
    const std::string path = dir.file("ranks.qdx");
    std::vector<DentalRecord> am;
    for (int i = 0; i < 60; ++i)
        am.push_back(test::chartRecord("A-" + std::to_string(100 + i), std::string(32, '1')));
    am.push_back(test::chartRecord("A-999", std::string(32, '4')));
    test::writeProject(path, {test::chartRecord("P-1", std::string(32, '1'))}, am);
    ProjectModel model;
    test::openWithLists(model, path);
    const DentalRecord& body = model.records(PostMortem).front();
    const ReportRanks first =
        partnerRanks(model, kPostToAnteMortem, body, model.records(AnteMortem).front());
    EXPECT_TRUE(first.searchable);
    EXPECT_EQ(first.rank[0], 1);
    const ReportRanks last =
        partnerRanks(model, kPostToAnteMortem, body, model.records(AnteMortem).back());
    EXPECT_EQ(last.rank[0], 0);
    EXPECT_EQ(last.rank[1], 0);
    // From the ante-mortem side the body is the only candidate.
    const ReportRanks back =
        partnerRanks(model, kAnteToPostMortem, model.records(AnteMortem).back(), body);
    EXPECT_EQ(back.rank, (std::array<int, 4>{1, 1, 1, 1}));
}

// The pattern count against a plain count over every chart and position.
TEST(PatternEvidence, CountsEqualAPlainCount) {
    test::PopulationMaker maker(23);
    test::PopulationShape shape;
    shape.postMortem = 300;
    shape.anteMortem = 400;
    shape.templates = 5;
    shape.mutation = 0.15;
    shape.damaged = 0.05;
    const test::Population p = maker.make(shape);
    const PatternIndex index(p.anteMortem);
    for (int k = 0; k < 60; ++k) {
        const DentalRecord& pm = p.postMortem[static_cast<std::size_t>(maker.uniform(0, 299))];
        const DentalRecord& am = p.anteMortem[static_cast<std::size_t>(maker.uniform(0, 399))];
        const PairJudgement pair = judgePair(pm, am, SearchSettings());
        const PatternEvidence e = patternEvidence(index, AnteMortem, pair, pm, am);
        std::size_t shared = 0;
        std::size_t sameSex = 0;
        std::size_t sharedSameSex = 0;
        for (const DentalRecord& chart : p.anteMortem) {
            bool all = true;
            for (int j = 0; j < kToothCount; ++j) {
                const auto& pos = pair.positions[static_cast<std::size_t>(j)];
                if (pos.judgement == ToothJudgement::Agrees &&
                    (comparisonClass(chart, j) != pos.pmClass ||
                     deciduousFlag(chart, j) != pos.pmDeciduous))
                    all = false;
            }
            shared += all;
            if (e.sex != "0" && chart.sex == e.sex) {
                ++sameSex;
                sharedSameSex += all;
            }
        }
        EXPECT_EQ(e.count.total, p.anteMortem.size());
        EXPECT_EQ(e.count.shared, shared) << k;
        EXPECT_EQ(e.count.totalSameSex, sameSex) << k;
        EXPECT_EQ(e.count.sharedSameSex, sharedSameSex) << k;
        EXPECT_EQ(e.positions, pair.countOf(ToothJudgement::Agrees));
    }
    EXPECT_EQ(frequencyText(2, 299), "2 / 299（(X+1)/(N+1) = 3/300 = 1%）");
}

} // namespace
} // namespace qdx
