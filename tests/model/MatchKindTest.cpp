#include "model/MatchKind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace qdx;

namespace {

// "stored text|identified|names partner|recorded|mark|list mark|label" of a stored text.
std::string traits(const std::string& stored) {
    const MatchKind kind = MatchKind::fromStored(stored);
    return kind.storedText() + "|" + (kind.isIdentified() ? "I" : "-") +
           (kind.namesPartner() ? "P" : "-") + (kind.isRecorded() ? "R" : "-") + "|" +
           std::string(kind.mark()) + "|" + std::string(kind.listMark()) + "|" +
           std::string(kind.stateLabel());
}

} // namespace

TEST(MatchKind, EachStoredTextReadsAsItsKind) {
    EXPECT_EQ(traits("0"), "0|I-R|*|*|判明済み");
    EXPECT_EQ(traits("1"), "1|IPR|*|*|デンタルチャートで判明");
    EXPECT_EQ(traits("2"), "2|IPR|*|*|他の情報で判明");
    EXPECT_EQ(traits("3"), "3|--R|u|u|鑑定中");
    EXPECT_EQ(traits("4"), "4|--R|i||他人");
    // No row: no outcome, "判明していない".
    EXPECT_EQ(traits(""), "|---|||判明していない");
    EXPECT_TRUE(MatchKind().isNone());
    EXPECT_EQ(MatchKind::fromStored(""), MatchKind());
    EXPECT_EQ(MatchKind::fromStored("3"), MatchKind::UnderInvestigation);
    EXPECT_EQ(MatchKind::fromStored("4").value(), MatchKind::Imposter);
    EXPECT_EQ(MatchKind(MatchKind::IdentifiedByOther).stateLabel(Language::English),
              "Identified at other information");
    EXPECT_EQ(MatchKind().stateLabel(Language::English), "Unidentified");
}

TEST(MatchKind, ADamagedTextIsKeptAndCountsAsNoOutcome) {
    for (const std::string stored : {"9", "01", "1 ", " 1", "x", "1.0", "-1", "同一人物"}) {
        EXPECT_EQ(traits(stored), stored + "|---|||") << stored;
        const MatchKind kind = MatchKind::fromStored(stored);
        EXPECT_FALSE(kind.isNone()) << stored;
        EXPECT_FALSE(kind.value()) << stored;
        EXPECT_NE(kind, MatchKind()) << stored;
        EXPECT_EQ(kind, MatchKind::fromStored(stored)) << stored;
    }
    EXPECT_NE(MatchKind::fromStored("9"), MatchKind::fromStored("8"));
}

TEST(MatchKind, KindsOrderAsTheMatchTableSortsThem) {
    std::vector<MatchKind> kinds = {MatchKind::Imposter,          MatchKind::fromStored("9"),
                                    MatchKind::IdentifiedByOther, MatchKind(),
                                    MatchKind::Identified,        MatchKind::UnderInvestigation,
                                    MatchKind::fromStored("01"),  MatchKind::IdentifiedByChart};
    std::sort(kinds.begin(), kinds.end());
    std::string order;
    for (const MatchKind& kind : kinds)
        order += "[" + kind.storedText() + "]";
    EXPECT_EQ(order, "[][0][01][1][2][3][4][9]");
}
