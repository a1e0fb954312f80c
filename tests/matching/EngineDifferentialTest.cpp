#include "RandomPopulation.h"
#include "ReferenceEngine.h"

#include "matching/Ranking.h"
#include "matching/SearchRun.h"
#include "matching/WeightKernel.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace qdx {
namespace {

using test::Population;
using test::PopulationMaker;
using test::PopulationShape;

std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void expectSameResults(const std::vector<PairResult>& fast,
                       const std::vector<const PairResult*>& plain, const std::string& where) {
    ASSERT_EQ(fast.size(), plain.size()) << where;
    for (std::size_t i = 0; i < fast.size(); ++i) {
        const PairResult& a = fast[i];
        const PairResult& b = *plain[i];
        ASSERT_EQ(a.candidate, b.candidate) << where << " rank " << i;
        ASSERT_EQ(a.searchCount, b.searchCount) << where << " rank " << i;
        ASSERT_EQ(a.exactMatchCount, b.exactMatchCount) << where << " rank " << i;
        ASSERT_EQ(a.fullRestorationMissingMatchCount, b.fullRestorationMissingMatchCount)
            << where << " rank " << i;
        ASSERT_EQ(a.noContradictionMatchCount, b.noContradictionMatchCount)
            << where << " rank " << i;
        ASSERT_EQ(a.outcome, b.outcome) << where << " rank " << i;
        ASSERT_EQ(bitsOf(a.score), bitsOf(b.score)) << where << " rank " << i;
    }
}

// Every output a window reads, for every entry, criterion, display count and hiding setting.
void expectSameRun(const SearchRun& fast, const reference::Run& plain, const std::string& label) {
    ASSERT_EQ(fast.entries().size(), plain.entries.size()) << label;
    for (std::size_t e = 0; e < plain.entries.size(); ++e) {
        const SearchEntry& a = fast.entries()[e];
        const reference::Entry& b = plain.entries[e];
        ASSERT_EQ(&a.record(), b.record) << label;
        for (int key = 0; key < kRankKeyCount; ++key)
            for (int hide = 0; hide <= 1; ++hide) {
                const std::string where = label + " entry " + std::to_string(e) + " key " +
                                          std::to_string(key) + " hide " + std::to_string(hide);
                ASSERT_EQ(displayedPriority(a, key, hide),
                          reference::displayedPriority(b, key, hide))
                    << where;
                for (int n = 1; n <= kMaxDisplayCount; ++n) {
                    const std::string at = where + " N " + std::to_string(n);
                    expectSameResults(visibleCandidates(a, key, n, hide),
                                      reference::visibleCandidates(b, key, n, hide), at);
                    expectSameResults(greyCandidates(a, key, n, hide),
                                      reference::greyCandidates(b, key, n, hide), at + " grey");
                }
            }
    }
}

void compareSearch(const Population& p, int direction, const std::string& label,
                   const SearchControl& control = {}) {
    const auto& searching = direction == 0 ? p.anteMortem : p.postMortem;
    const auto& candidates = direction == 0 ? p.postMortem : p.anteMortem;
    const auto& matrix = direction == 0 ? p.amToPm : p.pmToAm;

    SearchRun fast;
    fast.pairOutcomes() = p.pairOutcomes;
    fast.buildEntries(searching);
    ASSERT_TRUE(fast.scoreAll(candidates, matrix, direction, control));
    for (SearchEntry& entry : fast.entries())
        rankEntry(entry, p.factor);

    reference::Run plain;
    plain.pairOutcomes = p.pairOutcomes;
    reference::buildEntries(plain, searching);
    reference::scoreAll(plain, candidates, matrix, direction);
    for (reference::Entry& entry : plain.entries)
        reference::rankEntry(entry, p.factor);

    expectSameRun(fast, plain, label + " direction " + std::to_string(direction));
}

// The bridge search of both sides: entries from both lists, post-mortem candidates first.
void compareBridges(const Population& p, const std::string& label) {
    SearchRun fast;
    fast.pairOutcomes() = p.pairOutcomes;
    fast.buildEntries(p.anteMortem);
    fast.buildEntries(p.postMortem, true);
    ASSERT_TRUE(fast.scoreBridges(p.postMortem, 0));
    ASSERT_TRUE(fast.scoreBridges(p.anteMortem, 1));
    for (SearchEntry& entry : fast.entries())
        rankBridgeEntry(entry);

    reference::Run plain;
    plain.pairOutcomes = p.pairOutcomes;
    reference::buildEntries(plain, p.anteMortem);
    reference::buildEntries(plain, p.postMortem, true);
    reference::scoreBridges(plain, p.postMortem, 0);
    reference::scoreBridges(plain, p.anteMortem, 1);
    for (reference::Entry& entry : plain.entries)
        reference::rankBridgeEntry(entry);

    expectSameRun(fast, plain, label + " bridges");
}

PopulationShape randomShape(PopulationMaker& maker) {
    PopulationShape shape;
    shape.postMortem = static_cast<std::size_t>(maker.uniform(1, 300));
    shape.anteMortem = static_cast<std::size_t>(maker.uniform(1, 300));
    shape.templates = maker.uniform(1, 12);
    shape.mutation = maker.chance(0.5) ? 0.02 : 0.3;
    shape.damaged = maker.chance(0.5) ? 0.0 : 0.2;
    shape.matchRows = maker.chance(0.3) ? 1.0 : 0.05;
    return shape;
}

TEST(EngineDifferential, RandomPopulationsEveryOutputMatchesThePlainEngine) {
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        PopulationMaker maker(seed);
        const Population p = maker.make(randomShape(maker));
        const std::string label = "seed " + std::to_string(seed);
        compareSearch(p, 0, label);
        compareSearch(p, 1, label);
        if (seed % 3 == 0)
            compareBridges(p, label);
        if (HasFatalFailure())
            return;
    }
}

