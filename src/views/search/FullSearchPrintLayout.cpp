#include "views/search/FullSearchPrintLayout.h"

#include "views/search/SearchLabels.h"
#include "views/search/SearchPrintHeading.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace qdx {

namespace {

constexpr int kThin = 2;
constexpr int kThick = 10;
constexpr PrintColor kBandGrey{128, 128, 128};
constexpr PrintColor kRowGrey{192, 192, 192};
constexpr int kFixedLeft = 200;
constexpr int kFixedRight = 1420;
constexpr int kGroupWidth = 1710;
constexpr int kBandTop = 430;
constexpr int kBandBottom = 1200;
// The line closing the searching chart's ID column, and the room kept between a text and the
// line to its right (the lines stand as far before the texts they lead).
constexpr int kFixedIdRight = 950;
constexpr int kTextGap = 20;

struct PageContext {
    const FullSearchPrintJob& job;
    const PrintMetrics& m;
    int firstCandidate; // index of the first candidate on this page
    int groupCount;     // candidate groups (columns) on this page: 1..3
    int groupOrigin(int j) const { return 32 * m.u + 38 * m.u * j; }
};

void addBand(PageBuilder& b, const PageContext& c) {
    const auto& m = c.m;
    b.rect(kFixedLeft, kBandTop, kFixedRight - kFixedLeft, kBandBottom - kBandTop, kBandGrey);
    for (int j = 0; j < c.groupCount; ++j)
        b.rect(kFixedRight + kGroupWidth * j, kBandTop, kGroupWidth, kBandBottom - kBandTop,
               kBandGrey);
    b.line(kFixedLeft, kBandTop, kFixedRight, kBandTop, kThin);
    for (int j = 0; j < c.groupCount; ++j) {
        const int left = kFixedRight + kGroupWidth * j;
        b.line(left, kBandTop, left + kGroupWidth, kBandTop, kThin);
        b.line(left, kBandBottom, left + kGroupWidth, kBandBottom, kThin);
    }
    const int y = 6 * m.hb - 50;
    const auto word = [&c](std::string_view text) { return worded(c.job.wording, text); };
    b.text(PrintFont::Band, 7 * m.u - 20, y, word("照合状態"));
    b.text(PrintFont::Band, 14 * m.u, y, word(c.job.direction == 0 ? "生前ＩＤ" : "死後ＩＤ"));
    b.text(PrintFont::Band, 27 * m.u, y, word("照合優先度"));
    for (int j = 0; j < c.groupCount; ++j) {
        const int g = c.groupOrigin(j);
        b.text(PrintFont::Band, g + 3 * m.u - 40, y, word("照合状態"));
        const auto& headings = resultCountHeadings();
        b.text(PrintFont::Band, g + 19 * m.u, y, word(headings[0]));
        b.text(PrintFont::Band, g + 22 * m.u, y, word(headings[1]));
        // The band has no room for the middle dot.
        b.text(PrintFont::Band, g + 25 * m.u, y, word("全修復欠損一致数"));
        b.text(PrintFont::Band, g + 28 * m.u, y, word(headings[3]));
        b.text(PrintFont::Band, g + 34 * m.u, y, word(headings[4]));
        b.line(g - 20, 433, g - 20, 1197, kThick);
        for (int k : {3, 17, 20, 23, 26, 29})
            b.line(g + k * m.u - 20, kBandTop, g + k * m.u - 20, kBandBottom, kThin);
        const int right = g + 38 * m.u - 20;
        if (j < 2)
            b.line(right, 433, right, 1197, kThick);
        else
            b.line(right, kBandTop, right, kBandBottom, kThin);
    }
}

void addTitles(PageBuilder& b, const PageContext& c) {
    const auto& m = c.m;
    b.text(PrintFont::Body, 5 * m.u - 20, 3 * m.h + 20,
           worded(c.job.wording, "b:ブリッジあり／*：判明済み／i：他人／u：鑑定中"));
    for (int j = 0; j < c.groupCount; ++j)
        b.text(PrintFont::Body, c.groupOrigin(j) + 7 * m.u, 8 * m.h,
               printNumberText("Top%d", c.firstCandidate + j + 1));
}

void addFixedCells(PageBuilder& b, const PageContext& c, const PrintRow& row, int i) {
    const auto& m = c.m;
    const int top = 100 * (12 + i);
    const int bottom = 100 * (13 + i);
    const int textY = m.h * (12 + i);
    if (i % 2 == 1)
        b.rect(kFixedLeft, top, kFixedRight - kFixedLeft, 100, kRowGrey);
    b.line(kFixedLeft, top, kFixedRight, top, kThin);
    b.line(kFixedLeft, bottom, kFixedRight, bottom, kThin);
    const int lineTop = i == 0 ? kBandTop : top;
    for (int x : {200, 300, kFixedIdRight})
        b.line(x, lineTop, x, bottom, kThin);
    b.text(PrintFont::Body, 5 * m.u, textY, row.mark.empty() ? " " : row.mark);
    const int idX = 8 * m.u;
    b.fittedText(PrintFont::Body, idX, textY, row.displayId, kFixedIdRight - kTextGap - idX);
    b.text(PrintFont::Body, 22 * m.u, textY, printNumberText("%8d", row.priority));
}

void addCandidateCells(PageBuilder& b, const PageContext& c, const PrintRow& row, int i) {
    const auto& m = c.m;
    const int top = 100 * (12 + i);
    const int bottom = 100 * (13 + i);
    const int textY = m.h * (12 + i);
    for (int j = 0; j < c.groupCount; ++j) {
        const int index = c.firstCandidate + j;
        if (index >= static_cast<int>(row.candidates.size()))
            break;
        const PrintCandidate& cand = row.candidates[index];
        const int left = kFixedRight + kGroupWidth * j;
        const int g = c.groupOrigin(j);
        if (i % 2 == 1)
            b.rect(left, top, kGroupWidth, 100, kRowGrey);
        b.line(left, top, left + kGroupWidth, top, kThin);
        b.line(left, bottom, left + kGroupWidth, bottom, kThin);
        if (!cand.mark.empty())
            b.text(PrintFont::Body, g + 30, textY, cand.mark);
        b.line(g - 20, top, g - 20, top + 97, kThick);
        // The ID column runs from the line at G + 3u - 20 to the one at G + 17u - 20.
        b.fittedText(PrintFont::Body, g + 3 * m.u, textY, cand.displayId, 14 * m.u - 2 * kTextGap);
        b.text(PrintFont::Body, g + 17 * m.u, textY, printNumberText("%2d", cand.searchCount));
        b.text(PrintFont::Body, g + 20 * m.u, textY, printNumberText("%2d", cand.exactMatchCount));
        b.text(PrintFont::Body, g + 23 * m.u, textY,
               printNumberText("%2d", cand.fullRestorationMissingMatchCount));
        b.text(PrintFont::Body, g + 26 * m.u, textY,
               printNumberText("%2d", cand.noContradictionMatchCount));
        b.text(PrintFont::Body, g + 29 * m.u, textY, printScoreText(cand.score));
        for (int k : {3, 17, 20, 23, 26, 29, 38})
            b.line(g + k * m.u - 20, top, g + k * m.u - 20, bottom, kThin);
        if (j < 2)
            b.line(g + 38 * m.u - 20, top, g + 38 * m.u - 20, top + 97, kThick);
    }
}

} // namespace

std::vector<PrintPage> layoutFullSearchPrint(const FullSearchPrintJob& job,
                                             const PrintMetrics& metrics) {
    std::vector<PrintPage> pages;
    const int rowCount = static_cast<int>(job.rows.size());
    const int n = std::max(job.displayCount, 1);
    const int groupPages = (n + kCandidatesPerPage - 1) / kCandidatesPerPage;
    for (int first = 0; first < rowCount; first += kFullSearchRowsPerPage) {
        const int last = std::min(first + kFullSearchRowsPerPage, rowCount);
        for (int g = 0; g < groupPages; ++g) {
            PageContext c{job, metrics, g * kCandidatesPerPage,
                          std::min(kCandidatesPerPage, n - g * kCandidatesPerPage)};
            PrintPage page;
            PageBuilder b(page);
            addSearchPrintHeading(b, job, "全検索", 48, metrics,
                                  static_cast<int>(pages.size()) + 1);
            addBand(b, c);
            addTitles(b, c);
            for (int r = first; r < last; ++r) {
                addFixedCells(b, c, job.rows[r], r - first);
                addCandidateCells(b, c, job.rows[r], r - first);
            }
            pages.push_back(std::move(page));
        }
    }
    return pages;
}

} // namespace qdx
