#pragma once

#include "model/Wording.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace qdx {

// A printed page as a list of drawing items in printer device units. The layout is computed
// from the rows and the font metrics; a renderer draws the list on a printer or a PDF file.
// Band and NarrowBand run downwards; NarrowBand and ToothNumber are the individual search's
// 80 x 40 fonts.
enum class PrintFont { Heading, Band, Body, NarrowBand, ToothNumber };

struct PrintColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const PrintColor&) const = default;
};

struct PrintItem {
    enum class Kind { Text, Line, FilledRect, Chart };
    Kind kind = Kind::Text;
    // Text: top-left reference point. Line: from (x, y) to (x2, y2). Rect and Chart: (x, y)
    // and size.
    int x = 0;
    int y = 0;
    int x2 = 0;
    int y2 = 0;
    int width = 0;
    int height = 0;
    int penWidth = 0;
    PrintFont font = PrintFont::Body;
    PrintColor color;
    std::string text;
    // Text: the widest it may print, in device units; a wider text is condensed sideways to
    // this width (0: printed as it comes).
    int fitWidth = 0;
    // Chart: a tooth chart picture fitted into the rectangle, drawn from 4 x 32 values: the
    // picture kind of each position (0..7 as the chart pictures number them), its bridge flag,
    // its deciduous flag and whether the tooth is ringed.
    std::vector<std::uint8_t> chart;
    bool operator==(const PrintItem&) const = default;
};

using PrintPage = std::vector<PrintItem>;

// Text sizes measured on the printer: U x H of "AA" in the heading font, u x h of "A" in the
// body font, hb the height of "A" in the band font, ub the width of "A" in the narrow band
// font and ht its height in the tooth-number font.
struct PrintMetrics {
    int U = 90;
    int H = 100;
    int u = 45;
    int h = 100;
    int hb = 80;
    int ub = 40;
    int ht = 80;
};

// "作成日：%Y年%m月%d日 %H時%M分" of the local time of `when`, as the printouts head their pages;
// the pattern is worded for the display language first.
std::string printCreatedText(std::time_t when, const Wording& wording = {});

} // namespace qdx