TEST(EngineDifferential, EveryInstructionSetGivesTheSameBits) {
    PopulationMaker maker(99);
    PopulationShape shape;
    shape.postMortem = 203; // not a multiple of the eight lanes
    shape.anteMortem = 61;
    shape.templates = 40;
    shape.mutation = 0.3;
    const Population p = maker.make(shape);
    for (const char* isa : {"portable", "avx2", "avx512f"}) {
        if (!selectWeightKernel(isa))
            continue;
        compareSearch(p, 0, isa);
        compareSearch(p, 1, isa);
    }
    selectWeightKernel("avx512f") || selectWeightKernel("avx2") || selectWeightKernel("portable");
}

} // namespace
} // namespace qdx

namespace qdx {
namespace {

// Larger populations take the sampled score floor and the counted thresholds; one has nearly
// every candidate identified, one many pairs under examination.
TEST(EngineDifferential, LargeCandidateListsWithFewOpenOrManyGreyCandidates) {
    PopulationMaker maker(4242);
    PopulationShape shape;
    shape.postMortem = 2500;
    shape.anteMortem = 12;
    shape.templates = 300;
    shape.mutation = 0.2;
    Population p = maker.make(shape);
    compareSearch(p, 0, "large");
    const auto weights = p.amToPm;
    p.amToPm.fill(0.0); // every score ties
    compareSearch(p, 0, "tied scores");
    p.amToPm = weights;

    for (std::size_t i = 0; i < p.postMortem.size(); ++i)
        if (i % 60 != 0)
            p.postMortem[i].MATCH_KIND = MatchKind::IdentifiedByChart;
    compareSearch(p, 0, "nearly all identified");

    for (DentalRecord& r : p.postMortem)
        r.MATCH_KIND = MatchKind();
    for (const DentalRecord& am : p.anteMortem)
        for (std::size_t i = 0; i < p.postMortem.size(); i += 3)
            p.pairOutcomes[p.postMortem[i].Dental_ID + "-" + am.Dental_ID] =
                i % 2 ? MatchKind::UnderInvestigation : MatchKind::Imposter;
    compareSearch(p, 0, "many grey");
}

TEST(EngineDifferential, CancellingMidRunLeavesTheRunAsItWas) {
    PopulationMaker maker(5);
    PopulationShape shape;
    shape.postMortem = 4000;
    shape.anteMortem = 3000;
    const Population p = maker.make(shape);
    SearchRun run;
    run.buildEntries(p.anteMortem);
    const std::size_t entries = run.entries().size();
    SearchControl control;
    control.threads = 1;
    std::size_t calls = 0;
    control.progress = [&](std::size_t done, std::size_t total) {
        ++calls;
        return done < total && false;
    };
    EXPECT_FALSE(run.scoreAll(p.postMortem, p.amToPm, 0, control));
    EXPECT_GE(calls, 1u);
    ASSERT_EQ(run.entries().size(), entries);
    for (const SearchEntry& entry : run.entries())
        ASSERT_EQ(entry.resultCount(), 0u);

    // A cancel flag set while the search runs stops it the same way.
    std::atomic<bool> cancel{false};
    control.cancel = &cancel;
    control.progress = [&cancel](std::size_t, std::size_t) {
        cancel = true;
        return true;
    };
    EXPECT_FALSE(run.scoreAll(p.postMortem, p.amToPm, 0, control));
    for (const SearchEntry& entry : run.entries())
        ASSERT_EQ(entry.resultCount(), 0u);
    control.cancel = nullptr;

    // A progress function that throws stops the search; the exception reaches the caller.
    control.progress = [](std::size_t, std::size_t) -> bool {
        throw std::runtime_error("window gone");
    };
    EXPECT_THROW(run.scoreAll(p.postMortem, p.amToPm, 0, control), std::runtime_error);
    for (const SearchEntry& entry : run.entries())
        ASSERT_EQ(entry.resultCount(), 0u);
}

// The command-line progress line is not made for several threads: the searching threads
// report one at a time, while the search runs and at its end, and watching changes no result.
TEST(EngineDifferential, AWatchedSearchReportsOneCallAtATimeAndGivesTheSameBits) {
    PopulationMaker maker(31);
    PopulationShape shape;
    shape.postMortem = 800;
    shape.anteMortem = 150;
    shape.templates = 60;
    shape.mutation = 0.2;
    const Population p = maker.make(shape);
    std::atomic<bool> cancel{false};
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    std::mutex reportsMutex;
    std::vector<std::size_t> reports;
    SearchControl control;
    control.threads = 2;
    control.cancel = &cancel;
    control.progress = [&](std::size_t done, std::size_t total) {
        if (inside.fetch_add(1) != 0)
            overlapped = true;
        {
            std::lock_guard lock(reportsMutex);
            reports.push_back(done);
            reports.push_back(total);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        inside.fetch_sub(1);
        return true;
    };
    compareSearch(p, 0, "watched", control);
    EXPECT_FALSE(overlapped);
    ASSERT_GE(reports.size(), 4u);
    EXPECT_LT(reports.front(), reports[1]); // reported before the end
    EXPECT_EQ(reports[reports.size() - 2], reports.back());
}

} // namespace
} // namespace qdx

namespace qdx {
namespace {

// A command that writes one criterion's list keeps only that list, as long as it shows: its
// rows and priority equal those of the run that keeps everything.
TEST(EngineDifferential, KeepingOneListGivesThatListsRowsAndPriority) {
    PopulationMaker maker(77);
    PopulationShape shape;
    shape.postMortem = 900;
    shape.anteMortem = 40;
    shape.templates = 50;
    shape.mutation = 0.2;
    shape.matchRows = 0.3;
    const Population p = maker.make(shape);
    SearchRun everything;
    everything.pairOutcomes() = p.pairOutcomes;
    everything.buildEntries(p.anteMortem);
    ASSERT_TRUE(everything.scoreAll(p.postMortem, p.amToPm, 0));
    for (SearchEntry& entry : everything.entries())
        rankEntry(entry, p.factor);
    for (int key = 0; key < kRankKeyCount; ++key)
        for (int hide = 0; hide <= 1; ++hide)
            for (const int n : {1, 2, 7, 50}) {
                const CandidateFilter filter = hide ? CandidateFilter::Open : CandidateFilter::All;
                SearchRun one;
                one.pairOutcomes() = p.pairOutcomes;
                one.buildEntries(p.anteMortem);
                one.keepLists(
                    KeptLists::only({key, filter}, static_cast<std::size_t>(std::max(n, 2))));
                ASSERT_TRUE(one.scoreAll(p.postMortem, p.amToPm, 0));
                for (std::size_t e = 0; e < one.entries().size(); ++e) {
                    SearchEntry& entry = one.entries()[e];
                    rankEntry(entry, p.factor);
                    const SearchEntry& full = everything.entries()[e];
                    const std::string where = "key " + std::to_string(key) + " hide " +
                                              std::to_string(hide) + " n " + std::to_string(n);
                    ASSERT_EQ(displayedPriority(entry, key, hide),
                              displayedPriority(full, key, hide))
                        << where;
                    const auto kept = visibleCandidates(entry, key, n, hide);
                    const auto all = visibleCandidates(full, key, n, hide);
                    ASSERT_EQ(kept.size(), all.size()) << where;
                    for (std::size_t i = 0; i < kept.size(); ++i) {
                        ASSERT_EQ(kept[i].candidate, all[i].candidate) << where;
                        ASSERT_EQ(bitsOf(kept[i].score), bitsOf(all[i].score)) << where;
                        ASSERT_EQ(kept[i].outcome, all[i].outcome) << where;
                    }
                    ASSERT_LE(entry.resultCount(), static_cast<std::size_t>(std::max(n, 2)));
                }
            }
}

} // namespace
} // namespace qdx
