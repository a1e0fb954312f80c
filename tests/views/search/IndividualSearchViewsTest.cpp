#include "matching/Ranking.h"
#include "matching/SearchRun.h"
#include "views/search/IndividualSearchPrintLayout.h"
#include "views/search/IndividualSearchRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qdx {
namespace {

WeightMatrix equalWeights() {
    WeightMatrix m{};
    m.fill(1.0);
    return m;
}

DentalRecord chart(const std::string& key, const std::string& id, char tooth = '1',
                   const std::string& sex = "0") {
    DentalRecord r;
    r.Dental_ID = key;
    r.displayId = id;
    r.sex = sex;
    r.MATCH_KIND = MatchKind();
    r.classChart = std::string(kToothCount, tooth);
    return r;
}

// One ante-mortem searching chart against the given post-mortem candidates (direction 0).
struct OneSearch {
    std::vector<DentalRecord> searching;
    std::vector<DentalRecord> candidates;
    PairOutcomeMap outcomes;
    SearchRun run;

    const SearchEntry& entry() {
        run.pairOutcomes() = outcomes;
        run.buildEntries(searching);
        run.scoreAll(candidates, equalWeights(), 0);
        for (SearchEntry& e : run.entries())
            rankEntry(e, 2);
        return run.entries().front();
    }
};

std::vector<std::string> ids(const std::vector<IndividualRow>& rows) {
    std::vector<std::string> out;
    for (const IndividualRow& row : rows)
        out.push_back(row.displayId);
    return out;
}

TEST(IndividualRows, FirstRowCandidatesAndAgreeingTeeth) {
    OneSearch s;
    DentalRecord target = chart("1", "A-00001", '3');
    target.deciduousChart[4] = '1'; // upper right 4 a milk tooth
    target.classChart[31] = '5';    // no information: never framed
    target.presentChart[30] = '1';  // class 5 + present: 6
    target.classChart[30] = '5';
    target.MATCH_KIND = MatchKind::UnderInvestigation;
    s.searching = {target};
    DentalRecord same = target;
    same.Dental_ID = "11";
    same.displayId = "P-00011";
    same.MATCH_KIND = MatchKind();
    same.deciduousChart[4] = '0'; // equal class, only one side deciduous: no frame
    s.candidates = {same};
    const auto rows = buildIndividualRows(s.entry(), 0, 3, 0);
    ASSERT_EQ(rows.size(), 2u);

    const IndividualRow& first = rows[0];
    EXPECT_TRUE(first.isSearching());
    EXPECT_EQ(individualCellText(first, 1), "-1");
    EXPECT_EQ(individualCellText(first, 2), "u");
    EXPECT_EQ(individualCellText(first, 3), "A-00001");
    for (int column = 4; column <= 8; ++column)
        EXPECT_EQ(individualCellText(first, column), "") << column;
    EXPECT_EQ(individualCellText(first, kIndividualFixedColumns + 0), " 3");
    EXPECT_EQ(individualCellText(first, kIndividualFixedColumns + 4), "d3");
    EXPECT_EQ(individualCellText(first, kIndividualFixedColumns + 30), " 6");

    const IndividualRow& other = rows[1];
    EXPECT_EQ(individualCellText(other, 1), "");
    EXPECT_EQ(individualCellText(other, 3), "P-00011");
    EXPECT_EQ(individualCellText(other, 4), "31");
    EXPECT_EQ(individualCellText(other, 5), "30");
    EXPECT_EQ(individualCellText(other, 8), "1.0000");
    EXPECT_EQ(other.teeth[0], "#3#");
    EXPECT_EQ(other.teeth[4], "3");
    EXPECT_EQ(other.teeth[30], "#6#");
    EXPECT_EQ(other.teeth[31], "5");

    EXPECT_EQ(individualHeaderText(4), "検索数");
    EXPECT_EQ(individualHeaderText(8), "スコア");
    EXPECT_EQ(individualHeaderText(kIndividualFixedColumns), "右上8");
    EXPECT_EQ(individualHeaderText(kIndividualColumnCount - 1), "右下8");
    EXPECT_EQ(individualInitialWidth(0), 0);
    EXPECT_EQ(individualInitialWidth(6), 180);
    EXPECT_EQ(individualInitialWidth(20), 60);
    EXPECT_TRUE(isIndividualColumnRightAligned(8));
    EXPECT_FALSE(isIndividualColumnRightAligned(3));
    EXPECT_FALSE(isIndividualColumnRightAligned(9));
}

TEST(IndividualRows, DeciduousOnBothSidesIsFramedWithTheMark) {
    OneSearch s;
    DentalRecord target = chart("1", "A-1", '2');
    target.deciduousChart[3] = '1';
    s.searching = {target};
    DentalRecord candidate = chart("2", "P-2", '2');
    candidate.deciduousChart[3] = '1';
    s.candidates = {candidate};
    const auto rows = buildIndividualRows(s.entry(), 0, 1, 0);
    EXPECT_EQ(rows[1].teeth[3], "#d2#");
    EXPECT_EQ(rows[0].teeth[3], "d2");
}

TEST(IndividualRows, HidingListsOpenCandidatesThenGreyRows) {
    OneSearch s;
    s.searching = {chart("1", "A-1", '1')};
    DentalRecord a = chart("10", "P-A", '1');
    DentalRecord b = chart("11", "P-B", '1');
    b.classChart[0] = '2';
    DentalRecord examined = chart("12", "P-C", '1'); // under examination with the target
    DentalRecord identified = chart("13", "P-D", '1');
    // Identified with somebody: never listed while hiding.
    identified.MATCH_KIND = MatchKind::IdentifiedByChart;
    DentalRecord other = chart("14", "P-E", '3'); // marked as another person
    s.candidates = {a, b, examined, identified, other};
    s.outcomes = {{"12-1", MatchKind::UnderInvestigation}, {"14-1", MatchKind::Imposter}};
    const SearchEntry& entry = s.entry();

    auto rows = buildIndividualRows(entry, 0, 3, 1);
    EXPECT_EQ(ids(rows), (std::vector<std::string>{"A-1", "P-A", "P-B", "P-C"}));
    EXPECT_EQ(rows[3].kind, IndividualRow::Kind::Grey);
    EXPECT_EQ(rows[3].mark, "u");
    EXPECT_EQ(rows[1].kind, IndividualRow::Kind::Candidate);

    rows = buildIndividualRows(entry, 0, 5, 1);
    EXPECT_EQ(ids(rows), (std::vector<std::string>{"A-1", "P-A", "P-B", "P-C", "P-E"}));
    EXPECT_EQ(rows[4].mark, "i");

    // Without hiding every candidate counts, identified ones included, and none is grey.
    rows = buildIndividualRows(entry, 0, 5, 0);
    EXPECT_EQ(rows.size(), 6u);
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(), [](const IndividualRow& r) {
        return r.kind == IndividualRow::Kind::Grey;
    }));

    // The file holds the searching chart and the open candidates only.
    const auto lines = individualSearchCsvLines(entry, 0, 3, 1);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].substr(0, 5), ",P-A,");
    EXPECT_EQ(lines[3].substr(0, 5), ",P-B,");
}

