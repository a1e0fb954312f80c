#include "model/DentalRecord.h"
#include "model/Labels.h"
#include "model/RecordId.h"
#include "model/ToothChart.h"

#include <gtest/gtest.h>

#include <regex>

namespace qdx {
namespace {

TEST(ToothPositions, ColumnsPicturesAndHeadingsFollowTheChartOrder) {
    const auto& columns = toothColumnNames();
    EXPECT_EQ(columns[0], "dru8");
    EXPECT_EQ(columns[7], "dru1");
    EXPECT_EQ(columns[8], "dlu1"); // parameter @dc9
    EXPECT_EQ(columns[16], "dld8");
    EXPECT_EQ(columns[24], "drd1");
    EXPECT_EQ(columns[31], "drd8");
    EXPECT_EQ(toothPictureNames()[0], "ur8");
    EXPECT_EQ(toothPictureNames()[23], "ll1");
    EXPECT_EQ(toothHeading(0), "右上8");
    EXPECT_EQ(toothHeading(8), "左上1");
    EXPECT_EQ(toothHeading(19), "左下5");
    EXPECT_EQ(toothHeading(31), "右下8");
    for (int i = 0; i < kToothCount; ++i) {
        // The picture name and the column name carry the same tooth number.
        EXPECT_EQ(columns[i].back(), toothPictureNames()[i].back()) << i;
        EXPECT_EQ(toothNumber(i), columns[i].back() - '0') << i;
        const bool deciduousPossible = (i >= 3 && i <= 12) || (i >= 19 && i <= 28);
        EXPECT_EQ(canBeDeciduous(i), deciduousPossible) << i;
    }
}

TEST(ToothCode, BuildsTenCharacterCodesFromTheFourCharts) {
    ChartStrings chart = ChartStrings::defaults();
    EXPECT_EQ(buildToothCode(chart, 0), "5000000000");
    chart.classChart[4] = '3';
    chart.bridgeChart[4] = '1';
    chart.presentChart[5] = '1';
    chart.deciduousChart[6] = '1';
    EXPECT_EQ(buildToothCode(chart, 4), "3100000000");
    EXPECT_EQ(buildToothCode(chart, 5), "5000010000");
    EXPECT_EQ(buildToothCode(chart, 6), "5000001000");
}

TEST(ToothCode, ReadsTenFiveAndOddLengthCodes) {
    ChartStrings chart = ChartStrings::empty();
    appendToothCode(chart, "31000");      // legacy five-character form
    appendToothCode(chart, "5000010000"); // tooth present, state unknown
    appendToothCode(chart, "5000001000"); // deciduous
    appendToothCode(chart, "");           // not written by this program
    appendToothCode(chart, "4100");
    appendToothCode(chart, "21000000000");
    EXPECT_EQ(chart.classChart, "355555");
    EXPECT_EQ(chart.bridgeChart, "100000");
    EXPECT_EQ(chart.presentChart, "010000");
    EXPECT_EQ(chart.deciduousChart, "001000");
    EXPECT_EQ(effectiveClass(chart, 0), 3);
    EXPECT_EQ(effectiveClass(chart, 1), 6);
    EXPECT_EQ(effectiveClass(chart, 2), 5);
    // The legacy code writes back as the ten-character form.
    EXPECT_EQ(buildToothCode(chart, 0), "3100000000");
}

TEST(DentalRecord, NewRecordHasTheDefaults) {
    const DentalRecord record;
    EXPECT_EQ(record.Dental_ID, "");
    EXPECT_EQ(record.displayId, " -    ");
    EXPECT_EQ(record.sex, "0");
    EXPECT_EQ(record.valid, "1");
    EXPECT_EQ(record.agegroup, "0");
    EXPECT_EQ(record.MATCH_KIND, MatchKind::Identified);
    EXPECT_EQ(record.classChart, std::string(32, '5'));
    EXPECT_EQ(record.presentChart, std::string(32, '0'));
    EXPECT_TRUE(std::regex_match(record.UpdateTime, std::regex(R"(\d{4}-\d{2}-\d{2})")));
    for (int i = 0; i < kToothCount; ++i)
        EXPECT_EQ(buildToothCode(record.chart(), i), "5000000000");
    EXPECT_EQ(keyLabel(""), "");
    EXPECT_EQ(keyLabel("42"), "No.  00042");
}

TEST(DisplayId, ComposesAndSplitsAtTheFirstHyphen) {
    EXPECT_EQ(composeDisplayId("AB", "00012"), "AB-00012");
    const IdParts parts = splitDisplayId("AB-00012");
    EXPECT_EQ(parts.upper, "AB");
    EXPECT_EQ(parts.lower, "00012");
    EXPECT_EQ(splitDisplayId("A-B-C").upper, "A");
    EXPECT_EQ(splitDisplayId("A-B-C").lower, "B-C");
    EXPECT_EQ(splitDisplayId("00012").upper, "");
    EXPECT_EQ(splitDisplayId("00012").lower, "00012");
    EXPECT_EQ(splitDisplayId("-").upper, "");
    EXPECT_EQ(splitDisplayId("-").lower, "");
}

TEST(RecordIdCheck, EachRuleInOrderWithItsMessage) {
    const auto none = [](const std::string&) { return false; };
    const auto message = [&](const std::string& upper, const std::string& lower) {
        return checkRecordId(upper, lower, none).error.value_or("");
    };
    EXPECT_EQ(message("", ""), "ID上位部が指定されていません。");
    EXPECT_EQ(message("A-B", ""), "ID上位部に\"-\"(ハイフン)は指定できません。");
    EXPECT_EQ(message("AB", ""), "ID下位部が指定されていません。");
    EXPECT_EQ(message("AB", "12a"), "ID下位部に数字以外が指定されています。");
    EXPECT_EQ(message("AB", "１２"), "ID下位部に数字以外が指定されています。");
    EXPECT_EQ(message("AB", "-1"), "ID下位部に数字以外が指定されています。");
    EXPECT_EQ(message("AB", "100000"), "ID下位部は0～99999で指定してください。");
    EXPECT_EQ(message("AB", "99999999999999999999"), "ID下位部は0～99999で指定してください。");
    EXPECT_TRUE(checkRecordId("AB", "1", none).upperField == false);

    const IdCheck ok = checkRecordId("AB", "7", none);
    EXPECT_FALSE(ok.error);
    EXPECT_EQ(ok.lower, "00007");
    EXPECT_EQ(checkRecordId("AB", "0099999", none).lower, "99999");

    std::string asked;
    const auto taken = [&](const std::string& id) {
        asked = id;
        return true;
    };
    EXPECT_EQ(checkRecordId("AB", "12", taken).error.value_or(""), "IDはすでに登録されています。");
    EXPECT_EQ(asked, "AB-00012");
}

TEST(Labels, JapaneseAndEnglishColumns) {
    EXPECT_EQ(sexLabel("2"), "女性");
    EXPECT_EQ(sexLabel("2", Language::English), "Female");
    EXPECT_EQ(sexLabel("0"), "不明");
    EXPECT_EQ(sexLabel("9"), "");
    EXPECT_EQ(ageGroupLabel("11"), "100才以上");
    EXPECT_EQ(ageGroupLabel("1", Language::English), "0 to 9");
    EXPECT_EQ(ageGroupLabel("12"), "");
    EXPECT_EQ(ageGroupLabel("x"), "");
    EXPECT_EQ(classShortLabel(4), "C4、欠損");
    EXPECT_EQ(classShortLabel(7), "");
    EXPECT_EQ(classDescription(5), "情報なし\r\n（カルテ未記載や遺体の部分的な欠如）");
    EXPECT_EQ(sideBracketLabel(1), "[生前]");
}

} // namespace
} // namespace qdx
