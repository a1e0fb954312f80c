#include "MatchingTestSupport.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace qdx {
namespace {

using test::chart;
using test::resultFor;
using test::search;

std::string candidatesOfOutcome(const std::vector<PairResult>& results) {
    std::string kinds;
    for (const PairResult& r : results)
        kinds += r.outcome.storedText();
    return kinds;
}

WeightMatrix numbered() {
    WeightMatrix m{};
    for (int k = 0; k < 36; ++k)
        m[k] = (k + 1) / 64.0; // exact in binary, so sums are easy to state
    return m;
}

double weight(const WeightMatrix& m, int candidateClass, int searchingClass) {
    return m[(candidateClass - 1) * 6 + (searchingClass - 1)];
}

TEST(PairScoring, IdenticalSoundChartsScoreTheirOwnWeight) {
    WeightMatrix m{};
    m[0] = 0.0144;
    const std::vector<DentalRecord> am = {chart("1")};
    const std::vector<DentalRecord> pm = {chart("2")};
    const SearchRun run = search(am, pm, m, 0);
    const PairResult r = resultFor(run.entries()[0], pm[0]);
    EXPECT_EQ(r.searchCount, 32);
    EXPECT_EQ(r.exactMatchCount, 32);
    EXPECT_EQ(r.fullRestorationMissingMatchCount, 0);
    EXPECT_EQ(r.noContradictionMatchCount, 32);
    char printed[32];
    std::snprintf(printed, sizeof printed, "%4.4f", r.score);
    EXPECT_STREQ(printed, "0.0144");
}

TEST(PairScoring, PositionRulesForEachClassPairAndDirection) {
    const WeightMatrix m = numbered();
    // Post-mortem 3 against ante-mortem 2 at position 0; everything else no information.
    DentalRecord am = chart("1", '5');
    DentalRecord pm = chart("2", '5');
    am.classChart[0] = '2';
    pm.classChart[0] = '3';
    // Both tooth-present (class 6) at position 1: exact, but not a full restoration.
    am.presentChart[1] = '1';
    pm.presentChart[1] = '1';
    // Post-mortem 6 against ante-mortem 4 at position 2: no contradiction.
    pm.presentChart[2] = '1';
    am.classChart[2] = '4';
    // Equal classes, one deciduous: compared, nothing else, no weight.
    am.classChart[3] = '3';
    pm.classChart[3] = '3';
    pm.deciduousChart[3] = '1';
    // Missing on both sides: exact and full restoration.
    am.classChart[4] = '4';
    pm.classChart[4] = '4';
    const std::vector<DentalRecord> amList = {am};
    const std::vector<DentalRecord> pmList = {pm};

    // Ante-mortem charts search: the candidate is post-mortem.
    const SearchRun forward = search(amList, pmList, m, 0);
    const PairResult f = resultFor(forward.entries()[0], pmList[0]);
    EXPECT_EQ(f.searchCount, 5);
    EXPECT_EQ(f.exactMatchCount, 2);
    EXPECT_EQ(f.fullRestorationMissingMatchCount, 1);
    EXPECT_EQ(f.noContradictionMatchCount, 4); // positions 0, 1, 2 and 4
    double sum = 0.0;
    sum += weight(m, 3, 2);
    sum += weight(m, 6, 6);
    sum += weight(m, 6, 4);
    sum += weight(m, 4, 4);
    for (int j = 5; j < 32; ++j)
        sum += weight(m, 5, 5); // no information on both sides still adds its weight
    EXPECT_EQ(f.score, sum / 5);

    // Post-mortem charts search: the ante-mortem class must not exceed the post-mortem one.
    const SearchRun reverse = search(pmList, amList, m, 1);
    const PairResult r = resultFor(reverse.entries()[0], amList[0]);
    EXPECT_EQ(r.searchCount, 5);
    EXPECT_EQ(r.exactMatchCount, 2);
    EXPECT_EQ(r.noContradictionMatchCount, 4);

    // Swapped sides at position 0 and 2: ante-mortem 3 over post-mortem 2, and ante-mortem 6
    // over post-mortem 4, are contradictions.
    std::swap(am.classChart[0], pm.classChart[0]);
    am.presentChart[2] = '1';
    am.classChart[2] = '5';
    pm.presentChart[2] = '0';
    pm.classChart[2] = '4';
    const std::vector<DentalRecord> am2 = {am};
    const std::vector<DentalRecord> pm2 = {pm};
    const SearchRun swapped = search(am2, pm2, m, 0);
    const PairResult s = resultFor(swapped.entries()[0], pm2[0]);
    EXPECT_EQ(s.searchCount, 5);
    EXPECT_EQ(s.noContradictionMatchCount, 2); // positions 1 and 4 only
}

TEST(PairScoring, OtherKnownSexComparesAsNoInformationButKeepsItsOutcome) {
    const WeightMatrix m = numbered();
    const std::vector<DentalRecord> am = {chart("1", '1', "2")};
    std::vector<DentalRecord> pm = {chart("2", '1', "1"), chart("3", '1', "0"),
                                    chart("4", '1', "2")};
    pm[0].MATCH_KIND = MatchKind::IdentifiedByChart;
    const SearchRun run = search(am, pm, m, 0);
    const PairResult excluded = resultFor(run.entries()[0], pm[0]);
    EXPECT_EQ(excluded.candidate, &pm[0]);
    EXPECT_EQ(excluded.searchCount, 0);
    EXPECT_EQ(excluded.exactMatchCount, 0);
    EXPECT_EQ(excluded.noContradictionMatchCount, 0);
    EXPECT_EQ(excluded.score, 0.0);
    EXPECT_EQ(excluded.outcome, MatchKind::IdentifiedByChart);
    EXPECT_EQ(resultFor(run.entries()[0], pm[1]).exactMatchCount, 32);
    EXPECT_EQ(resultFor(run.entries()[0], pm[2]).exactMatchCount, 32);
}

TEST(PairScoring, OutcomeComesFromTheCandidateOrFromThePairKey) {
    const WeightMatrix m{};
    const std::vector<DentalRecord> am = {chart("7")};
    std::vector<DentalRecord> pm = {chart("1"), chart("2"), chart("3")};
    pm[0].MATCH_KIND =
        MatchKind::IdentifiedByChart; // identified with somebody: every pair shows it
    pm[1].MATCH_KIND =
        MatchKind::UnderInvestigation; // under examination elsewhere: the pair's own row decides
    pm[2].MATCH_KIND = MatchKind::UnderInvestigation;
    PairOutcomeMap outcomes = {{"1-7", MatchKind::Imposter},
                               {"2-7", MatchKind::Imposter},
                               {"7-3", MatchKind::IdentifiedByOther}};
    const SearchRun forward = search(am, pm, m, 0, 2, outcomes);
    EXPECT_EQ(resultFor(forward.entries()[0], pm[0]).outcome, MatchKind::IdentifiedByChart);
    EXPECT_EQ(resultFor(forward.entries()[0], pm[1]).outcome, MatchKind::Imposter);
    EXPECT_EQ(resultFor(forward.entries()[0], pm[2]).outcome,
              MatchKind()); // key is post-mortem first

    // Searching from the post-mortem side keeps the post-mortem ID first in the key.
    const std::vector<DentalRecord> amCandidates = {chart("7")};
    const SearchRun reverse = search(pm, amCandidates, m, 1, 2, outcomes);
    EXPECT_EQ(resultFor(reverse.entries()[1], amCandidates[0]).outcome, MatchKind::Imposter);
}

TEST(PairScoring, HundredsOfUnknownMatchKindsNeitherFailNorHideKnownOnes) {
    const WeightMatrix m{};
    const std::vector<DentalRecord> am = {chart("0")};
    std::vector<DentalRecord> pm;
    PairOutcomeMap outcomes;
    for (int i = 1; i <= 400; ++i) {
        pm.push_back(chart(std::to_string(i)));
        outcomes[std::to_string(i) + "-0"] = MatchKind::fromStored("kind" + std::to_string(i));
    }
    outcomes["400-0"] = MatchKind::UnderInvestigation;
    pm[0].MATCH_KIND = MatchKind::IdentifiedByOther;
    const SearchRun run = search(am, pm, m, 0, 2, outcomes);
    const SearchEntry& entry = run.entries()[0];
    const auto shown = visibleCandidates(entry, 0, 50, 0);
    ASSERT_EQ(shown.size(), 50u);
    EXPECT_EQ(shown[0].outcome, MatchKind::IdentifiedByOther);
    EXPECT_EQ(shown[1].outcome, MatchKind::fromStored("kind2"));
    // Fifty open candidates leave no room for grey rows, but the list behind them is kept.
    EXPECT_EQ(visibleCandidates(entry, 0, 50, 1).size(), 50u);
    EXPECT_TRUE(greyCandidates(entry, 0, 50, 1).empty());
    const RankedView grey = entry.view(0, CandidateFilter::Grey);
    ASSERT_EQ(grey.size(), 1u);
    EXPECT_EQ(grey.at(0).candidate, &pm[399]);
    EXPECT_EQ(candidatesOfOutcome({grey.at(0)}), "3");
}

TEST(PairScoring, InvalidChartsAreCandidatesButNeverSearch) {
    const WeightMatrix m{};
    std::vector<DentalRecord> am = {chart("1"), chart("2"), chart("3"), chart("4")};
    am[0].valid = "0";
    am[1].valid = "";  // no digits reads as 0
    am[2].valid = "2"; // a renamed import still searches
    const std::vector<DentalRecord> pm = {chart("9")};
    const SearchRun run = search(am, pm, m, 0);
    ASSERT_EQ(run.entries().size(), 2u);
    EXPECT_EQ(&run.entries()[0].record(), &am[2]);
    const SearchRun reverse = search(pm, am, m, 1);
    EXPECT_EQ(visibleCandidates(reverse.entries()[0], 0, 50, 0).size(), 4u);
}

TEST(PairScoring, DamagedChartTextReadsAsNoInformation) {
    WeightMatrix m{};
    m.fill(1.0);
    DentalRecord damaged = chart("1");
    damaged.classChart = "1x7091"; // short, with digits outside the classes
    damaged.presentChart = "0";    // shorter still
    damaged.deciduousChart = "";
    const std::vector<DentalRecord> am = {damaged};
    const std::vector<DentalRecord> pm = {chart("2")};
    const SearchRun run = search(am, pm, m, 0);
    const PairResult r = resultFor(run.entries()[0], pm[0]);
    EXPECT_EQ(r.searchCount, 2); // positions 0 and 5
    EXPECT_EQ(r.exactMatchCount, 2);
    EXPECT_EQ(r.score, 32.0 / 2); // every position adds weight 1
}

TEST(PairScoring, EmptySearchingSideGivesNoEntriesAndCandidatesNeedNoWork) {
    const WeightMatrix m{};
    const std::vector<DentalRecord> none;
    const std::vector<DentalRecord> pm = {chart("1")};
    SearchRun run = search(none, pm, m, 0);
    EXPECT_TRUE(run.entries().empty());
    EXPECT_EQ(run.findEntry("T-1"), nullptr);

    // No candidates (the windows never search so): entries without results, priorities 0.
    const SearchRun lonely = search(pm, none, m, 1);
    ASSERT_EQ(lonely.entries().size(), 1u);
    EXPECT_EQ(lonely.findEntry("T-1"), &lonely.entries()[0]);
    for (int key = 0; key < 4; ++key) {
        EXPECT_TRUE(visibleCandidates(lonely.entries()[0], key, 50, 0).empty());
        EXPECT_EQ(displayedPriority(lonely.entries()[0], key, 0), 0);
    }
}

} // namespace
} // namespace qdx
