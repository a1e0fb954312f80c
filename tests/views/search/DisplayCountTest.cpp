#include "views/search/DisplayCount.h"
#include "views/search/SearchLabels.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

TEST(DisplayCount, ListFollowsTheCandidatesAndKeepsACarriedIndex) {
    struct Case {
        int candidates;
        int carried;
        int items;
        int selected;
    };
    const Case cases[] = {
        {0, -1, 0, -1},   {0, 3, 0, -1},                     // nothing to show: an empty list
        {1, -1, 1, 0},    {2, -1, 2, 1},    {2, 5, 2, 1},    // fewer than three: the last item
        {2, 1, 2, 1},     {3, -1, 3, 2},    {60, -1, 50, 2}, // else TOP 3
        {60, 1, 50, 1},   {80, 9, 50, 9},   {4, 5, 4, 2},    // an index below c stays
        {80, 49, 50, 49}, {80, 60, 50, 49},                  // beyond the fifty items: the last
        {-4, 0, 0, -1},
    };
    for (const Case& c : cases) {
        const DisplayCountChoice choice = displayCountChoice(c.candidates, c.carried);
        EXPECT_EQ(choice.items, c.items) << c.candidates << " " << c.carried;
        EXPECT_EQ(choice.selected, c.selected) << c.candidates << " " << c.carried;
        EXPECT_EQ(choice.displayCount(), c.selected + 1);
    }
    EXPECT_EQ(displayCountCaption(0), "TOP 1 を表示");
    EXPECT_EQ(displayCountCaption(49), "TOP 50 を表示");
}

DentalRecord withKind(const std::string& kind, const std::string& valid = "1") {
    DentalRecord record;
    record.MATCH_KIND = MatchKind::fromStored(kind);
    record.valid = valid;
    return record;
}

TEST(DisplayCount, SearchWindowsCountCandidatesNotIdentifiedWhenHiding) {
    const std::vector<DentalRecord> side = {withKind("0"), withKind("2"),     withKind("3"),
                                            withKind("4"), withKind("", "2"), withKind("", "3")};
    EXPECT_EQ(searchCandidateCount(side, 0), 6);
    EXPECT_EQ(searchCandidateCount(side, 1), 4);
    EXPECT_EQ(searchCandidateCount({}, 1), 0);
}

TEST(DisplayCount, MainWindowCountsSearchableRecordsOfTheCandidateSide) {
    // Identified records and those with a record state above 2 are not searchable.
    EXPECT_TRUE(countsAsSearchable(withKind("")));
    EXPECT_TRUE(countsAsSearchable(withKind("3", "2")));
    EXPECT_FALSE(countsAsSearchable(withKind("1")));
    EXPECT_FALSE(countsAsSearchable(withKind("4", "3")));
    const ListCounts pm{5, 2};
    const ListCounts am{9, 4};
    EXPECT_EQ(listCandidateCount(0, false, pm, am), 5);
    EXPECT_EQ(listCandidateCount(0, true, pm, am), 2);
    EXPECT_EQ(listCandidateCount(1, false, pm, am), 9);
    EXPECT_EQ(listCandidateCount(1, true, pm, am), 4);
}

TEST(SearchLabels, NameDirectionsAndRankKeys) {
    EXPECT_EQ(directionLabel(0), "生前→死後");
    EXPECT_EQ(directionLabel(1), "死後→生前");
    EXPECT_EQ(rankKeyLabel(0), "完全一致数");
    EXPECT_EQ(rankKeyLabel(3), "スコア");
    EXPECT_EQ(rankKeyLabel(4), "");
    EXPECT_EQ(rankKeyLabel(-1), "");
    EXPECT_EQ(resultCountHeadings()[0], "検索数");
    EXPECT_EQ(resultCountHeadings()[2], rankKeyLabel(1));
}

} // namespace
} // namespace qdx