TEST(IndividualRows, TargetListLeavesOutIdentifiedChartsWhileHiding) {
    OneSearch s;
    DentalRecord known = chart("1", "A-1");
    known.MATCH_KIND = MatchKind::IdentifiedByChart;
    DentalRecord examined = chart("2", "A-2");
    examined.MATCH_KIND = MatchKind::UnderInvestigation;
    DentalRecord invalid = chart("3", "A-3");
    invalid.valid = "0";
    s.searching = {known, examined, invalid};
    s.candidates = {chart("10", "P-1")};
    s.entry();
    EXPECT_EQ(individualTargets(s.run, 0), (std::vector<std::string>{"A-1", "A-2"}));
    EXPECT_EQ(individualTargets(s.run, 1), (std::vector<std::string>{"A-2"}));
    // The list from the records alone, as a window that searches one chart builds it.
    for (int hide : {0, 1})
        EXPECT_EQ(individualTargets(s.searching, hide), individualTargets(s.run, hide));
}

TEST(IndividualRows, SexExcludedCandidateAgreesNowhere) {
    OneSearch s;
    s.searching = {chart("1", "A-1", '3', "1")};
    s.candidates = {chart("10", "P-1", '3', "2")};
    const SearchEntry& entry = s.entry();
    const auto rows = buildIndividualRows(entry, 0, 1, 0);
    const IndividualRow& c = rows[1];
    EXPECT_EQ(individualCellText(c, 4), "0");
    EXPECT_EQ(individualCellText(c, 8), "0.0000");
    EXPECT_TRUE(
        std::all_of(c.teeth.begin(), c.teeth.end(), [](const std::string& t) { return t == "3"; }));
    const auto kinds = individualPictureKinds(c);
    EXPECT_TRUE(
        std::all_of(kinds.begin(), kinds.end(), [](int k) { return k == kMismatchPictureKind; }));
    const auto lines = individualSearchCsvLines(entry, 0, 1, 0);
    EXPECT_EQ(lines[2].find('*'), std::string::npos);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 4), ",3,3");
}

