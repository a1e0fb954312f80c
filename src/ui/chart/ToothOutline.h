#pragma once

#include "model/ToothChart.h"

#include <QPainterPath>
#include <QRectF>
#include <QTransform>

#include <array>

namespace qdx::chart {

enum class ToothType { Incisor, Canine, Premolar, Molar };
ToothType toothType(int position);

// A tooth as drawn on the chart picture. `frame` maps the tooth's own coordinates (u along the
// arch, v outwards, each within about -1..1) to picture pixels, for marks drawn across it.
struct ToothShape {
    QPainterPath outline;
    QPainterPath details; // fissures and edges inside the outline
    QTransform frame;
};

// The 32 teeth in picture pixels, seen from the biting side: each lies inside its hit
// rectangle, turned along its arch, and no two touch.
const std::array<ToothShape, kToothCount>& toothShapes();
// A molar standing upright in `box`, for legend swatches.
ToothShape swatchShape(const QRectF& box);

} // namespace qdx::chart
