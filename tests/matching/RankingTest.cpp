#include "MatchingTestSupport.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

using test::candidatesOf;
using test::chart;
using test::search;

// A candidate whose first `compared` positions hold information, of which the first `exact`
// agree with an all-sound searching chart (the others are missing teeth).
DentalRecord candidate(const std::string& id, int compared, int exact) {
    DentalRecord r = chart(id, '5');
    for (int j = 0; j < compared; ++j)
        r.classChart[j] = j < exact ? '1' : '4';
    return r;
}

TEST(Ranking, MatchPriorityFromTheBestTwoOfEachView) {
    const WeightMatrix m{};
    const std::vector<DentalRecord> am = {chart("1")};
    {
        const std::vector<DentalRecord> pm = {candidate("2", 20, 15)};
        for (int factor : {2, 0}) {
            const SearchRun run = search(am, pm, m, 0, static_cast<std::uint16_t>(factor));
            for (int key = 0; key < 4; ++key)
                EXPECT_EQ(run.entries()[0].matchPriority(key), factor == 2 ? 25 : -5);
        }
    }
    {
        const std::vector<DentalRecord> pm = {candidate("2", 20, 15), candidate("3", 30, 15)};
        for (int factor : {0, 7, 65535}) {
            const SearchRun run = search(am, pm, m, 0, static_cast<std::uint16_t>(factor));
            EXPECT_EQ(run.entries()[0].matchPriority(0), -5);
        }
    }
}

TEST(Ranking, ScoreViewUsesExactCountsOfItsOwnBestTwo) {
    // Weights favour missing teeth, so the best score is not the most exact matches.
    WeightMatrix m{};
    m[(4 - 1) * 6 + (1 - 1)] = 1.0; // candidate missing, searching sound
    m[0] = 0.1;
    const std::vector<DentalRecord> am = {chart("1")};
    const std::vector<DentalRecord> pm = {candidate("2", 12, 10), candidate("3", 14, 14),
                                          candidate("4", 32, 2)};
    const std::uint16_t factor = 3;
    const SearchRun run = search(am, pm, m, 0, factor);
    const SearchEntry& entry = run.entries()[0];
    const auto byScore = visibleCandidates(entry, 3, 3, 0);
    ASSERT_EQ(byScore[0].candidate, &pm[2]);
    EXPECT_EQ(entry.matchPriority(3),
              (2 - 32) + (2 - byScore[1].exactMatchCount) * static_cast<int>(factor));
    EXPECT_EQ(entry.matchPriority(0), (14 - 14) + (14 - 10) * 3);
    EXPECT_LT(entry.matchPriority(3), 0);
}

TEST(Ranking, TiesKeepCandidateOrderAndHidingSkipsRecordedOutcomes) {
    const WeightMatrix m{};
    const std::vector<DentalRecord> am = {chart("1")};
    std::vector<DentalRecord> pm;
    for (int i = 0; i < 6; ++i)
        pm.push_back(candidate(std::to_string(10 + i), 20, 10));
    pm[0].MATCH_KIND = MatchKind::IdentifiedByChart;
    const PairOutcomeMap outcomes = {{"11-1", MatchKind::Imposter},
                                     {"13-1", MatchKind::UnderInvestigation},
                                     {"14-1", MatchKind::fromStored("7")}};
    const SearchRun run = search(am, pm, m, 0, 2, outcomes);
    const SearchEntry& entry = run.entries()[0];

    EXPECT_EQ(candidatesOf(visibleCandidates(entry, 0, 3, 0)),
              (std::vector<const DentalRecord*>{&pm[0], &pm[1], &pm[2]}));
    // Identified and other-person candidates are skipped and do not count towards N.
    EXPECT_EQ(candidatesOf(visibleCandidates(entry, 0, 3, 1)),
              (std::vector<const DentalRecord*>{&pm[2], &pm[4], &pm[5]}));
    // The grey rows fill up with candidates under examination or marked as another person,
    // and a kind no list knows ("7") is listed once, among the visible ones.
    EXPECT_TRUE(greyCandidates(entry, 0, 3, 1).empty());
    EXPECT_EQ(candidatesOf(greyCandidates(entry, 0, 6, 1)),
              (std::vector<const DentalRecord*>{&pm[1], &pm[3]}));
    EXPECT_TRUE(greyCandidates(entry, 0, 6, 0).empty());
    EXPECT_EQ(displayedPriority(entry, 0, 0), entry.matchPriority(0));
    EXPECT_EQ(displayedPriority(entry, 0, 1), entry.openMatchPriority(0));
    EXPECT_EQ(entry.openMatchPriority(0), (10 - 20) + 0 * 2);
}

