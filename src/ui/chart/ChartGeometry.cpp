#include "ui/chart/ChartGeometry.h"

#include <cstdlib>

namespace qdx::chart {

namespace {

constexpr std::array<ToothRect, kToothCount> kToothRects{{
    {36, 102, 219, 260},  {45, 110, 176, 219},  {58, 122, 138, 176},  {75, 126, 108, 138},
    {92, 138, 77, 108},   {113, 150, 52, 77},   {150, 188, 27, 56},   {188, 240, 16, 49},
    {241, 293, 16, 49},   {293, 335, 27, 56},   {326, 368, 52, 77},   {343, 388, 77, 108},
    {355, 405, 108, 138}, {360, 423, 138, 176}, {369, 437, 176, 219}, {379, 445, 219, 260},
    {379, 445, 298, 339}, {371, 436, 339, 381}, {359, 423, 381, 419}, {355, 406, 419, 450},
    {343, 389, 450, 479}, {331, 368, 479, 503}, {293, 331, 503, 529}, {241, 293, 514, 542},
    {188, 240, 514, 542}, {146, 188, 503, 529}, {113, 155, 479, 503}, {93, 138, 450, 479},
    {76, 126, 419, 450},  {58, 121, 381, 419},  {44, 112, 339, 381},  {36, 102, 298, 339},
}};

constexpr std::array<Point, kToothCount> kBridgeMarks{{
    {117, 242}, {122, 202}, {132, 163}, {138, 128}, {149, 99},  {165, 82},  {187, 67},  {219, 56},
    {262, 56},  {294, 67},  {316, 82},  {332, 99},  {343, 128}, {349, 163}, {359, 202}, {364, 242},
    {364, 316}, {359, 356}, {349, 395}, {343, 430}, {332, 459}, {316, 476}, {294, 491}, {262, 502},
    {219, 502}, {187, 491}, {165, 476}, {149, 459}, {138, 430}, {132, 395}, {122, 356}, {117, 316},
}};

// Label corners in dialog units.
constexpr std::array<Point, kToothCount> kLabelUnits{{
    {9, 143},   {13, 116},  {20, 90},   {31, 67},   {40, 46},   {56, 23},   {83, 8},    {116, 0},
    {153, 0},   {186, 8},   {212, 23},  {227, 46},  {238, 67},  {248, 90},  {254, 116}, {260, 143},
    {260, 193}, {254, 219}, {248, 245}, {238, 267}, {227, 289}, {212, 312}, {186, 328}, {153, 335},
    {116, 335}, {83, 328},  {56, 312},  {40, 289},  {31, 267},  {20, 245},  {13, 219},  {9, 193},
}};
constexpr int kLabelUnitsWide = 10;
constexpr int kLabelUnitsHigh = 9;

int scaleX(int x, Box picture) {
    return picture.left + x * picture.width / kPictureWidth;
}
int scaleY(int y, Box picture) {
    return picture.top + y * picture.height / kPictureHeight;
}

bool nearMark(Point p, Point centre, Box picture) {
    return std::abs(p.x - scaleX(centre.x, picture)) < 8 &&
           std::abs(p.y - scaleY(centre.y, picture)) < 8;
}

} // namespace

const std::array<ToothRect, kToothCount>& toothRects() {
    return kToothRects;
}

const std::array<Point, kToothCount>& bridgeMarkCentres() {
    return kBridgeMarks;
}

Box labelBox(int position) {
    const Point units = kLabelUnits[static_cast<std::size_t>(position)];
    return {units.x * 7 / 4, units.y * 13 / 8, kLabelUnitsWide * 7 / 4, kLabelUnitsHigh * 13 / 8};
}

int toothAt(Point p, Box picture) {
    for (int i = 0; i < kToothCount; ++i) {
        const ToothRect& r = kToothRects[static_cast<std::size_t>(i)];
        if (scaleX(r.x1, picture) < p.x && p.x < scaleX(r.x2, picture) &&
            scaleY(r.y1, picture) < p.y && p.y < scaleY(r.y2, picture)) {
            return i;
        }
    }
    return -1;
}

int bridgeMarkAt(Point p, Box picture) {
    for (int i = 0; i < kToothCount; ++i) {
        const Point c = kBridgeMarks[static_cast<std::size_t>(i)];
        const Point inner{(19 * c.x + kCentreX) / 20, (19 * c.y + kCentreY) / 20};
        if (nearMark(p, c, picture) || nearMark(p, inner, picture)) {
            return i;
        }
    }
    return -1;
}

int labelAt(Point p, Box picture) {
    for (int i = 0; i < kToothCount; ++i) {
        const Box b = labelBox(i);
        if (scaleX(b.left, picture) < p.x && p.x < scaleX(b.left + b.width, picture) &&
            scaleY(b.top, picture) < p.y && p.y < scaleY(b.top + b.height, picture)) {
            return i;
        }
    }
    return -1;
}

} // namespace qdx::chart
