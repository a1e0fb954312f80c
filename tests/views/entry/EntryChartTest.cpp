#include "views/entry/EntryChart.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

// Effective classes of a chart as one digit per tooth, for compact expectations.
std::string classes(const EntryChart& chart) {
    std::string text;
    for (int i = 0; i < kToothCount; ++i)
        text += static_cast<char>('0' + chart.effectiveClass(i));
    return text;
}

EntryChart withClass(int position, int effective) {
    EntryChart chart;
    const auto p = static_cast<std::size_t>(position);
    chart.classIndex[p] = effective == 6 ? 4 : effective - 1;
    chart.presentFlag[p] = effective == 6 ? 1 : 0;
    return chart;
}

TEST(EntryChart, ANewChartIsNoInformationWithoutMarks) {
    const EntryChart chart;
    EXPECT_EQ(classes(chart), std::string(32, '5'));
    for (int i = 0; i < kToothCount; ++i) {
        EXPECT_EQ(chart.bridgeFlag[static_cast<std::size_t>(i)], 0);
        EXPECT_EQ(chart.deciduousFlag[static_cast<std::size_t>(i)], 0);
    }
}

TEST(EntryChart, LeftClicksWalkTheCycleAndSixReturnEveryState) {
    EntryChart chart = withClass(5, 1);
    std::string seen;
    for (int click = 0; click < 6; ++click) {
        chart.stepForward(5);
        seen += static_cast<char>('0' + chart.effectiveClass(5));
    }
    EXPECT_EQ(seen, "234561");
    for (int start = 1; start <= 6; ++start) {
        EntryChart c = withClass(20, start);
        for (int click = 0; click < 6; ++click)
            c.stepForward(20);
        EXPECT_EQ(c.effectiveClass(20), start) << "start " << start;
        EXPECT_TRUE(c.classIndex[20] == 4 || c.presentFlag[20] == 0);
    }
}

TEST(EntryChart, RightClicksWalkBackwardsFromASoundTooth) {
    EntryChart chart = withClass(9, 1);
    std::string seen;
    for (int click = 0; click < 5; ++click) {
        chart.stepBackward(9);
        seen += static_cast<char>('0' + chart.effectiveClass(9));
    }
    // 歯あり, 情報なし, 欠損, full restoration, partial restoration.
    EXPECT_EQ(seen, "65432");
    chart.stepBackward(9);
    EXPECT_EQ(chart.effectiveClass(9), 1);
}

TEST(EntryChart, ClicksBesideTheTeethChangeNothing) {
    EntryChart chart;
    chart.stepForward(-1);
    chart.stepBackward(-1);
    chart.stepForward(32);
    chart.toggleBridge(-1);
    EXPECT_FALSE(chart.toggleDeciduous(-1));
    EXPECT_EQ(classes(chart), std::string(32, '5'));
}

TEST(EntryChart, DeciduousMarksOnlyOnTeethOneToFive) {
    EntryChart chart;
    // Positions 0..2, 13..18 and 29..31 are teeth 6..8.
    for (int position : {0, 1, 2, 13, 14, 15, 16, 17, 18, 29, 30, 31}) {
        EXPECT_FALSE(chart.toggleDeciduous(position)) << position;
        EXPECT_EQ(chart.deciduousFlag[static_cast<std::size_t>(position)], 0);
    }
    for (int position : {3, 12, 19, 28, 5, 24}) {
        EXPECT_TRUE(chart.toggleDeciduous(position)) << position;
        EXPECT_EQ(chart.deciduousFlag[static_cast<std::size_t>(position)], 1);
    }
    EXPECT_TRUE(chart.toggleDeciduous(3));
    EXPECT_EQ(chart.deciduousFlag[3], 0);
    // The marks never touch the class.
    EXPECT_EQ(classes(chart), std::string(32, '5'));
}

TEST(EntryChart, BulkButtonsSetTheirRangeAndKeepTheMarks) {
    EntryChart chart;
    chart.toggleBridge(0);
    chart.toggleBridge(31);
    chart.toggleDeciduous(4);
    chart.toggleDeciduous(20);
    const auto marksKept = [](const EntryChart& c) {
        return c.bridgeFlag[0] == 1 && c.bridgeFlag[31] == 1 && c.deciduousFlag[4] == 1 &&
               c.deciduousFlag[20] == 1;
    };
    chart.apply(BulkSetting::AllPresent);
    EXPECT_EQ(classes(chart), std::string(32, '6'));
    EXPECT_TRUE(marksKept(chart));
    chart.apply(BulkSetting::UpperMissing);
    EXPECT_EQ(classes(chart), std::string(16, '4') + std::string(16, '6'));
    chart.apply(BulkSetting::AllSound);
    chart.apply(BulkSetting::LowerMissing);
    EXPECT_EQ(classes(chart), std::string(16, '1') + std::string(16, '4'));
    chart.apply(BulkSetting::AllNoInformation);
    EXPECT_EQ(classes(chart), std::string(32, '5'));
    EXPECT_EQ(chart.presentFlag[7], 0);
    chart.apply(BulkSetting::AllMissing);
    EXPECT_EQ(classes(chart), std::string(32, '4'));
    EXPECT_TRUE(marksKept(chart));
}

TEST(EntryChart, ReadsAStoredChartAndSurvivesMalformedCharacters) {
    DentalRecord record;
    record.classChart = "1234555555555555555555555555555x";
    record.presentChart = std::string(4, '0') + "1" + std::string(27, '0');
    record.bridgeChart = "1";       // short: the rest reads as no bridge
    record.deciduousChart = "0001"; // tooth 5 of the upper right
    const EntryChart chart = EntryChart::fromRecord(record);
    EXPECT_EQ(classes(chart).substr(0, 6), "123465");
    // A character that is not a class digit reads as no information and still cycles.
    EXPECT_EQ(chart.effectiveClass(31), 5);
    EXPECT_EQ(chart.bridgeFlag[0], 1);
    EXPECT_EQ(chart.bridgeFlag[1], 0);
    EXPECT_EQ(chart.deciduousFlag[3], 1);
    EXPECT_EQ(chart.pictureKinds()[4], 5);
}

} // namespace
} // namespace qdx
