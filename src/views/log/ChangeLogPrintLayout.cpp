#include "views/log/ChangeLogPrintLayout.h"

#include "io/TextCodec.h"
#include "views/print/PageBuilder.h"

#include <algorithm>

namespace qdx {

namespace {

constexpr int kLeft = 200;
constexpr int kRight = 6800;
constexpr int kPageBottom = 4650;
constexpr int kThin = 2;
constexpr PrintColor kBandGrey{192, 192, 192};

// Left edges of the printed columns in units of the body font's "A"; the change runs to the
// right edge. The English side and check words are longer than the Japanese ones.
struct PrintedColumn {
    LogColumn column;
    int left; // in units of u
};
constexpr PrintedColumn kColumns[] = {
    {LogColumn::Time, 0}, {LogColumn::Examiner, 21}, {LogColumn::Kind, 35},   {LogColumn::Side, 52},
    {LogColumn::Id, 57},  {LogColumn::Check, 73},    {LogColumn::Change, 82},
};
constexpr PrintedColumn kEnglishColumns[] = {
    {LogColumn::Time, 0}, {LogColumn::Examiner, 21}, {LogColumn::Kind, 35},   {LogColumn::Side, 50},
    {LogColumn::Id, 63},  {LogColumn::Check, 79},    {LogColumn::Change, 91},
};
constexpr std::size_t kColumnCount = std::size(kColumns);
static_assert(std::size(kEnglishColumns) == kColumnCount);

const PrintedColumn* columnsOf(const ChangeLogPrintJob& job) {
    return job.english ? kEnglishColumns : kColumns;
}

int columnX(const PrintMetrics& m, int units) {
    return kLeft + 20 + units * m.u;
}

int cp932Width(const std::string& text, int unit) {
    return static_cast<int>(TextCodec::cp932Length(text)) * unit;
}

// The examiner column shows the login name where no examiner name was given.
std::string printedCell(const ChangeLogPrintJob& job, const ChangeLogRow& row, LogColumn column) {
    if (column == LogColumn::Examiner && row.row.EXAMINER.empty())
        return row.row.LOGIN;
    return logCell(row, column, job.wording);
}

std::string printedChange(const ChangeLogPrintJob& job, const ChangeLogRow& row) {
    std::string text = logCell(row, LogColumn::Change);
    if (!row.row.ORIGIN.empty())
        text += " " + fillText(worded(job.wording, "［由来：%1］"), {row.row.ORIGIN});
    // A remark's line breaks would print on top of each other.
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

void addHeading(PageBuilder& b, const ChangeLogPrintJob& job, const PrintMetrics& m, int page,
                int pages) {
    b.text(PrintFont::Heading, kLeft, 150, worded(job.wording, "変更履歴"));
    b.text(PrintFont::Body, kLeft + 8 * m.U, 150 + m.H - m.h, job.filterText);
    b.text(PrintFont::Body, kRight - 40 * m.u, 150 + m.H - m.h, job.createdText);
    b.text(PrintFont::Body, kRight - 10 * m.u, 150 + m.H - m.h,
           std::to_string(page) + " / " + std::to_string(pages));
    const int top = 200 + m.H + m.h;
    b.rect(kLeft, top, kRight - kLeft, m.h + 40, kBandGrey);
    b.line(kLeft, top, kRight, top, kThin);
    b.line(kLeft, top + m.h + 40, kRight, top + m.h + 40, kThin);
    const PrintedColumn* columns = columnsOf(job);
    for (std::size_t c = 0; c < kColumnCount; ++c)
        b.text(PrintFont::Body, columnX(m, columns[c].left), top + 20,
               worded(job.wording, logColumnHeading(columns[c].column)));
}

int firstRowY(const PrintMetrics& m) {
    return 200 + m.H + 2 * m.h + 80;
}

// Breaks a line that is wider than the column on its own between characters.
void breakLongLine(std::vector<std::string>& lines, const std::string& line, int width, int unit) {
    std::string rest;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        const std::string character = line.substr(i, length);
        if (!rest.empty() && cp932Width(rest + character, unit) > width) {
            lines.push_back(rest);
            rest.clear();
        }
        rest += character;
        i += length;
    }
    lines.push_back(rest);
}

} // namespace

std::vector<std::string> wrapChangeText(const std::string& text, int width, int unit) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    auto flush = [&] {
        if (cp932Width(line, unit) > width)
            breakLongLine(lines, line, width, unit);
        else
            lines.push_back(line);
        line.clear();
    };
    while (start <= text.size()) {
        // A line breaks after a change (", ") or after a quadrant of a new chart (" / ").
        const std::size_t comma = text.find(", ", start);
        const std::size_t slash = text.find(" / ", start);
        const std::size_t end = std::min(comma, slash);
        const std::size_t next =
            end == std::string::npos ? std::string::npos : end + (end == comma ? 2 : 3);
        const std::string part = text.substr(start, next - start);
        if (!line.empty() && cp932Width(line + part, unit) > width)
            flush();
        line += part;
        if (next == std::string::npos)
            break;
        start = next;
    }
    if (!line.empty() || lines.empty())
        flush();
    return lines;
}

std::vector<PrintPage> layoutChangeLogPrint(const ChangeLogPrintJob& job, const PrintMetrics& m) {
    const PrintedColumn* columns = columnsOf(job);
    const int changeLeft = columnX(m, columns[kColumnCount - 1].left);
    const int lineHeight = m.h + 10;
    // Rows first, then pages: each row as its lines, kept together on one page.
    struct Placed {
        const ChangeLogRow* row;
        std::vector<std::string> change;
    };
    std::vector<std::vector<Placed>> pages(1);
    int y = firstRowY(m);
    for (const ChangeLogRow& row : job.rows) {
        Placed placed{&row, wrapChangeText(printedChange(job, row), kRight - changeLeft - 20, m.u)};
        const int height = static_cast<int>(placed.change.size()) * lineHeight + 20;
        if (y + height > kPageBottom && !pages.back().empty()) {
            pages.emplace_back();
            y = firstRowY(m);
        }
        pages.back().push_back(std::move(placed));
        y += height;
    }
    std::vector<PrintPage> printed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        PrintPage page;
        PageBuilder b(page);
        addHeading(b, job, m, static_cast<int>(p) + 1, static_cast<int>(pages.size()));
        int rowY = firstRowY(m);
        for (const Placed& placed : pages[p]) {
            // Every column but the change, which is last, up to the next column's edge.
            for (std::size_t c = 0; c + 1 < kColumnCount; ++c) {
                const int x = columnX(m, columns[c].left);
                b.fittedText(PrintFont::Body, x, rowY,
                             printedCell(job, *placed.row, columns[c].column),
                             columnX(m, columns[c + 1].left) - x - 40);
            }
            for (std::size_t i = 0; i < placed.change.size(); ++i)
                b.text(PrintFont::Body, changeLeft, rowY + static_cast<int>(i) * lineHeight,
                       placed.change[i]);
            rowY += static_cast<int>(placed.change.size()) * lineHeight + 20;
            b.line(kLeft, rowY - 10, kRight, rowY - 10, kThin);
        }
        printed.push_back(std::move(page));
    }
    return printed;
}

} // namespace qdx
