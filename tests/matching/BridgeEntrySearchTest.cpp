#include "RandomPopulation.h"
#include "ReferenceEngine.h"

#include "matching/Ranking.h"
#include "matching/SearchRequest.h"
#include "store/MatchRow.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>

namespace qdx {
namespace {

// The kinds a match row can hold, a damaged text among them.
// Random projects in real files: charts of every sex, valid value and bridge, duplicate IDs
// across the sides, and match rows of every kind, some pairs with two rows.
class BridgeEntrySearchTest : public ::testing::TestWithParam<std::uint32_t> {
protected:
    void SetUp() override {
        openProjectFile(model, splitProjectPath(dir.file("project")));
        test::PopulationMaker maker(GetParam());
        test::StoredShape shape;
        shape.population.postMortem = 70;
        shape.population.anteMortem = 50;
        shape.population.templates = 4;
        shape.population.damaged = 0.05;
        shape.matchRows = 60;
        shape.kinds = {"0", "1", "2", "3", "4", "9"};
        shape.sharedIdEvery = 5; // every fifth ID is found on both sides
        test::storePopulation(model, maker, shape);
    }

    test::TempDir dir;
    ProjectModel model;
};

void expectSameResult(const PairResult& one, const PairResult& full) {
    EXPECT_EQ(one.candidate, full.candidate);
    EXPECT_EQ(one.searchCount, full.searchCount);
    EXPECT_EQ(one.exactMatchCount, full.exactMatchCount);
    EXPECT_EQ(one.fullRestorationMissingMatchCount, full.fullRestorationMissingMatchCount);
    EXPECT_EQ(one.noContradictionMatchCount, full.noContradictionMatchCount);
    EXPECT_EQ(one.outcome, full.outcome);
    EXPECT_EQ(one.score, full.score);
}

// Everything a window or a file reads from an entry: the kept results, the priorities, every
// ranked view and the listed candidates with and without hiding.
void expectSameEntry(const SearchEntry& one, const SearchEntry& full) {
    EXPECT_EQ(&one.record(), &full.record());
    ASSERT_EQ(one.resultCount(), full.resultCount());
    for (std::size_t i = 0; i < one.resultCount(); ++i)
        expectSameResult(one.result(i), full.result(i));
    for (int key = 0; key < kRankKeyCount; ++key) {
        EXPECT_EQ(one.matchPriority(key), full.matchPriority(key)) << key;
        EXPECT_EQ(one.openMatchPriority(key), full.openMatchPriority(key)) << key;
        for (int filter = 0; filter < kCandidateFilterCount; ++filter) {
            const RankedView a = one.view(key, static_cast<CandidateFilter>(filter));
            const RankedView b = full.view(key, static_cast<CandidateFilter>(filter));
            ASSERT_EQ(a.size(), b.size()) << key << "/" << filter;
            for (std::size_t i = 0; i < a.size(); ++i)
                expectSameResult(a.at(i), b.at(i));
        }
        for (int hide : {0, 1}) {
            const auto a = visibleCandidates(one, key, kMaxDisplayCount, hide);
            const auto b = visibleCandidates(full, key, kMaxDisplayCount, hide);
            ASSERT_EQ(a.size(), b.size());
            for (std::size_t i = 0; i < a.size(); ++i)
                expectSameResult(a[i], b[i]);
        }
    }
}

TEST_P(BridgeEntrySearchTest, OneChartsSearchEqualsItsEntryOfTheWholeSidesSearch) {
    const BridgeLists lists = modelBridgeLists(model);
    for (int side : {0, 1, 2}) {
        SCOPED_TRACE(side);
        SearchRun full;
        ASSERT_TRUE(runBridgeSearch(model, lists, side, full));
        ASSERT_GT(full.entries().size(), 10u);
        for (const SearchEntry& entry : full.entries()) {
            SearchRun one;
            ASSERT_TRUE(runBridgeEntrySearch(model, lists, side, entry.record(), one));
            ASSERT_EQ(one.entries().size(), 1u);
            SCOPED_TRACE(entry.record().displayId);
            expectSameEntry(one.entries().front(), entry);
        }
    }
}

TEST_P(BridgeEntrySearchTest, OneChartsSearchEqualsThePlainEngine) {
    const BridgeLists lists = modelBridgeLists(model);
    const auto& pm = model.records(PostMortem);
    const auto& am = model.records(AnteMortem);
    for (int side : {0, 1, 2}) {
        reference::Run plain;
        plain.pairOutcomes = model.loadPairOutcomes();
        reference::buildEntries(plain, side == 1 ? pm : am);
        if (side == 2)
            reference::buildEntries(plain, pm, true);
        if (side != 1)
            reference::scoreBridges(plain, pm, 0);
        if (side != 0)
            reference::scoreBridges(plain, am, 1);
        for (reference::Entry& slow : plain.entries) {
            reference::rankBridgeEntry(slow);
            SearchRun one;
            ASSERT_TRUE(runBridgeEntrySearch(model, lists, side, *slow.record, one));
            ASSERT_EQ(one.entries().size(), 1u);
            for (int view : {0, 1})
                for (int hide : {0, 1}) {
                    const auto fast = visibleCandidates(one.entries().front(), view, 50, hide);
                    const auto expected = reference::visibleCandidates(slow, view, 50, hide);
                    ASSERT_EQ(fast.size(), expected.size()) << side << "/" << view;
                    for (std::size_t i = 0; i < fast.size(); ++i) {
                        EXPECT_EQ(fast[i].candidate, expected[i]->candidate);
                        EXPECT_EQ(fast[i].exactMatchCount, expected[i]->exactMatchCount);
                        EXPECT_EQ(fast[i].searchCount, expected[i]->searchCount);
                        EXPECT_EQ(fast[i].outcome, expected[i]->outcome);
                    }
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, BridgeEntrySearchTest, ::testing::Values(3u, 17u, 41u));

TEST(BridgeEntrySearch, AChartThatDoesNotSearchHasNoEntryAndACancelLeavesNone) {
    test::TempDir dir;
    ProjectModel model;
    openProjectFile(model, splitProjectPath(dir.file("project")));
    int key = 0;
    for (int side : {PostMortem, AnteMortem})
        for (const char* valid : {"1", "0", "x"}) {
            DentalRecord r;
            r.Dental_ID = std::to_string(++key);
            r.classChart = std::string(32, '4');
            r.bridgeChart = std::string(32, '1');
            r.valid = valid;
            r.displayId = std::string(side == PostMortem ? "P-" : "A-") + valid;
            records::insertRecord(model.database(), side, r);
        }
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    const BridgeLists lists = modelBridgeLists(model);
    SearchRun run;
    for (const DentalRecord& r : model.records(AnteMortem)) {
        ASSERT_TRUE(runBridgeEntrySearch(model, lists, 2, r, run));
        EXPECT_EQ(run.entries().size(), r.valid == "1" ? 1u : 0u) << r.valid;
    }
    std::atomic<bool> cancel{true};
    SearchControl flagged;
    flagged.cancel = &cancel;
    const auto& am = model.records(AnteMortem);
    const auto searching =
        std::find_if(am.begin(), am.end(), [](const DentalRecord& r) { return r.valid == "1"; });
    ASSERT_NE(searching, am.end());
    EXPECT_FALSE(runBridgeEntrySearch(model, lists, 0, *searching, run, flagged));
    EXPECT_TRUE(run.entries().empty());
}

} // namespace
} // namespace qdx
