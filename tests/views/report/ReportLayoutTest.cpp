#include "store/JournalTable.h"
#include "store/ProjectModel.h"
#include "support/ProjectFixture.h"
#include "support/TestFiles.h"
#include "views/log/ChangeLogRows.h"
#include "views/report/IdentificationReport.h"
#include "views/report/ReportPrintLayout.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

std::string pageText(const PrintPage& page) {
    std::string text;
    for (const PrintItem& item : page)
        text += item.text + "\n";
    return text;
}

// A body and a missing person who agree at 20 positions, with two more charts of each side,
// remarks, a place and a name, and the pair registered as the same person by the dental chart.
struct KnownPair {
    test::TempDir dir;
    std::string path = dir.file("pair.qdx");
    ProjectModel model;

    KnownPair() {
        DentalRecord body =
            test::chartRecord("T01-00001", std::string(20, '1') + "234" + std::string(9, '5'), "1");
        body.place = "気仙沼第一";
        body.summary = "左頬に外傷";
        body.agegroup = "5";
        DentalRecord person = test::chartRecord(
            "D0004-00031", std::string(20, '1') + "2" + "43" + std::string(9, '1'), "1");
        person.name = "山田太郎";
        person.place = "気仙沼市";
        person.summary = "2019年 右下6 全部修復";
        test::writeProject(path, {body, test::chartRecord("T01-00002", std::string(32, '4'), "1")},
                           {person, test::chartRecord("D0004-00032", std::string(32, '1'), "2"),
                            test::chartRecord("D0004-00033", std::string(32, '4'), "1")});
        test::openWithLists(model, path);
        model.setExaminer("佐藤");
        MatchRow row = test::matchRow(1, 1, "1");
        row.Match_ID = "D0004-00031";
        row.editState = MatchRow::Added;
        row.ID.clear();
        model.replaceMatchHistory(PostMortem, {row});
        model.reloadRecords(PostMortem);
        model.reloadRecords(AnteMortem);
    }

    IdentificationReport report(const std::string& remarks = "歯冠の形態も一致") {
        ReportInput input;
        input.conclusion = ReportConclusion::Probable;
        input.examiner = "佐藤一郎";
        input.checker = "鈴木花子";
        input.remarks = remarks;
        return buildIdentificationReport(model, 1, 1, input, 1700000000);
    }
};

TEST(IdentificationReport, ReadsThePairFromTheProject) {
    KnownPair pair;
    const IdentificationReport r = pair.report();
    EXPECT_EQ(r.postMortem.record.displayId, "T01-00001");
    EXPECT_EQ(r.anteMortem.record.displayId, "D0004-00031");
    // 20 sound teeth agree; AM 2 → PM 2 agrees, AM 4 → PM 3 contradicts, AM 3 → PM 4 is
    // consistent; nine positions have no post-mortem information.
    EXPECT_EQ(r.judgement.countOf(ToothJudgement::Agrees), 21);
    EXPECT_EQ(r.judgement.countOf(ToothJudgement::Contradicts), 1);
    EXPECT_EQ(r.judgement.countOf(ToothJudgement::Consistent), 1);
    EXPECT_EQ(r.judgement.countOf(ToothJudgement::NotComparable), 9);
    EXPECT_EQ(r.anteMortemRank.rank[0], 1);
    EXPECT_EQ(r.postMortemRank.rank[0], 1);
    // Of the three ante-mortem charts only the partner has the pattern (position 20 is a
    // partial restoration); two of them are male like the body.
    EXPECT_EQ(r.anteMortemEvidence.count.shared, 1u);
    EXPECT_EQ(r.anteMortemEvidence.count.total, 3u);
    EXPECT_EQ(r.anteMortemEvidence.count.totalSameSex, 2u);
    EXPECT_EQ(r.outcomes, std::vector<std::string>{"デンタルチャートで判明"});
    ASSERT_FALSE(r.history.empty());
    EXPECT_EQ(r.history.back().who, "佐藤");
    EXPECT_NE(r.history.back().detail.find("D0004-00031"), std::string::npos);
}

