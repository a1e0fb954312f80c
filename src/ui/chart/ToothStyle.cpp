#include "ui/chart/ToothStyle.h"

#include <QPainter>

namespace qdx::chart {

namespace {

const QColor kMarkColour(20, 20, 20);

QPolygonF localBox(const ToothShape& tooth, double u1, double v1, double u2, double v2) {
    return tooth.frame.map(QPolygonF(QRectF(QPointF(u1, v1), QPointF(u2, v2))));
}

void paintBand(QPainter& painter, const ToothShape& tooth) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(28, 70, 10));
    painter.drawPolygon(localBox(tooth, -2.0, -0.3, 2.0, 0.3));
}

void paintRing(QPainter& painter, const ToothShape& tooth, double scale) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(36, 20, 62), 6.0 * scale));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tooth.outline);
}

void paintCross(QPainter& painter, const ToothShape& tooth, double scale) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kMarkColour, 2.6 * scale, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(tooth.frame.map(QLineF(-1.2, -1.2, 1.2, 1.2)));
    painter.drawLine(tooth.frame.map(QLineF(-1.2, 1.2, 1.2, -1.2)));
}

void paintDot(QPainter& painter, const ToothShape& tooth) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    QPainterPath dot;
    dot.addEllipse(QPointF(0.0, 0.0), 0.32, 0.32);
    painter.drawPath(tooth.frame.map(dot));
}

void paintStripes(QPainter& painter, const ToothShape& tooth) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(kMarkColour, Qt::BDiagPattern));
    painter.drawPath(tooth.outline);
}

void paintDashedEdge(QPainter& painter, const ToothShape& tooth, double scale) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(70, 70, 70), 5.0 * scale, Qt::DashLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tooth.outline);
}

} // namespace

std::optional<QColor> kindColour(PictureKind kind) {
    switch (kind) {
    case PictureKind::Sound:
        return QColor(0, 158, 231);
    case PictureKind::Filling:
        return QColor(106, 185, 44);
    case PictureKind::Crown:
        return QColor(106, 75, 155);
    case PictureKind::Missing:
        return QColor(231, 20, 26);
    case PictureKind::Exist:
        return QColor(0, 74, 159);
    case PictureKind::Select:
        return QColor(255, 204, 0);
    case PictureKind::NoInfo:
    case PictureKind::Mismatch:
        break;
    }
    return std::nullopt;
}

namespace {

// Fissures and edges in a darker shade of the tooth's own colour, drawn in the class picture
// itself: the background's AND would tint them.
void paintDetails(QPainter& painter, const ToothShape& tooth, const std::optional<QColor>& fill,
                  double scale) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QColor shade = fill ? fill->darker(170) : QColor(150, 150, 150);
    painter.setPen(QPen(shade, 1.1 * scale, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(tooth.details);
}

} // namespace

void paintToothInside(QPainter& painter, const ToothShape& tooth, PictureKind kind, double scale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const std::optional<QColor> fill = kindColour(kind);
    painter.fillPath(tooth.outline, fill.value_or(Qt::white));
    painter.setClipPath(tooth.outline);
    paintDetails(painter, tooth, fill, scale);
    switch (kind) {
    case PictureKind::Filling:
        paintBand(painter, tooth);
        break;
    case PictureKind::Crown:
        paintRing(painter, tooth, scale);
        break;
    case PictureKind::Missing:
        paintCross(painter, tooth, scale);
        break;
    case PictureKind::Exist:
        paintDot(painter, tooth);
        break;
    case PictureKind::Select:
        paintStripes(painter, tooth);
        break;
    case PictureKind::Mismatch:
        paintDashedEdge(painter, tooth, scale);
        break;
    case PictureKind::Sound:
    case PictureKind::NoInfo:
        break;
    }
    painter.restore();
}

void paintToothEdge(QPainter& painter, const ToothShape& tooth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 40, 40), 1.4));
    painter.drawPath(tooth.outline);
    painter.restore();
}

} // namespace qdx::chart
