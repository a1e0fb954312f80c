#include "views/report/ReportPrintLayout.h"

#include "matching/PairResult.h"
#include "matching/ToothComparison.h"
#include "model/Labels.h"
#include "views/history/PairComparison.h"
#include "views/print/PageBuilder.h"

#include <algorithm>
#include <cstdio>

namespace qdx {

namespace {

constexpr int kLineGap = 24;
constexpr int kRulePen = 6;
constexpr int kGridPen = 3;
// The record table: labels, then a column per side.
constexpr int kLabelWidth = 560;
constexpr int kSideWidth = (kReportPageWidth - kLabelWidth) / 2;
// The charts, side by side at the picture's proportions (481 x 558).
constexpr int kChartWidth = 1500;
constexpr int kChartHeight = kChartWidth * 558 / 481;
// The 32-position table: two blocks of 16 positions.
constexpr int kTableLabelWidth = 320;
constexpr int kTableCellWidth = (kReportPageWidth - kTableLabelWidth) / 16;
constexpr PrintColor kAgreeShade{214, 236, 214};
constexpr const char* kCut = "…";

int sizeOfCharacter(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xE)
        return 3;
    return (lead >> 3) == 0x1E ? 4 : 1;
}

// A character's columns: ASCII and half-width katakana one, everything else two.
int columnsOf(const std::string& text, std::size_t at, int size) {
    if (size == 1)
        return 1;
    if (size == 3) {
        const auto b1 = static_cast<unsigned char>(text[at + 1]);
        const auto b2 = static_cast<unsigned char>(text[at + 2]);
        const unsigned code = ((static_cast<unsigned char>(text[at]) & 0x0Fu) << 12) |
                              ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
        if (code >= 0xFF61 && code <= 0xFF9F)
            return 1;
    }
    return 2;
}

// The longest start of `text` that fits `columns`, cut with "…" when it does not all fit.
std::string fitted(const std::string& text, int columns) {
    if (textColumns(text) <= columns)
        return text;
    std::string out;
    int used = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int size = std::min<int>(sizeOfCharacter(static_cast<unsigned char>(text[i])),
                                       static_cast<int>(text.size() - i));
        const int width = columnsOf(text, i, size);
        if (used + width > columns - 2)
            break;
        out.append(text, i, static_cast<std::size_t>(size));
        used += width;
        i += static_cast<std::size_t>(size);
    }
    return out + kCut;
}

// At most `maxLines` lines of the wrapped text; the last one cut when more would follow.
std::vector<std::string> wrappedLines(const std::string& text, int columns, int maxLines) {
    std::vector<std::string> lines = wrapColumns(text, columns);
    if (static_cast<int>(lines.size()) > maxLines) {
        lines.resize(static_cast<std::size_t>(maxLines));
        lines.back() = fitted(lines.back() + kCut + kCut, columns);
    }
    return lines;
}

std::string orBlank(const std::string& text) {
    return text.empty() ? "－" : text;
}

std::string numberText(int value) {
    return std::to_string(value);
}

std::string scoreText(double score) {
    char text[32];
    std::snprintf(text, sizeof text, "%4.4f", score);
    return text;
}

// Writes lines downwards on one page.
class PageWriter {
public:
    PageWriter(PrintPage& page, const PrintMetrics& metrics) : m_page(page), m_m(metrics) {}

    int y() const { return m_y; }
    void moveTo(int y) { m_y = y; }
    int step() const { return m_m.h + kLineGap; }
    int columns(int width) const { return std::max(1, width / std::max(1, m_m.u)); }
    int width(const std::string& text) const { return textColumns(text) * m_m.u; }
    int left() const { return kReportPageHeight - m_y; }

