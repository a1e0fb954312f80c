#include "views/search/SortRules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace qdx {
namespace {

using Row = std::array<std::string, 7>;

std::vector<std::string> column(const std::vector<Row>& rows, int c) {
    std::vector<std::string> values;
    for (const Row& r : rows)
        values.push_back(r[c]);
    return values;
}

const auto kCell = [](const Row& r, int c) { return r[c]; };

TEST(SortRules, FullSearchTableSortsByPriorityThenId) {
    SortRules rules(SortRules::List::FullSearch);
    std::vector<Row> rows = {
        {"", "", "B-00002", "-3"},
        {"", "", "A-00010", "12"},
        {"", "", "a-00001", ""},
        {"", "", "A-00009", "7"},
    };
    EXPECT_FALSE(rules.click(5)); // a candidate's ID column does not sort
    EXPECT_FALSE(rules.click(0));
    EXPECT_EQ(rules.lastColumn(), -1);
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 2)[0], "B-00002"); // unchanged

    ASSERT_TRUE(rules.click(3)); // first click: highest priority first; empty reads as 0
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 3), (std::vector<std::string>{"12", "7", "", "-3"}));
    rules.click(3);
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 3), (std::vector<std::string>{"-3", "", "7", "12"}));
    rules.click(2); // ID ascending, byte order
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 2),
              (std::vector<std::string>{"A-00009", "A-00010", "B-00002", "a-00001"}));
    rules.click(2);
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 2)[0], "a-00001");
    rules.click(3); // coming back to the priority starts descending again
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 3)[0], "12");
}

TEST(SortRules, MatchHistoryListSortsByKindNumberThenPartnerId) {
    SortRules rules(SortRules::List::History);
    std::vector<Row> rows = {
        {"", "他人", "B-00001", "", "", "", "4"},
        {"", "鑑定中", "C-00001", "", "", "", "3"},
        {"", "他人", "A-00001", "", "", "", "4"},
        {"", "判明", "Z-00001", "", "", "", "1"},
    };
    EXPECT_FALSE(rules.click(3));
    ASSERT_TRUE(rules.click(1));
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 2),
              (std::vector<std::string>{"Z-00001", "C-00001", "A-00001", "B-00001"}));
    rules.click(1);
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 2),
              (std::vector<std::string>{"B-00001", "A-00001", "C-00001", "Z-00001"}));
    rules.click(2);
    rules.sort(rows, kCell);
    EXPECT_EQ(column(rows, 2)[0], "A-00001");
}

TEST(SortRules, ByteAndNumberComparisons) {
    EXPECT_LT(SortRules::compareBytes("Z", "a"), 0);
    EXPECT_LT(SortRules::compareBytes("10", "9"), 0);
    EXPECT_GT(SortRules::compareBytes("あ", "z"), 0); // UTF-8 lead bytes above ASCII
    EXPECT_EQ(SortRules::compareNumbers("", "0"), 0);
    EXPECT_LT(SortRules::compareNumbers("-12", "3"), 0);
    EXPECT_EQ(SortRules::compareNumbers("      7", "7"), 0);
}

} // namespace
} // namespace qdx
