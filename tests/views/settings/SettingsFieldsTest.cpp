#include "views/settings/SettingsFields.h"
#include "views/settings/DecimalText.h"
#include "views/settings/SettingsGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace qdx {
namespace {

using Message = std::optional<SettingsMessage>;

constexpr Message kPasses = std::nullopt;

SettingsFields validFields() {
    SearchSettings settings;
    settings.projectName = "kesennuma";
    return settingsFields(settings);
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(SettingsNumbers, DecimalTextsAreReadLikeTheWindowReadsThem) {
    for (const char* text :
         {"", "7", "-1", "+1", "0.5", ".5", "5.", "1e3", "1E-4", "  7", "\t-0.9950", "1.5e+2"})
        EXPECT_TRUE(isDecimalText(text)) << text;
    // Trailing blanks, words, hexadecimal texts and the non-numbers a C reading would take.
    for (const char* text : {" ", "7 ", "abc", ".", "-", "1e", "1e+", "1.2.3", "0x10", "nan", "NaN",
                             "inf", "-inf", "infinity", "1,5", "１"})
        EXPECT_FALSE(isDecimalText(text)) << text;

    EXPECT_EQ(decimalValue(""), 0.0);
    EXPECT_EQ(decimalValue("  -0.9950"), -0.995);
    EXPECT_EQ(decimalValue("+0.0621"), 0.0621);
    EXPECT_EQ(decimalValue("1e3"), 1000.0);
    EXPECT_EQ(decimalValue(".25"), 0.25);
    EXPECT_TRUE(std::isinf(decimalValue("1e999")));
    EXPECT_TRUE(std::isinf(decimalValue("-" + std::string(400, '9'))));
    EXPECT_LT(decimalValue("-" + std::string(400, '9')), 0.0);
    EXPECT_EQ(decimalValue("1e-999"), 0.0);
    EXPECT_EQ(decimalValue("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(SettingsChecks, Factor) {
    EXPECT_EQ(checkFactor("7"), kPasses);
    EXPECT_EQ(checkFactor("65535"), kPasses);
    EXPECT_EQ(checkFactor("1"), kPasses);
    EXPECT_EQ(checkFactor(" 7"), kPasses);
    EXPECT_EQ(checkFactor("1e3"), kPasses); // a number without "."; its leading digits are 1
    for (const char* text : {"0", "-1", "65536", "", "99999999999999999999", "-0"})
        EXPECT_EQ(checkFactor(text), SettingsMessage::FactorRange) << text;
    for (const char* text : {"7.0", "7 ", "abc", "7.", "nan", "inf", "infinity", "0x7"})
        EXPECT_EQ(checkFactor(text), SettingsMessage::NotNumber) << text;
}

TEST(SettingsChecks, Cells) {
    for (const char* text : {"1", "-1", "0.5", "-0.9950", "1.0000", "", "-1.0000", "1e-4", "0"})
        EXPECT_EQ(checkCell(text), kPasses) << text;
    EXPECT_EQ(checkCell("0.12345"), SettingsMessage::TooManyDecimals);
    EXPECT_EQ(checkCell("10000"), SettingsMessage::TooManyDecimals); // not out of range
    EXPECT_EQ(checkCell("    1"), SettingsMessage::TooManyDecimals); // blanks count too
    EXPECT_EQ(checkCell("1.5"), SettingsMessage::CellRange);
    EXPECT_EQ(checkCell("-1.0001"), SettingsMessage::CellRange);
    EXPECT_EQ(checkCell("1e3"), SettingsMessage::CellRange);
    for (const char* text : {"abc", "nan", "inf", "-inf", "0.5 ", "0x1"})
        EXPECT_EQ(checkCell(text), SettingsMessage::NotNumber) << text;
}

TEST(SettingsChecks, ProjectNameCountsCharactersNotBytes) {
    EXPECT_EQ(checkProjectName(std::string(100, 'a')), kPasses);
    EXPECT_EQ(checkProjectName(std::string(101, 'a')), SettingsMessage::NameLength);
    EXPECT_EQ(checkProjectName(repeated("気", 100)), kPasses);
    EXPECT_EQ(checkProjectName(repeated("気", 101)), SettingsMessage::NameLength);
    EXPECT_EQ(checkProjectName(""), SettingsMessage::NameLength);
    EXPECT_EQ(checkProjectName(" "), kPasses);
}

TEST(SettingsChecks, TheFirstFaultInTheWindowsOrderIsReported) {
    SettingsFields fields = validFields();
    EXPECT_EQ(checkSettingsFields(fields), std::nullopt);

    // Column 2 of the left five-class grid, then a cell further up in column 1: column 1 first.
    fields.cell(SettingsGrid::AmToPm5, gridElement(SettingsGrid::AmToPm5, 2, 1)) = "abc";
    fields.cell(SettingsGrid::AmToPm5, gridElement(SettingsGrid::AmToPm5, 1, 4)) = "1.5";
    fields.cell(SettingsGrid::PmToAm6, 0) = "x";
    EXPECT_EQ(checkSettingsFields(fields),
              (SettingsFault{SettingsField::Cell, 3, SettingsMessage::CellRange}));

    fields.cell(SettingsGrid::AmToPm5, 3) = "0.5";
    EXPECT_EQ(checkSettingsFields(fields),
              (SettingsFault{SettingsField::Cell, 5, SettingsMessage::NotNumber}));

    fields.factor = "0";
    EXPECT_EQ(checkSettingsFields(fields),
              (SettingsFault{SettingsField::Factor, -1, SettingsMessage::FactorRange}));
    fields.projectName.clear();
    EXPECT_EQ(checkSettingsFields(fields),
              (SettingsFault{SettingsField::ProjectName, -1, SettingsMessage::NameLength}));

    SettingsFields lastGrid = validFields();
    lastGrid.cells.back() = "2";
    EXPECT_EQ(checkSettingsFields(lastGrid),
              (SettingsFault{SettingsField::Cell, 121, SettingsMessage::CellRange}));
}

TEST(SettingsFields, OpenWithFourDecimalsAndStoreWhatWasShown) {
    SearchSettings settings;
    settings.projectName = "東日本";
    settings.factor = 7;
    const SettingsFields fields = settingsFields(settings);
    EXPECT_EQ(fields.projectName, "東日本");
    EXPECT_EQ(fields.factor, "7");
    // weight(p 1, a 1) = 0.0621 and weight(p 3, a 4) = -0.995 of the left five-class grid.
    EXPECT_EQ(fields.cell(SettingsGrid::AmToPm5, 0), "0.0621");
    EXPECT_EQ(fields.cell(SettingsGrid::AmToPm5, gridElement(SettingsGrid::AmToPm5, 3, 4)),
              "-0.9950");
    EXPECT_EQ(fields.cell(SettingsGrid::PmToAm5, 0), "0.2452");
    EXPECT_EQ(fields.cell(SettingsGrid::AmToPm6, 0), "0.0144");
    EXPECT_EQ(fields.cells[kSettingsCellCount - 1], "0.4936");
    EXPECT_EQ(formatCell(0.00005), "0.0001");
    EXPECT_EQ(formatCell(-0.12344), "-0.1234");

    SearchSettings stored;
    settings.amToPmScores6[7] = 0.123456; // shows as 0.1235; storing keeps what was shown
    storeSettingsFields(settingsFields(settings), stored);
    EXPECT_EQ(stored.projectName, "東日本");
    EXPECT_EQ(stored.factor, 7);
    EXPECT_EQ(stored.amToPmScores5, settings.amToPmScores5);
    EXPECT_EQ(stored.pmToAmScores5, settings.pmToAmScores5);
    EXPECT_EQ(stored.amToPmScores6[7], 0.1235);
    EXPECT_EQ(stored.pmToAmScores6, settings.pmToAmScores6);
}

TEST(SettingsFields, StoringReadsLeadingDigitsAndEmptyCells) {
    SettingsFields fields = validFields();
    fields.factor = "1e3";
    fields.cell(SettingsGrid::PmToAm5, 4) = "";
    fields.cell(SettingsGrid::AmToPm6, 35) = " -1";
    fields.cell(SettingsGrid::PmToAm6, 6) = "1e-4";
    ASSERT_EQ(checkSettingsFields(fields), std::nullopt);
    SearchSettings settings;
    storeSettingsFields(fields, settings);
    EXPECT_EQ(settings.factor, 1);
    EXPECT_EQ(settings.pmToAmScores5[4], 0.0);
    EXPECT_EQ(settings.amToPmScores6[35], -1.0);
    EXPECT_EQ(settings.pmToAmScores6[6], 0.0001);

    fields.factor = " 7";
    storeSettingsFields(fields, settings);
    EXPECT_EQ(settings.factor, 7);
}

TEST(SettingsGrids, CellOrderAndScreenOrder) {
    EXPECT_EQ(gridFirstCell(SettingsGrid::PmToAm5), 25);
    EXPECT_EQ(gridFirstCell(SettingsGrid::AmToPm6), 50);
    EXPECT_EQ(gridFirstCell(SettingsGrid::PmToAm6), 86);
    EXPECT_EQ(cellGrid(85), SettingsGrid::AmToPm6);
    EXPECT_EQ(cellGrid(86), SettingsGrid::PmToAm6);
    EXPECT_EQ(cellElement(121), 35);
    // Element 7 of a five-class grid is column 2, row 3; of a six-class grid column 2, row 2.
    EXPECT_EQ(elementColumnClass(SettingsGrid::AmToPm5, 7), 2);
    EXPECT_EQ(elementRowClass(SettingsGrid::AmToPm5, 7), 3);
    EXPECT_EQ(elementColumnClass(SettingsGrid::PmToAm6, 7), 2);
    EXPECT_EQ(elementRowClass(SettingsGrid::PmToAm6, 7), 2);
    EXPECT_EQ(gridElement(SettingsGrid::AmToPm6, 6, 1), 30);

    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(screenClass(SettingsGrid::PmToAm5, p), p + 1);
    const int sixOrder[] = {6, 1, 2, 3, 4, 5};
    for (int p = 0; p < 6; ++p)
        EXPECT_EQ(screenClass(SettingsGrid::AmToPm6, p), sixOrder[p]);
    EXPECT_EQ(gridClassLabel(screenClass(SettingsGrid::PmToAm6, 0)), "歯あり");
    EXPECT_EQ(gridClassLabel(4), "欠損");

    EXPECT_EQ(gridColumnHeading(SettingsGrid::AmToPm5), "死後");
    EXPECT_EQ(gridRowHeading(SettingsGrid::AmToPm6), "生前");
    EXPECT_EQ(gridColumnHeading(SettingsGrid::PmToAm6), "生前");
    EXPECT_EQ(gridTitle(SettingsGrid::PmToAm5), "スコアの重みづけ（死後→生前）");
}

} // namespace
} // namespace qdx