    void text(int x, const std::string& text, PrintFont font = PrintFont::Body) {
        m_page.text(font, x, m_y, text);
    }
    void centred(int x, int width, const std::string& text) {
        m_page.text(PrintFont::Body, x + std::max(0, (width - this->width(text)) / 2), m_y, text);
    }
    void line() { m_y += step(); }
    void gap(int units) { m_y += units; }
    void rule(int pen = kRulePen) {
        m_page.line(0, m_y, kReportPageWidth, m_y, pen);
        m_y += kLineGap;
    }
    void heading(const std::string& text) {
        gap(kLineGap * 2);
        m_page.text(PrintFont::Heading, 0, m_y, "■ " + text);
        m_y += m_m.H + kLineGap / 2;
        m_page.line(0, m_y, kReportPageWidth, m_y, kGridPen);
        m_y += kLineGap;
    }
    PageBuilder& builder() { return m_page; }

private:
    PageBuilder m_page;
    const PrintMetrics& m_m;
    int m_y = 0;
};

void writeHeader(PageWriter& w, const IdentificationReport& report, int pageNumber) {
    w.text(0, "歯科所見による身元確認報告書", PrintFont::Heading);
    const std::string page = numberText(pageNumber) + " / 2";
    w.text(kReportPageWidth - w.width(page), page);
    w.line();
    w.text(0, "プロジェクト：" + report.projectName);
    const std::string created = printCreatedText(report.createdAt);
    w.text(kReportPageWidth - w.width(created), created);
    w.line();
    w.rule();
}

// One row of the record table: the label and each side's lines.
void recordRow(PageWriter& w, const std::string& label, const std::string& pm,
               const std::string& am, int maxLines = 1) {
    const int columns = w.columns(kSideWidth - 40);
    const auto pmLines = wrappedLines(orBlank(pm), columns, maxLines);
    const auto amLines = wrappedLines(orBlank(am), columns, maxLines);
    w.text(0, label);
    const std::size_t rows = std::max(pmLines.size(), amLines.size());
    for (std::size_t i = 0; i < rows; ++i) {
        if (i < pmLines.size())
            w.text(kLabelWidth, pmLines[i]);
        if (i < amLines.size())
            w.text(kLabelWidth + kSideWidth, amLines[i]);
        w.line();
    }
}

void writeRecords(PageWriter& w, const IdentificationReport& report) {
    const DentalRecord& pm = report.postMortem.record;
    const DentalRecord& am = report.anteMortem.record;
    w.heading("照合した2件");
    recordRow(w, "", "死後（遺体）", "生前（行方不明者）");
    recordRow(w, "ID", pm.displayId, am.displayId);
    recordRow(w, "性別", std::string(sexLabel(pm.sex)), std::string(sexLabel(am.sex)));
    recordRow(w, "年令", std::string(ageGroupLabel(pm.agegroup)),
              std::string(ageGroupLabel(am.agegroup)));
    recordRow(w, "氏名", pm.name, am.name);
    recordRow(w, "場所", pm.place, am.place);
    recordRow(w, "登録日", pm.UpdateTime, am.UpdateTime);
    recordRow(w, "備考", pm.summary, am.summary, 3);
    recordRow(w, "歯式確認", checkStateText(report.postMortem.check),
              checkStateText(report.anteMortem.check), 2);
}

std::uint32_t agreeingPositions(const PairJudgement& pair) {
    std::uint32_t bits = 0;
    for (int j = 0; j < kToothCount; ++j) {
        if (pair.positions[static_cast<std::size_t>(j)].judgement == ToothJudgement::Agrees)
            bits |= 1u << j;
    }
    return bits;
}

void writeCharts(PageWriter& w, const IdentificationReport& report) {
    w.heading("歯式（○印：一致した歯）");
    const std::uint32_t ringed = agreeingPositions(report.judgement);
    const int pmX = (kReportPageWidth / 2 - kChartWidth) / 2;
    const int amX = kReportPageWidth / 2 + pmX;
    w.centred(pmX, kChartWidth, "死後 " + report.postMortem.record.displayId);
    w.centred(amX, kChartWidth, "生前 " + report.anteMortem.record.displayId);
    w.line();
    w.builder().chart(pmX, w.y(), kChartWidth, kChartHeight,
                      reportChartValues(report.postMortem.record, ringed));
    w.builder().chart(amX, w.y(), kChartWidth, kChartHeight,
                      reportChartValues(report.anteMortem.record, ringed));
    w.gap(kChartHeight + kLineGap);
}

