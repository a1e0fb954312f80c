#include "views/search/FullSearchPrintLayout.h"
#include "views/search/IndividualSearchPrintLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string>

namespace qdx {
namespace {

FullSearchPrintJob makeJob(int rows, int n) {
    FullSearchPrintJob job;
    job.direction = 1;
    job.rankName = "スコア";
    job.hideExcluded = true;
    job.displayCount = n;
    job.createdText = "作成日：2026年12月09日 13時05分";
    for (int r = 0; r < rows; ++r) {
        PrintRow row;
        row.displayId = "P-" + std::to_string(10000 + r);
        row.mark = r == 0 ? "*" : "";
        row.priority = -r;
        for (int k = 0; k < n; ++k) {
            PrintCandidate c;
            c.displayId = "A-" + std::to_string(20000 + k);
            c.mark = k == 0 ? "i" : "";
            c.searchCount = 20;
            c.exactMatchCount = 15 - k;
            c.score = 0.5 - k * 0.25;
            row.candidates.push_back(c);
        }
        job.rows.push_back(row);
    }
    return job;
}

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

TEST(FullSearchPrint, PagesRunBlockByBlockThenGroupByGroup) {
    const PrintMetrics m;
    const auto pages = layoutFullSearchPrint(makeJob(70, 5), m);
    ASSERT_EQ(pages.size(), 6u);
    for (int p = 0; p < 6; ++p) {
        const PrintItem* number = findText(pages[p], "-" + std::to_string(p + 1) + "-");
        ASSERT_NE(number, nullptr) << p;
        EXPECT_EQ(number->x, 34 * m.U);
        EXPECT_EQ(number->y, 46 * m.H);
    }
    // Page 1: rows 0..33 with TOP 1-3; page 2: the same rows with TOP 4-5; page 5: rows 68..69.
    EXPECT_NE(findText(pages[0], "Top1"), nullptr);
    EXPECT_NE(findText(pages[0], "Top3"), nullptr);
    EXPECT_EQ(findText(pages[1], "Top3"), nullptr);
    EXPECT_NE(findText(pages[1], "Top5"), nullptr);
    EXPECT_NE(findText(pages[1], "P-10033"), nullptr);
    EXPECT_EQ(findText(pages[1], "P-10034"), nullptr);
    EXPECT_NE(findText(pages[2], "P-10034"), nullptr);
    EXPECT_NE(findText(pages[4], "P-10069"), nullptr);
    EXPECT_EQ(countTexts(pages[4], "A-20000"), 2);
    EXPECT_EQ(countTexts(pages[5], "A-20003"), 2);
    EXPECT_EQ(countTexts(pages[5], "A-20000"), 0);
}

TEST(FullSearchPrint, HeadingBandAndRowItemsStandWhereTheFormPutsThem) {
    const PrintMetrics m;
    const auto pages = layoutFullSearchPrint(makeJob(3, 2), m);
    ASSERT_EQ(pages.size(), 1u);
    const PrintPage& page = pages[0];
    const PrintItem* direction = findText(page, "検索指定　：死後→生前");
    ASSERT_NE(direction, nullptr);
    EXPECT_EQ(direction->font, PrintFont::Heading);
    EXPECT_EQ(direction->x, 2 * m.U);
    EXPECT_EQ(findText(page, "スコア")->x, 21 * m.U);
    EXPECT_EQ(findText(page, "検索対象外：非表示")->y, 2 * m.H);
    EXPECT_EQ(findText(page, "全検索")->x, 30 * m.U);
    EXPECT_EQ(findText(page, "作成日：2026年12月09日 13時05分")->x, 48 * m.U);
    const PrintItem* idHeading = findText(page, "死後ＩＤ");
    ASSERT_NE(idHeading, nullptr);
    EXPECT_EQ(idHeading->font, PrintFont::Band);
    EXPECT_EQ(idHeading->y, 6 * m.hb - 50);
    EXPECT_EQ(findText(page, "Top2")->x, 32 * m.u + 38 * m.u + 7 * m.u);
    EXPECT_EQ(findText(page, "Top2")->y, 8 * m.h);

    // Grey band: the fixed part and one rectangle per candidate column on the page.
    std::vector<PrintItem> rects;
    for (const auto& item : page) {
        if (item.kind == PrintItem::Kind::FilledRect)
            rects.push_back(item);
    }
    ASSERT_EQ(rects.size(), 3u + 1u + 2u); // band 1 + 2 groups; row 2 fixed + 2 groups
    EXPECT_EQ(rects[0].x, 200);
    EXPECT_EQ(rects[0].width, 1420 - 200);
    EXPECT_EQ(rects[0].height, 770);
    EXPECT_EQ(rects[0].color, (PrintColor{128, 128, 128}));
    EXPECT_EQ(rects[2].x, 1420 + 1710);
    // Only the second row of the page is shaded.
    EXPECT_EQ(rects[3].y, 100 * 13);
    EXPECT_EQ(rects[3].color, (PrintColor{192, 192, 192}));

    const PrintItem* priority = findText(page, "      -2");
    ASSERT_NE(priority, nullptr);
    EXPECT_EQ(priority->x, 22 * m.u);
    EXPECT_EQ(priority->y, m.h * 14);
    EXPECT_NE(findText(page, " 0.5000"), nullptr);
    EXPECT_NE(findText(page, " 0.2500"), nullptr);
    EXPECT_EQ(findText(page, "*")->x, 5 * m.u);
    EXPECT_EQ(findText(page, "i")->x, 32 * m.u + 30);
    EXPECT_EQ(findText(page, "14")->x, 32 * m.u + 38 * m.u + 20 * m.u);
}

// The items of `longer` that differ from `shorter`'s, which must be the same page but for the
// texts of those items.
std::vector<PrintItem> changedTexts(const PrintPage& shorter, const PrintPage& longer) {
    std::vector<PrintItem> changed;
    EXPECT_EQ(shorter.size(), longer.size());
    for (std::size_t i = 0; i < std::min(shorter.size(), longer.size()); ++i) {
        if (shorter[i] == longer[i])
            continue;
        PrintItem same = longer[i];
        same.text = shorter[i].text;
        EXPECT_EQ(same, shorter[i]) << i;
        changed.push_back(longer[i]);
    }
    return changed;
}

// The IDs "D0002-00140" and "石巻市警察署-D0002-00149" whole at 8u, told the width from there
// to the column's line at 950, less the gap kept before a line.
void expectSearchingIdsWhole(const std::vector<PrintItem>& ids, const PrintMetrics& m) {
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0].text, "D0002-00140");
    EXPECT_EQ(ids[1].text, "石巻市警察署-D0002-00149");
    for (const PrintItem& id : ids) {
        EXPECT_EQ(id.x, 8 * m.u);
        EXPECT_EQ(id.fitWidth, 950 - 20 - 8 * m.u);
    }
}

