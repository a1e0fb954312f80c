#pragma once

#include "views/print/PrintItems.h"
#include "views/report/IdentificationReport.h"

#include <QImage>
#include <QString>

#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace qdx {

struct PrintFonts;

// Draws the identification report's pages: the page items through the printouts' renderer,
// the chart pictures from the picture set of `pictureFolder` (a folder ending with a
// separator; missing pictures leave the teeth white).
class ReportRenderer {
public:
    explicit ReportRenderer(const std::string& pictureFolder);

    // Lays the report out with the fonts of `device` and paints its pages; false when the
    // device could not be started. The pages are laid out in 600 dpi units and scaled to the
    // device's resolution.
    bool paint(QPagedPaintDevice& device, const IdentificationReport& report) const;
    // Page `index` (0 or 1) scaled to `width` pixels, for a preview.
    QImage pagePicture(const IdentificationReport& report, int index, int width) const;

private:
    void paintPage(QPainter& painter, const PrintPage& page, const PrintFonts& fonts) const;
    void paintChart(QPainter& painter, const PrintItem& item) const;

    std::string m_pictureFolder;
};

// A4 portrait with the report's margins; a PDF file in 600 dpi units.
void prepareReportPrinter(QPrinter& printer);
// Writes the report into a PDF file; false when the file cannot be written.
bool writeReportPdf(const QString& path, const IdentificationReport& report,
                    const std::string& pictureFolder);

// The folder of the chart pictures for a program that is not the desktop program (qdx): the
// installed program's folder beside it, else the build's folder.
std::string reportPictureFolder(const QString& programFolder);

} // namespace qdx