// One block of 16 positions: the tooth names, both findings and the judgement.
void writeTableBlock(PageWriter& w, const PairJudgement& pair, int first) {
    const int top = w.y() - kLineGap / 2;
    for (int i = 0; i < 16; ++i) {
        const auto& p = pair.positions[static_cast<std::size_t>(first + i)];
        if (p.judgement == ToothJudgement::Agrees)
            w.builder().rect(kTableLabelWidth + i * kTableCellWidth, top + w.step(),
                             kTableCellWidth, 3 * w.step(), kAgreeShade);
    }
    const char* const labels[] = {"部位", "死後", "生前", "判定"};
    for (int row = 0; row < 4; ++row) {
        w.text(0, labels[row]);
        for (int i = 0; i < 16; ++i) {
            const int j = first + i;
            const auto& p = pair.positions[static_cast<std::size_t>(j)];
            std::string cell;
            if (row == 0)
                cell = comparisonHeaderText(4 + j);
            else if (row == 1)
                cell = findingText(p.pmClass, p.pmBridge, p.pmDeciduous);
            else if (row == 2)
                cell = findingText(p.amClass, p.amBridge, p.amDeciduous);
            else
                cell = std::string(judgementMark(p.judgement));
            w.centred(kTableLabelWidth + i * kTableCellWidth, kTableCellWidth, cell);
        }
        w.line();
    }
    const int bottom = w.y() - kLineGap / 2;
    for (int row = 0; row <= 4; ++row) {
        const int y = top + row * w.step();
        w.builder().line(0, y, kReportPageWidth, y, kGridPen);
    }
    for (int i = 0; i <= 16; ++i) {
        const int x = kTableLabelWidth + i * kTableCellWidth;
        w.builder().line(x, top, x, bottom, kGridPen);
    }
    w.gap(kLineGap);
}

void writePositionTable(PageWriter& w, const PairJudgement& pair) {
    w.heading("部位ごとの比較");
    writeTableBlock(w, pair, 0);
    writeTableBlock(w, pair, 16);
    w.text(0, std::string(kClassLegend) + " b:ブリッジ d:乳歯");
    w.line();
    w.text(0, "判定 ○:一致（分類と乳歯の別が同じ） △:矛盾なし（治療の追加） ×:矛盾 "
              "－:比較不能");
    w.line();
}

void writeCounts(PageWriter& w, const IdentificationReport& report) {
    const PairJudgement& pair = report.judgement;
    w.heading("一致の数とスコア");
    w.text(0, "比較歯数 " + numberText(pair.counts.searchCount) + "　完全一致数 " +
                  numberText(pair.counts.exactMatchCount) + "　全修復・欠損一致数 " +
                  numberText(pair.counts.fullRestorationMissingMatchCount) + "　矛盾なし一致数 " +
                  numberText(pair.counts.noContradictionMatchCount));
    w.line();
    w.text(0, "一致 " + numberText(pair.countOf(ToothJudgement::Agrees)) + "　矛盾なし " +
                  numberText(pair.countOf(ToothJudgement::Consistent)) + "　矛盾 " +
                  numberText(pair.countOf(ToothJudgement::Contradicts)) + "　比較不能 " +
                  numberText(pair.countOf(ToothJudgement::NotComparable)));
    w.line();
    w.text(0, "スコア（死後→生前） " + scoreText(pair.score[kPostToAnteMortem]) +
                  "　スコア（生前→死後） " + scoreText(pair.score[kAnteToPostMortem]));
    w.line();
    if (pair.sexExcluded) {
        w.text(0, "性別が異なるため、検索ではこの組は比較されません。");
        w.line();
    }
}

void rankRow(PageWriter& w, const std::string& label, const ReportRanks& ranks) {
    w.text(0, label);
    w.line();
    const int cell = (kReportPageWidth - 200) / 4;
    for (int key = 0; key < 4; ++key)
        w.text(200 + key * cell, rankText(ranks, key));
    w.line();
}

