#include "views/search/IndividualSearchPrintLayout.h"

#include "matching/Ranking.h"
#include "matching/SearchEntry.h"
#include "matching/ToothComparison.h"
#include "views/search/FullSearchPrintLayout.h"
#include "views/search/FullSearchTable.h"
#include "views/search/SearchLabels.h"
#include "views/search/SearchPrintHeading.h"
#include "views/search/SearchResultCsv.h"

#include <algorithm>
#include <cstdio>

namespace qdx {

namespace {

constexpr int kPen = 2;
constexpr int kLeft = 200;
constexpr int kRight = 6405;
constexpr int kRowWidth = 6210;
constexpr int kBandTop = 500;
constexpr int kBandHeight = 700;
constexpr int kHeadingBottom = 1300;
// The line closing the ID column, and the room kept between a text and the line to its right.
constexpr int kIdRight = 950;
constexpr int kTextGap = 20;
constexpr int kCandidateRowsPerPage = kIndividualRowsPerPage - 1;
constexpr PrintColor kBandGrey{128, 128, 128};
constexpr PrintColor kRowGrey{192, 192, 192};
constexpr PrintColor kWhite{255, 255, 255};
constexpr PrintColor kSearchingBackground{204, 255, 255};

char digitAt(const std::string& chart, int position) {
    return position < static_cast<int>(chart.size()) ? chart[position] : '5';
}

// "８" .. "１": the full-width tooth number; the English layout writes the quadrant first.
std::string toothNumberText(int position, bool english) {
    static const char* const fullWidth[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８"};
    const int number = toothNumber(position);
    if (english)
        return std::to_string(position / 8 + 1) + std::to_string(number);
    return fullWidth[number];
}

IndividualPrintCandidate printCandidate(const DentalRecord& searching, const PairResult& result) {
    const DentalRecord& candidate = *result.candidate;
    IndividualPrintCandidate c;
    c.mark = candidateMark(result.outcome);
    c.displayId = candidate.displayId;
    c.searchCount = result.searchCount;
    c.exactMatchCount = result.exactMatchCount;
    c.fullRestorationMissingMatchCount = result.fullRestorationMissingMatchCount;
    c.noContradictionMatchCount = result.noContradictionMatchCount;
    c.score = result.score;
    const bool excluded = isSexExcluded(searching, candidate);
    for (int position = 0; position < kToothCount; ++position) {
        const char own = digitAt(searching.classChart, position);
        const char other = digitAt(candidate.classChart, position);
        const bool agrees = own != '5' && own == other;
        c.teeth[position] = std::string(1, agrees && !excluded ? '*' : ' ') + other;
    }
    return c;
}

struct Page {
    PageBuilder& b;
    const PrintMetrics& m;
    int toothX(int k) const { return 47 * m.u - 30 + 3 * m.u * k; }
    // The whole ID, condensed by the renderer where it is wider than its column.
    void id(const std::string& displayId, int y) const {
        b.fittedText(PrintFont::Body, 8 * m.u, y, displayId, kIdRight - kTextGap - 8 * m.u);
    }
};

void addBand(const Page& p, const IndividualSearchPrintJob& job) {
    const PrintMetrics& m = p.m;
    const bool english = job.english;
    const auto word = [&job](std::string_view text) { return worded(job.wording, text); };
    p.b.rect(kLeft, kBandTop, kRowWidth, kBandHeight, kBandGrey);
    const int y = 13 * m.hb / 2;
    p.b.text(PrintFont::NarrowBand, 7 * m.ub + 10, y, word("照合状態"));
    p.b.text(PrintFont::NarrowBand, 28 * m.ub - 50, y, word("検索数"));
    p.b.text(PrintFont::NarrowBand, 32 * m.ub - 20, y, word("完全一致数"));
    p.b.text(PrintFont::NarrowBand, 36 * m.ub, y, word("全修復欠損一致数"));
    p.b.text(PrintFont::NarrowBand, 40 * m.ub + 30, y, word("矛盾なし一致数"));
    p.b.text(PrintFont::NarrowBand, 48 * m.ub, y, word("スコア"));
    p.b.text(PrintFont::NarrowBand, 3212, 8 * m.hb, word("上"));
    p.b.text(PrintFont::NarrowBand, 5372, 8 * m.hb, word("下"));
    for (int x : {2672, 5912})
        p.b.text(PrintFont::NarrowBand, x, 10 * m.hb, word("右"));
    for (int x : {3752, 4832})
        p.b.text(PrintFont::NarrowBand, x, 10 * m.hb, word("左"));
    const int numberX = english ? 2110 : 2100;
    for (int k = 0; k < kToothCount; ++k)
        p.b.text(PrintFont::ToothNumber, numberX + 135 * k, 25 * m.ht / 2,
                 toothNumberText(k, english));
}

void addGrid(const Page& p, const Wording& wording) {
    const PrintMetrics& m = p.m;
    p.b.text(PrintFont::Body, 5 * m.u, 4 * m.h,
             worded(wording, "b:ブリッジあり／*：判明済み／i：他人／u：鑑定中"));
    p.b.line(kLeft, 1200, kRight, 1200, kPen);
    p.b.line(kLeft, kBandTop, kRight, kBandTop, kPen);
    for (int x : {200, 300, kIdRight, 22 * m.u - 40, 26 * m.u - 40, 30 * m.u - 40, 34 * m.u - 40,
                  38 * m.u - 40, kRight})
        p.b.line(x, kBandTop, x, kHeadingBottom, kPen);
    for (int y : {800, 950})
        p.b.line(47 * m.u - 30, y, 143 * m.u - 30, y, kPen);
    for (int k = 0; k < kToothCount; ++k) {
        const int top = k == 0 || k == 16 ? kBandTop : k == 8 || k == 24 ? 800 : 950;
        p.b.line(p.toothX(k), top, p.toothX(k), kHeadingBottom, kPen);
    }
}

void addSearchingRow(const Page& p, const IndividualSearchPrintJob& job) {
    const PrintMetrics& m = p.m;
    const int y = 12 * m.h;
    p.b.rect(kLeft, 1200, kRowWidth, 100, kSearchingBackground);
    p.b.text(PrintFont::Body, 5 * m.u, y, job.searchingMark.empty() ? " " : job.searchingMark);
    p.id(job.searchingId, y);
    for (int column : {22, 26, 30, 34})
        p.b.text(PrintFont::Body, column * m.u, y, "--");
    p.b.text(PrintFont::Body, 38 * m.u, y, " ----- ");
    for (int k = 0; k < kToothCount; ++k)
        p.b.text(PrintFont::Body, p.toothX(k) + 30, y,
                 std::string(" ") + job.searchingDigits[k] + " ");
}

void addCandidateRow(const Page& p, const IndividualPrintCandidate& c, int j) {
    const PrintMetrics& m = p.m;
    const int top = 100 * (13 + j);
    const int bottom = top + 100;
    const int y = m.h * (13 + j);
    p.b.rect(kLeft, top, kRowWidth, 100, j % 2 == 1 ? kRowGrey : kWhite);
    p.b.text(PrintFont::Body, 5 * m.u, y, c.mark.empty() ? " " : c.mark);
    for (int x : {200, 300, kRight})
        p.b.line(x, top, x, bottom, kPen);
    p.id(c.displayId, y);
    p.b.line(kIdRight, top, kIdRight, bottom, kPen);
    p.b.text(PrintFont::Body, 22 * m.u, y, printNumberText("%2d", c.searchCount));
    p.b.text(PrintFont::Body, 26 * m.u, y, printNumberText("%2d", c.exactMatchCount));
    p.b.text(PrintFont::Body, 30 * m.u, y,
             printNumberText("%2d", c.fullRestorationMissingMatchCount));
    p.b.text(PrintFont::Body, 34 * m.u, y, printNumberText("%2d", c.noContradictionMatchCount));
    p.b.text(PrintFont::Body, 38 * m.u, y, printScoreText(c.score));
    for (int column : {26, 30, 34, 38})
        p.b.line(column * m.u - 40, top, column * m.u - 40, bottom, kPen);
    for (int k = 0; k < kToothCount; ++k) {
        p.b.text(PrintFont::Body, p.toothX(k) + 30, y, c.teeth[k]);
        p.b.line(p.toothX(k), top, p.toothX(k), bottom, kPen);
    }
    p.b.line(kLeft, top, kRight, top, kPen);
}

} // namespace

IndividualSearchPrintJob individualSearchPrintJob(const SearchEntry* entry, int direction,
                                                  int rankKey, int n, int hideExcluded,
                                                  long long unixTime) {
    IndividualSearchPrintJob job;
    job.direction = direction;
    job.rankName = rankKeyLabel(std::clamp(rankKey, 0, 3));
    job.hideExcluded = hideExcluded == 1;
    job.createdText = printCreatedText(unixTime);
    if (entry == nullptr)
        return job;
    const DentalRecord& searching = entry->record();
    job.searchingFound = true;
    job.searchingMark = searchingMark(searching.MATCH_KIND);
    job.searchingId = searching.displayId;
    for (int position = 0; position < kToothCount; ++position)
        job.searchingDigits[position] = digitAt(searching.classChart, position);
    for (const PairResult& result : visibleCandidates(*entry, rankKey, n, hideExcluded))
        job.candidates.push_back(printCandidate(searching, result));
    return job;
}

std::vector<PrintPage> layoutIndividualSearchPrint(const IndividualSearchPrintJob& job,
                                                   const PrintMetrics& metrics) {
    // Pages follow the printed rows: the grey rows the list adds are not printed, so they add
    // no pages of their own.
    const int candidates = static_cast<int>(job.candidates.size());
    const int pageCount =
        std::max(1, (candidates + kCandidateRowsPerPage - 1) / kCandidateRowsPerPage);
    std::vector<PrintPage> pages(static_cast<std::size_t>(pageCount));
    for (int number = 0; number < pageCount; ++number) {
        PageBuilder builder(pages[static_cast<std::size_t>(number)]);
        const Page page{builder, metrics};
        addSearchPrintHeading(builder, job, "検索", 49, metrics, number + 1);
        addBand(page, job);
        addGrid(page, job.wording);
        if (job.searchingFound)
            addSearchingRow(page, job);
        const int first = number * kCandidateRowsPerPage;
        const int last = std::min(first + kCandidateRowsPerPage, candidates);
        for (int i = first; i < last; ++i)
            addCandidateRow(page, job.candidates[static_cast<std::size_t>(i)], i - first);
        const int bottom = 100 * (13 + std::max(last - first, 0));
        builder.line(kLeft, bottom, kRight, bottom, kPen);
    }
    return pages;
}

} // namespace qdx
