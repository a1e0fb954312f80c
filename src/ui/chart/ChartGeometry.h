#pragma once

#include "model/ToothChart.h"

#include <array>

// Where things lie on a chart picture, in picture pixels, and the hit tests on them. Plain data
// without Qt, shared by the picture generator and the painter, so that what the user sees and
// what a click finds agree.
namespace qdx::chart {

inline constexpr int kPictureWidth = 481;
inline constexpr int kPictureHeight = 558;
// The point the upper and lower arches curve around.
inline constexpr int kCentreX = 240;
inline constexpr int kCentreY = 279;

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A tooth's hit rectangle: a point hits when x1 < x < x2 and y1 < y < y2.
struct ToothRect {
    int x1, x2, y1, y2;
};
struct Point {
    int x, y;
};

const std::array<ToothRect, kToothCount>& toothRects();
const std::array<Point, kToothCount>& bridgeMarkCentres();
// Top-left corners and size of the tooth-number labels, in picture pixels, laid out from the
// entry dialog's dialog units (10-point font: 7 pixels per 4 units across, 13 per 8 down).
Box labelBox(int position);
// Half the side of a bridge mark's circle box.
inline constexpr int kBridgeMarkRadius = 5;

// Position 0..31 whose rectangle holds `p` strictly, the lowest index first; -1 for none.
// `picture` is where the picture lies in p's coordinates; scaling truncates like the windows.
int toothAt(Point p, Box picture);
// Position whose bridge mark is within 8 pixels of `p` (strictly), trying the mark centre and
// then the centre moved a twentieth towards the chart centre; -1 for none.
int bridgeMarkAt(Point p, Box picture);
// Position whose tooth-number label strictly contains `p`; -1 for none.
int labelAt(Point p, Box picture);

} // namespace qdx::chart
