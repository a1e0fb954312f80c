#include "MatchingTestSupport.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

using test::candidatesOf;
using test::chart;

DentalRecord bridged(const std::string& id, std::initializer_list<int> positions,
                     const std::string& sex = "0") {
    DentalRecord r = chart(id, '4', sex);
    for (int j : positions)
        r.bridgeChart[j] = '1';
    return r;
}

SearchRun bridgeSearch(const std::vector<DentalRecord>& searching,
                       const std::vector<DentalRecord>& candidates) {
    SearchRun run;
    run.buildEntries(searching);
    run.scoreBridges(candidates, 0);
    for (SearchEntry& entry : run.entries())
        rankBridgeEntry(entry);
    return run;
}

PairResult find(const SearchEntry& entry, const DentalRecord& candidate) {
    for (const PairResult& r : visibleCandidates(entry, 0, 50, 0))
        if (r.candidate == &candidate)
            return r;
    return {};
}

TEST(BridgeMatching, CountsMatchesAndMismatchesOfTheCandidatesBridges) {
    const std::vector<DentalRecord> am = {bridged("1", {3, 4}, "1")};
    const std::vector<DentalRecord> pm = {bridged("2", {3, 4, 5}), bridged("3", {}),
                                          bridged("4", {3, 4}, "2"), bridged("5", {0, 9})};
    const SearchRun run = bridgeSearch(am, pm);
    const SearchEntry& entry = run.entries()[0];
    const PairResult partial = find(entry, pm[0]);
    EXPECT_EQ(partial.searchCount, 3);
    EXPECT_EQ(partial.exactMatchCount, 2);
    EXPECT_EQ(partial.fullRestorationMissingMatchCount, 1);
    EXPECT_EQ(partial.noContradictionMatchCount, 0);
    EXPECT_EQ(partial.score, 0.0);
    EXPECT_EQ(find(entry, pm[1]).searchCount, 0);
    EXPECT_EQ(find(entry, pm[2]).searchCount, 0); // other known sex
    EXPECT_EQ(find(entry, pm[2]).exactMatchCount, 0);
    // View 0: most shared bridges first; view 1: fewest mismatches first, so a candidate
    // without bridges (and the excluded one) comes before any with a mismatch.
    EXPECT_EQ(candidatesOf(visibleCandidates(entry, 0, 4, 0)),
              (std::vector<const DentalRecord*>{&pm[0], &pm[1], &pm[2], &pm[3]}));
    EXPECT_EQ(candidatesOf(visibleCandidates(entry, 1, 4, 0)),
              (std::vector<const DentalRecord*>{&pm[1], &pm[2], &pm[0], &pm[3]}));
    EXPECT_EQ(candidatesOf(visibleCandidates(entry, 2, 4, 0)),
              (std::vector<const DentalRecord*>{&pm[0], &pm[1], &pm[2], &pm[3]}));
    EXPECT_EQ(entry.matchPriority(0), 0);
}

TEST(BridgeMatching, SearchingChartWithoutBridgesMismatchesEverything) {
    const std::vector<DentalRecord> am = {bridged("1", {})};
    const std::vector<DentalRecord> pm = {bridged("2", {1, 2, 30})};
    const SearchRun run = bridgeSearch(am, pm);
    const PairResult r = find(run.entries()[0], pm[0]);
    EXPECT_EQ(r.searchCount, 3);
    EXPECT_EQ(r.exactMatchCount, 0);
    EXPECT_EQ(r.fullRestorationMissingMatchCount, 3);
}

TEST(BridgeMatching, BothSidesInOneRunFindARecordAmongItsOwnCandidates) {
    const std::vector<DentalRecord> am = {bridged("1", {6, 7})};
    const std::vector<DentalRecord> pm = {bridged("2", {6}), bridged("3", {6, 7, 8})};
    SearchRun run;
    run.buildEntries(am);
    run.buildEntries(pm, true);
    ASSERT_TRUE(run.scoreBridges(pm, 0));
    ASSERT_TRUE(run.scoreBridges(am, 1));
    for (SearchEntry& entry : run.entries())
        rankBridgeEntry(entry);
    ASSERT_EQ(run.entries().size(), 3u);
    // Post-mortem candidates come first in candidate order.
    EXPECT_EQ(candidatesOf(visibleCandidates(run.entries()[0], 2, 3, 0)),
              (std::vector<const DentalRecord*>{&pm[0], &pm[1], &am[0]}));
    const PairResult self = find(run.entries()[0], am[0]);
    EXPECT_EQ(self.searchCount, 2);
    EXPECT_EQ(self.exactMatchCount, 2);
    EXPECT_EQ(self.fullRestorationMissingMatchCount, 0);
    EXPECT_EQ(find(run.entries()[2], pm[1]).exactMatchCount, 3);
}

} // namespace
} // namespace qdx
