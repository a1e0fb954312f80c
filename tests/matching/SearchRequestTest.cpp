#include "MatchingTestSupport.h"
#include "RandomPopulation.h"
#include "ReferenceEngine.h"

#include "matching/SearchRequest.h"
#include "store/MatchRow.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"
#include "support/TestFiles.h"

#include <atomic>
#include <gtest/gtest.h>

namespace qdx {
namespace {

MatchRow matchRow(const DentalRecord& pm, const DentalRecord& am, const std::string& kind) {
    MatchRow row;
    row.ID_AFTER = pm.Dental_ID;
    row.ID_BEFOR = am.Dental_ID;
    row.KIND = MatchKind::fromStored(kind);
    return row;
}

// A real project file holding a random population and match rows of every kind, some pairs
// with two rows.
class SearchRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        openProjectFile(model, splitProjectPath(dir.file("project")));
        test::PopulationMaker maker(7);
        test::PopulationShape shape;
        shape.postMortem = 60;
        shape.anteMortem = 40;
        shape.templates = 5;
        test::Population p = maker.make(shape);
        for (int side : {PostMortem, AnteMortem})
            for (DentalRecord r : side == PostMortem ? p.postMortem : p.anteMortem) {
                r.displayId = (side == PostMortem ? "P-" : "A-") + r.Dental_ID;
                records::insertRecord(model.database(), side, r);
            }
        const auto& pm = model.reloadRecords(PostMortem);
        const auto& am = model.reloadRecords(AnteMortem);
        std::vector<MatchRow> rows = {matchRow(pm[0], am[0], "4"), matchRow(pm[0], am[0], "3"),
                                      matchRow(pm[1], am[1], "1"), matchRow(pm[2], am[3], "3"),
                                      matchRow(pm[4], am[4], "0"), matchRow(pm[5], am[2], "2")};
        model.insertMatches(rows);
        model.reloadRecords(PostMortem);
        model.reloadRecords(AnteMortem);
        model.settings().factor = 3;
    }

    test::TempDir dir;
    ProjectModel model;
};

TEST_F(SearchRequestTest, BothDirectionsEqualThePlainEngineOnTheStoredProject) {
    for (int direction : {0, 1}) {
        SearchRun run;
        ASSERT_TRUE(runSearch(model, direction, run));
        const auto& searching = model.records(direction == 0 ? AnteMortem : PostMortem);
        const auto& candidates = model.records(direction == 0 ? PostMortem : AnteMortem);
        reference::Run plain;
        plain.pairOutcomes = model.loadPairOutcomes();
        reference::buildEntries(plain, searching);
        const auto& scores = model.settings().scores6(direction);
        reference::Matrix matrix;
        std::copy(scores.begin(), scores.end(), matrix.begin());
        reference::scoreAll(plain, candidates, matrix, direction);
        ASSERT_EQ(run.entries().size(), plain.entries.size());
        for (std::size_t e = 0; e < plain.entries.size(); ++e) {
            reference::rankEntry(plain.entries[e], 3);
            for (int key = 0; key < 4; ++key) {
                EXPECT_EQ(run.entries()[e].matchPriority(key), plain.entries[e].matchPriority[key]);
                const auto fast = visibleCandidates(run.entries()[e], key, 50, 0);
                const auto slow = reference::visibleCandidates(plain.entries[e], key, 50, 0);
                ASSERT_EQ(fast.size(), slow.size());
                for (std::size_t i = 0; i < fast.size(); ++i) {
                    EXPECT_EQ(fast[i].candidate, slow[i]->candidate);
                    EXPECT_EQ(fast[i].outcome, slow[i]->outcome);
                    EXPECT_EQ(fast[i].score, slow[i]->score);
                }
            }
        }
    }
}

TEST_F(SearchRequestTest, ThePairsLowestRowDecidesItsOutcome) {
    // The first ante-mortem chart searches, whatever valid value the population gave it.
    DentalRecord first = model.records(AnteMortem)[0];
    first.valid = "1";
    records::updateRecord(model.database(), AnteMortem, first);
    model.reloadRecords(AnteMortem);
    SearchRun run;
    ASSERT_TRUE(runSearch(model, 0, run));
    const auto& pm = model.records(PostMortem);
    const auto& am = model.records(AnteMortem);
    const SearchEntry* entry = run.findEntry(am[0].displayId);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(pm[0].MATCH_KIND,
              MatchKind::UnderInvestigation); // the list shows the pair's most decisive row
    EXPECT_EQ(test::resultFor(*entry, pm[0]).outcome, MatchKind::Imposter);
    EXPECT_EQ(test::resultFor(*entry, pm[4]).outcome,
              MatchKind::Identified); // identified with somebody
}

