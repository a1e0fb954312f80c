#pragma once

#include "ui/chart/PictureKind.h"
#include "ui/chart/ToothOutline.h"

#include <QColor>

#include <optional>

class QPainter;

namespace qdx::chart {

// The legend colour of a kind; none for the kinds drawn as outlines only (no information,
// mismatch).
std::optional<QColor> kindColour(PictureKind kind);

// Paints the inside of one tooth in a kind: its colour, its fissures, and a mark that tells the
// kinds apart also in black-and-white print (a band across a partial restoration, a ring inside a
// crown, a cross on a missing tooth, a dot on a present tooth of unknown state, stripes on a
// selected tooth, a dashed edge on a mismatch). The pixels covered are exactly the outline's,
// without smoothing, so a picture painted this way fills its mask. `scale` widens the lines for
// a tooth drawn larger than on the chart.
void paintToothInside(QPainter& painter, const ToothShape& tooth, PictureKind kind,
                      double scale = 1.0);

// The tooth's edge as the background draws it.
void paintToothEdge(QPainter& painter, const ToothShape& tooth);

} // namespace qdx::chart
