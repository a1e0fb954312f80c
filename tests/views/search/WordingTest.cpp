#include "model/Wording.h"
#include "model/MatchKind.h"
#include "model/ToothChart.h"
#include "views/entry/EntryForm.h"
#include "views/history/MatchHistoryEditor.h"
#include "views/history/PairComparison.h"
#include "views/main/RecordChecks.h"
#include "views/print/PrintItems.h"
#include "views/search/DisplayCount.h"
#include "views/search/FullSearchPrintLayout.h"
#include "views/search/IndividualSearchPrintLayout.h"
#include "views/search/IndividualSearchRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qdx {
namespace {

// Marks every piece it words, so a test sees which pieces went through the wording.
std::string bracketed(std::string_view japanese) {
    return "<" + std::string(japanese) + ">";
}

const PrintItem* findText(const PrintPage& page, const std::string& text) {
    const auto it = std::find_if(page.begin(), page.end(), [&](const PrintItem& i) {
        return i.kind == PrintItem::Kind::Text && i.text == text;
    });
    return it == page.end() ? nullptr : &*it;
}

IndividualSearchPrintJob individualJob(bool english) {
    IndividualSearchPrintJob job;
    job.direction = 0;
    job.rankName = "スコア";
    job.createdText = "created";
    job.english = english;
    if (english)
        job.wording = bracketed;
    job.searchingFound = true;
    job.searchingId = "A-1";
    job.searchingDigits.fill('1');
    return job;
}

TEST(Wording, FillsNumberedPlacesAndLeavesTheRest) {
    EXPECT_EQ(fillText("%1 は %2 と同一人物", {"P-1", "A-2"}), "P-1 は A-2 と同一人物");
    EXPECT_EQ(fillText("%2-%1", {"a", "b"}), "b-a");
    EXPECT_EQ(fillText("100% %3 %", {"x"}), "100% %3 %");
    EXPECT_EQ(worded({}, "検索"), "検索");
    EXPECT_EQ(worded(bracketed, "検索"), "<検索>");
}

// The texts the windows compose word their fixed pieces and keep IDs and numbers; without a
// wording they are the Japanese texts as before.
TEST(Wording, ComposedTextsWordTheirPiecesOnly) {
    const Wording fdi = [](std::string_view text) {
        const std::string pattern(text);
        if (pattern == "右上%1")
            return std::string("1%1");
        return pattern == "左下%1" ? std::string("3%1") : pattern;
    };
    EXPECT_EQ(toothHeading(0, fdi), "18");
    EXPECT_EQ(toothHeading(16, fdi), "38");
    EXPECT_EQ(toothHeading(0, {}), "右上8");
    EXPECT_EQ(toothHeading(31), "右下8");
    EXPECT_EQ(displayCountCaption(2, bracketed), "<TOP 3 を表示>");
    EXPECT_EQ(displayCountCaption(2), "TOP 3 を表示");
    EXPECT_EQ(deleteQuestion({MatchKind::Imposter}, bracketed),
              "<他人データがあります。><本当に削除しますがよろしいですか？>");
    EXPECT_EQ(deleteQuestion({}, bracketed), "<本当に削除しますがよろしいですか？>");
    EXPECT_EQ(historyKindText(MatchKind::IdentifiedByChart, bracketed),
              "<同一人物> (<デンタルチャート>)");
    EXPECT_EQ(historyKindText(MatchKind::IdentifiedByChart), "同一人物 (デンタルチャート)");
    EXPECT_EQ(entryCaption(0, true, bracketed), "<[死後]><修正> - Quendix Free");
    EXPECT_EQ(entryCaption(1, false), "[生前]新規登録 - Quendix Free");
    EXPECT_EQ(registrationDateText("2016-05-01", Language::English, bracketed),
              "<登録日   >May 01, 2016");
    EXPECT_EQ(registrationDateText("2016-05-01"), "登録日   2016 年 05 月 01 日");
    EXPECT_EQ(individualHeaderText(4, bracketed), "<検索数>");
    EXPECT_EQ(individualHeaderText(kIndividualFixedColumns, fdi), "18");
    EXPECT_EQ(comparisonHeaderText(2, bracketed), "<性別>");
    DentalRecord record;
    record.sex = "2";
    record.agegroup = "11";
    const ComparisonRow row = comparisonRow(record, PostMortem, Language::English);
    EXPECT_EQ(row.cells[2], "Female");
    EXPECT_EQ(row.cells[3], "Over 100");
    EXPECT_EQ(printCreatedText(0, [](std::string_view) { return std::string("Created"); }),
              "Created");
}

// The English individual printout: legal paper's positions, the title at 35U, the heading
// words worded, and the tooth numbers as quadrant and tooth ("18" .. "48") from x = 2110.
TEST(EnglishPrint, IndividualPrintoutTakesTheEnglishPositionsAndToothNumbers) {
    const PrintMetrics m;
    const PrintPage page = layoutIndividualSearchPrint(individualJob(true), m).at(0);
    EXPECT_EQ(findText(page, "<検索>")->x, 35 * m.U);
    EXPECT_EQ(findText(page, "<表示順　　：>")->x, 17 * m.U);
    EXPECT_EQ(findText(page, "<スコア>")->x, 26 * m.U);
    EXPECT_EQ(findText(page, "<検索指定　：><生前→死後>")->x, 2 * m.U);
    EXPECT_EQ(findText(page, "created")->x, 49 * m.U);
    EXPECT_NE(findText(page, "<照合状態>"), nullptr);
    EXPECT_NE(findText(page, "<上>"), nullptr);
    EXPECT_NE(findText(page, "<b:ブリッジあり／*：判明済み／i：他人／u：鑑定中>"), nullptr);
    std::vector<std::string> numbers;
    for (const PrintItem& item : page) {
        if (item.kind == PrintItem::Kind::Text && item.font == PrintFont::ToothNumber) {
            EXPECT_EQ(item.x, 2110 + 135 * static_cast<int>(numbers.size()));
            EXPECT_EQ(item.y, 25 * m.ht / 2);
            numbers.push_back(item.text);
        }
    }
    ASSERT_EQ(numbers.size(), 32u);
    EXPECT_EQ(numbers[0], "18");
    EXPECT_EQ(numbers[7], "11");
    EXPECT_EQ(numbers[8], "21");
    EXPECT_EQ(numbers[16], "38");
    EXPECT_EQ(numbers[24], "41");
    EXPECT_EQ(numbers[31], "48");

    const PrintPage japanese = layoutIndividualSearchPrint(individualJob(false), m).at(0);
    EXPECT_EQ(findText(japanese, "検索")->x, 30 * m.U);
    EXPECT_EQ(findText(japanese, "表示順　　：")->x, 15 * m.U);
    EXPECT_EQ(findText(japanese, "８")->x, 2100);
    EXPECT_EQ(findText(japanese, "18"), nullptr);
}

TEST(EnglishPrint, FullPrintoutWordsItsHeadingAndBand) {
    FullSearchPrintJob job;
    job.direction = 1;
    job.rankName = "完全一致数";
    job.hideExcluded = false;
    job.displayCount = 1;
    job.english = true;
    job.wording = bracketed;
    job.createdText = "created";
    PrintRow row;
    row.displayId = "P-1";
    row.candidates.push_back(PrintCandidate{});
    job.rows.push_back(row);
    const PrintMetrics m;
    const PrintPage page = layoutFullSearchPrint(job, m).at(0);
    EXPECT_EQ(findText(page, "<全検索>")->x, 35 * m.U);
    EXPECT_EQ(findText(page, "<完全一致数>")->x, 26 * m.U);
    EXPECT_EQ(findText(page, "<検索対象外：表示>")->y, 2 * m.H);
    EXPECT_EQ(findText(page, "<死後ＩＤ>")->font, PrintFont::Band);
    EXPECT_NE(findText(page, "<全修復欠損一致数>"), nullptr);
    EXPECT_NE(findText(page, "P-1"), nullptr);
    EXPECT_NE(findText(page, "Top1"), nullptr);
}

} // namespace
} // namespace qdx