TEST(IdentificationReport, PagesCarryEveryFieldOnTwoPages) {
    KnownPair pair;
    const std::vector<PrintPage> pages = layoutIdentificationReport(pair.report(), {});
    ASSERT_EQ(pages.size(), 2u);
    const std::string first = pageText(pages[0]);
    const std::string second = pageText(pages[1]);
    for (const char* text :
         {"T01-00001", "D0004-00031", "気仙沼第一", "山田太郎", "気仙沼市", "左頬に外傷",
          "2019年 右下6 全部修復", "男性", "未確認", "作成日：", "右上8", "左下8"})
        EXPECT_NE(first.find(text), std::string::npos) << text;
    for (const char* text :
         {"比較歯数 23", "完全一致数 21", "矛盾なし一致数 22", "■可能性が高い", "□除外",
          "結論：可能性が高い", "担当者：佐藤一郎", "確認者：鈴木花子", "歯冠の形態も一致",
          "1 / 3（(X+1)/(N+1) = 2/4 = 50%）", "デンタルチャートで判明", "佐藤", "1位", "担当者署名",
          "確認者署名", "同一人物である確率ではありません"})
        EXPECT_NE(second.find(text), std::string::npos) << text;
    // Both charts are drawn, the agreeing teeth ringed on both.
    int charts = 0;
    for (const PrintItem& item : pages[0]) {
        if (item.kind != PrintItem::Kind::Chart)
            continue;
        ++charts;
        ASSERT_EQ(item.chart.size(), 4u * kToothCount);
        EXPECT_EQ(item.chart[3 * kToothCount + 0], 1);  // sound tooth 18 agrees
        EXPECT_EQ(item.chart[3 * kToothCount + 21], 0); // the contradicting tooth
    }
    EXPECT_EQ(charts, 2);
}

TEST(IdentificationReport, LongRemarksStayOnTwoPagesInsideThePaper) {
    KnownPair pair;
    std::string remarks;
    for (int i = 0; i < 400; ++i)
        remarks += "所見" + std::to_string(i) + "：咬合面に金属修復あり。\n";
    IdentificationReport report = pair.report(remarks);
    report.postMortem.record.summary = std::string(3000, 'x');
    const std::vector<PrintPage> pages = layoutIdentificationReport(report, {});
    ASSERT_EQ(pages.size(), 2u);
    for (const PrintPage& page : pages) {
        for (const PrintItem& item : page) {
            EXPECT_GE(item.x, 0);
            EXPECT_LE(item.y + (item.kind == PrintItem::Kind::Text ? 100 : item.height),
                      kReportPageHeight);
            if (item.kind == PrintItem::Kind::Text) {
                EXPECT_LE(item.x + textColumns(item.text) * 45, kReportPageWidth) << item.text;
            }
        }
    }
    const std::string second = pageText(pages[1]);
    EXPECT_NE(second.find("所見0："), std::string::npos);
    EXPECT_EQ(second.find("所見399："), std::string::npos);
    EXPECT_NE(second.find("…"), std::string::npos);
    EXPECT_NE(second.find("確認者署名"), std::string::npos);
}

TEST(IdentificationReport, WrapsByColumnsAndLineBreaks) {
    EXPECT_EQ(textColumns("AB全角ｶ"), 7);
    EXPECT_EQ(wrapColumns("あいうえお", 4), (std::vector<std::string>{"あい", "うえ", "お"}));
    EXPECT_EQ(wrapColumns("ab\r\ncd\nef", 10), (std::vector<std::string>{"ab", "cd", "ef"}));
    EXPECT_EQ(rankText({true, {3, 0, 1, 2}}, 0), "3位");
    EXPECT_EQ(rankText({true, {3, 0, 1, 2}}, 1), "50位以内になし");
    EXPECT_EQ(rankText({}, 1), "検索対象外");
    EXPECT_EQ(conclusionFromWord("established"), ReportConclusion::Established);
    EXPECT_EQ(conclusionText(ReportConclusion::Insufficient), "判断不能");
    EXPECT_FALSE(conclusionFromWord("maybe"));
}

TEST(IdentificationReport, PrintingLeavesAHistoryRow) {
    KnownPair pair;
    const IdentificationReport report = pair.report();
    journalReport(pair.model, report, "/tmp/報告書.pdf");
    journal::JournalQuery query;
    query.kind = journal::kReport;
    const auto rows = pair.model.loadJournal(query);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].EXT_ID, "T01-00001");
    EXPECT_EQ(rows[0].DETAIL, "報告書 可能性が高い T01-00001 / D0004-00031, 担当 佐藤一郎, 確認 "
                              "鈴木花子, ファイル /tmp/報告書.pdf");
    EXPECT_EQ(kindLabel(rows[0].KIND), "報告書");
    EXPECT_TRUE(pair.model.settingsOrMatchesChanged());
}

} // namespace
} // namespace qdx
