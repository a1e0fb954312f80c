#include "RandomPopulation.h"

#include "matching/Ranking.h"
#include "matching/SearchRequest.h"
#include "store/MatchRow.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/RecordTable.h"
#include "support/TestFiles.h"

#include <cstring>
#include <gtest/gtest.h>

namespace qdx {
namespace {

// A stored project of a random population with match rows of every kind on random pairs,
// several rows for some pairs, so that identified candidates, grey ones and pair outcomes
// all occur.
void fillProject(ProjectModel& model, std::uint32_t seed) {
    test::PopulationMaker maker(seed);
    test::StoredShape shape;
    shape.population.postMortem = 70;
    shape.population.anteMortem = 90;
    shape.population.templates = 4;
    shape.population.damaged = 0.05;
    shape.repeated = 0.2;
    test::storePopulation(model, maker, shape);
    model.settings().factor = static_cast<std::uint16_t>(maker.uniform(0, 5));
}

std::string resultText(const PairResult& r) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &r.score, sizeof bits);
    return r.candidate->displayId + " " + std::to_string(r.searchCount) + " " +
           std::to_string(r.exactMatchCount) + " " +
           std::to_string(r.fullRestorationMissingMatchCount) + " " +
           std::to_string(r.noContradictionMatchCount) + " " + r.outcome.storedText() + " " +
           std::to_string(bits);
}

// Everything a window reads of an entry: both priorities, and the listed and grey candidates
// under every criterion, hiding setting and display counts of every kind (one, a few, all).
std::vector<std::string> entryText(const SearchEntry& entry) {
    std::vector<std::string> lines;
    for (int key = 0; key < kRankKeyCount; ++key)
        for (int hide = 0; hide <= 1; ++hide) {
            lines.push_back("priority " + std::to_string(displayedPriority(entry, key, hide)));
            for (int n : {1, 2, 3, 10, kMaxDisplayCount}) {
                for (const PairResult& r : visibleCandidates(entry, key, n, hide))
                    lines.push_back(resultText(r));
                for (const PairResult& r : greyCandidates(entry, key, n, hide))
                    lines.push_back("grey " + resultText(r));
            }
        }
    return lines;
}

TEST(EntrySearch, OneChartsSearchEqualsItsEntryOfTheFullSearch) {
    for (std::uint32_t seed : {3u, 11u, 29u}) {
        test::TempDir dir;
        ProjectModel model;
        openProjectFile(model, splitProjectPath(dir.file("project")));
        fillProject(model, seed);
        for (int direction : {0, 1}) {
            SearchRun full;
            ASSERT_TRUE(runSearch(model, direction, full));
            const auto& searching = model.records(direction == 0 ? AnteMortem : PostMortem);
            std::size_t searched = 0;
            for (const DentalRecord& record : searching) {
                SearchRun one;
                runEntrySearch(model, direction, record, one);
                const SearchEntry* expected = full.findEntry(record.displayId);
                const std::string where = "seed " + std::to_string(seed) + " direction " +
                                          std::to_string(direction) + " " + record.displayId;
                if (!expected) {
                    EXPECT_TRUE(one.entries().empty()) << where;
                    continue;
                }
                ASSERT_EQ(one.entries().size(), 1u) << where;
                EXPECT_EQ(entryText(one.entries().front()), entryText(*expected)) << where;
                ++searched;
            }
            EXPECT_EQ(searched, full.entries().size());
        }
    }
}

TEST(EntrySearch, TheTargetListNeedsNoSearch) {
    test::TempDir dir;
    ProjectModel model;
    openProjectFile(model, splitProjectPath(dir.file("project")));
    fillProject(model, 5);
    for (int direction : {0, 1}) {
        SearchRun full;
        ASSERT_TRUE(runSearch(model, direction, full));
        const auto& searching = model.records(direction == 0 ? AnteMortem : PostMortem);
        for (const DentalRecord& record : searching)
            EXPECT_EQ(findSearchable(searching, record.displayId) != nullptr,
                      full.findEntry(record.displayId) != nullptr)
                << record.displayId << " valid " << record.valid;
    }
}

} // namespace
} // namespace qdx