// Printed IDs used to be cut at ten CP932 bytes and "…", so "D0002-0014…" could be D0002-00140
// or D0002-00149. Each ID prints whole, told the width of its column; only the ID texts differ
// from a page of short IDs.
TEST(FullSearchPrint, LongIdsPrintWholeTheirColumnWideAndNothingElseMoves) {
    const PrintMetrics m;
    const FullSearchPrintJob shortIds = makeJob(2, 4);
    FullSearchPrintJob longIds = shortIds;
    longIds.rows[0].displayId = "D0002-00140";
    longIds.rows[1].displayId = "石巻市警察署-D0002-00149";
    longIds.rows[1].candidates[3].displayId = "ABCDEFGHIJKLMNOPQRSTUVWXYZ-0001";
    const auto before = layoutFullSearchPrint(shortIds, m);
    const auto after = layoutFullSearchPrint(longIds, m);
    ASSERT_EQ(after.size(), 2u);
    ASSERT_EQ(before.size(), after.size());

    expectSearchingIdsWhole(changedTexts(before[0], after[0]), m);
    const std::vector<PrintItem> second = changedTexts(before[1], after[1]);
    ASSERT_EQ(second.size(), 3u);
    const PrintItem& candidate = second[2];
    EXPECT_EQ(candidate.text, "ABCDEFGHIJKLMNOPQRSTUVWXYZ-0001");
    // Top 4 is the first group of the second page: between its lines at G + 3u - 20 and
    // G + 17u - 20.
    EXPECT_EQ(candidate.x, 32 * m.u + 3 * m.u);
    EXPECT_EQ(candidate.fitWidth, 14 * m.u - 40);

    // Every ID carries its column's width, the short ones too; nothing else is fitted.
    for (const PrintItem& item : before[0]) {
        const bool id = item.kind == PrintItem::Kind::Text && item.y >= 12 * m.h &&
                        (item.x == 8 * m.u || (item.x - 3 * m.u - 32 * m.u) % (38 * m.u) == 0);
        EXPECT_EQ(item.fitWidth != 0, id) << item.text;
    }
}

