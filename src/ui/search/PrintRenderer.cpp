#include "ui/search/PrintRenderer.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace qdx {

namespace {

const char* const kPrintFace = "ＭＳ ゴシック";

// A font whose cell height (ascent + descent) is `height` device units and, when given, whose
// "A" is `width` units wide, as the printer fonts are asked for by cell size.
QFont makeFont(QPaintDevice* device, int height, int width) {
    QFont::insertSubstitutions(kPrintFace, {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP"});
    QFont font(kPrintFace, -1, QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(height);
    const int cell = QFontMetrics(font, device).height();
    if (cell > 0 && cell != height)
        font.setPixelSize(std::max(1, height * height / cell));
    if (width > 0) {
        const int natural = QFontMetrics(font, device).horizontalAdvance(QLatin1Char('A'));
        if (natural > 0)
            font.setStretch(qBound(1, width * 100 / natural, 4000));
    }
    return font;
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool isLatin(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x2000; });
}

const QFont& fontOf(const PrintFonts& fonts, PrintFont font) {
    switch (font) {
    case PrintFont::Heading:
        return fonts.heading;
    case PrintFont::Band:
        return fonts.band;
    case PrintFont::NarrowBand:
        return fonts.narrowBand;
    case PrintFont::ToothNumber:
        return fonts.toothNumber;
    case PrintFont::Body:
        break;
    }
    return fonts.body;
}

void drawText(QPainter& painter, const PrintItem& item, const PrintFonts& fonts) {
    const QString text = toQString(item.text);
    const QFont& font = fontOf(fonts, item.font);
    if (item.font == PrintFont::Band || item.font == PrintFont::NarrowBand) {
        // The band headings run downwards, one upright character under the other; a Latin
        // word runs downwards turned on its side, as a vertical font sets it.
        painter.setFont(font);
        const QFontMetrics metrics(font, painter.device());
        if (text.size() > 1 && isLatin(text)) {
            painter.save();
            painter.translate(item.x + metrics.descent(), item.y);
            painter.rotate(90);
            painter.drawText(QPoint(0, 0), text);
            painter.restore();
            return;
        }
        int y = item.y;
        for (const QChar c : text) {
            painter.drawText(QPoint(item.x, y + metrics.ascent()), QString(c));
            y += metrics.height();
        }
        return;
    }
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const QPoint at(item.x, item.y + metrics.ascent());
    const int natural = metrics.horizontalAdvance(text);
    if (item.fitWidth <= 0 || natural <= item.fitWidth) {
        painter.drawText(at, text);
        return;
    }
    // Condensed sideways to its column; its height and place stay.
    painter.save();
    painter.translate(at);
    painter.scale(static_cast<double>(item.fitWidth) / natural, 1.0);
    painter.drawText(QPoint(0, 0), text);
    painter.restore();
}

} // namespace

PrintFonts PrintFonts::forDevice(QPaintDevice* device) {
    return {makeFont(device, 100, 0), makeFont(device, 80, 45), makeFont(device, 100, 45),
            makeFont(device, 80, 40), makeFont(device, 80, 40)};
}

PrintMetrics PrintFonts::measure(QPaintDevice* device) const {
    const QFontMetrics headingMetrics(heading, device);
    const QFontMetrics bodyMetrics(body, device);
    PrintMetrics m;
    m.U = headingMetrics.horizontalAdvance(QStringLiteral("AA"));
    m.H = headingMetrics.height();
    m.u = bodyMetrics.horizontalAdvance(QLatin1Char('A'));
    m.h = bodyMetrics.height();
    m.hb = QFontMetrics(band, device).height();
    m.ub = QFontMetrics(narrowBand, device).horizontalAdvance(QLatin1Char('A'));
    m.ht = QFontMetrics(toothNumber, device).height();
    return m;
}

void renderPrintPage(QPainter& painter, const PrintPage& page, const PrintFonts& fonts) {
    painter.setPen(Qt::black);
    for (const PrintItem& item : page) {
        switch (item.kind) {
        case PrintItem::Kind::FilledRect:
            painter.fillRect(item.x, item.y, item.width, item.height,
                             QColor(item.color.red, item.color.green, item.color.blue));
            break;
        case PrintItem::Kind::Line:
            painter.setPen(QPen(Qt::black, item.penWidth, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(item.x, item.y, item.x2, item.y2);
            break;
        case PrintItem::Kind::Text:
            painter.setPen(Qt::black);
            drawText(painter, item, fonts);
            break;
        case PrintItem::Kind::Chart:
            // Chart pictures need the picture set; the report's renderer draws them.
            break;
        }
    }
}

bool printPages(QPrinter& printer,
                const std::function<std::vector<PrintPage>(const PrintMetrics&)>& layout) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const PrintFonts fonts = PrintFonts::forDevice(&printer);
    const std::vector<PrintPage> pages = layout(fonts.measure(&printer));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        renderPrintPage(painter, pages[i], fonts);
    }
    painter.end();
    return true;
}

void proposePrintFile(QPrinter& printer, const QString& pdfPath) {
    // Naming a PDF file turns the printer into a PDF writer, which the dialog would then offer
    // first; where there is a printer, it is taken back.
    const QPrinter::OutputFormat format = printer.outputFormat();
    printer.setOutputFileName(pdfPath);
    printer.setOutputFormat(format);
}

void preparePrinter(QPrinter& printer, const QString& documentName, bool english) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setResolution(600);
    printer.setPageSize(QPageSize(english ? QPageSize::Legal : QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(documentName);
}

} // namespace qdx