void writeRanks(PageWriter& w, const IdentificationReport& report) {
    w.heading("候補順位（1件検索による）");
    const int cell = (kReportPageWidth - 200) / 4;
    const char* const keys[] = {"完全一致数", "全修復・欠損一致数", "矛盾なし一致数", "スコア"};
    for (int key = 0; key < 4; ++key)
        w.text(200 + key * cell, keys[key]);
    w.line();
    rankRow(w,
            "死後 " + report.postMortem.record.displayId + " の候補の中で、生前 " +
                report.anteMortem.record.displayId + " の順位",
            report.anteMortemRank);
    rankRow(w,
            "生前 " + report.anteMortem.record.displayId + " の候補の中で、死後 " +
                report.postMortem.record.displayId + " の順位",
            report.postMortemRank);
}

void evidenceLines(PageWriter& w, const PatternEvidence& e) {
    const std::string side(sideLabel(e.side));
    w.text(0, side + "データ全体：" + frequencyText(e.count.shared, e.count.total));
    w.line();
    if (e.sex == "0" || e.sex.empty()) {
        w.text(0, "同じ性別の" + side + "データ：性別不明のため数えていません");
    } else {
        w.text(0, "同じ性別（" + std::string(sexLabel(e.sex)) + "）の" + side + "データ：" +
                      frequencyText(e.count.sharedSameSex, e.count.totalSameSex));
    }
    w.line();
}

void writeEvidence(PageWriter& w, const IdentificationReport& report) {
    w.heading("歯式パターンの頻度");
    w.text(0, "一致した " + numberText(report.anteMortemEvidence.positions) +
                  " 歯の所見をすべて持つ歯式の数（X / N）：");
    w.line();
    evidenceLines(w, report.anteMortemEvidence);
    evidenceLines(w, report.postMortemEvidence);
    w.text(0, "これはこのプロジェクトに登録された歯式の中での頻度であり、同一人物である確率では"
              "ありません。");
    w.line();
}

void writeOutcomes(PageWriter& w, const IdentificationReport& report) {
    w.heading("照合履歴と歯式確認");
    std::string outcomes;
    for (const std::string& outcome : report.outcomes)
        outcomes += (outcomes.empty() ? "" : "、") + outcome;
    w.text(0, "記録された照合結果：" + (outcomes.empty() ? std::string("なし") : outcomes));
    w.line();
    constexpr std::size_t kShown = 6;
    const std::size_t from = report.history.size() > kShown ? report.history.size() - kShown : 0;
    if (from > 0) {
        w.text(0, "（ほか古い " + numberText(static_cast<int>(from)) + " 件は変更履歴を参照）");
        w.line();
    }
    for (std::size_t i = from; i < report.history.size(); ++i) {
        const ReportHistoryLine& h = report.history[i];
        w.text(0, fitted(h.time + " " + h.who + " " + h.recordId + "：" + h.detail,
                         w.columns(kReportPageWidth)));
        w.line();
    }
    w.text(0, fitted("死後 " + report.postMortem.record.displayId + "：" +
                         checkStateText(report.postMortem.check) + "　生前 " +
                         report.anteMortem.record.displayId + "：" +
                         checkStateText(report.anteMortem.check),
                     w.columns(kReportPageWidth)));
    w.line();
}

void writeConclusion(PageWriter& w, const IdentificationReport& report) {
    w.heading("結論");
    std::string choices;
    for (int c = 0; c < kConclusionCount; ++c) {
        const auto conclusion = static_cast<ReportConclusion>(c);
        choices += (conclusion == report.input.conclusion ? "■" : "□") +
                   std::string(conclusionText(conclusion)) + "　";
    }
    w.text(0, choices);
    w.line();
    w.text(0, "結論：" + std::string(conclusionText(report.input.conclusion)));
    w.line();
    w.text(0, fitted("担当者：" + orBlank(report.input.examiner) + "　確認者：" +
                         orBlank(report.input.checker),
                     w.columns(kReportPageWidth)));
    w.line();
}

