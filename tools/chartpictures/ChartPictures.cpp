// Writes the chart picture set into a folder: one full-chart picture per tooth kind, one mask
// per tooth under "mask/" and the background outline, each a 481 x 558 Windows bitmap.
// Usage: chartpictures FOLDER
#include "ui/chart/ChartGeometry.h"
#include "ui/chart/PictureKind.h"
#include "ui/chart/ToothOutline.h"
#include "ui/chart/ToothStyle.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

using namespace qdx;
using namespace qdx::chart;

QImage blankPicture() {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage kindPicture(PictureKind kind) {
    QImage image = blankPicture();
    QPainter painter(&image);
    for (const ToothShape& tooth : toothShapes()) {
        paintToothInside(painter, tooth, kind);
    }
    return image;
}

QImage maskPicture(int position) {
    QImage image = blankPicture();
    QPainter painter(&image);
    painter.fillPath(toothShapes()[static_cast<std::size_t>(position)].outline, Qt::black);
    painter.end();
    // Black and white only: written as a one-bit bitmap, a twentieth of the size.
    return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

QPainterPath archLine(int first) {
    QPainterPath path;
    for (int i = first; i < first + 16; ++i) {
        const ToothRect& r = toothRects()[static_cast<std::size_t>(i)];
        const QPointF centre((r.x1 + r.x2) / 2.0, (r.y1 + r.y2) / 2.0);
        if (i == first) {
            path.moveTo(centre);
        } else {
            path.lineTo(centre);
        }
    }
    return path;
}

// The gums as a light band along each arch, the quadrant cross between the arches, and every
// tooth's edge; white inside the teeth so that their pictures show unchanged.
QImage backgroundPicture() {
    QImage image = blankPicture();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(234, 228, 226), 60.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(archLine(0));
    painter.drawPath(archLine(16));
    painter.setPen(QPen(QColor(190, 190, 190), 1.0, Qt::DashLine));
    painter.drawLine(QPointF(kCentreX + 0.5, 96.0), QPointF(kCentreX + 0.5, 462.0));
    painter.drawLine(QPointF(150.0, kCentreY + 0.5), QPointF(331.0, kCentreY + 0.5));
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const ToothShape& tooth : toothShapes()) {
        painter.fillPath(tooth.outline, Qt::white);
    }
    for (const ToothShape& tooth : toothShapes()) {
        paintToothEdge(painter, tooth);
    }
    return image;
}

bool save(const QImage& image, const QString& path) {
    if (image.save(path, "BMP")) {
        return true;
    }
    std::fprintf(stderr, "chartpictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: chartpictures FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("mask"))) {
        std::fprintf(stderr, "chartpictures: cannot create %s/mask\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int k = 0; k < kPictureKindCount; ++k) {
        const auto kind = static_cast<PictureKind>(k);
        const QString name = QString::fromUtf8(pictureStem(kind).data()) + ".bmp";
        ok = save(kindPicture(kind), folder.filePath(name)) && ok;
    }
    for (int i = 0; i < kToothCount; ++i) {
        const std::string_view stem = toothPictureNames()[static_cast<std::size_t>(i)];
        const QString name = "mask/" + QString::fromUtf8(stem.data(), stem.size()) + ".bmp";
        ok = save(maskPicture(i), folder.filePath(name)) && ok;
    }
    const QString background = QString::fromUtf8(kBackgroundStem.data()) + ".bmp";
    ok = save(backgroundPicture(), folder.filePath(background)) && ok;
    return ok ? 0 : 1;
}