TEST(IndividualPrint, LongIdsPrintWholeTheirColumnWideAndNothingElseMoves) {
    IndividualSearchPrintJob shortIds;
    shortIds.createdText = "作成日：2026年12月09日 13時05分";
    shortIds.searchingFound = true;
    shortIds.searchingId = "A-1";
    shortIds.searchingDigits.fill('1');
    for (int i = 0; i < 3; ++i) {
        IndividualPrintCandidate c;
        c.displayId = "P-" + std::to_string(i);
        c.teeth.fill(" 1");
        shortIds.candidates.push_back(c);
    }
    IndividualSearchPrintJob longIds = shortIds;
    longIds.searchingId = "D0002-00140";
    longIds.candidates[1].displayId = "石巻市警察署-D0002-00149";
    const PrintMetrics m;
    const auto before = layoutIndividualSearchPrint(shortIds, m);
    const auto after = layoutIndividualSearchPrint(longIds, m);
    ASSERT_EQ(after.size(), 1u);
    ASSERT_EQ(before.size(), 1u);
    expectSearchingIdsWhole(changedTexts(before[0], after[0]), m);
    const auto fitted = std::count_if(before[0].begin(), before[0].end(),
                                      [](const PrintItem& i) { return i.fitWidth != 0; });
    EXPECT_EQ(fitted, 4);
}

TEST(FullSearchPrint, RowsWithFewerCandidatesLeaveTrailingGroupsBlank) {
    FullSearchPrintJob job = makeJob(2, 3);
    job.rows[1].candidates.resize(1);
    const auto pages = layoutFullSearchPrint(job, PrintMetrics{});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(countTexts(pages[0], "A-20000"), 2);
    EXPECT_EQ(countTexts(pages[0], "A-20002"), 1);
    EXPECT_TRUE(layoutFullSearchPrint(makeJob(0, 3), PrintMetrics{}).empty());
}

} // namespace
} // namespace qdx

namespace qdx {
namespace {

// Scores print as "% 4.4f" did in the C locale, and stay so under a locale with a decimal
// comma (the desktop program runs under the user's locale).
TEST(PrintScoreText, BlankBeforeNonNegativeAndPointWhateverTheLocale) {
    EXPECT_EQ(printScoreText(0.43386), " 0.4339");
    EXPECT_EQ(printScoreText(-0.25), "-0.2500");
    EXPECT_EQ(printScoreText(0.0), " 0.0000");
    EXPECT_EQ(printScoreText(12.0), " 12.0000");
    EXPECT_EQ(printNumberText("%2d", 7), " 7");
    EXPECT_EQ(printNumberText("Top%d", 12), "Top12");
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(printScoreText(0.5), " 0.5000");
        std::setlocale(LC_NUMERIC, "C");
    }
}

} // namespace
} // namespace qdx