TEST(Ranking, EveryCandidateRecordedLeavesNothingOpen) {
    const WeightMatrix m{};
    const std::vector<DentalRecord> am = {chart("1")};
    std::vector<DentalRecord> pm = {candidate("2", 20, 15), candidate("3", 20, 12)};
    pm[0].MATCH_KIND = MatchKind::Identified;
    pm[1].MATCH_KIND = MatchKind::IdentifiedByOther;
    const SearchRun run = search(am, pm, m, 0);
    const SearchEntry& entry = run.entries()[0];
    for (int key = 0; key < 4; ++key) {
        EXPECT_EQ(entry.openMatchPriority(key), 0);
        EXPECT_TRUE(visibleCandidates(entry, key, 50, 1).empty());
        EXPECT_EQ(visibleCandidates(entry, key, 50, 0).size(), 2u);
    }
}

TEST(Ranking, SearchRowsHiddenOnlyForIdentifiedChartsWhileHiding) {
    DentalRecord r = chart("1");
    for (const char* kind : {"0", "1", "2"}) {
        r.MATCH_KIND = MatchKind::fromStored(kind);
        EXPECT_TRUE(isSearchRowHidden(r, 1));
        EXPECT_FALSE(isSearchRowHidden(r, 0));
    }
    for (const char* kind : {"3", "4", "", "12"}) {
        r.MATCH_KIND = MatchKind::fromStored(kind);
        EXPECT_FALSE(isSearchRowHidden(r, 1));
    }
    EXPECT_EQ(candidateMark(MatchKind::IdentifiedByOther), "*");
    EXPECT_EQ(candidateMark(MatchKind::UnderInvestigation), "u");
    EXPECT_EQ(candidateMark(MatchKind::Imposter), "i");
    EXPECT_EQ(candidateMark(MatchKind::fromStored("7")), "");
    EXPECT_EQ(searchingMark(MatchKind::Imposter), "");
    EXPECT_EQ(searchingMark(MatchKind::UnderInvestigation), "u");
}

TEST(Ranking, DisplayCountsBeyondFiftyShowFifty) {
    const WeightMatrix m{};
    const std::vector<DentalRecord> am = {chart("1")};
    std::vector<DentalRecord> pm;
    for (int i = 0; i < 80; ++i)
        pm.push_back(candidate(std::to_string(100 + i), 32, i % 33));
    const SearchRun run = search(am, pm, m, 0);
    const SearchEntry& entry = run.entries()[0];
    EXPECT_EQ(visibleCandidates(entry, 0, 80, 0).size(), 50u);
    EXPECT_TRUE(visibleCandidates(entry, 0, 0, 0).empty());
    EXPECT_TRUE(visibleCandidates(entry, 0, -3, 0).empty());
    // Best first: 32 exact matches, earliest candidates first among equals.
    const auto best = visibleCandidates(entry, 0, 3, 0);
    EXPECT_EQ(best[0].candidate, &pm[32]);
    EXPECT_EQ(best[1].candidate, &pm[65]);
    EXPECT_EQ(best[2].candidate, &pm[31]);
}

} // namespace
} // namespace qdx