TEST_F(SearchRequestTest, CancellingLeavesAnEmptyRunAndCompletionReportsTheTotal) {
    SearchRun run;
    ASSERT_TRUE(runSearch(model, 1, run));
    ASSERT_FALSE(run.entries().empty());

    SearchControl stop;
    stop.progress = [](std::size_t, std::size_t) { return false; };
    EXPECT_FALSE(runSearch(model, 1, run, stop));
    EXPECT_TRUE(run.entries().empty());

    std::atomic<bool> cancel{true};
    SearchControl flagged;
    flagged.cancel = &cancel;
    EXPECT_FALSE(runBridgeSearch(model, modelBridgeLists(model), 2, run, flagged));
    EXPECT_TRUE(run.entries().empty());

    std::size_t lastDone = 0;
    std::size_t lastTotal = 1;
    SearchControl watched;
    watched.threads = 1;
    watched.progress = [&](std::size_t done, std::size_t total) {
        lastDone = done;
        lastTotal = total;
        return true;
    };
    ASSERT_TRUE(runBridgeSearch(model, modelBridgeLists(model), 2, run, watched));
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(lastTotal, run.entries().size());
}

// Every listed candidate of a run with its outcome and score, as text.
std::vector<std::string> listing(const SearchRun& run) {
    std::vector<std::string> lines;
    for (const SearchEntry& entry : run.entries())
        for (const PairResult& r : visibleCandidates(entry, 3, 50, 0))
            lines.push_back(entry.record().displayId + ">" + r.candidate->displayId + ":" +
                            r.outcome.storedText() + ":" + std::to_string(r.score));
    return lines;
}

TEST_F(SearchRequestTest, ARunOnCopiesOutlivesAReloadOfTheLists) {
    SearchRun onModel;
    ASSERT_TRUE(runSearch(model, 1, onModel));
    SearchRun onCopies;
    ASSERT_TRUE(runSearchOnCopies(model, 1, onCopies));
    const std::vector<std::string> before = listing(onCopies);
    EXPECT_EQ(before, listing(onModel));

    // The model's lists are replaced; the run still reads its own copies.
    DentalRecord extra = test::chart("999", '2');
    extra.displayId = "Z-99999";
    records::insertRecord(model.database(), PostMortem, extra);
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    EXPECT_NE(&onCopies.entries().front().record(), &model.records(PostMortem).front());
    EXPECT_EQ(listing(onCopies), before);
}

// Every listed bridge candidate of a run with its counts, and the side of its record.
std::vector<std::string> bridgeListing(const SearchRun& run, const BridgeLists& lists) {
    std::vector<std::string> lines;
    for (const SearchEntry& entry : run.entries())
        for (const PairResult& r : visibleCandidates(entry, 0, 50, 0))
            lines.push_back(entry.record().displayId + ">" + r.candidate->displayId + ":" +
                            std::to_string(r.exactMatchCount) + "/" +
                            std::to_string(r.searchCount) + "@" +
                            std::to_string(lists.sideOf(r.candidate)));
    return lines;
}

TEST_F(SearchRequestTest, ABridgeRunOnCopiesOutlivesAReloadOfTheLists) {
    for (int side : {0, 1, 2}) {
        SearchRun onModel;
        ASSERT_TRUE(runBridgeSearch(model, modelBridgeLists(model), side, onModel));
        SearchRun onCopies;
        const BridgeLists kept = keepBridgeLists(model, onCopies);
        ASSERT_TRUE(runBridgeSearch(model, kept, side, onCopies));
        const std::vector<std::string> before = bridgeListing(onCopies, kept);
        EXPECT_EQ(before, bridgeListing(onModel, modelBridgeLists(model))) << side;
        // Every candidate lies in the kept lists; side 2 scores the post-mortem ones first.
        const SearchEntry& first = onCopies.entries().front();
        for (std::size_t i = 0; i < first.resultCount(); ++i)
            EXPECT_NE(kept.sideOf(first.result(i).candidate), -1);
        EXPECT_EQ(kept.sideOf(first.result(0).candidate), side == 1 ? AnteMortem : PostMortem);

        DentalRecord extra = test::chart("999", '2');
        extra.displayId = "Z-9999" + std::to_string(side);
        records::insertRecord(model.database(), side == 1 ? AnteMortem : PostMortem, extra);
        model.reloadRecords(PostMortem);
        model.reloadRecords(AnteMortem);
        EXPECT_NE(kept.postMortem, &model.records(PostMortem));
        EXPECT_EQ(kept.sideOf(&model.records(PostMortem).front()), -1);
        EXPECT_EQ(bridgeListing(onCopies, kept), before) << side;
    }
}

} // namespace
} // namespace qdx