TEST(IndividualRows, PictureKindsAndTooltips) {
    OneSearch s;
    DentalRecord target = chart("1", "A-1", '2');
    target.classChart[5] = '5';
    target.presentChart[5] = '1'; // class 6
    target.classChart[6] = '4';
    s.searching = {target};
    DentalRecord candidate = chart("10", "P-1", '2');
    candidate.classChart[6] = '3';
    candidate.deciduousChart[3] = '1';
    s.candidates = {candidate};
    const auto rows = buildIndividualRows(s.entry(), 0, 1, 0);

    const auto own = individualPictureKinds(rows[0]);
    EXPECT_EQ(own[0], 1);
    EXPECT_EQ(own[5], 5);
    EXPECT_EQ(own[6], 3);
    const auto shown = individualPictureKinds(rows[1]);
    EXPECT_EQ(shown[0], 1);
    EXPECT_EQ(shown[3], kMismatchPictureKind); // deciduous on one side only
    EXPECT_EQ(shown[5], kMismatchPictureKind); // class 6 against class 2
    EXPECT_EQ(shown[6], kMismatchPictureKind);

    EXPECT_EQ(individualToothTooltip(rows[0], rows[0], 6), "");
    EXPECT_EQ(individualToothTooltip(rows[0], rows[1], 0), "");
    EXPECT_EQ(individualToothTooltip(rows[0], rows[1], -1), "");
    EXPECT_EQ(individualToothTooltip(rows[0], rows[1], 6), "不一致　 4:3");
    EXPECT_EQ(individualToothTooltip(rows[0], rows[1], 3), "不一致　 2:d2");

    EXPECT_EQ(individualChartCaption("A-1", "P-1"), "一致箇所の表示\n\nA-1\n ×\n P-1");
}

TEST(IndividualRows, ProposedFileNameDropsWhatAFileNameCannotHold) {
    ProposedFileName name = individualCsvFileName("T01/00012");
    EXPECT_TRUE(name.removed);
    EXPECT_EQ(name.name, "個別検索結果_T0100012.csv");
    name = individualCsvFileName("a,b\\c*d?e\"f<g>h|i:j");
    EXPECT_TRUE(name.removed);
    EXPECT_EQ(name.name, "個別検索結果_abcdefghij.csv");
    name = individualCsvFileName("D0004-00031");
    EXPECT_FALSE(name.removed);
    EXPECT_EQ(name.name, "個別検索結果_D0004-00031.csv");
}

// Print pages.

const PrintItem* findText(const PrintPage& page, const std::string& text) {
    const auto it = std::find_if(page.begin(), page.end(), [&](const PrintItem& i) {
        return i.kind == PrintItem::Kind::Text && i.text == text;
    });
    return it == page.end() ? nullptr : &*it;
}

int countTexts(const PrintPage& page, const std::string& text) {
    return static_cast<int>(std::count_if(page.begin(), page.end(), [&](const PrintItem& i) {
        return i.kind == PrintItem::Kind::Text && i.text == text;
    }));
}

std::vector<std::string> printedIds(const PrintPage& page, const PrintMetrics& m) {
    std::vector<std::string> out;
    for (const PrintItem& i : page)
        if (i.kind == PrintItem::Kind::Text && i.x == 8 * m.u && i.y > 12 * m.h)
            out.push_back(i.text);
    return out;
}

