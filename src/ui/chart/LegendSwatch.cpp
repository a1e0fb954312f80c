#include "ui/chart/LegendSwatch.h"

#include "model/Labels.h"
#include "ui/chart/ToothOutline.h"
#include "ui/chart/ToothStyle.h"
#include "ui/common/DisplayLanguage.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

namespace qdx {

namespace {

QString description(int toothClass) {
    return coreTr(classDescription(toothClass));
}

std::vector<LegendEntry> individualEntries(bool candidate) {
    if (!candidate) {
        return {{1488, LegendSwatch::Sound, 1494,
                 QCoreApplication::translate("qdx::LegendSwatch", "健全歯、齲蝕歯")},
                {1489, LegendSwatch::Filling, 1495,
                 QCoreApplication::translate("qdx::LegendSwatch", "金属による部分修復")},
                {1490, LegendSwatch::Crown, 1496,
                 QCoreApplication::translate("qdx::LegendSwatch", "全部修復")},
                {1491, LegendSwatch::Missing, 1497,
                 QCoreApplication::translate("qdx::LegendSwatch", "C4、欠損")},
                {1493, LegendSwatch::NoInfo, 1498,
                 QCoreApplication::translate("qdx::LegendSwatch", "情報なし")},
                {1492, LegendSwatch::Exist, 1502,
                 QCoreApplication::translate("qdx::LegendSwatch", "歯あり")}};
    }
    return {{1488, LegendSwatch::Sound, 1494,
             QCoreApplication::translate("qdx::LegendSwatch", "健全歯、齲蝕歯で一致")},
            {1489, LegendSwatch::Filling, 1495,
             QCoreApplication::translate("qdx::LegendSwatch", "金属による部分修復で一致")},
            {1490, LegendSwatch::Crown, 1496,
             QCoreApplication::translate("qdx::LegendSwatch", "全部修復で一致")},
            {1491, LegendSwatch::Missing, 1497,
             QCoreApplication::translate("qdx::LegendSwatch", "Ｃ４、欠損で一致")},
            {1493, LegendSwatch::Mismatch, 1498,
             QCoreApplication::translate("qdx::LegendSwatch", "不一致または情報なしで一致")},
            {1492, LegendSwatch::Exist, 1502,
             QCoreApplication::translate("qdx::LegendSwatch", "歯ありで一致")}};
}

} // namespace

PictureKind swatchKind(LegendSwatch swatch) {
    switch (swatch) {
    case LegendSwatch::Sound:
        return PictureKind::Sound;
    case LegendSwatch::Filling:
        return PictureKind::Filling;
    case LegendSwatch::Crown:
        return PictureKind::Crown;
    case LegendSwatch::Missing:
        return PictureKind::Missing;
    case LegendSwatch::NoInfo:
        return PictureKind::NoInfo;
    case LegendSwatch::Mismatch:
        return PictureKind::Mismatch;
    case LegendSwatch::Exist:
        break;
    }
    return PictureKind::Exist;
}

std::optional<QColor> swatchColour(LegendSwatch swatch) {
    return chart::kindColour(swatchKind(swatch));
}

// Drawn four times larger and scaled down, so the marks keep their proportions at icon size.
QPixmap swatchPixmap(LegendSwatch swatch, int size) {
    constexpr int kDetail = 4;
    QImage large(size * kDetail, size * kDetail, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    {
        QPainter painter(&large);
        const double edge = kDetail * 1.0;
        const chart::ToothShape tooth = chart::swatchShape(
            QRectF(edge, edge, large.width() - 2 * edge, large.height() - 2 * edge));
        chart::paintToothInside(painter, tooth, swatchKind(swatch), size * kDetail / 24.0);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(QColor(40, 40, 40), kDetail * 1.2));
        painter.drawPath(tooth.outline);
    }
    return QPixmap::fromImage(
        large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

std::vector<LegendEntry> legendEntries(ChartLegendSet set) {
    switch (set) {
    case ChartLegendSet::Entry:
        return {{1046, LegendSwatch::Exist, 1491, description(6)},
                {1041, LegendSwatch::Sound, 1486, description(1)},
                {1042, LegendSwatch::Filling, 1487, description(2)},
                {1043, LegendSwatch::Crown, 1488, description(3)},
                {1044, LegendSwatch::Missing, 1489, description(4)},
                {1045, LegendSwatch::NoInfo, 1490, description(5)}};
    case ChartLegendSet::IndividualOwn:
        return individualEntries(false);
    case ChartLegendSet::IndividualCandidate:
        return individualEntries(true);
    case ChartLegendSet::BridgeSearch:
        break;
    }
    return {{1491, LegendSwatch::Missing, 1497,
             QCoreApplication::translate("qdx::LegendSwatch", "\n\r欠損")},
            {1493, LegendSwatch::NoInfo, 1498,
             QCoreApplication::translate("qdx::LegendSwatch", "\n\r検索指定なし")}};
}

} // namespace qdx
