#include "ui/report/ReportRenderer.h"

#include "model/ToothChart.h"
#include "ui/chart/ChartGeometry.h"
#include "ui/chart/ChartPainter.h"
#include "ui/search/PrintRenderer.h"
#include "views/report/ReportPrintLayout.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace qdx {

namespace {

// The layout's units: a 600 dpi printer.
constexpr double kLayoutDpi = 600.0;

const QMarginsF kMargins(kReportMarginMillimetres, kReportMarginMillimetres,
                         kReportMarginMillimetres, kReportMarginMillimetres);

ToothValues valuesAt(const std::vector<std::uint8_t>& chart, int block) {
    ToothValues values{};
    for (int j = 0; j < kToothCount; ++j)
        values[static_cast<std::size_t>(j)] =
            chart[static_cast<std::size_t>(block * kToothCount + j)];
    return values;
}

} // namespace

ReportRenderer::ReportRenderer(const std::string& pictureFolder) : m_pictureFolder(pictureFolder) {}

void ReportRenderer::paintChart(QPainter& painter, const PrintItem& item) const {
    if (item.chart.size() != 4u * kToothCount)
        return;
    ChartPainter charts;
    charts.loadPictures(m_pictureFolder, kEntryKindCount);
    ChartContent content;
    content.kinds = valuesAt(item.chart, 0);
    content.bridges = valuesAt(item.chart, 1);
    content.deciduous = valuesAt(item.chart, 2);
    const QImage picture = charts.drawChart(content);
    const QRect target(item.x, item.y, item.width, item.height);
    painter.drawImage(target, picture);
    painter.drawRect(target);
    // The ringed teeth: a circle around each tooth's rectangle.
    const double sx = static_cast<double>(item.width) / chart::kPictureWidth;
    const double sy = static_cast<double>(item.height) / chart::kPictureHeight;
    painter.save();
    painter.setPen(QPen(QColor(0, 110, 0), std::max(4.0, 2.0 * sx)));
    painter.setBrush(Qt::NoBrush);
    const ToothValues ringed = valuesAt(item.chart, 3);
    for (int j = 0; j < kToothCount; ++j) {
        if (ringed[static_cast<std::size_t>(j)] == 0)
            continue;
        const chart::ToothRect& r = chart::toothRects()[static_cast<std::size_t>(j)];
        const QRectF tooth(item.x + r.x1 * sx, item.y + r.y1 * sy, (r.x2 - r.x1) * sx,
                           (r.y2 - r.y1) * sy);
        const double side = std::min(tooth.width(), tooth.height()) * 0.8;
        painter.drawEllipse(tooth.center(), side / 2, side / 2);
    }
    painter.restore();
}

void ReportRenderer::paintPage(QPainter& painter, const PrintPage& page,
                               const PrintFonts& fonts) const {
    PrintPage items;
    for (const PrintItem& item : page) {
        if (item.kind == PrintItem::Kind::Chart)
            paintChart(painter, item);
        else
            items.push_back(item);
    }
    renderPrintPage(painter, items, fonts);
}

bool ReportRenderer::paint(QPagedPaintDevice& device, const IdentificationReport& report) const {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / kLayoutDpi;
    painter.scale(scale, device.logicalDpiY() / kLayoutDpi);
    const PrintFonts fonts = PrintFonts::forDevice(&device);
    const std::vector<PrintPage> pages = layoutIdentificationReport(report, fonts.measure(&device));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, pages[i], fonts);
    }
    painter.end();
    return true;
}

QImage ReportRenderer::pagePicture(const IdentificationReport& report, int index, int width) const {
    const double scale = static_cast<double>(width) / kReportPageWidth;
    QImage picture(width, static_cast<int>(kReportPageHeight * scale), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    // Font sizes are pixel sizes in layout units, whatever the device.
    const PrintFonts fonts = PrintFonts::forDevice(&picture);
    const std::vector<PrintPage> pages =
        layoutIdentificationReport(report, fonts.measure(&picture));
    if (index >= 0 && static_cast<std::size_t>(index) < pages.size())
        paintPage(painter, pages[static_cast<std::size_t>(index)], fonts);
    return picture;
}

void prepareReportPrinter(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setResolution(static_cast<int>(kLayoutDpi));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(kMargins, QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("身元確認報告書"));
}

bool writeReportPdf(const QString& path, const IdentificationReport& report,
                    const std::string& pictureFolder) {
    // The PDF writer does not report a failed write (a full disk leaves a cut file behind), so
    // the document is made in memory and written in one piece, replacing the file only when
    // every byte has reached it.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setResolution(static_cast<int>(kLayoutDpi));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(kMargins, QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("身元確認報告書"));
        writer.setCreator(QStringLiteral("Quendix Free"));
        if (!ReportRenderer(pictureFolder).paint(writer, report))
            return false;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(true); // a writable file in a folder that is not
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(document.data()) != document.data().size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::string reportPictureFolder(const QString& programFolder) {
    const QDir here(programFolder);
    for (const QString& candidate : {here.filePath(QStringLiteral("../lib/quendix")),
                                     here.filePath(QStringLiteral("../ui"))}) {
        if (QFileInfo::exists(candidate + QStringLiteral("/GreyBackground.bmp")))
            return QDir::cleanPath(candidate).toStdString() + "/";
    }
    return programFolder.toStdString() + "/";
}

} // namespace qdx
