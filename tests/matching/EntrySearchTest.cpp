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
    test::PopulationShape shape;
    shape.postMortem = 70;
    shape.anteMortem = 90;
    shape.templates = 4;
    shape.damaged = 0.05;
    const test::Population p = maker.make(shape);
    for (int side : {PostMortem, AnteMortem})
        for (DentalRecord r : side == PostMortem ? p.postMortem : p.anteMortem) {
            r.displayId = (side == PostMortem ? "P-" : "A-") + r.Dental_ID;
            records::insertRecord(model.database(), side, r);
        }
    const auto& pm = model.reloadRecords(PostMortem);
    const auto& am = model.reloadRecords(AnteMortem);
    std::vector<MatchRow> rows;
    for (int i = 0; i < 40; ++i) {
        MatchRow row;
        row.ID_AFTER = pm[static_cast<std::size_t>(maker.uniform(0, 69))].Dental_ID;
        row.ID_BEFOR = am[static_cast<std::size_t>(maker.uniform(0, 89))].Dental_ID;
        row.KIND = MatchKind::fromStored(std::to_string(maker.uniform(0, 4)));
        rows.push_back(row);
        if (maker.chance(0.2))
            rows.push_back(row);
    }
    model.insertMatches(rows);
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
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