TEST(IndividualPrint, FiftyCandidatesOnTwoPagesEachWithTheSearchingChart) {
    OneSearch s;
    s.searching = {chart("1", "A-1", '1')};
    for (int i = 0; i < 60; ++i) {
        DentalRecord c = chart(std::to_string(100 + i), "P-" + std::to_string(100 + i), '1');
        // Fewer agreeing teeth further down, so the order is the key order.
        for (int k = 0; k < i % 30; ++k)
            c.classChart[k] = '2';
        s.candidates.push_back(c);
    }
    const SearchEntry& entry = s.entry();
    ASSERT_EQ(buildIndividualRows(entry, 0, 50, 0).size(), 51u);
    const PrintMetrics m;
    const auto job = individualSearchPrintJob(&entry, 0, 0, 50, 0, 0);
    const auto pages = layoutIndividualSearchPrint(job, m);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(findText(pages[0], "-1-"), nullptr);
    EXPECT_NE(findText(pages[1], "-2-"), nullptr);
    for (const PrintPage& page : pages) {
        const PrintItem* searching = findText(page, "A-1");
        ASSERT_NE(searching, nullptr);
        EXPECT_EQ(searching->y, 12 * m.h);
        EXPECT_EQ(countTexts(page, "--"), 4);
        EXPECT_EQ(countTexts(page, " ----- "), 1);
        EXPECT_EQ(countTexts(page, " 1 "), kToothCount);
        const PrintItem* title = findText(page, "検索");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->x, 30 * m.U);
        EXPECT_EQ(title->y, 2 * m.H);
        EXPECT_NE(findText(page, "８"), nullptr);
    }
    const auto first = printedIds(pages[0], m);
    const auto second = printedIds(pages[1], m);
    ASSERT_EQ(first.size(), 33u);
    ASSERT_EQ(second.size(), 17u);
    EXPECT_EQ(first.front(), job.candidates[0].displayId);
    EXPECT_EQ(second.front(), job.candidates[33].displayId);
    EXPECT_EQ(second.back(), job.candidates[49].displayId);
    // The page's last row closes with a line along its bottom.
    const int bottom = 100 * (13 + 17);
    EXPECT_TRUE(std::any_of(pages[1].begin(), pages[1].end(), [&](const PrintItem& i) {
        return i.kind == PrintItem::Kind::Line && i.y == bottom && i.y2 == bottom && i.x == 200 &&
               i.x2 == 6405;
    }));
}

TEST(IndividualPrint, ToothCellsMarkEqualDigitsAndGreyRowsAreLeftOut) {
    OneSearch s;
    DentalRecord target = chart("1", "A-1", '3');
    target.classChart[1] = '5';
    target.classChart[2] = '2';
    s.searching = {target};
    DentalRecord same = chart("10", "P-1", '3');
    same.classChart[1] = '5';
    DentalRecord otherSex = chart("11", "P-2", '3', "2");
    DentalRecord grey = chart("12", "P-3", '3');
    s.searching[0].sex = "1";
    s.candidates = {same, otherSex, grey};
    s.outcomes = {{"12-1", MatchKind::Imposter}};
    const SearchEntry& entry = s.entry();
    ASSERT_EQ(buildIndividualRows(entry, 0, 3, 1).size(), 4u); // the grey row is listed

    const auto job = individualSearchPrintJob(&entry, 0, 3, 3, 1, 0);
    ASSERT_EQ(job.candidates.size(), 2u); // but not printed
    EXPECT_EQ(job.rankName, "スコア");
    EXPECT_TRUE(job.hideExcluded);
    const IndividualPrintCandidate& first =
        job.candidates[0].displayId == "P-1" ? job.candidates[0] : job.candidates[1];
    const IndividualPrintCandidate& excluded =
        job.candidates[0].displayId == "P-2" ? job.candidates[0] : job.candidates[1];
    EXPECT_EQ(first.teeth[0], "*3");
    EXPECT_EQ(first.teeth[1], " 5");
    EXPECT_EQ(first.teeth[2], " 3");
    EXPECT_EQ(excluded.teeth[0], " 3");

    const PrintMetrics m;
    const auto pages = layoutIndividualSearchPrint(job, m);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(printedIds(pages[0], m).size(), 2u);
    EXPECT_EQ(findText(pages[0], "P-3"), nullptr);
    EXPECT_NE(findText(pages[0], "検索対象外：非表示"), nullptr);
    EXPECT_NE(findText(pages[0], "*3"), nullptr);
    // Rows alternate white and light grey below the searching chart's own colour.
    std::vector<PrintColor> backgrounds;
    for (const PrintItem& i : pages[0])
        if (i.kind == PrintItem::Kind::FilledRect && i.width == 6210 && i.height == 100)
            backgrounds.push_back(i.color);
    EXPECT_EQ(backgrounds,
              (std::vector<PrintColor>{{204, 255, 255}, {255, 255, 255}, {192, 192, 192}}));
}

TEST(IndividualPrint, WithoutATargetOnlyTheFrameIsPrinted) {
    const auto job = individualSearchPrintJob(nullptr, 1, 0, 3, 0, 0);
    const auto pages = layoutIndividualSearchPrint(job, PrintMetrics{});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(findText(pages[0], "検索指定　：死後→生前"), nullptr);
    EXPECT_EQ(findText(pages[0], " ----- "), nullptr);
}

} // namespace
} // namespace qdx
