#pragma once

#include "views/print/PrintItems.h"

#include <QFont>

#include <functional>
#include <vector>

class QPainter;
class QPaintDevice;
class QPrinter;

namespace qdx {

// The printout fonts, sized in the device units of the printer they are made for. The
// individual search prints its band in a narrower font and adds the tooth numbers.
struct PrintFonts {
    QFont heading;
    QFont band;
    QFont body;
    QFont narrowBand;
    QFont toothNumber;

    static PrintFonts forDevice(QPaintDevice* device);
    PrintMetrics measure(QPaintDevice* device) const;
};

// Draws one page's items.
void renderPrintPage(QPainter& painter, const PrintPage& page, const PrintFonts& fonts);

// Measures the fonts on the printer, lays the pages out and prints them. False when the
// printer could not be started.
bool printPages(QPrinter& printer,
                const std::function<std::vector<PrintPage>(const PrintMetrics&)>& layout);

// Sets a printer up as the search printouts want it: landscape A4 (legal in English), and for
// PDF output the device units of a 600 dpi printer.
void preparePrinter(QPrinter& printer, const QString& documentName, bool english = false);

// The file the print dialog proposes for printing to a PDF file; the printer it offers first
// stays the default one.
void proposePrintFile(QPrinter& printer, const QString& pdfPath);

} // namespace qdx