// The remarks take what is left above the signature lines.
void writeRemarks(PageWriter& w, const IdentificationReport& report, int signaturesTop) {
    w.heading("所見・備考");
    const int room = std::max(1, (signaturesTop - w.y()) / w.step());
    for (const std::string& line :
         wrappedLines(orBlank(report.input.remarks), w.columns(kReportPageWidth), room)) {
        w.text(0, line);
        w.line();
    }
}

void writeSignatures(PageWriter& w) {
    const int underline = w.step() - kLineGap / 2;
    for (const char* role : {"担当者署名", "確認者署名"}) {
        w.text(0, role);
        w.text(2700, "日付");
        w.builder().line(600, w.y() + underline, 2500, w.y() + underline, kGridPen);
        w.builder().line(2960, w.y() + underline, kReportPageWidth, w.y() + underline, kGridPen);
        w.line();
        w.gap(kLineGap * 3);
    }
}

} // namespace

int textColumns(const std::string& text) {
    int columns = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int size = std::min<int>(sizeOfCharacter(static_cast<unsigned char>(text[i])),
                                       static_cast<int>(text.size() - i));
        columns += columnsOf(text, i, size);
        i += static_cast<std::size_t>(size);
    }
    return columns;
}

std::vector<std::string> wrapColumns(const std::string& text, int columns) {
    std::vector<std::string> lines(1);
    int used = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int size = std::min<int>(sizeOfCharacter(static_cast<unsigned char>(text[i])),
                                       static_cast<int>(text.size() - i));
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF is one break.
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            lines.emplace_back();
            used = 0;
            continue;
        }
        const int width = columnsOf(text, i, size);
        if (used > 0 && used + width > columns) {
            lines.emplace_back();
            used = 0;
        }
        lines.back().append(text, i, static_cast<std::size_t>(size));
        used += width;
        i += static_cast<std::size_t>(size);
    }
    return lines;
}

std::vector<std::uint8_t> reportChartValues(const DentalRecord& record, std::uint32_t ringed) {
    // The pictures number the kinds by class: 1..6 are kinds 0..5.
    std::vector<std::uint8_t> values(4 * kToothCount, 0);
    for (int j = 0; j < kToothCount; ++j) {
        const auto at = static_cast<std::size_t>(j);
        values[at] = static_cast<std::uint8_t>(comparisonClass(record, j) - 1);
        values[kToothCount + at] = bridgeFlag(record, j) ? 1 : 0;
        values[2 * kToothCount + at] = deciduousFlag(record, j) ? 1 : 0;
        values[3 * kToothCount + at] = (ringed >> j & 1u) != 0 ? 1 : 0;
    }
    return values;
}

std::string rankText(const ReportRanks& ranks, int rankKey) {
    if (!ranks.searchable)
        return "検索対象外";
    const int rank = ranks.rank[static_cast<std::size_t>(rankKey)];
    return rank > 0 ? numberText(rank) + "位" : "50位以内になし";
}

std::vector<PrintPage> layoutIdentificationReport(const IdentificationReport& report,
                                                  const PrintMetrics& metrics) {
    std::vector<PrintPage> pages(2);
    PageWriter first(pages[0], metrics);
    writeHeader(first, report, 1);
    writeRecords(first, report);
    writeCharts(first, report);
    writePositionTable(first, report.judgement);

    PageWriter second(pages[1], metrics);
    writeHeader(second, report, 2);
    second.text(0, "死後 " + report.postMortem.record.displayId + "　生前 " +
                       report.anteMortem.record.displayId);
    second.line();
    writeCounts(second, report);
    writeRanks(second, report);
    writeEvidence(second, report);
    writeOutcomes(second, report);
    writeConclusion(second, report);
    const int signaturesTop = kReportPageHeight - 2 * (second.step() + kLineGap * 3);
    writeRemarks(second, report, signaturesTop - kLineGap * 2);
    second.moveTo(signaturesTop);
    writeSignatures(second);
    return pages;
}

} // namespace qdx
