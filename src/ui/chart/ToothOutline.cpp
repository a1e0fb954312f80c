#include "ui/chart/ToothOutline.h"

#include "ui/chart/ChartGeometry.h"

#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qdx::chart {

namespace {

// Half the extents of each type in its own coordinates: along the arch and across it.
struct Extent {
    double along;
    double across;
};

Extent extentOf(ToothType type) {
    switch (type) {
    case ToothType::Incisor:
        return {1.0, 0.55};
    case ToothType::Canine:
        return {0.85, 0.85};
    case ToothType::Premolar:
        return {0.8, 1.0};
    case ToothType::Molar:
        break;
    }
    return {1.0, 1.05};
}

// A rounded outline sampled around the centre: a superellipse of exponent `outer` on the
// outer half and `inner` on the inner half, with `lobes` adding cusp bulges at the corners.
QPainterPath roundOutline(Extent e, double outer, double inner, double lobes) {
    QPainterPath path;
    constexpr int steps = 96;
    for (int k = 0; k <= steps; ++k) {
        const double t = 2.0 * std::numbers::pi * k / steps;
        const double c = std::cos(t);
        const double s = std::sin(t);
        const double p = s >= 0.0 ? outer : inner;
        const double r =
            std::pow(std::pow(std::abs(c / e.along), p) + std::pow(std::abs(s / e.across), p),
                     -1.0 / p) *
            (1.0 - lobes * std::cos(4.0 * t));
        const QPointF point(r * c, r * s);
        if (k == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    path.closeSubpath();
    return path;
}

QPainterPath localOutline(ToothType type) {
    const Extent e = extentOf(type);
    switch (type) {
    case ToothType::Incisor:
        return roundOutline(e, 2.2, 1.5, 0.0);
    case ToothType::Canine:
        return roundOutline(e, 1.7, 1.5, 0.0);
    case ToothType::Premolar:
        return roundOutline(e, 2.3, 2.3, 0.03);
    case ToothType::Molar:
        break;
    }
    return roundOutline(e, 2.8, 2.8, 0.05);
}

void addLine(QPainterPath& path, std::initializer_list<QPointF> points) {
    bool first = true;
    for (const QPointF& p : points) {
        if (first) {
            path.moveTo(p);
            first = false;
        } else {
            path.lineTo(p);
        }
    }
}

QPainterPath localDetails(ToothType type) {
    QPainterPath path;
    switch (type) {
    case ToothType::Incisor:
        addLine(path, {{-0.72, 0.18}, {0.72, 0.18}});                 // incisal edge
        addLine(path, {{-0.22, -0.32}, {0.0, -0.42}, {0.22, -0.32}}); // cingulum
        break;
    case ToothType::Canine:
        addLine(path, {{-0.6, 0.0}, {0.0, 0.12}, {0.6, 0.0}}); // cusp ridges
        addLine(path, {{0.0, 0.12}, {0.0, -0.45}});
        break;
    case ToothType::Premolar:
        addLine(path, {{-0.45, 0.0}, {0.45, 0.0}});
        addLine(path, {{-0.45, 0.0}, {-0.6, 0.25}});
        addLine(path, {{0.45, 0.0}, {0.6, 0.25}});
        break;
    case ToothType::Molar:
        addLine(path, {{-0.6, 0.05}, {-0.15, -0.05}, {0.2, 0.05}, {0.6, -0.05}});
        addLine(path, {{-0.15, -0.05}, {-0.1, 0.7}});
        addLine(path, {{0.2, 0.05}, {0.3, -0.7}});
        break;
    }
    return path;
}

QPointF rectCentre(const ToothRect& r) {
    return {(r.x1 + r.x2) / 2.0, (r.y1 + r.y2) / 2.0};
}

// The frame of a tooth turned along its arch: u follows the arch, v points away from the
// chart centre.
QTransform turnAlongArch(int position) {
    const int first = position < 16 ? 0 : 16;
    const int before = std::max(first, position - 1);
    const int after = std::min(first + 15, position + 1);
    const auto& rects = toothRects();
    const QPointF tangent = rectCentre(rects[static_cast<std::size_t>(after)]) -
                            rectCentre(rects[static_cast<std::size_t>(before)]);
    const double length = std::hypot(tangent.x(), tangent.y());
    const QPointF t(tangent.x() / length, tangent.y() / length);
    QPointF n(-t.y(), t.x());
    const QPointF away =
        rectCentre(rects[static_cast<std::size_t>(position)]) - QPointF(kCentreX, kCentreY);
    if (n.x() * away.x() + n.y() * away.y() < 0.0) {
        n = -n;
    }
    return QTransform(t.x(), t.y(), n.x(), n.y(), 0.0, 0.0);
}

// Scales and moves a turned tooth into `box`, stretching one way by at most a third more
// than the other so that wide rectangles do not flatten the tooth.
QTransform fitInto(const QRectF& turned, const QRectF& box) {
    const double sx = box.width() / turned.width();
    const double sy = box.height() / turned.height();
    const double s = std::min(sx, sy);
    const double fx = std::min(sx, s * 1.3);
    const double fy = std::min(sy, s * 1.3);
    const QPointF from = turned.center();
    const QPointF to = box.center();
    return QTransform(fx, 0.0, 0.0, fy, to.x() - from.x() * fx, to.y() - from.y() * fy);
}

QPainterPath grown(const QPainterPath& path, double by) {
    QPainterPathStroker stroker;
    stroker.setWidth(2.0 * by);
    return stroker.createStroke(path).united(path);
}

// Where a click finds an earlier position first: the hit rectangles of positions before i.
QPainterPath earlierHits(int i) {
    QPainterPath hits;
    for (int j = 0; j < i; ++j) {
        const ToothRect& r = toothRects()[static_cast<std::size_t>(j)];
        hits.addRect(QRectF(r.x1, r.y1, r.x2 - r.x1 + 1.0, r.y2 - r.y1 + 1.0));
    }
    return hits;
}

// Each tooth keeps clear of the teeth drawn before it and of the rectangles in which a click
// would find an earlier position, so every pixel of a tooth's drawing hits that tooth.
std::array<ToothShape, kToothCount> buildShapes() {
    std::array<ToothShape, kToothCount> shapes;
    QPainterPath earlier;
    for (int i = 0; i < kToothCount; ++i) {
        const ToothType type = toothType(i);
        const ToothRect& r = toothRects()[static_cast<std::size_t>(i)];
        const QRectF box(r.x1 + 3.0, r.y1 + 3.0, r.x2 - r.x1 - 6.0, r.y2 - r.y1 - 6.0);
        const QTransform turn = turnAlongArch(i);
        const QPainterPath local = localOutline(type);
        const QTransform frame = turn * fitInto(turn.map(local).boundingRect(), box);
        ToothShape& shape = shapes[static_cast<std::size_t>(i)];
        shape.frame = frame;
        shape.outline = frame.map(local).subtracted(earlier).subtracted(earlierHits(i));
        shape.details = frame.map(localDetails(type));
        earlier = earlier.united(grown(shape.outline, 2.0));
    }
    return shapes;
}

} // namespace

ToothType toothType(int position) {
    const int number = toothNumber(position);
    if (number <= 2) {
        return ToothType::Incisor;
    }
    if (number == 3) {
        return ToothType::Canine;
    }
    return number <= 5 ? ToothType::Premolar : ToothType::Molar;
}

const std::array<ToothShape, kToothCount>& toothShapes() {
    static const std::array<ToothShape, kToothCount> shapes = buildShapes();
    return shapes;
}

ToothShape swatchShape(const QRectF& box) {
    const QPainterPath local = localOutline(ToothType::Molar);
    const QTransform frame = fitInto(local.boundingRect(), box);
    return {frame.map(local), frame.map(localDetails(ToothType::Molar)), frame};
}

} // namespace qdx::chart
